#include "engine/drive_paths.h"

namespace engine {

namespace {
constexpr std::size_t kDriveLength = 2;  // "X:"
constexpr char kDriveColon = ':';
constexpr char kSeparator = '\\';
}  // namespace

bool StartsWithDrive(std::string_view path) {
  return path.size() >= kDriveLength && path[0] >= 'A' && path[0] <= 'Z' &&
         path[1] == kDriveColon;
}

bool IsDriveRoot(std::string_view path) {
  return path.size() == kDriveLength + 1 && StartsWithDrive(path) &&
         path[kDriveLength] == kSeparator;
}

}  // namespace engine
