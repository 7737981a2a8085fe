#pragma once

#include <string>

#include "platform/nested_lock.h"

namespace platform::win32 {

// A whole-file lock (LockFileEx) on one lock file, shared by every copy of
// the program that uses the same records.
class RecordLockFile final : public NestedLock {
 public:
  explicit RecordLockFile(std::string lock_path);
  ~RecordLockFile() override;

 private:
  bool LockFirst() override;
  void UnlockLast() override;

  std::string lock_path_;
  void* handle_ = nullptr;  // the lock file's HANDLE while held
};

}  // namespace platform::win32
