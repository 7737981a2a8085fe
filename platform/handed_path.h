#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"

// Items handed to the program from outside its own browser: a path given
// at start, passed on by a second start, or dropped on a window. On Linux
// they come as the system's paths and reach the program's drives through
// the same drive map as every other path; on Windows they are Windows paths
// already.
namespace platform {

// An item handed to the program.
struct HandedItem {
  std::string path;                  // its Windows path, as the records keep it
  std::optional<FolderEntry> entry;  // its own entry; none for a drive's root
};

// The path made whole where it was given (a relative path is taken from the
// working folder), so that another copy of the program, whose working
// folder differs, finds the same item. "" stays "".
std::string FullHandedPath(const std::string& path);

// The item a whole path names: its last name is the entry itself (a link
// stays a link), and the folder above it is reached through the drive whose
// folder holds it most closely (on Linux Z: reaches, as "/", whatever no
// other drive reaches). Names are kept byte for byte, valid UTF-8 or not.
// nullopt when no drive reaches the folder, the folder is not there, or a
// name on the way cannot stand in a Windows path (it holds "\").
std::optional<HandedItem> ItemOfHandedPath(FileSystem& fs, const std::string& full_path);

}  // namespace platform
