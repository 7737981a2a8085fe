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

// True when one line of `content` is exactly `name`.
bool HasLine(std::string_view content, std::string_view name);

// `content` with `name` appended as a line of its own (an unterminated last
// line gets its LF first).
std::string WithLine(std::string_view content, std::string_view name);

// `content` without the lines that are exactly `name`; every other line
// keeps its bytes, its line end included.
std::string WithoutLine(std::string_view content, std::string_view name);

// Every line of the folder's .hidden; empty when it has none or it cannot be
// read.
std::unordered_set<std::string> ReadDotHiddenNames(const std::string& native_folder);

// True when the folder's .hidden lists `name`.
bool ListedInDotHidden(const std::string& native_folder, std::string_view name);

// Adds `name` to the folder's .hidden (`listed`) or removes it, removing the
// file when no line is left. The file is replaced in one step but not flushed
// to disk; it is not written when the name's presence would not change.
// A new file gets 0666 within `umask`. A name with a line feed cannot be a
// line and is left out. False when the file cannot be read or replaced.
bool SetListedInDotHidden(const std::string& native_folder, const std::string& name,
                          bool listed, mode_t umask);

}  // namespace platform::posix
