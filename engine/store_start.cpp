#include "engine/store_start.h"

#include <memory>

#include "engine/records_lock.h"
#include "store/data_store.h"

namespace engine {

void TidyStore(platform::FileSystem& fs) {
  const std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  store::RemoveLeftovers(fs);
  store::HideStoreFolders(fs);
}

StoreAtStart ApplyStartUpRule(platform::FileSystem& fs) {
  // Without the records' lock (TidyStore, which runs first, has said why) a
  // store that is set up still opens, but nothing is deleted: another copy
  // may be setting the store up at this moment.
  const std::unique_ptr<platform::RecordLock> lock = fs.LockRecords();
  switch (store::ReadStoreState(fs)) {
    case store::StoreState::kInitialised:
      return StoreAtStart::kSetUp;
    case store::StoreState::kNotInitialised:
      if (!lock) return StoreAtStart::kFirstRun;
      store::ResetStore(fs);
      return StoreAtStart::kFirstRun;
    case store::StoreState::kUnreadable:
      break;
  }
  return StoreAtStart::kUnreadable;
}

void ResetStore(platform::FileSystem& fs) {
  const std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  store::ResetStore(fs);
}

bool SetUpStore(platform::FileSystem& fs) {
  const std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  return store::InitialiseStore(fs);
}

void MirrorRecords(platform::FileSystem& fs) {
  // Another copy's start-up must not take the copy's temporary file away.
  const std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  store::MakeMirrorCopy(fs);
}

}  // namespace engine
