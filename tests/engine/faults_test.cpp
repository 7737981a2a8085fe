// Every command that writes records, under the faults a real disk shows: a
// full disk, a data folder that takes no changes, a folder where a record
// file should be, and record files that vanish between two steps. Each
// command must show its message or none, never crash, and leave every record
// file as it was before the command or as a whole write of it leaves it.

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/support/hooked_file_system.h"
#include "tests/support/record_states.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
namespace records = store::records;
using platform::FileSystem;
using testing_support::FileStates;
using testing_support::ReadFileStates;
using Command = std::function<void(FileSystem&)>;
using Lines = std::vector<std::string>;

constexpr char kSettingsError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\zizodo.INI";
constexpr char kAnnError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\Ann.INI";
constexpr char kBobError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\Bob.INI";
constexpr char kGlobalError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\biefei.INI";
constexpr char kEmptyCounterError[] = "'' is not a valid floating point value";

// The items live on D:, so that a fault on drive C: never reaches them.
constexpr char kItemA[] = "D:\\Items\\a.txt";
constexpr char kItemB[] = "D:\\Items\\b.txt";
constexpr char kItemC[] = "D:\\Items\\c.txt";

// The commands of the program, as their handlers run them.
void HideC(FileSystem& files) { engine::HideItem(files, "Ann", kItemC); }
void RestoreA(FileSystem& files) { engine::Restore(files, "Ann", {{kItemA, false}, {kItemB, true}}); }
void NewUserBob(FileSystem& files) {
  if (store::AccountNameTaken(files, "Bob")) return;
  store::AddUserEntry(files, "Bob", "bobpw");
  store::CreateAccountFile(files, "Bob");
}
void RenameAdministrator(FileSystem& files) { store::RenameAdministrator(files, "name", "Boss", "pw"); }
void DeleteAnn(FileSystem& files) { store::DeleteUserAccount(files, "Ann"); }
void SwitchSkin(FileSystem& files) {
  store::IniFile(files, records::kSettingsFile)
      .WriteString(records::kSkinSection, records::kSkinKey, records::kSkinTwo);
}
void FirstRun(FileSystem& files) { store::InitialiseStore(files); }
void MirrorCopy(FileSystem& files) { store::MakeMirrorCopy(files); }

class FaultsTest : public ::testing::Test {
 protected:
  // A store after first run, with user Ann, who has hidden a and b; c is not
  // hidden yet.
  void SetUp() override { Prepare(); }

  void Prepare() {
    ASSERT_TRUE(store::InitialiseStore(fs()));
    store::AddUserEntry(fs(), "Ann", "annpw");
    store::CreateAccountFile(fs(), "Ann");
    fs::create_directories(Native("D:\\Items"));
    for (const char* item : {kItemA, kItemB, kItemC}) testing_support::WriteAll(Native(item), "x");
    ASSERT_EQ(engine::HideItem(fs(), "Ann", kItemA), "1");
    ASSERT_EQ(engine::HideItem(fs(), "Ann", kItemB), "2");
  }

  FileSystem& fs() { return prefix_.fs(); }
  std::string Native(const std::string& path) { return fs().NativePath(path); }
  std::string DataFolder() { return Native(records::kDataFolder); }
  std::uint32_t Attributes(const char* item) { return fs().GetAttributes(item).value_or(0xFFFF); }

  // Runs `command` on a healthy copy of the record files in `before` (files
  // only: a healthy data folder holds no folders) and returns what it leaves.
  static FileStates AfterOnHealthyCopy(const FileStates& before, const Command& command) {
    testing_support::TempPrefix healthy;
    EXPECT_TRUE(healthy.fs().CreateFolder(records::kDataFolder));
    const std::string folder = healthy.fs().NativePath(records::kDataFolder);
    for (const auto& [name, state] : before) {
      if (state != testing_support::kFolderState && state != testing_support::kOtherState) {
        testing_support::WriteAll(folder + "/" + name, state);
      }
    }
    try {
      command(healthy.fs());
    } catch (const store::Error& error) {
      ADD_FAILURE() << "the healthy copy failed too: " << error.what();
    }
    return ReadFileStates(folder);
  }

  // Runs `command` the way a handler does and returns the text of the error
  // it shows ("" for none). Every record file must stand afterwards as it
  // was before or as the command leaves it on a healthy copy.
  std::string Attempt(const Command& command) {
    const FileStates before = ReadFileStates(DataFolder());
    const FileStates after = AfterOnHealthyCopy(before, command);
    std::string shown;
    try {
      command(fs());
    } catch (const store::Error& error) {
      shown = error.what();
    }
    EXPECT_EQ(testing_support::EntriesInNeitherState(ReadFileStates(DataFolder()), before, after), "");
    return shown;
  }

  // Runs `command` like Attempt, for a command that must change no record
  // file at all (a healthy copy would fail the same way).
  std::string AttemptChangingNothing(const Command& command) {
    const FileStates before = ReadFileStates(DataFolder());
    const std::string shown = ShownError(command);
    EXPECT_EQ(testing_support::EntriesInNeitherState(ReadFileStates(DataFolder()), before, before), "");
    return shown;
  }

  // The text of the error that `command` shows on this prefix, "" for none.
  std::string ShownError(const Command& command) {
    try {
      command(fs());
    } catch (const store::Error& error) {
      return error.what();
    }
    return "";
  }

  // The bytes of a record file, or "<absent>".
  std::string Record(const std::string& path) {
    const std::string native = Native(path);
    return fs::is_regular_file(native) ? testing_support::ReadAll(native) : "<absent>";
  }

  // The hidden-item entries of a record file as "key=path" lines.
  std::vector<std::string> Entries(const std::string& path) {
    std::vector<std::string> out;
    const store::IniDocument doc = store::IniFile(fs(), path).Load();
    for (const std::string& key : doc.Keys(records::kHiddenItemsSection)) {
      out.push_back(key + "=" + doc.Get(records::kHiddenItemsSection, key).value_or(""));
    }
    return out;
  }

  testing_support::TempPrefix prefix_;
};

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
  EXPECT_EQ(Attempt(RestoreA), kAnnError);
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
  EXPECT_EQ(ShownError(FirstRun), kSettingsError);
  EXPECT_EQ(store::ReadStoreState(fs()), store::StoreState::kNotInitialised);
  EXPECT_EQ(ReadFileStates(DataFolder()), FileStates{});
}

TEST_F(FaultsTest, ADataFolderThatTakesNoChangesRefusesWritesAndRenamesQuietly) {
  const std::string settings = Record(records::kSettingsFile);
  fs::permissions(DataFolder(), fs::perms::owner_read | fs::perms::owner_exec);

  EXPECT_EQ(Attempt(HideC), kSettingsError);
  EXPECT_EQ(Attributes(kItemC), platform::kAttrNone);
  EXPECT_EQ(Attempt(RestoreA), kAnnError);
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
  EXPECT_EQ(Attempt(RestoreA), kAnnError);
  EXPECT_EQ(Attributes(kItemA), platform::kAttrNone);
  EXPECT_EQ(Entries(records::kGlobalRecordFile), (Lines{std::string("1=") + kItemA, std::string("2=") + kItemB}));

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
  EXPECT_EQ(fs().GetAttributes(records::kMirrorFile), platform::kAttrHiddenSystem);
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
