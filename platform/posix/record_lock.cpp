#include "platform/posix/record_lock.h"

#include <fcntl.h>
#include <sys/file.h>
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

void RecordLockFile::LockFirst() {
  fd_ = ::open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kLockFileMode);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

void RecordLockFile::UnlockLast() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the last descriptor releases the flock
  fd_ = -1;
}

}  // namespace platform::posix
