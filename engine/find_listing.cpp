#include "engine/find_listing.h"

#include <optional>

#include "store/records.h"
#include "platform/windows_path.h"

namespace engine {

namespace {
constexpr char kHiddenNameStart = '.';
}  // namespace

std::string ShortenDriveRoot(const std::string& folder) {
  // "C:\" becomes "C:", so that entries read "C:\name" with one backslash.
  return platform::windows_path::IsDriveRoot(folder) ? folder.substr(0, folder.size() - 1) : folder;
}

std::vector<std::string> ShowFolderEntries(platform::FileSystem& fs, const std::string& folder) {
  if (folder.empty() || folder == store::records::kDataParentFolder ||
      folder == store::records::kDataFolder) {
    return {};
  }
  std::optional<std::vector<platform::DirEntry>> entries = fs.ListFolder(folder);
  if (!entries) return {};
  std::vector<std::string> shown;
  for (const platform::DirEntry& entry : *entries) {
    // Covers "." and ".." as well as every other name starting with a dot.
    if (!entry.name.empty() && entry.name.front() == kHiddenNameStart) continue;
    // The entry itself, by its folder and exact name: a name that holds "\"
    // must not lead to another item.
    fs.SetEntryAttributes({folder, entry.name}, platform::kAttrNone);
    shown.push_back(folder + platform::windows_path::kSeparator + entry.name);
  }
  return shown;
}

}  // namespace engine

