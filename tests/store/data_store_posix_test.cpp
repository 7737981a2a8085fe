// The store's files under POSIX permissions and a prefix's drive links.

#include <filesystem>

#include "store/data_store.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/store/store_fixture.h"
#include "tests/store/store_posix_fixture.h"

namespace store {
namespace {

namespace r = records;
using store_testing::Mode;
using store_testing::RunUnprivileged;
using testing_support::WriteAll;

class DataStorePosixTest : public store_testing::StoreTest {};

TEST_F(DataStorePosixTest, SettingsFileThatCannotBeReadIsUnreadable) {
  MakeDataFolder();
  const std::string settings = InData("zizodo.INI");
  WriteAll(settings, "[jiance]\r\n1=2\r\n");
  std::filesystem::permissions(settings, std::filesystem::perms::none);
  EXPECT_TRUE(RunUnprivileged(prefix_.root(), [&] { return ReadStoreState(fs()) == StoreState::kUnreadable; }));
}

TEST_F(DataStorePosixTest, MirrorIsForTheOwnerOnlyAndNeedsDriveD) {
  const std::string mirror = prefix_.DriveD() + "/biefei.ini";
  ASSERT_TRUE(InitialiseStore(fs()));
  IniFile(fs(), r::kGlobalRecordFile).WriteString(r::kHiddenItemsSection, "1", "C:\\Private");
  MakeMirrorCopy(fs());
  EXPECT_EQ(ReadReal(mirror), ReadReal(InData("biefei.INI")));
  EXPECT_EQ(Mode(mirror) & 077, 0u) << "the mirror holds record data: owner only";

  // Without drive D: nothing happens and nothing is made.
  std::filesystem::remove(mirror);
  std::filesystem::remove(prefix_.prefix() + "/dosdevices/d:");
  MakeMirrorCopy(fs());
  EXPECT_FALSE(std::filesystem::exists(mirror));
}

}  // namespace
}  // namespace store
