#include "engine/records_lock.h"

#include "store/errors.h"

namespace engine {

std::unique_ptr<platform::RecordLock> LockRecords(platform::FileSystem& fs) {
  std::unique_ptr<platform::RecordLock> lock = fs.LockRecords();
  if (!lock) throw store::WriteError(fs.RecordLockPath());
  return lock;
}

}  // namespace engine
