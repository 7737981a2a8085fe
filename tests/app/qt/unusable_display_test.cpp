// Every display the program cannot use ends the program within five
// seconds with its own words and status 1, never Qt's abort or a wait
// without end: a real X server (Xvfb, started here) that refuses us or has
// no such screen, a platform plugin that does not exist, and a server that
// takes the connection but never answers.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <cstring>
#include <string>

#include "tests/support/temp_prefix.h"

namespace testing_support {
namespace {

constexpr char kCookie[] = "0123456789abcdef0123456789abcdef";
constexpr char kSessionMessage[] = "Quillomar is a desktop program and needs a graphical session: ";
constexpr int kAnswerMs = 5000;

// A local X display number whose socket takes connections and never
// answers (it is never accepted), or -1.
int SilentDisplay(int& socket_fd) {
  for (int number = 7400; number < 7500; ++number) {
    socket_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = "/tmp/.X11-unix/X" + std::to_string(number);
    std::memcpy(address.sun_path + 1, name.data(), name.size());  // abstract, as X servers listen
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (::bind(socket_fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(socket_fd, 8) == 0) {
      return number;
    }
    ::close(socket_fd);
  }
  return -1;
}

TEST(UnusableDisplayTest, EndsWithTheProgramsMessageAndStatusOne) {
  TempPrefix scratch;
  const QString server_authority = QString::fromStdString(scratch.root() + "/server.auth");
  const QString our_authority = QString::fromStdString(scratch.root() + "/ours.auth");
  const QString no_authority = QString::fromStdString(scratch.root() + "/none.auth");
  for (const QString& file : {server_authority, our_authority, no_authority}) WriteAll(file.toStdString(), "");
  ASSERT_EQ(QProcess::execute("xauth", {"-q", "-f", server_authority, "add", ":0", ".", kCookie}), 0);
  QProcess server;
  server.start("Xvfb", {"-displayfd", "1", "-auth", server_authority, "-nolisten", "tcp"});
  ASSERT_TRUE(server.waitForReadyRead(10000)) << "Xvfb did not start";
  const QString display = ":" + QString::fromLatin1(server.readLine()).trimmed();
  ASSERT_EQ(QProcess::execute("xauth", {"-q", "-f", our_authority, "add", display, ".", kCookie}), 0);
  int silent_fd = -1;
  const int silent = SilentDisplay(silent_fd);
  ASSERT_GE(silent, 0);

  struct Case {
    const char* what;
    QString display;
    QString authority;
    QString platform;
  };
  const Case cases[] = {
      {"refused authorisation", display, no_authority, ""},
      {"no such screen", display + ".5", our_authority, ""},
      {"unknown platform plugin", "", our_authority, "nosuchplatform"},
      {"a server that never answers", ":" + QString::number(silent), our_authority, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(variable);
    if (!c.display.isEmpty()) environment.insert("DISPLAY", c.display);
    if (!c.platform.isEmpty()) environment.insert("QT_QPA_PLATFORM", c.platform);
    environment.insert("XAUTHORITY", c.authority);
    environment.insert("QUILLOMAR_PREFIX", QString::fromStdString(scratch.prefix()));
    environment.insert("HOME", QString::fromStdString(scratch.root()));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QUILLOMAR_PROGRAM, QStringList());
    const bool ended = program.waitForFinished(kAnswerMs);
    EXPECT_TRUE(ended) << "still running after " << kAnswerMs << " ms";
    if (!ended) program.kill(), program.waitForFinished();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const std::string error = program.readAllStandardError().toStdString();
    EXPECT_EQ(error.rfind(kSessionMessage, 0), 0u) << error;
  }
  ::close(silent_fd);
  server.terminate();
  server.waitForFinished();
}

}  // namespace
}  // namespace testing_support
