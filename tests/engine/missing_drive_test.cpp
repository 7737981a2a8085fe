// Comeback of an item whose drive went away: its row and entries stay, and
// the write error names it, until the drive is back; only an item that is
// not on a drive that is there loses its row as gone.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/hidden_items.h"
#include "store/errors.h"
#include "tests/engine/record_fixture.h"

namespace {

namespace records = store::records;
using testing_support::DriveLoss;

constexpr char kItem[] = "E:\\Stuff\\secret";
constexpr char kFolder[] = "E:\\Stuff";
constexpr char kOther[] = "E:\\other.txt";

struct DriveCase {
  const char* what;
  std::optional<DriveLoss> loss;  // how the drive goes; nullopt: it stays
  const char* deleted;            // what is deleted from the drive, or nullptr
};

class MissingDriveTest : public engine_testing::RecordFixture {};

TEST_F(MissingDriveTest, ComebackDropsARowOnlyWhenItsItemIsNotOnADriveThatIsThere) {
  const DriveCase cases[] = {
      {"no drive letter", DriveLoss::kNoLetter, nullptr},
      {"a dangling drive link", DriveLoss::kDanglingLink, nullptr},
      {"an empty drive folder", DriveLoss::kEmptyFolder, nullptr},
      {"its folder deleted", std::nullopt, kFolder},
      {"the item deleted", std::nullopt, kItem},
  };
  for (const DriveCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(fs().CreateFolder(kFolder));
    ASSERT_TRUE(fs().ReplaceFile(kItem, "x"));
    ASSERT_TRUE(fs().ReplaceFile(kOther, "x"));
    const std::string number = engine::HideItem(fs(), "Ann", kItem);
    const engine_testing::Entries hidden = {{number, kItem}};
    if (c.loss) prefix_.TakeDriveE(*c.loss);
    if (c.deleted) std::filesystem::remove_all(Native(c.deleted));

    try {
      EXPECT_TRUE(engine::Restore(fs(), "Ann", {{kItem, false}}).empty());
      EXPECT_FALSE(c.loss) << "no error";
    } catch (const store::WriteError& error) {
      EXPECT_TRUE(c.loss) << error.what();
      EXPECT_EQ(error.path(), kItem);
    }
    const engine_testing::Entries left = c.loss ? hidden : engine_testing::Entries{};
    EXPECT_EQ(HiddenEntries(records::AccountFile("Ann")), left);
    EXPECT_EQ(HiddenEntries(records::kGlobalRecordFile), left);
    if (!c.loss) continue;

    prefix_.BringDriveEBack(*c.loss);
    EXPECT_EQ(Attributes(kItem), platform::kAttrHiddenSystem);
    EXPECT_TRUE(engine::Restore(fs(), "Ann", {{kItem, false}}).empty());
    EXPECT_EQ(Attributes(kItem), platform::kAttrNone);
    EXPECT_TRUE(HiddenEntries(records::kGlobalRecordFile).empty());
  }
}

}  // namespace
