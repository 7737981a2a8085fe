#pragma once

#include <span>
#include <string>
#include <vector>

#include "store/ini_document.h"

namespace engine {

// One pass of the restore's entry deletion over the hidden-item section of a
// record file: for each path in `paths`, in that order, and for each key
// that the section lists (every one, in file order), the key is deleted
// when its value at that moment equals the path, as the records hold it,
// byte for byte (a key already deleted reads as empty; the paths are the
// program's text, see platform/record_text.h). Costs one reading of the section and
// then one look-up per key that holds one of the paths; besides the
// document it needs memory for a view of each listed name and for the
// keys that hold a path. Returns true when anything
// was deleted.
bool DeleteEntriesWithPaths(store::IniDocument& doc, std::span<const std::string> paths);

}  // namespace engine
