#pragma once

#include <string>

#include "platform/nested_lock.h"

namespace platform::posix {

// An advisory lock (flock) on one lock file, shared by every copy of the
// program that uses the same prefix.
class RecordLockFile final : public NestedLock {
 public:
  explicit RecordLockFile(std::string lock_path);
  ~RecordLockFile() override;

 private:
  bool LockFirst() override;
  void UnlockLast() override;

  std::string lock_path_;
  int fd_ = -1;  // the lock file while held
};

}  // namespace platform::posix
