// Every command that writes records, under the faults any disk shows: a
// folder where a record file should be, and record files that vanish between
// two steps. Each command must show its message or none, never crash, and
// leave every record file as it was before the command or as a whole write
// of it leaves it.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/accounts.h"
#include "engine/hidden_items.h"
#include "engine/skin_setting.h"
#include "engine/store_start.h"
#include "store/data_store.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/engine/faults_fixture.h"
#include "tests/support/hooked_file_system.h"

namespace {

namespace fs = std::filesystem;
namespace records = store::records;
using namespace engine_testing;
using testing_support::FileStates;
using testing_support::ReadFileStates;

TEST_F(FaultsTest, AFolderInPlaceOfTheSettingsFileStopsEveryCommandThatNeedsIt) {
  const std::string settings = Native(records::kSettingsFile);
  fs::remove(settings);
  fs::create_directory(settings);

  // The counter reads empty, which is not a number: nothing changes.
  EXPECT_EQ(AttemptChangingNothing(HideC), kEmptyCounterError);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  EXPECT_EQ(Attempt(NewUserBob), kSettingsError);
  EXPECT_EQ(Attempt(RenameAdministrator), kSettingsError);
  EXPECT_TRUE(fs().FileExists(records::AccountFile("name")));
  EXPECT_FALSE(fs().FileExists(records::AccountFile("Boss")));
  EXPECT_EQ(Attempt(SwitchSkin), kSettingsError);
  EXPECT_EQ(Attempt(FirstRun), kSettingsError);
  // Restoring needs no setting.
  EXPECT_EQ(Attempt(RestoreA), "");
  EXPECT_EQ(Entries(records::kGlobalRecordFile), (Lines{std::string("2=") + kItemB}));
  EXPECT_EQ(store::ReadStoreState(fs()), store::StoreState::kUnreadable);
  EXPECT_TRUE(store::AccountNamesForLogin(fs()).empty());
}

TEST_F(FaultsTest, AFolderInPlaceOfAnAccountFileStopsThatAccountsHidesAndRestores) {
  const std::string ann = Native(records::AccountFile("Ann"));
  fs::remove(ann);
  fs::create_directory(ann);

  // The counter goes up before the account file fails; the number is lost,
  // never reused. The item is shown again.
  EXPECT_EQ(Attempt(HideC), kAnnError);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  EXPECT_EQ(store::IniFile(fs(), records::kSettingsFile).ReadString("weijianhao", "ycwj", ""), "3");
  EXPECT_TRUE(engine::LoadList(fs(), "Ann").empty());
  // The restore cleans the global record, then fails at the account file.
  EXPECT_EQ(Attempt(RestoreA), kAnnError);
  EXPECT_EQ(Attributes(kItemA), platform::kAttrNone);
  EXPECT_EQ(Entries(records::kGlobalRecordFile), Lines{std::string("2=") + kItemB});

  // A new user whose file name is taken by a folder: the entry is written,
  // then the file fails; deleting the user takes the entry away again.
  fs::create_directory(Native(records::AccountFile("Bob")));
  EXPECT_EQ(Attempt(NewUserBob), kBobError);
  EXPECT_EQ(store::UserNames(fs()), (Lines{"Ann", "Bob"}));
  store::DeleteUserAccount(fs(), "Bob");
  EXPECT_EQ(store::UserNames(fs()), Lines{"Ann"});
  EXPECT_TRUE(fs::is_directory(Native(records::AccountFile("Bob")))) << "a folder is never deleted as a file";
}

TEST_F(FaultsTest, AFolderInPlaceOfTheGlobalRecordKeepsTheAccountFileAndTheOldMirror) {
  store::MakeMirrorCopy(fs());
  const std::string mirror = Record(records::kMirrorFile);
  const std::string global = Native(records::kGlobalRecordFile);
  fs::remove(global);
  fs::create_directory(global);

  EXPECT_EQ(Attempt(HideC), kGlobalError);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  // What the command wrote before the failure stays.
  EXPECT_EQ(Entries(records::AccountFile("Ann")).back(), std::string("3=") + kItemC);
  EXPECT_EQ(Attempt(RestoreA), kGlobalError);
  EXPECT_EQ(Attributes(kItemA), platform::kAttrNone);
  EXPECT_EQ(Attempt(MirrorCopy), "");
  EXPECT_EQ(Record(records::kMirrorFile), mirror);
  EXPECT_EQ(testing_support::Comparable(fs().GetAttributes(records::kMirrorFile)), platform::kAttrHiddenSystem);
}

// A records' lock that cannot be taken (a folder at its name) stops every
// command that writes records before it changes anything, and says which
// file is in the way; none runs unlocked, where another copy could lose
// its hides. Once the lock can be taken again, the commands work.
TEST_F(FaultsTest, ALockThatCannotBeTakenStopsEveryCommandBeforeItChangesAnything) {
  const std::string lock = Native(fs().RecordLockPath());
  fs::remove(lock);
  fs::create_directory(lock);
  const std::pair<const char*, Command> commands[] = {
      {"hide", HideC},
      {"restore", RestoreA},
      {"global cleanup", [](FileSystem& files) { engine::CleanGlobalRecord(files, {{kItemA, false}}); }},
      {"new user", [](FileSystem& files) { engine::AddUser(files, "Bob", "bobpw"); }},
      {"administrator", [](FileSystem& files) { engine::ChangeAdministrator(files, "Boss", "pw"); }},
      {"delete user", [](FileSystem& files) { engine::DeleteUsers(files, {"Ann"}); }},
      {"skin", [](FileSystem& files) { engine::StoreSkin(files, engine::Skin::kOne); }},
      {"first run", [](FileSystem& files) { engine::SetUpStore(files); }},
      {"mirror", [](FileSystem& files) { engine::MirrorRecords(files); }},
      {"tidy", [](FileSystem& files) { engine::TidyStore(files); }},
  };
  for (const auto& [what, command] : commands) {
    EXPECT_EQ(AttemptChangingNothing(command), "Unable to write to " + fs().RecordLockPath()) << what;
  }
  EXPECT_EQ(Attributes(kItemA), platform::kAttrHiddenSystem);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  EXPECT_EQ(engine::ApplyStartUpRule(fs()), engine::StoreAtStart::kSetUp);

  fs::remove(lock);
  EXPECT_EQ(Attempt(HideC), "");
  EXPECT_EQ(Attributes(kItemC), platform::kAttrHiddenSystem);
}

TEST_F(FaultsTest, RecordFilesThatVanishBetweenCommandsAreMadeAnewOrLeftAway) {
  // The account file goes between two hides: the next hide starts it again.
  fs::remove(Native(records::AccountFile("Ann")));
  EXPECT_EQ(engine::HideItem(fs(), "Ann", kItemC), "3");
  EXPECT_EQ(Entries(records::AccountFile("Ann")), Lines{std::string("3=") + kItemC});
  EXPECT_EQ(Entries(records::kGlobalRecordFile).size(), 3u);

  // The account file goes between the list load and the restore: the items
  // come back, their global entries go, and no account file is made.
  const std::vector<std::string> list = engine::LoadList(fs(), "Ann");
  fs::remove(Native(records::AccountFile("Ann")));
  std::vector<engine::ListRow> rows;
  for (const std::string& path : list) rows.push_back({path, false});
  EXPECT_TRUE(engine::Restore(fs(), "Ann", rows).empty());
  EXPECT_FALSE(fs().FileExists(records::AccountFile("Ann")));
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  EXPECT_EQ(Entries(records::kGlobalRecordFile), (Lines{std::string("1=") + kItemA, std::string("2=") + kItemB}));

  // The settings file goes: the counter reads empty, and the store counts as
  // not initialised (an absent file is the one case that may be reset).
  fs::remove(Native(records::kSettingsFile));
  EXPECT_EQ(AttemptChangingNothing(HideC), kEmptyCounterError);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  EXPECT_EQ(store::ReadStoreState(fs()), store::StoreState::kNotInitialised);
}

TEST_F(FaultsTest, RecordFilesThatVanishInsideACommandLeaveNoHalfHide) {
  testing_support::HookedFileSystem hooked(fs());
  // Removes `gone` when the command is about to write `trigger`.
  auto remove_when_writing = [&](const std::string& trigger, const std::string& gone) {
    hooked.before_replace = [&, trigger, gone](const std::string& path) {
      if (path == trigger) fs::remove_all(Native(gone));
    };
  };

  // The global record goes after the account file was read for the hide:
  // it is made again with the new entry alone.
  remove_when_writing(records::AccountFile("Ann"), records::kGlobalRecordFile);
  EXPECT_EQ(engine::HideItem(hooked, "Ann", kItemC), "3");
  EXPECT_EQ(Entries(records::kGlobalRecordFile), Lines{std::string("3=") + kItemC});
  EXPECT_EQ(Attributes(kItemC), platform::kAttrHiddenSystem);

  // The global record goes between the restore's two rewrites: nothing is
  // left to clean, and it is not made again.
  EXPECT_EQ(engine::Restore(hooked, "Ann", {{kItemA, false}, {kItemB, true}, {kItemC, true}}),
            (Lines{kItemB, kItemC}));
  EXPECT_FALSE(fs().FileExists(records::kGlobalRecordFile));

  // The whole data folder goes (another copy reset it) just before the hide
  // writes the account file: the hide fails and the item is shown again.
  fs().SetAttributes(kItemC, platform::kAttrNone);
  remove_when_writing(records::AccountFile("Ann"), records::kDataFolder);
  EXPECT_EQ(ShownError([&](FileSystem&) { engine::HideItem(hooked, "Ann", kItemC); }), kAnnError);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  EXPECT_FALSE(fs().FolderExists(records::kDataFolder)) << "no write makes the folder again";
}

TEST_F(FaultsTest, ASettingsFileThatVanishesRightAfterTheCounterWriteRecordsNothing) {
  testing_support::HookedFileSystem hooked(fs());
  hooked.after_replace = [&](const std::string& path) {
    if (path == records::kSettingsFile) fs::remove(Native(records::kSettingsFile));
  };
  const std::string account = Record(records::AccountFile("Ann"));
  const std::string global = Record(records::kGlobalRecordFile);

  // The sequence number is read back from the settings file, which is gone:
  // no entry may be written without a number.
  EXPECT_EQ(ShownError([&](FileSystem&) { engine::HideItem(hooked, "Ann", kItemC); }), kAnnError);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  EXPECT_EQ(Record(records::AccountFile("Ann")), account);
  EXPECT_EQ(Record(records::kGlobalRecordFile), global);
}

}  // namespace
