#include "platform/win32/drive_roots.h"

#include <cctype>

namespace platform::win32 {

namespace {
constexpr char kSeparator = '\\';

// "X:" followed by nothing or a separator.
bool StartsWithDrive(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) != 0 &&
         path[1] == ':' && (path.size() == 2 || path[2] == '\\' || path[2] == '/');
}
}  // namespace

std::optional<std::string> DriveRoots::Resolve(const std::string& path) const {
  if (!StartsWithDrive(path) || path.find('\0') != std::string::npos) return std::nullopt;
  std::string rest;
  for (std::size_t i = 2; i < path.size(); ++i) {
    const char c = path[i] == '/' ? kSeparator : path[i];
    // Doubled separators would make an empty name; Windows reads them as one.
    if (c == kSeparator && !rest.empty() && rest.back() == kSeparator) continue;
    rest += c;
  }
  if (rest.size() > 1 && rest.back() == kSeparator) rest.pop_back();
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
  if (roots_.empty()) {
    return std::string{letter, ':'} + (rest.empty() ? std::string(1, kSeparator) : rest);
  }
  const auto root = roots_.find(letter);
  if (root == roots_.end()) return std::nullopt;
  if (rest.empty() || rest == std::string(1, kSeparator)) return root->second + kSeparator;
  return root->second + rest;
}

}  // namespace platform::win32
