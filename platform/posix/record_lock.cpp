#include "platform/posix/record_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {

namespace {
constexpr mode_t kLockFileMode = 0600;
}  // namespace

class RecordLockFile::Holder final : public RecordLock {
 public:
  explicit Holder(RecordLockFile& owner) : owner_(owner) {}
  ~Holder() override { owner_.Release(); }

 private:
  RecordLockFile& owner_;
};

RecordLockFile::RecordLockFile(std::string lock_path) : lock_path_(std::move(lock_path)) {}

RecordLockFile::~RecordLockFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<RecordLock> RecordLockFile::Acquire() {
  std::lock_guard<std::mutex> guard(mutex_);
  if (depth_++ == 0) {
    fd_ = ::open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kLockFileMode);
    if (fd_ >= 0) {
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  return std::make_unique<Holder>(*this);
}

void RecordLockFile::Release() {
  std::lock_guard<std::mutex> guard(mutex_);
  if (--depth_ == 0 && fd_ >= 0) {
    ::close(fd_);  // closing the last descriptor releases the flock
    fd_ = -1;
  }
}

}  // namespace platform::posix
