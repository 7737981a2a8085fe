// The installed program's command line: --help and --version answer without
// a display and without making a drive prefix; other arguments change
// nothing. Every display the program cannot use (none, one not there, a
// real X server, Xvfb, that refuses us or has no such screen, a platform
// plugin that does not exist, a server that never answers) ends it within
// five seconds with its own words and status 1, never Qt's abort.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "tests/support/temp_prefix.h"

namespace testing_support {
namespace {

struct CommandLineCase {
  QStringList arguments;
  int exit_code;
  const char* output_begins;  // standard output
  const char* error_begins;   // standard error
  QString display = "";       // DISPLAY, else none is named
  QString platform = "";      // QT_QPA_PLATFORM
  bool authorised = true;     // XAUTHORITY holds the X server's cookie
};

constexpr char kCookie[] = "0123456789abcdef0123456789abcdef";
constexpr char kNeedsSession[] = "Quillomar is a desktop program and needs a graphical session: ";

TEST(CommandLineTest, HelpAndVersionAnswerWithoutDisplayOrPrefix) {
  TempPrefix displays;
  const QString server_auth = QString::fromStdString(displays.root() + "/server.auth");
  const QString our_auth = QString::fromStdString(displays.root() + "/ours.auth");
  const QString no_auth = QString::fromStdString(displays.root() + "/none.auth");
  for (const QString& file : {server_auth, our_auth, no_auth}) WriteAll(file.toStdString(), "");
  ASSERT_EQ(QProcess::execute("xauth", {"-q", "-f", server_auth, "add", ":0", ".", kCookie}), 0);
  QProcess server;
  server.start("Xvfb", {"-displayfd", "1", "-auth", server_auth, "-nolisten", "tcp"});
  ASSERT_TRUE(server.waitForReadyRead(10000)) << "Xvfb did not start";
  const QString xvfb = ":" + QString::fromLatin1(server.readLine()).trimmed();
  ASSERT_EQ(QProcess::execute("xauth", {"-q", "-f", our_auth, "add", xvfb, ".", kCookie}), 0);
  // An X display on this machine's TCP port that takes connections and
  // never answers them.
  const int silent = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{AF_INET, 0, {::htonl(INADDR_LOOPBACK)}, {}};
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), length) | ::listen(silent, 8) |
                ::getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length), 0);

  const CommandLineCase cases[] = {
      {{"--version"}, 0, "Quillomar " QUILLOMAR_VERSION "\n", ""},
      {{"--help"}, 0, "Usage: quillomar [--help | --version]\n", ""},
      {{"-x", "--version", "file"}, 0, "Quillomar " QUILLOMAR_VERSION "\n", ""},
      {{"--version", "--help"}, 0, "Usage: quillomar", ""},
      // Anything else starts the program as before, which needs a display.
      {{"--verbose"}, 1, "", "Quillomar is a desktop program and needs a graphical session: no display"},
      // A display named but not there: the same words, not Qt's abort.
      {{}, 1, "", "Quillomar is a desktop program and needs a graphical session: the display cannot be reached (DISPLAY=:7391)", ":7391"},
      {{}, 1, "", kNeedsSession, xvfb, "", false},                 // refused authorisation
      {{}, 1, "", kNeedsSession, xvfb + ".5"},                     // no such screen
      {{}, 1, "", kNeedsSession, "", "nosuchplatform"},            // no such platform plugin
      {{}, 1, "", kNeedsSession, "127.0.0.1:" + QString::number(ntohs(address.sin_port) - 6000)},  // never answers
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE((c.arguments.join(' ') + c.display + c.platform).toStdString());
    TempPrefix scratch;
    const std::string prefix = scratch.root() + "/unused-prefix";
    const std::string data_home = scratch.root() + "/data";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(variable);
    }
    if (!c.display.isEmpty()) environment.insert("DISPLAY", c.display);
    if (!c.platform.isEmpty()) environment.insert("QT_QPA_PLATFORM", c.platform);
    environment.insert("XAUTHORITY", c.authorised ? our_auth : no_auth);
    environment.insert("QUILLOMAR_PREFIX", QString::fromStdString(prefix));
    environment.insert("XDG_DATA_HOME", QString::fromStdString(data_home));
    environment.insert("HOME", QString::fromStdString(scratch.root()));

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QUILLOMAR_PROGRAM, c.arguments);
    EXPECT_TRUE(program.waitForFinished(5000)) << "still running after 5 s";
    program.kill();
    program.waitForFinished();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), c.exit_code);
    const std::string output = program.readAllStandardOutput().toStdString();
    const std::string error = program.readAllStandardError().toStdString();
    EXPECT_EQ(output.rfind(c.output_begins, 0), 0u) << output;
    EXPECT_EQ(error.rfind(c.error_begins, 0), 0u) << error;
    if (*c.output_begins == '\0') {
      EXPECT_EQ(output, "");
    }
    if (*c.error_begins == '\0') {
      EXPECT_EQ(error, "");
    }
    EXPECT_FALSE(std::filesystem::exists(prefix));
    EXPECT_FALSE(std::filesystem::exists(data_home));
  }
  ::close(silent);
  server.terminate();
  server.waitForFinished();
}

TEST(CommandLineTest, PathsAreEveryNonOptionAndEverythingAfterTheEnd) {
  // The arguments; what they ask for (0 run, 1 help, 2 version) and their paths.
  const std::pair<std::vector<const char*>, std::string> cases[] = {
      {{"quillomar", "a b", "-x", "", "c"}, "0 a b|c|"},
      {{"quillomar", "--", "--help", "-", "--", "x"}, "0 --help|-|--|x|"},
      {{"quillomar", "p", "--version", "--", "--help"}, "2 p|--help|"},
      {{"quillomar", "--version", "q", "--help"}, "1 q|"}};
  for (const auto& [argv, expected] : cases) {
    const app::CommandLine line = app::ReadCommandLine(static_cast<int>(argv.size()), argv.data());
    std::string read = std::to_string(static_cast<int>(line.request)) + " ";
    for (const std::string& path : line.paths) read += path + "|";
    EXPECT_EQ(read, expected);
  }
}

}  // namespace
}  // namespace testing_support
