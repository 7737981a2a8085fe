#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/drive_map.h"

namespace platform::posix {

// Where a Windows path leads on this system.
struct NativeItem {
  std::string path;    // the real path
  std::string folder;  // real path of the folder that holds it; "" for a drive's own folder
  std::string name;    // its name in that folder: the name on disk, or as given when absent
};

// How the resolution finds one name in a folder: the entry of exactly that
// name if there is one, else the first entry (in directory order) whose name
// equals it ignoring ASCII letter case. nullopt when neither is there or the
// folder cannot be read.
class EntryFinder {
 public:
  virtual ~EntryFinder() = default;
  virtual std::optional<std::string> Find(const std::string& native_folder, std::string_view name) = 0;
};

// The finder that asks the folder afresh every time: a look-up of the exact
// name, and a reading of the whole folder when that misses.
EntryFinder& FreshEntryFinder();

// Maps a Windows path onto the real file system.
//
// "X:\a\b" (also "X:", "X:\", or "X:a") starts at the folder of drive X;
// any other path starts at the working directory, as a relative Windows path
// would. "\" and "/" both separate components; empty components and "." are
// passed over and ".." goes up one level but never above the starting folder.
// Each component is found by `finder` (see EntryFinder), else taken as given
// (for creating it).
//
// nullopt for paths that name nothing here: a missing drive, a network path
// ("\\server\share"), a path rooted without a drive ("\a"), a shell
// namespace path ("::{...}"), the empty path and paths with a NUL byte.
std::optional<NativeItem> ResolveWindowsPath(const DriveMap& drives, std::string_view windows_path,
                                             EntryFinder& finder = FreshEntryFinder());

}  // namespace platform::posix
