// A link picked for hiding is refused exactly where it cannot carry marks
// of its own (under Wine a Unix link shows as what it leads to), so that it
// is never recorded without a mark; Linux marks every link as itself.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/hidden_items.h"
#include "engine/unrecordable_item.h"
#include "store/data_store.h"
#include "tests/support/file_access.h"
#include "tests/support/temp_prefix.h"

namespace {

TEST(LinkItemsTest, ALinkIsHiddenAsItselfOrRefusedBeforeAnythingIsRecorded) {
  testing_support::TempPrefix prefix;
  platform::FileSystem& fs = prefix.fs();
  ASSERT_TRUE(store::InitialiseStore(fs));
  ASSERT_TRUE(fs.CreateFolder("D:\\folder") && fs.ReplaceFile("D:\\file", "x"));
  for (const char* target : {"file", "folder"}) {
    const std::string link = std::string(target) + "-link";
    ASSERT_TRUE(testing_support::MakeLink(fs.NativePath("D:\\" + std::string(target)), fs.NativePath("D:\\" + link)));
    for (const std::string& name : {std::string(target), link}) {
      const std::string path = "D:\\" + name;
      bool refused = false;
      try {
        engine::HideItem(fs, "name", path, {"D:\\", name});
      } catch (const engine::UnrecordableItem& error) {
        refused = error.reason() == engine::Unrecordable::kUnmarkableLink;
      }
      const bool recorded = engine::LoadList(fs, "name") == std::vector<std::string>{path};
      EXPECT_NE(refused, recorded) << name;
      EXPECT_NE(refused, (fs.GetAttributes(path).value_or(0) & platform::kAttrHidden) != 0) << name;
      if (recorded) {
        EXPECT_TRUE(engine::Restore(fs, "name", {{path, false}}).empty()) << name;
      }
    }
    testing_support::RemoveLink(fs.NativePath("D:\\" + link));
  }
}

}  // namespace
