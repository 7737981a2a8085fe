#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/posix/drive_map.h"
#include "platform/posix/path_resolver.h"

namespace platform::posix {

// Resolves the many paths of one call over many items, each as
// ResolveWindowsPath would, at a cost that grows with their number and not
// with the size of their folders: each folder that paths share is resolved
// once, a name is looked up as written first, and a folder's names are read
// at most once, into an index, the first time a name in it is not found as
// written; from then on the index answers for that folder without asking it
// again. The index shows the folder as it was when it was read: a resolver
// serves one call that creates no entries of its own, and then goes.
class BatchResolver {
 public:
  // A resolved item and what the resolution learnt of it on the way.
  struct Item {
    NativeItem item;
    bool absent = false;                   // known not to be there
    std::optional<struct stat> status;     // its lstat(), when that was taken
  };

  explicit BatchResolver(const DriveMap& drives) : drives_(drives), finder_(*this) {}
  BatchResolver(const BatchResolver&) = delete;
  BatchResolver& operator=(const BatchResolver&) = delete;

  // Where the Windows path leads (see ResolveWindowsPath). With
  // `exact_last_name` the last name is the entry of exactly that name, or
  // absent: an entry whose name differs only in letter case is another one.
  std::optional<Item> Resolve(const std::string& windows_path, bool exact_last_name = false);

  // The real folder that the Windows path of a folder leads to; nullopt
  // when it leads nowhere or to no folder.
  std::optional<std::string> Folder(const std::string& windows_folder);

 private:
  // What a folder held when it was read: its names as they are, and folded
  // name -> the first entry (in directory order) with that name ignoring
  // letter case. nullopt for a folder that cannot be read.
  struct FolderIndex {
    std::unordered_set<std::string> names;
    std::unordered_map<std::string, std::string> folded;
  };

  // One name in one folder.
  struct Found {
    std::optional<std::string> name;   // the entry's name, when there is one
    bool absent = false;               // known not to be there
    std::optional<struct stat> status;
  };
  Found Lookup(const std::string& native_folder, std::string_view name);
  // The entry of exactly `name`, by one look at it.
  static Found LookupExact(const std::string& native_folder, std::string_view name);

  // The finder that the folder part of each path is resolved with.
  class Finder final : public EntryFinder {
   public:
    explicit Finder(BatchResolver& resolver) : resolver_(resolver) {}
    std::optional<std::string> Find(const std::string& native_folder, std::string_view name) override {
      return resolver_.Lookup(native_folder, name).name;
    }

   private:
    BatchResolver& resolver_;
  };

  const DriveMap& drives_;
  Finder finder_;
  std::unordered_map<std::string, std::optional<FolderIndex>> indexes_;
  // Windows folder text, exactly as given -> where it leads.
  std::unordered_map<std::string, std::optional<NativeItem>> resolved_;
  std::unordered_map<std::string, std::optional<std::string>> folders_;
};

}  // namespace platform::posix
