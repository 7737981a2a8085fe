#pragma once

#include <span>
#include <string>
#include <vector>

#include "store/ini_document.h"

namespace engine {

// One pass of the restore's entry deletion over the hidden-item section of a
// record file: for each path in `paths`, in that order, and for each name in
// `keys`, in that order, the key is deleted when its value at that moment
// equals the path byte for byte (a key already deleted reads as empty).
// Costs one lookup per key, however many paths there are. Returns true when
// anything was deleted.
bool DeleteEntriesWithPaths(store::IniDocument& doc, const std::vector<std::string>& keys,
                            std::span<const std::string> paths);

}  // namespace engine
