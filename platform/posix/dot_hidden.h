#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// The .hidden file of a folder: the names (one per line, exact bytes, lines
// ending in LF) that Linux file managers leave out of their views.
namespace platform::posix {

// The file's name inside each folder.
inline constexpr char kDotHiddenName[] = ".hidden";
// The fixed name under which its replacement is written, beside it. Every
// writer holds the folder's lock, so one name serves them all, and a
// replacement killed part-way leaves this one name behind, for the next
// writer (or RemoveLeftoverDotHidden) to remove.
inline constexpr char kDotHiddenTempName[] = ".hidden.quillomar";

// Every line of the folder's .hidden; empty when it has none or it cannot be
// read. A .hidden that is not a regular file (a link, a pipe, a device) is
// never opened and reads as empty.
std::unordered_set<std::string> ReadDotHiddenNames(const std::string& native_folder);

// True when the folder's .hidden lists `name` (read as above).
bool ListedInDotHidden(const std::string& native_folder, std::string_view name);

// Adds `names` to the folder's .hidden (`listed`) or removes them, with one
// reading and at most one change of the file, under the folder's lock
// (FolderLock), so that no other copy of the program loses a line
// meanwhile. Names are added by appending their lines in one write, so
// that a process killed meanwhile leaves the file as it was or with the
// lines; a removal replaces the file in one step (not flushed to disk) and
// removes the file when no line is left. Nothing is written when no name's
// presence would change; a name that stands twice in `names` counts once.
// A new file gets 0644 within `umask`: nobody but its owner may change it.
// A name with a line feed cannot be a line and is left out (as is ""). False
// when the file cannot be read or changed: it is not a regular file, this
// process may not write it or the folder, or another holder kept the
// folder's lock too long.
bool SetListedInDotHidden(const std::string& native_folder, const std::vector<std::string>& names,
                          bool listed, mode_t umask);

// Removes a replacement of the folder's .hidden that a killed process left
// (under the folder's lock). False when one is there and stays.
bool RemoveLeftoverDotHidden(const std::string& native_folder);

}  // namespace platform::posix
