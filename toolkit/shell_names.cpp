#include "toolkit/shell_names.h"

namespace app {

namespace {

constexpr char kDriveLabelPrefix[] = "Local Disk (";
constexpr char kDriveLabelSuffix[] = ":)";

}  // namespace

bool IsShownEntry(const platform::DirEntry& entry) {
  if (entry.name.empty() || entry.name == "." || entry.name == "..") return false;
  return (entry.attributes & platform::kAttrHidden) == 0;
}

std::string DriveDisplayName(char letter) {
  return kDriveLabelPrefix + std::string(1, letter) + kDriveLabelSuffix;
}

}  // namespace app
