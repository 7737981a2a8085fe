// What every folder watch must do, run against the watch of the system being
// built for: inotify on Linux, directory change notifications on Windows
// (under Wine). The folders live in a temporary drive prefix; the changes are
// made with the standard library and, where the program makes them, through
// FileSystem.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/file_system.h"
#include "platform/folder_watch.h"
#include "tests/support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Longer than a burst's gathering, so that a report would have come.
constexpr auto kQuiet = 400ms;
constexpr std::chrono::milliseconds kPatience = 5s;

void Touch(const fs::path& path, const std::string& bytes = "x") {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Counts reports; the count is bumped on the watch's thread.
class Reports {
 public:
  std::function<void()> Callback() {
    return [this] { ++count_; };
  }
  int count() const { return count_.load(); }
  // Waits until at least `at_least` reports came.
  bool WaitFor(int at_least, std::chrono::milliseconds patience = kPatience) const {
    const auto give_up = std::chrono::steady_clock::now() + patience;
    while (count_.load() < at_least) {
      if (std::chrono::steady_clock::now() > give_up) return false;
      std::this_thread::sleep_for(5ms);
    }
    return true;
  }

 private:
  std::atomic<int> count_{0};
};

// One change made to a watched folder. `folder` is the folder's real path
// (C:\w), `outside` a folder beside it (C:\outside).
struct Change {
  const char* what;
  std::function<void(platform::FileSystem& files, const fs::path& folder, const fs::path& outside)> make;
};

class FolderWatchTest : public ::testing::Test {
 protected:
  // A new folder C:\<name> with a file, a subfolder and a dot-named file in
  // it; its real path.
  fs::path MakeFolder(const std::string& name) {
    const std::string windows = "C:\\" + name;
    EXPECT_TRUE(prefix_.fs().CreateFolder(windows + "\\Folder"));
    const fs::path real = prefix_.fs().NativePath(windows);
    Touch(real / "file.txt");
    Touch(real / ".dotted");
    return real;
  }
  platform::FileSystem& files() { return prefix_.fs(); }
  static void Quiet() { std::this_thread::sleep_for(kQuiet); }

  // Makes C:\w and C:\outside afresh (with C:\outside\incoming.txt), watches
  // C:\w with `reports` and makes the change.
  void Make(const Change& change, Reports& reports) {
    folder_ = MakeFolder("w");
    outside_ = MakeFolder("outside");
    Touch(outside_ / "incoming.txt");
    ASSERT_TRUE(watch_->Watch(folder_.string(), reports.Callback()));
    change.make(files(), folder_, outside_);
  }
  // Stops watching and removes what Make() and the change made.
  void Clear() {
    watch_->Stop();
    for (const fs::path& made : {folder_, outside_, folder_.parent_path() / "w2"}) fs::remove_all(made);
  }

  testing_support::TempPrefix prefix_;
  std::unique_ptr<platform::FolderWatch> watch_ = platform::MakeFolderWatch();
  fs::path folder_;
  fs::path outside_;
};

TEST_F(FolderWatchTest, EntriesCreatedDeletedOrRenamedAreReportedOnce) {
  const Change changes[] = {
      {"a file created", [](auto&, auto& folder, auto&) { Touch(folder / "new.txt"); }},
      {"a folder created", [](auto&, auto& folder, auto&) { fs::create_directory(folder / "New"); }},
      {"a file deleted", [](auto&, auto& folder, auto&) { fs::remove(folder / "file.txt"); }},
      {"a folder deleted", [](auto&, auto& folder, auto&) { fs::remove(folder / "Folder"); }},
      {"an entry renamed", [](auto&, auto& folder, auto&) { fs::rename(folder / "file.txt", folder / "b.txt"); }},
      {"an entry moved in", [](auto&, auto& folder, auto& outside) {
         fs::rename(outside / "incoming.txt", folder / "incoming.txt");
       }},
      {"an entry moved out", [](auto&, auto& folder, auto& outside) {
         fs::rename(folder / "Folder", outside / "Gone");
       }},
      {"a dot-named file renamed to a shown name", [](auto&, auto& folder, auto&) {
         fs::rename(folder / ".dotted", folder / "shown.txt");
       }},
      {"a folder made by the program", [](auto& files, auto&, auto&) { files.CreateFolder("C:\\w\\Made"); }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    Reports reports;
    Make(change, reports);
    EXPECT_TRUE(reports.WaitFor(1));
    Quiet();
    EXPECT_EQ(reports.count(), 1);
    Clear();
  }
}

TEST_F(FolderWatchTest, AttributesContentSubfoldersAndDotNamesAreNotReported) {
  const Change changes[] = {
      {"items hidden as a hide does", [](auto& files, auto&, auto&) {
         files.SetAttributes("C:\\w\\file.txt", platform::kAttrHiddenSystem);
         files.SetAttributes("C:\\w\\Folder", platform::kAttrHiddenSystem);
       }},
      {"items shown again as the Find listing does", [](auto& files, auto&, auto&) {
         files.SetAttributes("C:\\w\\file.txt", platform::kAttrHiddenSystem | platform::kAttrReadOnly);
         files.SetAttributes("C:\\w\\file.txt", platform::kAttrNone);
         files.SetAttributes("C:\\w\\Folder", platform::kAttrNone);
       }},
      {"a file's content rewritten", [](auto&, auto& folder, auto&) { Touch(folder / "file.txt", "longer now"); }},
      {"entries made and deleted in a subfolder", [](auto&, auto& folder, auto&) {
         fs::create_directories(folder / "Folder" / "Inner");
         Touch(folder / "Folder" / "inner.txt");
         fs::remove(folder / "Folder" / "inner.txt");
       }},
      {"dot-named entries made, renamed and deleted", [](auto&, auto& folder, auto&) {
         Touch(folder / ".new");
         fs::rename(folder / ".new", folder / ".other");
         fs::create_directory(folder / ".folder");
         fs::remove(folder / ".other");
         fs::remove(folder / ".folder");
       }},
      {"a change beside the folder", [](auto&, auto&, auto& outside) { Touch(outside / "beside.txt"); }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    Reports reports;
    Make(change, reports);
    Quiet();
    EXPECT_EQ(reports.count(), 0);
    // The watch still works afterwards.
    Touch(folder_ / "after.txt");
    EXPECT_TRUE(reports.WaitFor(1));
    Clear();
  }
}

TEST_F(FolderWatchTest, ABurstIsReportedOnce) {
  const fs::path folder = MakeFolder("w");
  Reports reports;
  ASSERT_TRUE(watch_->Watch(folder.string(), reports.Callback()));
  for (int i = 0; i < 8; ++i) fs::create_directory(folder / ("New" + std::to_string(i)));
  for (int i = 0; i < 8; ++i) fs::remove(folder / ("New" + std::to_string(i)));
  EXPECT_TRUE(reports.WaitFor(1));
  Quiet();
  // Sixteen changes; a busy machine may split them across one gathering.
  EXPECT_LE(reports.count(), 2);

  // A change after the burst was reported is a burst of its own.
  const int before = reports.count();
  Touch(folder / "later.txt");
  EXPECT_TRUE(reports.WaitFor(before + 1));
}

TEST_F(FolderWatchTest, TheFolderItselfMovedAwayIsReportedAndEndsTheWatch) {
  const Change changes[] = {
      {"moved into another folder", [](auto&, auto& folder, auto& outside) { fs::rename(folder, outside / "moved"); }},
      {"renamed", [](auto&, auto& folder, auto& outside) { fs::rename(folder, outside.parent_path() / "w2"); }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    Reports reports;
    Make(change, reports);
    EXPECT_TRUE(reports.WaitFor(1));
    Quiet();
    EXPECT_EQ(reports.count(), 1);

    // Neither the folder where it went nor a new one under the old path.
    for (const fs::path& gone_to : {outside_ / "moved", folder_.parent_path() / "w2"}) {
      if (fs::exists(gone_to)) Touch(gone_to / "new.txt");
    }
    fs::create_directory(folder_);
    Touch(folder_ / "new.txt");
    Quiet();
    EXPECT_EQ(reports.count(), 1);
    Clear();
  }
}

TEST_F(FolderWatchTest, TheFolderItselfDeletedIsReportedAndEndsTheWatch) {
  // Empty, so that only the folder's own going can be reported.
  const fs::path folder = prefix_.fs().NativePath("C:\\w");
  fs::create_directory(folder);
  Reports reports;
  ASSERT_TRUE(watch_->Watch(folder.string(), reports.Callback()));
  fs::remove_all(folder);
#ifdef _WIN32
  // Windows removes a folder that a program holds open when the program
  // lets go of it. Windows itself ends the watch's reading then, which
  // reports the folder gone; Wine does not, and the folder stays until the
  // watch moves on.
  if (!reports.WaitFor(1, 1s)) {
    EXPECT_TRUE(fs::exists(folder));
    watch_->Stop();
    EXPECT_FALSE(fs::exists(folder));
    return;
  }
#endif
  EXPECT_TRUE(reports.WaitFor(1));
  Quiet();
  EXPECT_EQ(reports.count(), 1);
  fs::create_directory(folder);
  Touch(folder / "new.txt");
  Quiet();
  EXPECT_EQ(reports.count(), 1);
}

TEST_F(FolderWatchTest, WhatCannotBeWatchedIsRefusedAndWatchesNothing) {
  const fs::path folder = MakeFolder("w");
  const std::string cases[] = {(folder / "missing").string(), (folder / "file.txt").string(), ""};
  for (const std::string& path : cases) {
    SCOPED_TRACE(path);
    Reports earlier;
    Reports refused;
    ASSERT_TRUE(watch_->Watch(folder.string(), earlier.Callback()));
    EXPECT_FALSE(watch_->Watch(path, refused.Callback()));
    // The folder watched before is given up too.
    Touch(folder / "new.txt");
    fs::create_directory(folder / "missing");
    Touch(folder / "missing" / "inside.txt");
    Quiet();
    EXPECT_EQ(earlier.count(), 0);
    EXPECT_EQ(refused.count(), 0);
    fs::remove_all(folder / "missing");
    fs::remove(folder / "new.txt");
  }
}

TEST_F(FolderWatchTest, WatchingAnotherFolderDropsTheFirstOnesChangesEvenPendingOnes) {
  const fs::path first = MakeFolder("first");
  const fs::path second = MakeFolder("second");
  Reports of_first;
  Reports of_second;
  ASSERT_TRUE(watch_->Watch(first.string(), of_first.Callback()));
  // Within the gathering of a burst: the change is pending when the watch moves.
  fs::create_directory(first / "New");
  ASSERT_TRUE(watch_->Watch(second.string(), of_second.Callback()));
  fs::create_directory(first / "Later");
  Quiet();
  EXPECT_EQ(of_first.count(), 0);
  EXPECT_EQ(of_second.count(), 0);

  fs::create_directory(second / "New");
  EXPECT_TRUE(of_second.WaitFor(1));
  Quiet();
  EXPECT_EQ(of_first.count(), 0);
  EXPECT_EQ(of_second.count(), 1);
}

TEST_F(FolderWatchTest, StopEndsReportsUntilTheNextWatch) {
  const fs::path folder = MakeFolder("w");
  Reports reports;
  ASSERT_TRUE(watch_->Watch(folder.string(), reports.Callback()));
  fs::create_directory(folder / "Pending");
  watch_->Stop();
  fs::create_directory(folder / "New");
  Quiet();
  EXPECT_EQ(reports.count(), 0);

  ASSERT_TRUE(watch_->Watch(folder.string(), reports.Callback()));
  fs::remove(folder / "New");
  EXPECT_TRUE(reports.WaitFor(1));
}

TEST_F(FolderWatchTest, TheCallbackMayMoveTheWatchAndNoCallbackOutlivesTheWatch) {
  const fs::path first = MakeFolder("first");
  const fs::path second = MakeFolder("second");
  Reports of_second;
  std::atomic<bool> moved{false};
  ASSERT_TRUE(watch_->Watch(first.string(), [&] { moved = watch_->Watch(second.string(), of_second.Callback()); }));
  Touch(first / "new.txt");
  const auto give_up = std::chrono::steady_clock::now() + kPatience;
  while (!moved && std::chrono::steady_clock::now() < give_up) std::this_thread::sleep_for(5ms);
  ASSERT_TRUE(moved);
  Touch(second / "new.txt");
  EXPECT_TRUE(of_second.WaitFor(1));

  // The destructor waits for a report that is running.
  std::atomic<bool> started{false};
  std::atomic<bool> finished{false};
  ASSERT_TRUE(watch_->Watch(first.string(), [&] {
    started = true;
    std::this_thread::sleep_for(300ms);
    finished = true;
  }));
  Touch(first / "slow.txt");
  const auto give_up_again = std::chrono::steady_clock::now() + kPatience;
  while (!started && std::chrono::steady_clock::now() < give_up_again) std::this_thread::sleep_for(1ms);
  ASSERT_TRUE(started);
  watch_.reset();
  EXPECT_TRUE(finished);
}

}  // namespace
