#include "platform/qt/shell_names.h"

namespace platform {

namespace {

constexpr char kDriveLabelPrefix[] = "Local Disk (";
constexpr char kDriveLabelSuffix[] = ":)";

}  // namespace

bool IsShownEntry(const DirEntry& entry) {
  if (entry.name.empty() || entry.name == "." || entry.name == "..") return false;
  return (entry.attributes & kAttrHidden) == 0;
}

std::string DriveDisplayName(char letter) {
  return kDriveLabelPrefix + std::string(1, letter) + kDriveLabelSuffix;
}

}  // namespace platform
