// Comeback keeps the row and entries of an item whose drive is away, naming
// it in the write error, until the drive is back; only an item that is not
// on a drive that is there loses its row as gone.

#include <filesystem>
#include <string>

#include "engine/hidden_items.h"
#include "store/errors.h"
#include "tests/engine/record_fixture.h"

namespace {

namespace fs = std::filesystem;
using engine_testing::Entries;
enum class Loss { kNone, kNoLetter, kDanglingLink, kEmptyFolder };
constexpr char kItem[] = "E:\\Stuff\\secret";

class MissingDriveTest : public engine_testing::RecordFixture {};

TEST_F(MissingDriveTest, ComebackDropsARowOnlyWhenItsItemIsNotOnADriveThatIsThere) {
  prefix_.AddDriveE();
  const struct {
    Loss loss;
    const char* deleted;
  } cases[] = {{Loss::kNoLetter, ""}, {Loss::kDanglingLink, ""}, {Loss::kEmptyFolder, ""},
               {Loss::kNone, "E:\\Stuff"}, {Loss::kNone, kItem}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << static_cast<int>(c.loss) << c.deleted);
    // E:'s link goes for no letter, else its folder (its link then dangles).
    // Where letters have no links, a drive without its folder has no letter.
    const std::string moved = c.loss == Loss::kNoLetter && !prefix_.DriveELink().empty() ? prefix_.DriveELink()
                                                                                         : prefix_.DriveE();
    ASSERT_TRUE(fs().CreateFolder("E:\\Stuff") && fs().ReplaceFile(kItem, "x") && fs().ReplaceFile("E:\\other", "x"));
    const Entries hidden = {{engine::HideItem(fs(), "Ann", kItem), kItem}};
    const bool away = c.loss != Loss::kNone;
    if (*c.deleted != '\0') fs::remove_all(Native(c.deleted));
    if (away) fs::rename(moved, moved + ".away");
    if (c.loss == Loss::kEmptyFolder) fs::create_directory(moved);

    std::string error;
    try {
      engine::Restore(fs(), "Ann", {{kItem, false}});
    } catch (const store::WriteError& failure) {
      error = failure.path();
    }
    EXPECT_EQ(error, away ? kItem : "");
    EXPECT_EQ(HiddenEntries(store::records::AccountFile("Ann")), away ? hidden : Entries{});
    EXPECT_EQ(HiddenEntries(store::records::kGlobalRecordFile), away ? hidden : Entries{});
    if (!away) continue;
    fs::remove(moved);
    fs::rename(moved + ".away", moved);
    EXPECT_TRUE(engine::Restore(fs(), "Ann", {{kItem, false}}).empty());
    EXPECT_EQ(Attributes(kItem), platform::kAttrNone);
  }
}

}  // namespace
