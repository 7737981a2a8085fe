#pragma once

#include <string>

namespace platform::win32 {

// True where files keep access lists of their own: on Windows, not under
// Wine (there the Unix permissions of the prefix keep the folder private).
bool KeepsAccessLists();

// Gives the folder at the real path an access list of its own that allows
// Administrators and SYSTEM everything and nobody else anything, inherited
// by everything in it (what is in it now takes it too); the folder's
// parent's list no longer reaches it. Nothing is written when the folder
// has that list already, nor where files keep no access lists. True when
// the folder has it afterwards.
bool KeepFolderPrivate(const std::string& real_path);

// True when the folder's access list is exactly that one.
bool IsFolderPrivate(const std::string& real_path);

}  // namespace platform::win32
