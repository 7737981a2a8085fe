#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

// Whole-folder operations on real paths.
namespace platform::posix {

// The real path of `name` inside `native_folder` ("/" + "x" -> "/x").
std::string NativeJoin(const std::string& native_folder, std::string_view name);

// The folder part of a real path ("/a/b" -> "/a", "/a" -> "/", "a" -> ".").
std::string ParentFolder(const std::string& native_path);

// Creates the folder with every missing level, each new one with `mode`
// (within the umask). True when a folder is there afterwards.
bool MakeFolders(const std::string& native_path, mode_t mode);

// Removes the folder and everything below it. Symbolic links inside are
// removed, never followed. Goes on past entries it cannot remove and returns
// false when anything is left.
bool RemoveTree(const std::string& native_path);

}  // namespace platform::posix
