// Links picked for hiding: a link is hidden as itself where the system can
// mark it so (its .hidden line on Linux), and refused before anything
// changes where it cannot (under Wine a Unix link shows as what it leads
// to): never recorded without a mark, and what it leads to keeps its own.

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "engine/unrecordable_item.h"
#include "platform/windows_path.h"
#include "tests/support/file_access.h"
#include "tests/support/temp_prefix.h"

namespace {

constexpr char kFolder[] = "D:\\Links";

TEST(LinkItemsTest, ALinkIsRefusedExactlyWhereItCannotBeMarkedAsItself) {
  testing_support::TempPrefix prefix;
  platform::FileSystem& fs = prefix.fs();
  const auto real = [&](const std::string& name) { return fs.NativePath(std::string(kFolder) + "\\" + name); };
  ASSERT_TRUE(fs.CreateFolder(std::string(kFolder) + "\\folder"));
  ASSERT_TRUE(fs.ReplaceFile(std::string(kFolder) + "\\file.txt", "x"));
  ASSERT_TRUE(testing_support::MakeLink(real("file.txt"), real("to-file")));
  ASSERT_TRUE(testing_support::MakeLink(real("folder"), real("to-folder")));

  for (const char* name : {"file.txt", "folder", "to-file", "to-folder"}) {
    const platform::FolderEntry entry{kFolder, name};
    const std::optional<engine::Unrecordable> why =
        engine::WhyUnhideable(fs, platform::windows_path::Join(kFolder, name), entry);
    const bool marked = fs.SetEntryAttributes(entry, platform::kAttrHiddenSystem).applied;
    EXPECT_EQ(!why, marked) << name;
    EXPECT_EQ(why.value_or(engine::Unrecordable::kUnmarkableLink), engine::Unrecordable::kUnmarkableLink) << name;
    for (const char* target : {"file.txt", "folder"}) {
      if (std::string(name) == target) continue;
      EXPECT_EQ(testing_support::HiddenMarks(real(target)), "") << name << " marked " << target;
    }
    fs.SetEntryAttributes(entry, platform::kAttrNone);
  }
  for (const char* link : {"to-file", "to-folder"}) testing_support::RemoveLink(real(link));
}

}  // namespace
