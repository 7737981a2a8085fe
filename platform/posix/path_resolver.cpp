#include "platform/posix/path_resolver.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "platform/posix/folder_ops.h"
#include "platform/windows_path.h"

namespace platform::posix {

namespace {

constexpr std::size_t kDriveLength = 2;  // "X:"
constexpr std::string_view kNamespacePrefix = "::";

using windows_path::IsSeparator;

std::optional<std::string> WorkingFolder() {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof buffer) == nullptr) return std::nullopt;
  return std::string(buffer);
}

// Reads the folder anew for every name that is not there as written.
class FreshFinder final : public EntryFinder {
 public:
  std::optional<std::string> Find(const std::string& folder, std::string_view name) override {
    struct stat status;
    if (::lstat(NativeJoin(folder, name).c_str(), &status) == 0) return std::string(name);
    if (errno != ENOENT) return std::nullopt;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = ::readdir(dir)) {
      if (windows_path::EqualIgnoringCase(entry->d_name, name)) {
        found = entry->d_name;
        break;
      }
    }
    ::closedir(dir);
    return found;
  }
};

// The components of the part after the drive (or of a relative path), with
// "." dropped and ".." applied, never going above the start.
std::vector<std::string_view> Components(std::string_view rest) {
  std::vector<std::string_view> parts;
  windows_path::SplitComponents(rest, parts);
  return parts;
}

}  // namespace

EntryFinder& FreshEntryFinder() {
  static FreshFinder finder;
  return finder;
}

std::optional<NativeItem> ResolveWindowsPath(const DriveMap& drives, std::string_view path,
                                             EntryFinder& finder) {
  if (path.empty() || path.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  if (path.substr(0, kNamespacePrefix.size()) == kNamespacePrefix) return std::nullopt;

  std::optional<std::string> start;
  std::string_view rest = path;
  if (windows_path::HasDriveLetter(path)) {
    start = drives.DriveFolder(path[0]);
    rest.remove_prefix(kDriveLength);
  } else if (IsSeparator(path[0])) {
    // Network paths and paths rooted on "the current drive" have no place
    // in the drive map.
    return std::nullopt;
  } else {
    start = WorkingFolder();
  }
  if (!start) return std::nullopt;

  NativeItem item;
  item.path = *start;
  bool parent_exists = true;
  for (std::string_view part : Components(rest)) {
    std::optional<std::string> found;
    if (parent_exists) found = finder.Find(item.path, part);
    parent_exists = found.has_value();
    item.folder = item.path;
    item.name = found ? *found : std::string(part);
    item.path = NativeJoin(item.folder, item.name);
  }
  return item;
}

}  // namespace platform::posix
