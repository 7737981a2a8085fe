// Paths handed from outside the browser by a file manager's entry, through
// a later start of the real program: they go to the one copy that runs for
// the user and prefix, wait at its login window, and are hidden in order
// after the login (at once once logged in).

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
#include <regex>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/messages.h"
#include "app/single_copy.h"
#include "engine/hidden_items.h"
#include "tests/app/program_fixture.h"
#include "tests/support/file_access.h"

namespace testing_support {
namespace {

namespace messages = app::messages;
using Strings = std::vector<std::string>;
constexpr char kAccount[] = "name";
constexpr char kPassword[] = "31852";
constexpr int kStartMs = 30000;
// What desktops hand over as it is: a blank, a leading "-", an option's
// name, quotes, a line feed (which no record holds: refused) and bytes that
// are not UTF-8.
const Strings kNames{"a blank", "-lead", "--help", "\"quoted\" 'too'", "two\nlines", "caf\xE9 \xFF"};

class HandedPathsTest : public ProgramTest {
 protected:
  HandedPathsTest() {
    ::mkdir(runtime_.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
  }
  ~HandedPathsTest() override { ::unsetenv("XDG_RUNTIME_DIR"); }

  // Exactly the names the records hold are listed in order and marked;
  // with `hidden` false, none.
  void Expect(bool hidden) {
    Strings listed;
    for (const std::string& name : kNames) {
      const bool marked = hidden && name != kNames[4];
      if (marked) listed.push_back("D:\\Handed\\" + name);
      EXPECT_EQ(HiddenMarks(Native("D:\\Handed") + "/" + name), marked ? kHiddenMarks : "") << name;
    }
    EXPECT_EQ(engine::LoadList(prefix_.fs(), kAccount), listed);
  }

  // Runs `command` (its words as bytes; as another `user`, UTF-8) on this
  // prefix, serving it; its exit code, or -1 when it still ran after `ms`.
  int Run(const Strings& command, int ms = kStartMs, const std::string& user = "") {
    // xargs hands the bytes on as they are, where QProcess takes text.
    const std::string list = prefix_.root() + "/words";
    std::string bytes;
    for (std::size_t i = 1; i < command.size(); ++i) bytes += command[i] + '\0';
    WriteAll(list, bytes);
    QStringList words{"xargs", "-0", "-a", QString::fromStdString(list), QString::fromStdString(command[0])};
    if (!user.empty()) {
      words = QStringList{"setpriv", "--reuid=" + QString::fromStdString(user), "--regid=" + QString::fromStdString(user), "--clear-groups"};
      for (const std::string& word : command) words << QString::fromStdString(word);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUILLOMAR_PREFIX", QString::fromStdString(prefix_.prefix()));
    environment.insert("HOME", QString::fromStdString(prefix_.root()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("PATH", QFileInfo(QUILLOMAR_PROGRAM).path() + ":" + environment.value("PATH"));
    QProcess start;
    start.setProcessEnvironment(environment);
    start.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    start.start(words.takeFirst(), words);
    if (WaitUntil([&start] { return start.state() == QProcess::NotRunning; }, ms)) return start.exitCode();
    start.kill();
    start.waitForFinished();
    return -1;
  }

  std::string runtime_ = prefix_.root() + "/run";
};

TEST_F(HandedPathsTest, FileManagerEntriesHandTheWholeSelectionToTheOneRunningCopy) {
  // What a killed copy left at the socket's name is taken over.
  const std::string socket_path = app::SingleCopy::SocketPath(prefix_.prefix());
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket_path.c_str(), sizeof address.sun_path - 1);
  const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(stale);
  app::SingleCopy copy(prefix_.prefix());
  ASSERT_EQ(copy.Begin({}), app::SingleCopy::Start::kFirst);
  int handed = 0;
  copy.on_paths = [&](const Strings& paths) { ++handed, program().HandPaths(paths); };
  StartInitialised();
  Strings paths;  // the names in D:\\Handed, the first a folder
  for (const std::string& name : kNames) {
    paths.push_back(Native("D:\\Handed") + "/" + name);
    paths.size() == 1 ? MakeFolders(paths.back()) : MakeExactFile(paths.back(), "x");
  }

  // Another user's start reaches neither the socket nor its name.
  struct stat before, after;
  ASSERT_EQ(::stat(socket_path.c_str(), &before), 0);
  EXPECT_EQ(Run({QUILLOMAR_PROGRAM, "--", paths[0]}, 3000, "65534"), -1);
  ASSERT_EQ(::stat(socket_path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);

  // Each entry's line, as installed, run by GLib's launcher as the desktop
  // entry rules say; the first waits for the login, the next is hidden at once.
  const std::pair<const char*, const char*> entries[] = {
      {"packaging/quillomar.desktop", "Desktop Entry"},
      {"packaging/file_managers/quillomar-hide.desktop", "Desktop Action hideWithQuillomar"}};
  for (const auto& [file, group] : entries) {
    SCOPED_TRACE(file);
    const std::string text = ReadAll(std::string(QUILLOMAR_SOURCE_DIR) + "/" + file);
    std::smatch exec;  // the group's command line
    ASSERT_TRUE(std::regex_search(text, exec, std::regex("\\[" + std::string(group) + "\\][^[]*\nExec=([^\n]*)")));
    const std::string launcher = prefix_.root() + "/entry.desktop";
    WriteAll(launcher, "[Desktop Entry]\nType=Application\nName=E\nExec=" + exec[1].str() + "\n");
    Strings command{"gio", "launch", launcher};
    command.insert(command.end(), paths.begin(), paths.end());
    const int before_run = handed;
    EXPECT_EQ(Run(command), 0);
    ASSERT_TRUE(WaitUntil([&] { return handed == before_run + 1; }, kStartMs));
    if (before_run == 0) {
      LogIn(kAccount, "wrong");
      Expect(false);
      dialogs_.Clear();
      LogIn(kAccount, kPassword);
    }
    Expect(true);
    forms().main->SpeedButton7Click();
    forms().main->SpeedButton2Click();
  }
  // What the records cannot hold, and what no drive reaches, is refused.
  program().HandPaths({"no/drive"});
  const auto refusal = [](const std::string& path, const char* why) {
    return messages::kCannotHide + path + messages::kCannotHideMiddle + why + messages::kCannotHideEnd;
  };
  const std::string line_feed = refusal("D:\\Handed\\" + kNames[4], messages::kLineBreakInPath);
  EXPECT_EQ(dialogs_.messages, (Strings{line_feed, line_feed, refusal("no/drive", messages::kNoDriveReaches)}));
}

}  // namespace
}  // namespace testing_support
