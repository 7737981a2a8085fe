// Paths handed to the program from outside its browser: given at start or
// by a later start of the real program, they wait at the login window and
// are hidden after the login, or at once when a login was made; one copy
// runs per user and prefix.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/messages.h"
#include "app/single_copy.h"
#include "toolkit/label.h"
#include "tests/app/program_fixture.h"
#include "tests/app/qt/handed_names.h"
#include "tests/support/file_access.h"

namespace testing_support {
namespace {

constexpr char kFolder[] = "D:\\Handed";
constexpr char kAccount[] = "name";
constexpr char kPassword[] = "31852";
constexpr int kStartMs = 30000;

class HandedPathsTest : public ProgramTest {
 protected:
  HandedPathsTest() {
    ::mkdir(runtime_.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
  }
  ~HandedPathsTest() override { ::unsetenv("XDG_RUNTIME_DIR"); }

  std::string Real() { return prefix_.DriveD() + "/Handed"; }
  void Expect(bool hidden) { ExpectHandedNames(prefix_.fs(), kAccount, kFolder, Real(), hidden); }

  // Runs `command` (its first word the program, the others bytes, as a
  // file manager passes them) with this prefix and runtime folder and the
  // built program first on the PATH, and lets this copy serve it until it
  // ends or `ms` have passed. Another user's start (`user` not "") is the
  // program itself, given the words as UTF-8. The exit code, or -1 when it
  // was still running (it is then ended).
  int Run(const std::vector<std::string>& command, int ms = kStartMs, const std::string& user = "") {
    // xargs hands the bytes on as they are, where QProcess takes text.
    char list[] = "/tmp/quillomar-arguments-XXXXXX";
    const int fd = ::mkstemp(list);
    std::string bytes;
    for (std::size_t i = 1; i < command.size(); ++i) bytes += command[i] + '\0';
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUILLOMAR_PREFIX", QString::fromStdString(prefix_.prefix()));
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime_));
    environment.insert("HOME", QString::fromStdString(prefix_.root()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("PATH", QFileInfo(QUILLOMAR_PROGRAM).path() + ":" + environment.value("PATH"));
    QStringList words{"xargs", "-0", "-a", list, QString::fromStdString(command.front())};
    if (!user.empty()) {
      // setpriv becomes the program itself, so that ending it ends the program.
      const QString id = QString::fromStdString(user);
      words = QStringList{"setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups"};
      for (const std::string& word : command) words << QString::fromStdString(word);
    }
    QProcess start;
    start.setProcessEnvironment(environment);
    start.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    start.start(words.takeFirst(), words);
    const bool ended = WaitUntil([&start] { return start.state() == QProcess::NotRunning; }, ms);
    if (!ended) {
      start.kill();
      start.waitForFinished();
    }
    ::unlink(list);
    return ended ? start.exitCode() : -1;
  }
  // A later start of the program with paths.
  int RunStart(const std::vector<std::string>& paths, int ms = kStartMs, const std::string& user = "") {
    std::vector<std::string> command{QUILLOMAR_PROGRAM, "--"};
    command.insert(command.end(), paths.begin(), paths.end());
    return Run(command, ms, user);
  }

  std::string runtime_ = prefix_.root() + "/run";
};

TEST_F(HandedPathsTest, PathsWaitForTheLoginAndAreHiddenInOrderAfterIt) {
  StartInitialised();
  std::vector<std::string> paths = MakeHandedNames(Real());
  paths.push_back("no/drive");
  program().HandPaths(paths);
  LogIn(kAccount, "wrong");
  Expect(false);
  dialogs_.Clear();
  LogIn(kAccount, kPassword);
  Expect(true);
  EXPECT_EQ(forms().main->StatusLine()->Text(), "Present user name:name;     Hide:  5 File");
  const std::vector<std::string> messages{
      std::string(app::messages::kCannotHide) + kFolder + "\\two\nlines" + app::messages::kCannotHideMiddle +
          app::messages::kLineBreakInPath + app::messages::kCannotHideEnd,
      std::string(app::messages::kCannotHide) + "no/drive" + app::messages::kCannotHideMiddle +
          app::messages::kNoDriveReaches + app::messages::kCannotHideEnd};
  EXPECT_EQ(dialogs_.messages, messages);
}

TEST_F(HandedPathsTest, LaterStartsHandTheirPathsToTheRunningCopyOnly) {
  // What a killed copy left at the socket's name is taken over.
  const std::string socket_path = app::SingleCopy::SocketPath(prefix_.prefix());
  ASSERT_FALSE(socket_path.empty());
  const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket_path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(stale);

  app::SingleCopy copy(prefix_.prefix());
  ASSERT_EQ(copy.Begin({}), app::SingleCopy::Start::kFirst);
  copy.on_paths = [this](const std::vector<std::string>& paths) { program().HandPaths(paths); };
  StartInitialised();
  const std::vector<std::string> paths = MakeHandedNames(Real());
  const std::vector<std::string> first(paths.begin(), paths.begin() + 2);
  const std::vector<std::string> rest(paths.begin() + 2, paths.end());

  // Another user reaches neither the socket nor its name.
  struct stat before;
  ASSERT_EQ(::stat(socket_path.c_str(), &before), 0);
  EXPECT_EQ(RunStart(first, 3000, "65534"), -1);
  struct stat after;
  ASSERT_EQ(::stat(socket_path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);

  EXPECT_EQ(RunStart(first), 0);
  Expect(false);
  LogIn(kAccount, kPassword);
  // Logged in, the next start's paths are hidden at once.
  EXPECT_EQ(RunStart(rest), 0);
  ProcessEvents();
  Expect(true);
}

// The command line of a desktop entry's group, as the file holds it.
std::string ExecOf(const std::string& file, const std::string& group) {
  std::istringstream lines(ReadAll(file));
  std::string line;
  bool inside = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.front() == '[') inside = line == "[" + group + "]";
    if (inside && line.rfind("Exec=", 0) == 0) return line.substr(5);
  }
  return {};
}

TEST_F(HandedPathsTest, FileManagerEntriesHandTheWholeSelectionToOneCopy) {
  app::SingleCopy copy(prefix_.prefix());
  ASSERT_EQ(copy.Begin({}), app::SingleCopy::Start::kFirst);
  int handed = 0;
  copy.on_paths = [&](const std::vector<std::string>& paths) {
    ++handed;
    program().HandPaths(paths);
  };
  StartInitialised();
  struct Entry {
    const char* file;  // as installed, from the source tree
    const char* group;
  };
  const Entry entries[] = {
      {"packaging/quillomar.desktop", "Desktop Entry"},
      {"packaging/file_managers/quillomar-hide.desktop", "Desktop Action hideWithQuillomar"},
  };
  bool logged_in = false;
  for (const Entry& entry : entries) {
    SCOPED_TRACE(entry.file);
    // GLib's launcher expands the line as the desktop entry rules say.
    const std::string launcher = prefix_.root() + "/entry.desktop";
    const std::string exec = ExecOf(std::string(QUILLOMAR_SOURCE_DIR) + "/" + entry.file, entry.group);
    ASSERT_FALSE(exec.empty());
    WriteAll(launcher, "[Desktop Entry]\nType=Application\nName=Entry\nExec=" + exec + "\n");
    std::vector<std::string> command{"gio", "launch", launcher};
    for (const std::string& path : MakeHandedNames(Real())) command.push_back(path);
    EXPECT_EQ(Run(command), 0);
    ASSERT_TRUE(WaitUntil([&] { return handed == (logged_in ? 2 : 1); }, kStartMs));
    if (!logged_in) {
      Expect(false);
      LogIn(kAccount, kPassword);
      logged_in = true;
    }
    Expect(true);
    // Everything back for the next entry.
    forms().main->SpeedButton7Click();
    forms().main->SpeedButton2Click();
    Expect(false);
  }
}

}  // namespace
}  // namespace testing_support
