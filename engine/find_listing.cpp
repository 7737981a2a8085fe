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

bool IsDataFolder(platform::FileSystem& fs, const std::string& folder) {
  for (const char* guarded : {store::records::kDataParentFolder, store::records::kDataFolder}) {
    if (folder == guarded || fs.SameItem(folder, guarded)) return true;
  }
  return false;
}

std::vector<std::string> ShowFolderEntries(platform::FileSystem& fs, const std::string& folder) {
  if (folder.empty() || IsDataFolder(fs, folder)) return {};
  std::optional<std::vector<std::string>> names = fs.ListFolderNames(folder);
  if (!names) return {};
  std::vector<platform::FolderEntry> shown_entries;
  std::vector<std::string> shown;
  for (std::string& name : *names) {
    // Covers "." and ".." as well as every other name starting with a dot.
    if (!name.empty() && name.front() == kHiddenNameStart) continue;
    // The entry itself, by its folder and exact name: a name that holds "\"
    // must not lead to another item.
    shown.push_back(folder + platform::windows_path::kSeparator + name);
    shown_entries.push_back({folder, std::move(name)});
  }
  // One call for the whole folder, which rewrites its .hidden once.
  if (!shown_entries.empty()) fs.SetEntriesAttributes(shown_entries, platform::kAttrNone);
  return shown;
}

}  // namespace engine

