// Two copies of the program under two prefixes, hiding and bringing back
// items of one shared folder while someone else keeps taking read locks on
// its .hidden, as anyone who may read the file can: every line of .hidden
// still matches the records afterwards.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "tests/engine/two_copies_fixture.h"
#include "tests/support/temp_prefix.h"

namespace engine_testing {
namespace {

constexpr int kRounds = 200;
constexpr auto kLockHeld = std::chrono::microseconds(500);

// Takes a read lock of every kind in turn on the .hidden at `path`, holds
// it briefly and lets it go, until `stop` is set.
void TakeReadLocks(const std::string& path, const std::atomic<bool>& stop) {
  for (int turn = 0; !stop; ++turn) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      std::this_thread::sleep_for(kLockHeld);
      continue;
    }
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    switch (turn % 3) {
      case 0: ::fcntl(fd, F_OFD_SETLK, &lock); break;
      case 1: ::fcntl(fd, F_SETLK, &lock); break;
      default: ::flock(fd, LOCK_SH | LOCK_NB); break;
    }
    std::this_thread::sleep_for(kLockHeld);
    ::close(fd);
  }
}

TEST(ForeignReaders, TwoCopiesUnderReadLocksKeepDotHiddenAndTheRecordsInStep) {
  testing_support::TempPrefix first;
  testing_support::TempPrefix second;
  ASSERT_TRUE(store::InitialiseStore(first.fs()));
  ASSERT_TRUE(store::InitialiseStore(second.fs()));
  const std::string shared = first.root() + "/shared";
  std::filesystem::create_directory(shared);
  for (const char* tag : {"a", "b"}) {
    for (int i = 0; i < kRounds; ++i) testing_support::WriteAll(shared + "/" + tag + "-" + std::to_string(i), "x");
  }
  const std::string folder = testing_support::TempPrefix::ThroughZ(shared);

  std::atomic<bool> stop{false};
  std::thread reader(TakeReadLocks, shared + "/.hidden", std::cref(stop));
  auto run = [&](const std::string& prefix, const char* tag) {
    return std::make_unique<testing_support::ChildProcess>(
        QUILLOMAR_HIDE_WORKER,
        std::vector<std::string>{prefix, "name", folder, tag, std::to_string(kRounds), "comeback"});
  };
  auto one = run(first.prefix(), "a");
  auto other = run(second.prefix(), "b");
  EXPECT_EQ(one->Wait(), 0);
  EXPECT_EQ(other->Wait(), 0);
  stop = true;
  reader.join();

  // The even-numbered items of both copies stay hidden, each recorded by
  // its own copy; .hidden lists exactly those.
  std::set<std::string> recorded;
  for (testing_support::TempPrefix* prefix : {&first, &second}) {
    for (const std::string& path : engine::LoadList(prefix->fs(), "name")) recorded.insert(path.substr(folder.size() + 1));
  }
  std::set<std::string> expected;
  for (const char* tag : {"a", "b"}) {
    for (int i = 0; i < kRounds; i += 2) expected.insert(tag + std::string("-") + std::to_string(i));
  }
  EXPECT_EQ(recorded, expected);
  std::set<std::string> listed;
  std::istringstream lines(testing_support::ReadAll(shared + "/.hidden"));
  for (std::string line; std::getline(lines, line);) EXPECT_TRUE(listed.insert(line).second) << "twice: " << line;
  EXPECT_EQ(listed, expected);
}

}  // namespace
}  // namespace engine_testing
