#include "platform/win32/drive_roots.h"

#include "platform/windows_path.h"

namespace platform::win32 {

namespace {
using windows_path::kSeparator;
constexpr std::size_t kDriveLength = 2;  // "X:"

// "X:" followed by nothing or a separator.
bool StartsWithDrive(const std::string& path) {
  return windows_path::HasDriveLetter(path) &&
         (path.size() == kDriveLength || windows_path::IsSeparator(path[kDriveLength]));
}
}  // namespace

std::optional<std::string> DriveRoots::Resolve(const std::string& path) const {
  if (!StartsWithDrive(path) || path.find('\0') != std::string::npos) return std::nullopt;
  std::string rest;
  for (std::size_t i = kDriveLength; i < path.size(); ++i) {
    const char c = windows_path::IsSeparator(path[i]) ? kSeparator : path[i];
    // Doubled separators would make an empty name; Windows reads them as one.
    if (c == kSeparator && !rest.empty() && rest.back() == kSeparator) continue;
    rest += c;
  }
  if (rest.size() > 1 && rest.back() == kSeparator) rest.pop_back();
  const char letter = windows_path::UpperDriveLetter(path[0]);
  if (roots_.empty()) {
    return std::string{letter, ':'} + (rest.empty() ? std::string(1, kSeparator) : rest);
  }
  const auto root = roots_.find(letter);
  if (root == roots_.end()) return std::nullopt;
  if (rest.empty() || rest == std::string(1, kSeparator)) return root->second + kSeparator;
  return root->second + rest;
}

}  // namespace platform::win32
