#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/support/temp_prefix.h"

namespace {

using testing_support::TempPrefix;

// The child tries the lock and reports through its exit code whether it got
// it within the time allowed: 0 = got it, 1 = still waiting.
int ChildTriesLock(const std::string& prefix, std::chrono::milliseconds patience) {
  pid_t child = fork();
  if (child == 0) {
    auto fs = platform::MakeFileSystemAt(prefix);
    std::thread watchdog([patience] {
      std::this_thread::sleep_for(patience);
      _exit(1);
    });
    watchdog.detach();
    auto lock = fs->LockRecords();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RecordLockTest, ASecondCopyWaitsWhileTheLockIsHeldAndGetsItAfterwards) {
  TempPrefix prefix;
  {
    auto held = prefix.fs().LockRecords();
    auto nested = prefix.fs().LockRecords();  // the same process may take it again
    EXPECT_EQ(ChildTriesLock(prefix.prefix(), std::chrono::milliseconds(300)), 1);
  }
  EXPECT_EQ(ChildTriesLock(prefix.prefix(), std::chrono::milliseconds(5000)), 0);
}

TEST(RecordLockTest, TheLockIsKeptUntilTheLastNestedHolderGoes) {
  TempPrefix prefix;
  auto outer = prefix.fs().LockRecords();
  { auto inner = prefix.fs().LockRecords(); }
  EXPECT_EQ(ChildTriesLock(prefix.prefix(), std::chrono::milliseconds(300)), 1);
}

}  // namespace
