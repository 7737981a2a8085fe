#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// The .hidden file of a folder: the names (one per line, exact bytes, lines
// ending in LF) that Linux file managers leave out of their views.
namespace platform::posix {

// The file's name inside each folder.
inline constexpr char kDotHiddenName[] = ".hidden";
// The largest .hidden that is read or changed. Larger ones read as
// unreadable: their names count as not listed, and changes to them fail.
inline constexpr std::size_t kMaxDotHiddenSize = 4 * 1024 * 1024;

// Every line of the folder's .hidden; empty when it has none or it cannot be
// read. A .hidden that is not a regular file (a link, a pipe, a device) is
// never opened and reads as empty; so does one larger than kMaxDotHiddenSize.
std::unordered_set<std::string> ReadDotHiddenNames(const std::string& native_folder);

// True when the folder's .hidden lists `name` (read as above).
bool ListedInDotHidden(const std::string& native_folder, std::string_view name);

// Adds `names` to the folder's .hidden (`listed`) or removes them, with at
// most one change of the file, under a lock that every copy of the program
// takes, whatever its prefix: a write lock on the .hidden itself. A lock
// that anyone else holds on the file, read or write, delays the change a
// bounded time, after which it fails: the change never goes on unlocked,
// so no copy loses another's line. Under that lock the temporary files
// that replacements killed part-way left in the folder are removed. Names
// are added by appending their lines in one write, so that a process killed
// meanwhile leaves the file as it was or with the lines; a removal replaces
// the file in one step (not flushed to disk) and removes the file when no
// line is left. Nothing is written when no name's presence would change
// (a .hidden too large to be read whole is scanned for the names that are
// to go); a name that stands twice in `names` counts once. A new file gets
// 0644 within `umask`: nobody but its owner may change it. A name with a
// line feed cannot be a line and is left out (as is ""). False when the
// file cannot be read or changed: it is not a regular file, it is larger
// than kMaxDotHiddenSize (and a change is needed), this process may not
// write it or the folder, or another holder kept the lock too long.
bool SetListedInDotHidden(const std::string& native_folder, const std::vector<std::string>& names,
                          bool listed, mode_t umask);

}  // namespace platform::posix
