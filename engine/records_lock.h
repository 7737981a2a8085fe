#pragma once

#include <memory>

#include "platform/file_system.h"

namespace engine {

// The records' lock for one command (FileSystem::LockRecords), held until
// the returned object goes. Throws store::WriteError naming the lock file
// when the lock cannot be taken, before the command changes anything: a
// command never runs unlocked, where another copy could lose its hides.
std::unique_ptr<platform::RecordLock> LockRecords(platform::FileSystem& fs);

}  // namespace engine
