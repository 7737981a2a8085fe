#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

// Showing again everything directly inside a folder, without any record.
namespace engine {

// The drive-root rule: "A:\".."Z:\" become "A:".."Z:"; any other text
// (lower-case letters included) stays as it is.
std::string ShortenDriveRoot(const std::string& folder);

// True when `folder` is the data folder or its parent, however the path is
// spelt and through whichever drive or link it leads there.
bool IsDataFolder(platform::FileSystem& fs, const std::string& folder);

// The listing: unless the folder is empty or one of the two data folders
// (IsDataFolder), clears the attributes of every entry directly inside
// it whose name does not begin with "." (the entry itself, never a path
// re-split at a "\" in its name) and returns their full paths (folder + "\"
// + name) in directory order. A folder that cannot be enumerated gives an
// empty list.
std::vector<std::string> ShowFolderEntries(platform::FileSystem& fs, const std::string& folder);

}  // namespace engine
