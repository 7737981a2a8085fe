// A link picked for hiding is refused exactly where it cannot carry marks
// of its own (under Wine a Unix link shows as what it leads to), so that it
// is never recorded without a mark; Linux marks every link as itself.

#include <gtest/gtest.h>

#include "engine/unrecordable_item.h"
#include "tests/support/file_access.h"
#include "tests/support/temp_prefix.h"

namespace {

TEST(LinkItemsTest, ALinkIsRefusedExactlyWhereItCannotBeMarkedAsItself) {
  testing_support::TempPrefix prefix;
  platform::FileSystem& fs = prefix.fs();
  ASSERT_TRUE(fs.CreateFolder("D:\\folder") && fs.ReplaceFile("D:\\file", "x"));
  for (const char* target : {"file", "folder"}) {
    const std::string link = std::string(target) + "-link";
    ASSERT_TRUE(testing_support::MakeLink(fs.NativePath("D:\\" + std::string(target)), fs.NativePath("D:\\" + link)));
    for (const std::string& name : {std::string(target), link}) {
      const platform::FolderEntry entry{"D:\\", name};
      const bool refused = engine::WhyUnhideable(fs, "D:\\" + name, entry) == engine::Unrecordable::kUnmarkableLink;
      EXPECT_NE(refused, fs.SetEntryAttributes(entry, platform::kAttrHiddenSystem).applied) << name;
    }
    testing_support::RemoveLink(fs.NativePath("D:\\" + link));
  }
}

}  // namespace
