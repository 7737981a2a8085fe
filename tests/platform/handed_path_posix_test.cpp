// Paths handed from outside (a start, a drop) reach the program's drives
// through the same drive map as every other path.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "platform/handed_path.h"
#include "tests/support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempPrefix;

// The item as "path in folder" ("path" for a drive's root), "" for none.
std::string ItemOf(TempPrefix& prefix, const std::string& handed) {
  const auto item = platform::ItemOfHandedPath(prefix.fs(), handed);
  return !item ? "" : item->entry ? item->path + " in " + item->entry->folder : item->path;
}

TEST(HandedPathPosix, ReachesTheClosestDriveAndKeepsTheEntryItself) {
  TempPrefix prefix;
  const std::string c = prefix.DriveC();
  const std::string outside = prefix.root() + "/outside";
  fs::create_directories(c + "/Data/sub");
  fs::create_directories(outside + "/a\\b");
  // A link on the way is followed; the item's own link is the item.
  fs::create_directory_symlink(c + "/Data", outside + "/to-data");
  fs::create_directory_symlink(c + "/Data/sub", c + "/Data/link");
  const std::string z = TempPrefix::ThroughZ(outside);
  const std::string bytes = "caf\xE9 \xFF";  // no UTF-8
  const std::pair<std::string, std::string> cases[] = {
      {c + "/Data/" + bytes, "C:\\Data\\" + bytes + " in C:\\Data"},
      {c + "/Data/sub/", "C:\\Data\\sub in C:\\Data"},
      {c + "/Data/link", "C:\\Data\\link in C:\\Data"},
      {outside + "/to-data/-x", "C:\\Data\\-x in C:\\Data"},
      {c + "/Data/sub/..", "C:\\Data in C:\\"},
      {outside + "/x", z + "\\x in " + z},
      {c, "C:\\"},
      {"/", "Z:\\"},
      {outside + "/a\\b/x", ""},     // a folder's name holds "\"
      {outside + "/missing/x", ""},  // no such folder
      {"relative/x", ""},
  };
  for (const auto& [handed, item] : cases) EXPECT_EQ(ItemOf(prefix, handed), item) << handed;
  EXPECT_EQ(platform::FullHandedPath("-x y"), fs::current_path().string() + "/-x y");
  // Without Z: only the other drives reach anything.
  fs::remove(prefix.prefix() + "/dosdevices/z:");
  EXPECT_EQ(ItemOf(prefix, outside + "/x"), "");
  EXPECT_EQ(ItemOf(prefix, c + "/x"), "C:\\x in C:\\");
}

}  // namespace
