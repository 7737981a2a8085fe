#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/file_system.h"

namespace platform::posix {

// An advisory lock (flock) on one lock file, shared by every copy of the
// program that uses the same prefix. Re-entrant within the process: nested
// holders share the one lock, released when the last goes.
class RecordLockFile {
 public:
  explicit RecordLockFile(std::string lock_path);
  ~RecordLockFile();
  RecordLockFile(const RecordLockFile&) = delete;
  RecordLockFile& operator=(const RecordLockFile&) = delete;

  // Blocks until the lock is held; the holder releases it when destroyed.
  std::unique_ptr<RecordLock> Acquire();

 private:
  class Holder;
  void Release();

  std::string lock_path_;
  std::mutex mutex_;
  int depth_ = 0;
  int fd_ = -1;
};

}  // namespace platform::posix
