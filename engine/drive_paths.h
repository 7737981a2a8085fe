#pragma once

#include <string_view>

// The drive forms that the hide routine and the Find listing recognise, byte
// for byte: capital letters only.
namespace engine {

// True when the text begins with "A:".."Z:".
bool StartsWithDrive(std::string_view path);

// True when the text is exactly one of the drive roots "A:\".."Z:\".
bool IsDriveRoot(std::string_view path);

}  // namespace engine
