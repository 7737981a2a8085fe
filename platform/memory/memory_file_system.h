#pragma once

#include <memory>

#include "platform/file_system.h"

namespace platform {

// A file system that lives in memory alone, for fuzzing and tests that must
// run many thousands of commands a second: drives C: and D: (with the
// desktop at C:\Desktop), Windows attributes kept with each entry, letter
// case resolved as on disk (the exact name first), folders listed in the
// order their entries were made. It keeps the FileSystem contract (a
// shared typed suite runs it beside the real backend); what it has no use
// for it leaves out: it has no real paths (NativePath gives ""), no links
// other than second names of files (LinkFile), moves files only (MoveFile),
// locks nothing (one process), and has no temporary files, as
// every replacement is whole at once. Stamps count changes instead of
// telling time, so every one of them is settled and differs from every
// earlier one; each instance is a device of its own.
std::unique_ptr<FileSystem> MakeMemoryFileSystem();

}  // namespace platform
