#pragma once

#include "platform/file_system.h"

// The data store as the program opens, sets up, resets and mirrors it. Each
// routine is a command of its own: it holds the records' lock
// (FileSystem::LockRecords) for its whole run, so that another copy of the
// program sees the store before or after it, never in between.
namespace engine {

// What the login window shows once the start-up rule has run.
enum class StoreAtStart {
  kSetUp,       // the store holds the first-run marker: the login panel
  kFirstRun,    // it did not (and is deleted now): the first-run offer
  kUnreadable,  // the settings file is there but cannot be read: left alone
};

// Removes what a copy of the program killed part-way left in the store
// (store::RemoveLeftovers), then makes the data folder and its parent
// hidden+system (store::HideStoreFolders). Every result is ignored. Throws
// store::WriteError naming the lock file, touching nothing, when the
// records' lock cannot be taken.
void TidyStore(platform::FileSystem& fs);

// The start-up rule: a store without the first-run marker is deleted
// (store::ResetStore, which asks again under the lock), one with it is
// opened, and one whose settings file cannot be read is never taken for a
// store that is not set up: its records stay, and the next write reports the
// problem. Without the records' lock nothing is deleted: a store without
// the marker is offered first run (whose set-up then reports the lock).
StoreAtStart ApplyStartUpRule(platform::FileSystem& fs);

// Deletes the data folder when the store is still not set up
// (store::ResetStore).
void ResetStore(platform::FileSystem& fs);

// First run (store::InitialiseStore): true once the store is set up. Throws
// store::WriteError as that routine does.
bool SetUpStore(platform::FileSystem& fs);

// Copies the global record to its mirror (store::MakeMirrorCopy), as the
// program does after a login and when it exits.
void MirrorRecords(platform::FileSystem& fs);

}  // namespace engine
