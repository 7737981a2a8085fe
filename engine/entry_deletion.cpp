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
  std::string name;
  int listings = 0;
};

// The keys that can be deleted: those whose name is listed with one of the
// paths as its line's value (a key whose lines hold none of them keeps its
// first line for good), each with the number of lines of its name that the
// section lists.
std::vector<ListedKey> KeysHoldingPaths(const store::IniDocument& doc,
                                        const std::unordered_map<std::string_view, std::vector<std::size_t>>& positions) {
  const char* section = store::records::kHiddenItemsSection;
  std::vector<ListedKey> keys;
  std::unordered_map<std::string, std::size_t> key_of;  // folded name -> place in keys
  doc.ForEachEntry(section, [&](std::string_view name, std::string_view value) {
    if (positions.count(value) == 0) return;
    if (key_of.try_emplace(platform::windows_path::FoldCase(name), keys.size()).second) {
      keys.push_back({std::string(name), 0});
    }
  });
  if (keys.empty()) return keys;
  doc.ForEachEntry(section, [&](std::string_view name, std::string_view) {
    const auto found = key_of.find(platform::windows_path::FoldCase(name));
    if (found != key_of.end()) ++keys[found->second].listings;
  });
  return keys;
}

}  // namespace

bool DeleteEntriesWithPaths(store::IniDocument& doc, std::span<const std::string> paths) {
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
  for (const ListedKey& key : KeysHoldingPaths(doc, positions)) {
    std::size_t at = 0;         // the path being visited
    int left = key.listings;    // comparisons left at that path
    for (;;) {
      std::optional<std::string> value = doc.Get(section, key.name);
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
      doc.DeleteKey(section, key.name);
      --left;
      deleted = true;
    }
  }
  return deleted;
}

}  // namespace engine
