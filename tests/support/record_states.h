#pragma once

#include <map>
#include <string>

namespace testing_support {

// What a folder holds, for comparing record files before and after a fault:
// every entry below it by its path relative to the folder ("a/b.INI"), with
// a file's bytes, kFolderState for a folder and kOtherState for anything
// else (a link, a pipe).
using FileStates = std::map<std::string, std::string>;
inline constexpr char kFolderState[] = "<folder>";
inline constexpr char kOtherState[] = "<other>";

// The states of everything below `real_folder`; empty when it is absent.
FileStates ReadFileStates(const std::string& real_folder);

// Every entry of `now` (and every entry missing from it) that is neither as
// it was in `before` nor as it is in `after`, one line each; "" when each
// file stands in one of the two whole states. A temporary file left behind,
// or a file cut short, shows here.
std::string EntriesInNeitherState(const FileStates& now, const FileStates& before,
                                  const FileStates& after);

}  // namespace testing_support
