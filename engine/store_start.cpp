#include "engine/store_start.h"

#include <memory>

#include "store/data_store.h"

namespace engine {

void TidyStore(platform::FileSystem& fs) {
  const std::unique_ptr<platform::RecordLock> lock = fs.LockRecords();
  store::RemoveLeftovers(fs);
  store::HideStoreFolders(fs);
}

StoreAtStart ApplyStartUpRule(platform::FileSystem& fs) {
  const std::unique_ptr<platform::RecordLock> lock = fs.LockRecords();
  switch (store::ReadStoreState(fs)) {
    case store::StoreState::kInitialised:
      return StoreAtStart::kSetUp;
    case store::StoreState::kNotInitialised:
      store::ResetStore(fs);
      return StoreAtStart::kFirstRun;
    case store::StoreState::kUnreadable:
      break;
  }
  return StoreAtStart::kUnreadable;
}

void ResetStore(platform::FileSystem& fs) {
  const std::unique_ptr<platform::RecordLock> lock = fs.LockRecords();
  store::ResetStore(fs);
}

bool SetUpStore(platform::FileSystem& fs) {
  const std::unique_ptr<platform::RecordLock> lock = fs.LockRecords();
  return store::InitialiseStore(fs);
}

void MirrorRecords(platform::FileSystem& fs) {
  // Another copy's start-up must not take the copy's temporary file away.
  const std::unique_ptr<platform::RecordLock> lock = fs.LockRecords();
  store::MakeMirrorCopy(fs);
}

}  // namespace engine
