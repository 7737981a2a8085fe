#include "platform/posix/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <algorithm>
#include <chrono>
#include <thread>

namespace platform::posix {

namespace {
// Holders keep the lock for one small read and write; a lock held this long
// is held by something that is not coming back soon.
constexpr std::chrono::seconds kLongestWait{5};
constexpr std::chrono::milliseconds kFirstPause{1};
constexpr std::chrono::milliseconds kLongestPause{20};
}  // namespace

FolderLock::FolderLock(const std::string& native_folder)
    : folder_(::open(native_folder.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC)) {
  if (!folder_.valid()) return;
  const auto give_up = std::chrono::steady_clock::now() + kLongestWait;
  auto pause = kFirstPause;
  while (::flock(folder_.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    // A file system without such locks keeps nobody out: go on unlocked.
    if (errno != EWOULDBLOCK) return;
    if (std::chrono::steady_clock::now() >= give_up) {
      usable_ = false;
      return;
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, kLongestPause);
  }
}

}  // namespace platform::posix
