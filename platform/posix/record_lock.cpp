#include "platform/posix/record_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {

namespace {
constexpr mode_t kLockFileMode = 0600;
}  // namespace

RecordLockFile::RecordLockFile(std::string lock_path) : lock_path_(std::move(lock_path)) {}

RecordLockFile::~RecordLockFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool RecordLockFile::LockFirst() {
  // Never through a link, and never anything but a regular file: a pipe or
  // a device at the lock's name would wait or take the lock for nobody.
  fd_ = ::open(lock_path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kLockFileMode);
  if (fd_ < 0) return false;
  struct stat status;
  int locked = -1;
  if (::fstat(fd_, &status) == 0 && S_ISREG(status.st_mode)) {
    while ((locked = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
  }
  if (locked == 0) return true;
  ::close(fd_);
  fd_ = -1;
  return false;
}

void RecordLockFile::UnlockLast() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the last descriptor releases the flock
  fd_ = -1;
}

}  // namespace platform::posix
