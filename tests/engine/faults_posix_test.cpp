// Every command that writes records, under the faults of a POSIX disk: a
// full disk (mounted for the test) and a data folder without write
// permission.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/engine/faults_fixture.h"
#include "tests/support/small_disk.h"

namespace {

namespace fs = std::filesystem;
namespace records = store::records;
using namespace engine_testing;
using testing_support::FileStates;
using testing_support::ReadFileStates;

TEST_F(FaultsTest, AFullDiskRefusesEveryWriteAndChangesNoRecord) {
  // Drive C: is moved onto a small disk of its own, and the store is made
  // again there.
  testing_support::SmallDisk disk;
  const std::string mount_point = prefix_.root() + "/small_disk";
  if (!disk.Mount(mount_point, 64 * 1024)) GTEST_SKIP() << testing_support::SmallDisk::kNeedsRoot;
  const std::string drive_c = prefix_.prefix() + "/dosdevices/c:";
  fs::remove(drive_c);
  fs::create_directory_symlink(mount_point, drive_c);
  for (const char* item : {kItemA, kItemB}) fs().SetAttributes(item, platform::kAttrNone);
  Prepare();
  ASSERT_EQ(DataFolder(), mount_point + "/WINDOWS/zizodo/zizodo123");
  ASSERT_TRUE(disk.Fill());

  EXPECT_EQ(Attempt(HideC), kSettingsError);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone) << "a hide that failed leaves the item shown";
  EXPECT_EQ(Attempt(RestoreA), kGlobalError);
  EXPECT_EQ(Attributes(kItemA), platform::kAttrNone) << "the item comes back before its records go";
  EXPECT_EQ(Attempt(NewUserBob), kSettingsError);
  EXPECT_EQ(Attempt(RenameAdministrator), kSettingsError);
  EXPECT_TRUE(fs().FileExists(records::AccountFile("name"))) << "the rename is undone";
  EXPECT_EQ(Attempt(SwitchSkin), kSettingsError);

  // Once there is room again, nothing was lost and no number was used up.
  disk.Free();
  EXPECT_EQ(engine::HideItem(fs(), "Ann", kItemC), "3");
  EXPECT_EQ(engine::Restore(fs(), "Ann", {{kItemA, false}, {kItemB, true}, {kItemC, true}}),
            (Lines{kItemB, kItemC}));
  EXPECT_EQ(Entries(records::kGlobalRecordFile),
            (Lines{std::string("2=") + kItemB, std::string("3=") + kItemC}));

  // First run on a full disk leaves no half-made store behind.
  fs::remove(Native(records::kSettingsFile));
  store::ResetStore(fs());
  ASSERT_FALSE(fs().FolderExists(records::kDataFolder));
  ASSERT_TRUE(disk.Fill());
  EXPECT_EQ(ShownError(FirstRun), kAdministratorError);
  EXPECT_EQ(store::ReadStoreState(fs()), store::StoreState::kNotInitialised);
  EXPECT_EQ(ReadFileStates(DataFolder()), FileStates{});
}

TEST_F(FaultsTest, ADataFolderThatTakesNoChangesRefusesWritesAndRenamesQuietly) {
  const std::string settings = Record(records::kSettingsFile);
  fs::permissions(DataFolder(), fs::perms::owner_read | fs::perms::owner_exec);

  EXPECT_EQ(Attempt(HideC), kSettingsError);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  EXPECT_EQ(Attempt(RestoreA), kGlobalError);
  EXPECT_EQ(Attributes(kItemA), platform::kAttrNone);
  EXPECT_EQ(Attempt(NewUserBob), kSettingsError);
  EXPECT_EQ(Attempt(SwitchSkin), kSettingsError);
  // A rename that cannot happen changes nothing and says nothing, and so does
  // a deletion (deleting a key reports no failure).
  EXPECT_EQ(Attempt(RenameAdministrator), "");
  EXPECT_EQ(Attempt(DeleteAnn), "");
  EXPECT_TRUE(fs().FileExists(records::AccountFile("Ann")));
  EXPECT_EQ(Attempt(MirrorCopy), "");
  EXPECT_EQ(Record(records::kMirrorFile), Record(records::kGlobalRecordFile)) << "reading still works";
  EXPECT_EQ(Record(records::kSettingsFile), settings);
  EXPECT_EQ(Entries(records::AccountFile("Ann")), (Lines{std::string("1=") + kItemA, std::string("2=") + kItemB}));

  fs::permissions(DataFolder(), fs::perms::owner_all);
  EXPECT_EQ(engine::HideItem(fs(), "Ann", kItemC), "3");
}

// An item whose mark cannot be taken away keeps its entries in both record
// files and is reported; the other rows of the same Comeback go on.
TEST_F(FaultsTest, AnItemThatStaysHiddenKeepsItsEntriesAndIsReported) {
  fs::create_directories(Native("C:\\Other"));
  testing_support::WriteAll(Native("C:\\Other\\o.txt"), "x");
  ASSERT_EQ(engine::HideItem(fs(), "Ann", "C:\\Other\\o.txt"), "3");
  // A folder that takes no changes: its .hidden cannot be rewritten.
  const std::string items = Native("D:\\Items");
  fs::permissions(items, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const auto restore = [](FileSystem& files) {
    engine::Restore(files, "Ann", {{kItemA, false}, {kItemB, true}, {"C:\\Other\\o.txt", false}});
  };
  EXPECT_EQ(ShownError(restore), "Unable to write to D:\\Items\\.hidden");
  fs::permissions(items, fs::perms::owner_all, fs::perm_options::add);
  EXPECT_TRUE(testing_support::ListedInDotHidden(items, "a.txt"));
  EXPECT_EQ(engine::LoadList(fs(), "Ann"), (Lines{kItemA, kItemB}));
  EXPECT_EQ(Entries(store::records::kGlobalRecordFile),
            (Lines{std::string("1=") + kItemA, std::string("2=") + kItemB}));
  EXPECT_EQ(Attributes("C:\\Other\\o.txt"), platform::kAttrNone);

  // Once the folder takes changes again, the next Comeback finishes it.
  EXPECT_EQ(engine::Restore(fs(), "Ann", {{kItemA, false}, {kItemB, true}}), Lines{kItemB});
  EXPECT_FALSE(testing_support::ListedInDotHidden(items, "a.txt"));
}

}  // namespace
