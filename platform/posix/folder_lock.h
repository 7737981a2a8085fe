#pragma once

#include <string>

#include "platform/posix/fd_io.h"

namespace platform::posix {

// A lock on one folder that every copy of the program takes, whatever its
// prefix, while it reads, changes and replaces a file of that folder that
// several copies share (the folder's .hidden). It is an advisory lock on
// the folder itself, released when the holder goes.
class FolderLock {
 public:
  // Waits for the lock on `native_folder`, but never for long: another
  // program may hold a lock on a folder that anyone can open (a shared
  // folder such as /tmp) for good. A folder that cannot be opened for
  // locking is worked on unlocked, as the lock could keep nobody out there.
  explicit FolderLock(const std::string& native_folder);
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock() = default;

  // False when another holder kept the lock past the wait: the caller must
  // leave the shared file alone.
  bool usable() const { return usable_; }

 private:
  UniqueFd folder_;
  bool usable_ = true;
};

}  // namespace platform::posix
