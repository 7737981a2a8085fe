#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace testing_support {

// What the tests do to real files that the two systems do differently.

// Takes away every write permission of the real file, so that writes to it
// fail: the write bits on Linux, the read-only attribute on Windows.
void MakeReadOnly(const std::string& real_path);

// True when the real file may be written to by its owner.
bool OwnerMayWrite(const std::string& real_path);

// The attribute set as tests compare it. Windows sets the archive bit on
// every file it writes, so there it is left out; on Linux nothing changes.
std::optional<std::uint32_t> Comparable(std::optional<std::uint32_t> attributes);

// True where hidden items are also listed in their folder's .hidden file
// (the Linux backend); Windows file managers go by the attribute alone.
bool KeepsDotHiddenLists();

}  // namespace testing_support
