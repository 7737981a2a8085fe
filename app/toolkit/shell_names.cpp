#include "app/toolkit/shell_names.h"

namespace app {

namespace {

constexpr char kDriveLabelPrefix[] = "Local Disk (";
constexpr char kDriveLabelSuffix[] = ":)";

}  // namespace

bool IsShownEntry(const platform::DirEntry& entry) {
  if (entry.name.empty() || entry.name == "." || entry.name == "..") return false;
  return (entry.attributes & platform::kAttrHidden) == 0;
}

bool StartsWithDriveLetter(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::string DriveDisplayName(char letter) {
  return kDriveLabelPrefix + std::string(1, letter) + kDriveLabelSuffix;
}

}  // namespace app
