#include "engine/entry_deletion.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "platform/record_text.h"
#include "store/records.h"
#include "platform/windows_path.h"

namespace engine {

namespace {

constexpr char kMeetsNoEntry[] = "\n";

// One key name with the number of times the listing holds it.
struct ListedKey {
  std::string name;
  int listings = 0;
};

// Key names hashed and compared without regard to ASCII letter case, as
// the store finds keys, and without making a folded copy of each.
struct FoldedHash {
  std::size_t operator()(std::string_view name) const {
    std::size_t hash = 2166136261u;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(platform::windows_path::FoldCase(c))) * 16777619u;
    return hash;
  }
};
struct FoldedEqual {
  bool operator()(std::string_view a, std::string_view b) const {
    return platform::windows_path::EqualIgnoringCase(a, b);
  }
};

// The keys that can be deleted: those whose name is listed with one of the
// paths as its line's value (a key whose lines hold none of them keeps its
// first line for good), each with the number of lines of its name that the
// section lists. One reading of the section; the names are looked at in
// place, and only the keys that hold a path are kept.
std::vector<ListedKey> KeysHoldingPaths(const store::IniDocument& doc,
                                        const std::unordered_map<std::string_view, std::size_t>& positions) {
  const char* section = store::records::kHiddenItemsSection;
  // Every listed name, in place in the document, and whether its line holds
  // one of the paths.
  struct Line {
    std::string_view name;
    bool holds_path;
  };
  std::vector<Line> lines;
  bool any = false;
  doc.ForEachEntry(section, [&](std::string_view name, std::string_view value) {
    const bool holds_path = positions.count(value) != 0;
    any = any || holds_path;
    lines.push_back({name, holds_path});
  });
  std::vector<ListedKey> keys;
  if (!any) return keys;
  std::unordered_map<std::string_view, std::size_t, FoldedHash, FoldedEqual> key_of;  // name -> place in keys
  for (const Line& line : lines) {
    if (line.holds_path && key_of.try_emplace(line.name, keys.size()).second) keys.push_back({std::string(line.name), 0});
  }
  for (const Line& line : lines) {
    const auto found = key_of.find(line.name);
    if (found != key_of.end()) ++keys[found->second].listings;
  }
  return keys;
}

// The paths as the records hold them. One that they cannot hold gets a line
// break, which no value holds, so that it meets no entry.
std::vector<std::string> AsRecorded(std::span<const std::string> paths) {
  std::vector<std::string> recorded;
  recorded.reserve(paths.size());
  for (const std::string& path : paths) {
    recorded.push_back(platform::ToRecordText(path).value_or(kMeetsNoEntry + path));
  }
  return recorded;
}

}  // namespace

bool DeleteEntriesWithPaths(store::IniDocument& doc, std::span<const std::string> program_paths) {
  std::vector<std::string> recorded;
  if (!platform::RecordTextIsProgramText()) recorded = AsRecorded(program_paths);
  const std::span<const std::string> paths =
      platform::RecordTextIsProgramText() ? program_paths : std::span<const std::string>(recorded);
  const char* section = store::records::kHiddenItemsSection;
  // Where each path first stands in the walk, and for each place the next
  // place of the same path (kNone after the last).
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::unordered_map<std::string_view, std::size_t> positions;
  std::vector<std::size_t> next_same(paths.size(), kNone);
  positions.reserve(paths.size());
  for (std::size_t i = paths.size(); i-- > 0;) {
    auto [slot, added] = positions.try_emplace(paths[i], i);
    if (!added) {
      next_same[i] = slot->second;
      slot->second = i;
    }
  }

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
      const std::optional<std::string_view> value = doc.GetView(section, key.name);
      if (!value) break;  // gone: reads as empty, and deleting it again does nothing
      const auto found = positions.find(*value);
      if (found == positions.end()) break;
      if (left == 0 || paths[at] != *value) {
        // The first place of that path after this one.
        std::size_t next = found->second;
        while (next != kNone && next <= at) next = next_same[next];
        if (next == kNone) break;
        at = next;
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
