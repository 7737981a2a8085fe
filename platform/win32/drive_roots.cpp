#include "platform/win32/drive_roots.h"

#include <string_view>
#include <vector>

#include "platform/windows_path.h"

namespace platform::win32 {

namespace {
using windows_path::kSeparator;

}  // namespace

std::optional<std::string> DriveRoots::Resolve(const std::string& path) const {
  if (!windows_path::IsRootedAtDrive(path) || path.find('\0') != std::string::npos) return std::nullopt;
  // The exact-name form takes every name as written, so "." and ".." are
  // applied here, as Windows would apply them to a plain path; a name that
  // ends in a dot or a blank stays as it is.
  std::vector<std::string_view> names;
  windows_path::SplitComponents(windows_path::AfterDrive(path), names);
  std::string rest;
  for (std::string_view name : names) {
    rest += kSeparator;
    rest += name;
  }
  const char letter = windows_path::UpperDriveLetter(path[0]);
  if (roots_.empty()) {
    return std::string{letter, ':'} + (rest.empty() ? std::string(1, kSeparator) : rest);
  }
  const auto root = roots_.find(letter);
  if (root == roots_.end()) return std::nullopt;
  if (rest.empty()) return root->second + kSeparator;
  return root->second + rest;
}

}  // namespace platform::win32
