#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "store/errors.h"

namespace engine {

// Why the records could not give an item's path back exactly: hiding it
// would record a path that leads elsewhere or nowhere, and lose the item.
enum class Unrecordable {
  kBackslashInName,  // the item's own name holds "\", which a path splits at
  kLineBreak,        // the path holds a line break, which ends a record line
  kOuterBlanks,      // it begins or ends with a blank, which reading trims
  kEnclosingQuotes,  // it is enclosed in a pair of quotes, which reading drops
  kTooLong,          // it is longer than a value reads back (2,047 characters)
  kNotInCodePage,    // a character of it has no exact place in the text the records hold
  kUnmarkableLink,   // a link that the system shows as what it leads to: no mark would stay on it
};

// Why the path of the item called `name` (its own name in its folder, as the
// listing gave it) cannot be recorded; nullopt when it can.
std::optional<Unrecordable> WhyUnrecordable(const std::string& path, const std::string& name);

// Why the entry `entry` at `path` cannot be hidden: WhyUnrecordable, or a
// link that cannot carry marks of its own (see
// platform::FileSystem::CanMarkItself), which would be recorded without
// ever being hidden. nullopt when it can be hidden. Changes nothing.
std::optional<Unrecordable> WhyUnhideable(platform::FileSystem& fs, const std::string& path,
                                          const platform::FolderEntry& entry);

// The hide routine refused an item before changing anything, for `reason`.
// The window shows a message of its own for it; what() is the item's path.
class UnrecordableItem : public store::Error {
 public:
  UnrecordableItem(const std::string& path, Unrecordable reason);
  const std::string& path() const { return path_; }
  Unrecordable reason() const { return reason_; }

 private:
  std::string path_;
  Unrecordable reason_;
};

}  // namespace engine
