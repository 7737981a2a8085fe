#include "platform/posix/batch_resolver.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "platform/posix/folder_ops.h"
#include "platform/windows_path.h"

namespace platform::posix {

namespace {

constexpr std::string_view kCurrent = ".";
constexpr std::string_view kParent = "..";

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

// Where the path's last name begins: after its last separator, when that
// name is an ordinary one (not empty, "." or ".."); npos otherwise.
std::size_t LastNameStart(std::string_view path) {
  std::size_t at = path.size();
  while (at > 0 && !windows_path::IsSeparator(path[at - 1])) --at;
  if (at == 0) return std::string_view::npos;
  const std::string_view name = path.substr(at);
  if (name.empty() || name == kCurrent || name == kParent) return std::string_view::npos;
  return at;
}

}  // namespace

BatchResolver::Found BatchResolver::Lookup(const std::string& native_folder, std::string_view name) {
  auto index = indexes_.find(native_folder);
  if (index == indexes_.end()) {
    // Until a name is missing, a look-up of each name as written is cheaper
    // than reading the whole folder.
    struct stat status;
    if (::lstat(NativeJoin(native_folder, name).c_str(), &status) == 0) return {std::string(name), false, status};
    if (errno != ENOENT) return {};
    index = indexes_.try_emplace(native_folder).first;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(native_folder.c_str()));
    if (dir) {
      FolderIndex& names = index->second.emplace();
      while (dirent* entry = ::readdir(dir.get())) {
        names.names.insert(entry->d_name);
        names.folded.try_emplace(windows_path::FoldCase(entry->d_name), entry->d_name);
      }
    }
  }
  if (!index->second) return {};
  if (index->second->names.count(std::string(name)) != 0) return {std::string(name), false, std::nullopt};
  const auto found = index->second->folded.find(windows_path::FoldCase(name));
  if (found == index->second->folded.end()) return {std::nullopt, true, std::nullopt};
  return {found->second, false, std::nullopt};
}

BatchResolver::Found BatchResolver::LookupExact(const std::string& native_folder, std::string_view name) {
  struct stat status;
  if (::lstat(NativeJoin(native_folder, name).c_str(), &status) == 0) return {std::string(name), false, status};
  // A folder on the way that is missing leaves nothing of the item either.
  if (errno == ENOENT || errno == ENOTDIR) return {std::nullopt, true, std::nullopt};
  return {};
}

std::optional<BatchResolver::Item> BatchResolver::Resolve(const std::string& path, bool exact_last_name) {
  const std::size_t name_at = LastNameStart(path);
  if (name_at == std::string::npos || path.find('\0') != std::string::npos) {
    std::optional<NativeItem> item = ResolveWindowsPath(drives_, path, finder_);
    if (!item) return std::nullopt;
    return Item{std::move(*item), false, std::nullopt};
  }
  // The folder part once for every path that shares it, the last name each time.
  const std::string folder_text = path.substr(0, name_at - 1);
  auto [slot, added] = resolved_.try_emplace(folder_text);
  if (added) slot->second = ResolveWindowsPath(drives_, folder_text, finder_);
  if (!slot->second) return std::nullopt;
  const std::string& folder = slot->second->path;
  const std::string_view given = std::string_view(path).substr(name_at);
  Found found = exact_last_name ? LookupExact(folder, given) : Lookup(folder, given);
  Item item;
  item.item.folder = folder;
  item.item.name = found.name ? std::move(*found.name) : std::string(given);
  item.item.path = NativeJoin(item.item.folder, item.item.name);
  item.absent = found.absent;
  item.status = found.status;
  return item;
}

std::optional<std::string> BatchResolver::Folder(const std::string& windows_folder) {
  auto [slot, added] = folders_.try_emplace(windows_folder);
  if (added) {
    std::optional<NativeItem> item = ResolveWindowsPath(drives_, windows_folder, finder_);
    struct stat status;
    if (item && ::stat(item->path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
      slot->second = std::move(item->path);
    }
  }
  return slot->second;
}

}  // namespace platform::posix
