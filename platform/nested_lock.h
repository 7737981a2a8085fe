#pragma once

#include <memory>
#include <mutex>

#include "platform/file_system.h"

namespace platform {

// A lock between processes that the same process may take again while it
// holds it: nested holders share the one lock, which is taken when the first
// holder comes and released when the last one goes. Each backend says how
// the lock itself is taken and released.
class NestedLock {
 public:
  NestedLock() = default;
  NestedLock(const NestedLock&) = delete;
  NestedLock& operator=(const NestedLock&) = delete;
  virtual ~NestedLock() = default;

  // Blocks until the lock is held; the holder releases it when destroyed.
  // nullptr, and nothing held, when the lock cannot be taken.
  std::unique_ptr<RecordLock> Acquire();

 protected:
  // Takes the lock for the first holder; false when it cannot be taken (the
  // lock file cannot be made or opened, or refuses the lock).
  virtual bool LockFirst() = 0;
  // Releases what LockFirst() took, when the last holder goes.
  virtual void UnlockLast() = 0;

 private:
  class Holder;
  void Release();

  std::mutex mutex_;
  int depth_ = 0;
};

}  // namespace platform
