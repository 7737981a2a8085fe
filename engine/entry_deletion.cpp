#include "engine/entry_deletion.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "store/records.h"
#include "platform/windows_path.h"

namespace engine {

namespace {

// One key name with the number of times the listing holds it.
struct ListedKey {
  const std::string* name;
  int listings;
};

std::vector<ListedKey> GroupKeys(const std::vector<std::string>& keys) {
  std::vector<ListedKey> groups;
  std::unordered_map<std::string, std::size_t> group_of;
  for (const std::string& key : keys) {
    auto [found, added] = group_of.try_emplace(platform::windows_path::FoldCase(key), groups.size());
    if (added) {
      groups.push_back({&key, 1});
    } else {
      ++groups[found->second].listings;
    }
  }
  return groups;
}

}  // namespace

bool DeleteEntriesWithPaths(store::IniDocument& doc, const std::vector<std::string>& keys,
                            std::span<const std::string> paths) {
  const char* section = store::records::kHiddenItemsSection;
  // Where each path stands in the walk, in ascending order.
  std::unordered_map<std::string_view, std::vector<std::size_t>> positions;
  for (std::size_t i = 0; i < paths.size(); ++i) positions[paths[i]].push_back(i);

  // Keys of different names never see each other's deletions, so each name
  // is followed on its own. A name visited at a path compares its value once
  // per listing; after a deletion it answers with its next entry of the same
  // name, if the file holds one. Instead of comparing every path, the walk
  // jumps to the next path that equals the value it reads.
  bool deleted = false;
  for (const ListedKey& key : GroupKeys(keys)) {
    std::size_t at = 0;         // the path being visited
    int left = key.listings;    // comparisons left at that path
    for (;;) {
      std::optional<std::string> value = doc.Get(section, *key.name);
      if (!value) break;  // gone: reads as empty, and deleting it again does nothing
      auto found = positions.find(*value);
      if (found == positions.end()) break;
      if (left == 0 || paths[at] != *value) {
        const std::vector<std::size_t>& indices = found->second;
        auto next = std::upper_bound(indices.begin(), indices.end(), at);
        if (next == indices.end()) break;
        at = *next;
        left = key.listings;
      }
      doc.DeleteKey(section, *key.name);
      --left;
      deleted = true;
    }
  }
  return deleted;
}

}  // namespace engine
