#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <unordered_set>

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

// True when one line of `content` is exactly `name`.
bool HasLine(std::string_view content, std::string_view name);

// `content` with `name` appended as a line of its own (an unterminated last
// line gets its LF first).
std::string WithLine(std::string_view content, std::string_view name);

// `content` without the lines that are exactly `name`; every other line
// keeps its bytes, its line end included.
std::string WithoutLine(std::string_view content, std::string_view name);

// Every line of the folder's .hidden; empty when it has none or it cannot be
// read. A .hidden that is not a regular file (a link, a pipe, a device) is
// never opened and reads as empty.
std::unordered_set<std::string> ReadDotHiddenNames(const std::string& native_folder);

// True when the folder's .hidden lists `name` (read as above).
bool ListedInDotHidden(const std::string& native_folder, std::string_view name);

// Adds `name` to the folder's .hidden (`listed`) or removes it, under the
// folder's lock (FolderLock), so that no other copy of the program loses a
// line meanwhile. A name is added by appending its line in one write, so
// that a process killed meanwhile leaves the file as it was or with the
// line; a removal replaces the file in one step (not flushed to disk) and
// removes the file when no line is left. Nothing is written when the name's
// presence would not change. A new file gets 0644 within `umask`: nobody
// but its owner may change it. A name with a line feed cannot be a line and
// is left out. False when the file cannot be read or changed: it is not a
// regular file, this process may not write it or the folder, or another
// holder kept the folder's lock too long.
bool SetListedInDotHidden(const std::string& native_folder, const std::string& name,
                          bool listed, mode_t umask);

// Removes a replacement of the folder's .hidden that a killed process left
// (under the folder's lock). False when one is there and stays.
bool RemoveLeftoverDotHidden(const std::string& native_folder);

}  // namespace platform::posix
