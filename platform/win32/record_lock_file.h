#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/file_system.h"

namespace platform::win32 {

// A whole-file lock (LockFileEx) on one lock file, shared by every copy of
// the program that uses the same records. Re-entrant within the process:
// nested holders share the one lock, released when the last goes.
class RecordLockFile {
 public:
  explicit RecordLockFile(std::string lock_path);
  ~RecordLockFile();
  RecordLockFile(const RecordLockFile&) = delete;
  RecordLockFile& operator=(const RecordLockFile&) = delete;

  // Blocks until the lock is held (or goes on unlocked when the lock file
  // cannot be made); the holder releases it when destroyed.
  std::unique_ptr<RecordLock> Acquire();

 private:
  class Holder;
  void Release();

  std::string lock_path_;
  std::mutex mutex_;
  int depth_ = 0;
  void* handle_ = nullptr;  // the lock file's HANDLE while held
};

}  // namespace platform::win32
