#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// The names of the program's temporary files: "qlm", a random part of
// exactly 16 lower-case hexadecimal digits, ".tmp" ("qlm0f3a...9c2e.tmp"),
// so that no file of a user's has one by accident.
std::wstring NewTempName();

// True for a name of exactly that form, and for nothing else.
bool IsTempName(std::wstring_view name);

}  // namespace platform::win32
