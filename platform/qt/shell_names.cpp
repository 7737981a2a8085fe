#include "platform/qt/shell_names.h"

#include <cstddef>

namespace platform {

namespace {

constexpr char kBackslash = '\\';
constexpr char kDriveLabelPrefix[] = "Local Disk (";
constexpr char kDriveLabelSuffix[] = ":)";

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char UpperLetter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool HasDrivePrefix(std::string_view path) {
  return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':';
}

}  // namespace

bool CaseBlindLess(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(FoldCase(a[i]));
    const auto cb = static_cast<unsigned char>(FoldCase(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool CaseBlindEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

bool IsShownEntry(const DirEntry& entry) {
  if (entry.name.empty() || entry.name == "." || entry.name == "..") return false;
  return (entry.attributes & kAttrHidden) == 0;
}

bool IsDriveRoot(std::string_view path) {
  return path.size() == 3 && HasDrivePrefix(path) && path[2] == kBackslash;
}

std::string DriveRoot(char letter) { return std::string{letter, ':', kBackslash}; }

std::string DriveDisplayName(char letter) {
  return kDriveLabelPrefix + std::string(1, letter) + kDriveLabelSuffix;
}

std::string JoinShellPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == kBackslash) return folder + name;
  return folder + kBackslash + name;
}

std::string NormalizeFolderPath(const std::string& path) {
  if (!HasDrivePrefix(path)) return path;
  std::string out = path;
  out[0] = UpperLetter(out[0]);
  while (out.size() > 2 && out.back() == kBackslash) out.pop_back();
  if (out.size() == 2) out += kBackslash;
  return out;
}

std::string ParentFolderPath(const std::string& path) {
  if (IsDriveRoot(path)) return {};
  const std::size_t cut = path.find_last_of(kBackslash);
  if (cut == std::string::npos) return {};
  // "C:\Data" has its only backslash right after the colon: the parent is the root.
  if (cut == 2 && HasDrivePrefix(path)) return path.substr(0, 3);
  return path.substr(0, cut);
}

}  // namespace platform
