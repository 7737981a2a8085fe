#include "platform/windows_path.h"

#include <cstddef>

namespace platform::windows_path {

namespace {

constexpr std::size_t kDriveLength = 2;  // "X:"
constexpr char kSlash = '/';

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLetter(char c) { return IsCapital(c) || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsSeparator(char c) { return c == kSeparator || c == kSlash; }

bool HasDriveLetter(std::string_view path) {
  return path.size() >= kDriveLength && IsLetter(path[0]) && path[1] == kDriveColon;
}

char UpperDriveLetter(char letter) {
  return (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
}

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = FoldCase(c);
  return folded;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(FoldCase(a[i]));
    const auto cb = static_cast<unsigned char>(FoldCase(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool StartsWithDrive(std::string_view path) {
  return path.size() >= kDriveLength && IsCapital(path[0]) && path[1] == kDriveColon;
}

bool IsDriveRoot(std::string_view path) {
  return path.size() == kDriveLength + 1 && StartsWithDrive(path) &&
         path[kDriveLength] == kSeparator;
}

bool NamesWholeDrive(std::string_view path) {
  if (!HasDriveLetter(path)) return false;
  for (char c : path.substr(kDriveLength)) {
    if (!IsSeparator(c)) return false;
  }
  return true;
}

std::string DriveRoot(char letter) { return std::string{letter, kDriveColon, kSeparator}; }

std::string Join(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (out.empty() || out.back() != kSeparator) out += kSeparator;
  out += name;
  return out;
}

std::string NormalizeFolder(std::string_view path) {
  std::string out(path);
  if (!HasDriveLetter(path)) return out;
  out[0] = UpperDriveLetter(out[0]);
  while (out.size() > kDriveLength && out.back() == kSeparator) out.pop_back();
  if (out.size() == kDriveLength) out += kSeparator;
  return out;
}

std::string Parent(std::string_view path) {
  if (path.size() == kDriveLength + 1 && HasDriveLetter(path) && path[kDriveLength] == kSeparator) {
    return {};
  }
  const std::size_t cut = path.find_last_of(kSeparator);
  if (cut == std::string_view::npos) return {};
  // "C:\Data" has its only backslash right after the colon: the parent is the root.
  if (cut == kDriveLength && HasDriveLetter(path)) return std::string(path.substr(0, cut + 1));
  return std::string(path.substr(0, cut));
}

std::string LastName(std::string_view path) {
  const std::size_t cut = path.find_last_of(kSeparator);
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::vector<std::string> NamesAfterDrive(std::string_view path) {
  std::vector<std::string> names;
  if (HasDriveLetter(path)) path.remove_prefix(kDriveLength);
  while (!path.empty()) {
    const std::size_t end = path.find(kSeparator);
    const std::string_view name = path.substr(0, end);
    if (!name.empty()) names.emplace_back(name);
    if (end == std::string_view::npos) break;
    path.remove_prefix(end + 1);
  }
  return names;
}

void SplitComponents(std::string_view rest, std::vector<std::string_view>& parts) {
  constexpr std::string_view kCurrent = ".";
  constexpr std::string_view kParent = "..";
  parts.clear();
  while (!rest.empty()) {
    std::size_t end = 0;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    const std::string_view part = rest.substr(0, end);
    rest.remove_prefix(end < rest.size() ? end + 1 : end);
    if (part.empty() || part == kCurrent) continue;
    if (part == kParent) {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
}

std::string_view DrivePart(std::string_view path) {
  return HasDriveLetter(path) ? path.substr(0, kDriveLength) : std::string_view();
}

std::string_view AfterDrive(std::string_view path) {
  return HasDriveLetter(path) ? path.substr(kDriveLength) : path;
}

bool IsRootedAtDrive(std::string_view path) {
  return HasDriveLetter(path) && (path.size() == kDriveLength || IsSeparator(path[kDriveLength]));
}

bool HoldsForbiddenCharacter(std::string_view name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return true;
    if (kForbiddenNameCharacters.find(c) != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace platform::windows_path
