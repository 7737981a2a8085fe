#include "engine/entry_deletion.h"

#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "store/records.h"

namespace engine {

namespace {

// Key names match without regard to ASCII letter case.
std::string FoldCase(std::string_view key) {
  std::string out(key);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

bool DeleteEntriesWithPaths(store::IniDocument& doc, const std::vector<std::string>& keys,
                            std::span<const std::string> paths) {
  const char* section = store::records::kHiddenItemsSection;
  std::unordered_map<std::string, int> listings;
  for (const std::string& key : keys) ++listings[FoldCase(key)];
  std::unordered_set<std::string_view> wanted(paths.begin(), paths.end());

  bool deleted = false;
  std::vector<const std::string*> repeated;
  for (const std::string& key : keys) {
    if (listings[FoldCase(key)] > 1) {
      repeated.push_back(&key);
      continue;
    }
    // A key listed once keeps its value until it is deleted, so it goes
    // exactly when that value is one of the paths, whatever their order.
    std::optional<std::string> value = doc.Get(section, key);
    if (value && wanted.contains(*value)) deleted |= doc.DeleteKey(section, key);
  }
  // A key name that stands several times in the file reads its next entry
  // after each deletion, so its outcome depends on the order of the paths:
  // walk those the long way.
  for (const std::string& path : paths) {
    if (repeated.empty()) break;
    for (const std::string* key : repeated) {
      if (doc.Get(section, *key).value_or("") == path) deleted |= doc.DeleteKey(section, *key);
    }
  }
  return deleted;
}

}  // namespace engine
