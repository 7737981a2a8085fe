// Every display the program cannot use ends it within five seconds with its
// own words and status 1, never Qt's abort or an endless wait: a real X
// server (Xvfb, started here) that refuses us or has no such screen, a
// platform plugin that does not exist, a server that never answers.

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

// The number of a local X display whose socket (abstract, as X servers
// listen) takes connections that are never answered; -1 when none is free.
int SilentDisplay(int& fd) {
  for (int number = 7400; number < 7500; ++number) {
    fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = "/tmp/.X11-unix/X" + std::to_string(number);
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(fd, 8) == 0) return number;
    ::close(fd);
  }
  return -1;
}

TEST(UnusableDisplayTest, EndsWithTheProgramsMessageAndStatusOne) {
  TempPrefix scratch;
  const QString server_auth = QString::fromStdString(scratch.root() + "/server.auth");
  const QString our_auth = QString::fromStdString(scratch.root() + "/ours.auth");
  const QString no_auth = QString::fromStdString(scratch.root() + "/none.auth");
  for (const QString& file : {server_auth, our_auth, no_auth}) WriteAll(file.toStdString(), "");
  ASSERT_EQ(QProcess::execute("xauth", {"-q", "-f", server_auth, "add", ":0", ".", kCookie}), 0);
  QProcess server;
  server.start("Xvfb", {"-displayfd", "1", "-auth", server_auth, "-nolisten", "tcp"});
  ASSERT_TRUE(server.waitForReadyRead(10000)) << "Xvfb did not start";
  const QString display = ":" + QString::fromLatin1(server.readLine()).trimmed();
  ASSERT_EQ(QProcess::execute("xauth", {"-q", "-f", our_auth, "add", display, ".", kCookie}), 0);
  int silent_fd = -1;
  const int silent = SilentDisplay(silent_fd);
  ASSERT_GE(silent, 0);

  const struct {
    const char* what;
    QString display, authority, platform;
  } cases[] = {
      {"refused authorisation", display, no_auth, ""},
      {"no such screen", display + ".5", our_auth, ""},
      {"unknown platform plugin", "", our_auth, "nosuchplatform"},
      {"a server that never answers", ":" + QString::number(silent), our_auth, ""},
  };
  for (const auto& c : cases) {
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
    EXPECT_TRUE(program.waitForFinished(5000)) << "still running after 5 s";
    program.kill();
    program.waitForFinished();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const std::string error = program.readAllStandardError().toStdString();
    EXPECT_EQ(error.rfind("Quillomar is a desktop program and needs a graphical session: ", 0), 0u) << error;
  }
  ::close(silent_fd);
  server.terminate();
  server.waitForFinished();
}

}  // namespace
}  // namespace testing_support
