// Two copies of the program under two prefixes hide and bring back items of
// one shared folder while someone else keeps taking read locks on its
// .hidden, as anyone who may read it can: .hidden still matches the records.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "tests/engine/two_copies_fixture.h"

namespace engine_testing {
namespace {

constexpr int kRounds = 200;

// Takes a read lock of each kind in turn on `path`, briefly, until `stop`.
void TakeReadLocks(const std::string& path, const std::atomic<bool>& stop) {
  for (int turn = 0; !stop; ++turn) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct flock lock {};
    lock.l_type = F_RDLCK;
    if (turn % 3 == 2) {
      ::flock(fd, LOCK_SH | LOCK_NB);
    } else {
      ::fcntl(fd, turn % 3 == 0 ? F_OFD_SETLK : F_SETLK, &lock);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
    if (fd >= 0) ::close(fd);
  }
}

TEST(ForeignReaders, TwoCopiesUnderReadLocksKeepDotHiddenAndTheRecordsInStep) {
  testing_support::TempPrefix copies[2];
  const std::string shared = copies[0].root() + "/shared";
  std::filesystem::create_directory(shared);
  const std::string folder = testing_support::TempPrefix::ThroughZ(shared);
  const char* tags[] = {"a", "b"};
  std::set<std::string> expected;
  for (const char* tag : tags) {
    for (int i = 0; i < kRounds; ++i) {
      const std::string name = tag + std::string("-") + std::to_string(i);
      testing_support::WriteAll(shared + "/" + name, "x");
      if (i % 2 == 0) expected.insert(name);  // the worker brings back the odd ones
    }
  }
  std::atomic<bool> stop{false};
  std::thread reader(TakeReadLocks, shared + "/.hidden", std::cref(stop));
  std::unique_ptr<testing_support::ChildProcess> workers[2];
  for (int copy = 0; copy < 2; ++copy) {
    ASSERT_TRUE(store::InitialiseStore(copies[copy].fs()));
    workers[copy] = std::make_unique<testing_support::ChildProcess>(
        QUILLOMAR_HIDE_WORKER, std::vector<std::string>{copies[copy].prefix(), "name", folder, tags[copy],
                                                        std::to_string(kRounds), "comeback"});
  }
  for (auto& worker : workers) EXPECT_EQ(worker->Wait(), 0);
  stop = true;
  reader.join();

  std::set<std::string> recorded;
  for (auto& copy : copies) {
    for (const std::string& path : engine::LoadList(copy.fs(), "name")) recorded.insert(path.substr(folder.size() + 1));
  }
  EXPECT_EQ(recorded, expected);
  std::set<std::string> listed;
  std::istringstream lines(testing_support::ReadAll(shared + "/.hidden"));
  for (std::string line; std::getline(lines, line);) EXPECT_TRUE(listed.insert(line).second) << "twice: " << line;
  EXPECT_EQ(listed, expected);
}

}  // namespace
}  // namespace engine_testing
