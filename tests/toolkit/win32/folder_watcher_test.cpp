#include "toolkit/win32/windows_api.h"

#include <chrono>
#include <string>

#include "toolkit/folder_watcher.h"
#include "tests/toolkit/win32/fixture.h"

namespace demo {
namespace {

// A new, empty real folder under the temporary folder.
std::string NewFolder() {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  for (unsigned attempt = ::GetTickCount();; ++attempt) {
    const std::string path = std::string(temp) + "quillomar-watch-" + std::to_string(attempt);
    if (::CreateDirectoryA(path.c_str(), nullptr)) return path;
  }
}

void Touch(const std::string& folder, const char* name) {
  const std::string path = folder + "\\" + name;
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ::CloseHandle(file);
}

// Runs the message loop until `done` or a second has passed.
bool PumpUntil(app::TestDriver& driver, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (std::chrono::steady_clock::now() < end) {
    driver.ProcessEvents();
    if (done()) return true;
    ::Sleep(10);
  }
  return done();
}

TEST_F(DemoTest, FolderChangesArriveOnTheWindowsThreadForTheFolderWatchedNow) {
  const DWORD ui_thread = ::GetCurrentThreadId();
  const std::string first = NewFolder();
  const std::string second = NewFolder();
  int reports = 0;
  bool on_ui_thread = true;
  auto watcher = app::MakeFolderWatcher([&] {
    ++reports;
    on_ui_thread = on_ui_thread && ::GetCurrentThreadId() == ui_thread;
  });
  ASSERT_TRUE(watcher->Watch(first));
  Touch(first, "new.txt");
  EXPECT_TRUE(PumpUntil(driver(), [&] { return reports > 0; }));
  EXPECT_TRUE(on_ui_thread);

  // Moved on to the second folder: the first one's changes are not news.
  ASSERT_TRUE(watcher->Watch(second));
  reports = 0;
  Touch(first, "other.txt");
  EXPECT_FALSE(PumpUntil(driver(), [&] { return reports > 0; }));
  Touch(second, "new.txt");
  EXPECT_TRUE(PumpUntil(driver(), [&] { return reports > 0; }));

  watcher->Stop();
  reports = 0;
  Touch(second, "later.txt");
  EXPECT_FALSE(PumpUntil(driver(), [&] { return reports > 0; }));
  EXPECT_FALSE(watcher->Watch(first + "\\missing"));
}

}  // namespace
}  // namespace demo
