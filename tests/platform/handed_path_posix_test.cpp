// Paths handed from outside (a start, a drop) reach the program's drives
// through the same drive map as every other path.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/handed_path.h"
#include "tests/support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempPrefix;

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

  struct Case {
    std::string handed;
    std::optional<std::string> path;  // nullopt: no item
    std::string folder;               // of its entry; "" for none
  };
  const Case cases[] = {
      {c + "/Data/" + bytes, "C:\\Data\\" + bytes, "C:\\Data"},
      {c + "/Data/sub/", "C:\\Data\\sub", "C:\\Data"},
      {c + "/Data/link", "C:\\Data\\link", "C:\\Data"},
      {outside + "/to-data/-x", "C:\\Data\\-x", "C:\\Data"},
      {c + "/Data/sub/..", "C:\\Data", "C:\\"},
      {outside + "/x", z + "\\x", z},
      {c, "C:\\", ""},
      {"/", "Z:\\", ""},
      {outside + "/a\\b/x", std::nullopt, ""},        // a folder's name holds "\"
      {outside + "/missing/x", std::nullopt, ""},     // no such folder
      {"relative/x", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.handed);
    const std::optional<platform::HandedItem> item = platform::ItemOfHandedPath(prefix.fs(), c.handed);
    ASSERT_EQ(item.has_value(), c.path.has_value());
    if (!item) continue;
    EXPECT_EQ(item->path, *c.path);
    EXPECT_EQ(item->entry ? item->entry->folder : "", c.folder);
  }

  // Without Z: only the other drives reach anything.
  fs::remove(prefix.prefix() + "/dosdevices/z:");
  EXPECT_FALSE(platform::ItemOfHandedPath(prefix.fs(), outside + "/x"));
  EXPECT_EQ(platform::ItemOfHandedPath(prefix.fs(), c + "/x")->path, "C:\\x");
}

TEST(HandedPathPosix, RelativePathsAreMadeWholeFromTheWorkingFolder) {
  const std::string here = fs::current_path().string();
  EXPECT_EQ(platform::FullHandedPath("-x y"), here + "/-x y");
  EXPECT_EQ(platform::FullHandedPath("/abs"), "/abs");
  EXPECT_EQ(platform::FullHandedPath(""), "");
}

}  // namespace
