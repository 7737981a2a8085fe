#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/posix/drive_map.h"
#include "platform/posix/path_resolver.h"

namespace platform::posix {

// Resolves the many paths of one call over many items, each as
// ResolveWindowsPath would, at a cost that grows with their number and not
// with the size of their folders: each folder that paths share is resolved
// once, a name is looked up as written first, and a folder's names are read
// at most once, into an index, the first time a name in it is not found as
// written. The index shows the folder as it was when it was read: a resolver
// serves one call that creates no entries of its own, and then goes.
class BatchResolver {
 public:
  explicit BatchResolver(const DriveMap& drives) : drives_(drives) {}
  BatchResolver(const BatchResolver&) = delete;
  BatchResolver& operator=(const BatchResolver&) = delete;

  // Where the Windows path leads (see ResolveWindowsPath).
  std::optional<NativeItem> Resolve(const std::string& windows_path);

  // The real folder that the Windows path of a folder leads to; nullopt
  // when it leads nowhere or to no folder.
  std::optional<std::string> Folder(const std::string& windows_folder);

 private:
  // Finds names as written, then in the folder's index.
  class IndexedFinder final : public EntryFinder {
   public:
    std::optional<std::string> Find(const std::string& native_folder, std::string_view name) override;

   private:
    // Folded name -> the first entry of the folder (in directory order) with
    // that name ignoring letter case; nullopt for a folder that cannot be read.
    using Index = std::optional<std::unordered_map<std::string, std::string>>;
    std::unordered_map<std::string, Index> indexes_;
  };

  const DriveMap& drives_;
  IndexedFinder finder_;
  // Windows folder text, exactly as given -> where it leads.
  std::unordered_map<std::string, std::optional<NativeItem>> resolved_;
  std::unordered_map<std::string, std::optional<std::string>> folders_;
};

}  // namespace platform::posix
