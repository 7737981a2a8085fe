// The Windows side of the tests' file access: the read-only and archive
// attributes.

#include "tests/support/file_access.h"

#include <windows.h>

#include "platform/file_system.h"

namespace testing_support {

void MakeReadOnly(const std::string& real_path) {
  const DWORD attributes = ::GetFileAttributesA(real_path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  ::SetFileAttributesA(real_path.c_str(), attributes | FILE_ATTRIBUTE_READONLY);
}

bool OwnerMayWrite(const std::string& real_path) {
  const DWORD attributes = ::GetFileAttributesA(real_path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

std::optional<std::uint32_t> Comparable(std::optional<std::uint32_t> attributes) {
  if (!attributes) return attributes;
  return *attributes & ~platform::kAttrArchive;
}

bool KeepsDotHiddenLists() { return false; }

}  // namespace testing_support
