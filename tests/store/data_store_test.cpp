#include "store/data_store.h"

#include <filesystem>

#include "store/errors.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/store/store_fixture.h"
#include "tests/support/file_access.h"

namespace store {
namespace {

namespace r = records;
using testing_support::DosAttrib;
using testing_support::MakeReadOnly;
using testing_support::WriteAll;
using Names = std::vector<std::string>;

constexpr char kHiddenSystem[] = "0x6";

class DataStoreTest : public store_testing::StoreTest {
 protected:
  std::string Settings() const { return InData("zizodo.INI"); }

  // What a hide leaves in the record files: the shared counter goes up and
  // the path is recorded under the new number in both files.
  void RecordHide(const std::string& account, const std::string& path) {
    IniFile settings(fs(), r::kSettingsFile);
    const int next = std::stoi(settings.ReadString(r::kCounterSection, r::kCounterKey, "")) + 1;
    settings.WriteString(r::kCounterSection, r::kCounterKey, std::to_string(next));
    const std::string number = settings.ReadString(r::kCounterSection, r::kCounterKey, "");
    IniFile(fs(), r::AccountFile(account)).WriteString(r::kHiddenItemsSection, number, path);
    IniFile(fs(), r::kGlobalRecordFile).WriteString(r::kHiddenItemsSection, number, path);
  }
};

TEST_F(DataStoreTest, FirstRunUserAndTwoHidesLeaveTheDocumentedFiles) {
  ASSERT_TRUE(InitialiseStore(fs()));
  AddUserEntry(fs(), "Ann", "annpw");
  CreateAccountFile(fs(), "Ann");
  RecordHide("Ann", "C:\\Data\\Private");
  RecordHide("name", "D:\\Secret");

  EXPECT_EQ(ReadReal(Settings()),
            "[jiance]\r\n1=2\r\n"
            "[weijianhao]\r\nycwj=2\r\n"
            "[guanlishezhiname]\r\nname=31852\r\n"
            "[chuangjianxiyonghu]\r\nAnn=annpw\r\n");
  EXPECT_EQ(ReadReal(InData("name.INI")), "[guanlishezhi]\r\n1=1\r\n[weijianyincang]\r\n2=D:\\Secret\r\n");
  EXPECT_EQ(ReadReal(InData("Ann.INI")), "[guanlishezhi]\r\n1=1\r\n[weijianyincang]\r\n1=C:\\Data\\Private\r\n");
  EXPECT_EQ(ReadReal(InData("biefei.INI")), "[weijianyincang]\r\n1=C:\\Data\\Private\r\n2=D:\\Secret\r\n");

  EXPECT_EQ(DosAttrib(InData("Ann.INI")), kHiddenSystem);  // made for a new user
  EXPECT_EQ(DosAttrib(InData("name.INI")), "");            // made by first run
  EXPECT_EQ(DosAttrib(Settings()), "");
  EXPECT_EQ(ReadStoreState(fs()), StoreState::kInitialised);
  EXPECT_EQ(AccountNamesForLogin(fs()), (Names{"Ann", "name"}));
  EXPECT_EQ(UserPassword(fs(), "ann"), "annpw");
  EXPECT_EQ(AdministratorPassword(fs(), "NAME"), "31852");
  EXPECT_EQ(AdministratorPassword(fs(), "Ann"), "");
  for (const char* name : {"Ann", "ann", "ANN", "name", "NAME"}) EXPECT_TRUE(AccountNameTaken(fs(), name)) << name;
  EXPECT_FALSE(AccountNameTaken(fs(), "An"));
}

TEST_F(DataStoreTest, OnlyAReadableSettingsFileWithoutTheMarkerCountsAsUninitialised) {
  EXPECT_EQ(ReadStoreState(fs()), StoreState::kNotInitialised);  // nothing there at all
  MakeDataFolder();
  for (const auto& [bytes, state] : std::vector<std::pair<std::string, StoreState>>{
           {"", StoreState::kNotInitialised},
           {"[jiance]\r\n1=3\r\n", StoreState::kNotInitialised},
           {"[jiance]\r\n2=2\r\n", StoreState::kNotInitialised},
           {"[JIANCE]\n1 = \"2\" \n", StoreState::kInitialised},
       }) {
    WriteAll(Settings(), bytes);
    EXPECT_EQ(ReadStoreState(fs()), state) << bytes;
  }

  std::filesystem::remove(Settings());
  std::filesystem::create_directory(Settings());
  EXPECT_EQ(ReadStoreState(fs()), StoreState::kUnreadable);
}

TEST_F(DataStoreTest, ResetDeletesTheDataFolderAndHidingMarksBothFolders) {
  HideStoreFolders(fs());  // first start: neither folder exists yet
  ResetStore(fs());
  ASSERT_TRUE(InitialiseStore(fs()));
  HideStoreFolders(fs());
  EXPECT_EQ(DosAttrib(DataParent()), kHiddenSystem);
  EXPECT_EQ(DosAttrib(DataFolder()), kHiddenSystem);

  std::filesystem::create_directories(InData("inner/deeper"));
  WriteAll(InData("inner/deeper/file"), "x");
  WriteAll(Settings(), "[jiance]\r\n1=1\r\n");
  ResetStore(fs());
  EXPECT_FALSE(std::filesystem::exists(DataFolder()));
  EXPECT_TRUE(std::filesystem::is_directory(DataParent()));
  EXPECT_EQ(ReadStoreState(fs()), StoreState::kNotInitialised);
}

// Two copies of the program may both offer first run; the one that answers
// late must neither reset what the other set up and used, nor delete it.
TEST_F(DataStoreTest, ASecondFirstRunOrResetLeavesAStoreAnotherCopySetUp) {
  ASSERT_TRUE(InitialiseStore(fs()));
  RecordHide("name", "C:\\Private");
  RenameAdministrator(fs(), "name", "Boss", "pw");
  const std::string settings = ReadReal(Settings());

  EXPECT_TRUE(InitialiseStore(fs()));
  ResetStore(fs());
  EXPECT_EQ(ReadReal(Settings()), settings);
  EXPECT_FALSE(std::filesystem::exists(InData("name.INI")));
  EXPECT_TRUE(std::filesystem::exists(InData("Boss.INI")));

  // A settings file that cannot be read is never reset either.
  std::filesystem::remove(Settings());
  std::filesystem::create_directory(Settings());
  ResetStore(fs());
  EXPECT_TRUE(std::filesystem::exists(InData("Boss.INI")));
}

TEST_F(DataStoreTest, FirstRunKeepsUsersAndLeavesOneAdministrator) {
  MakeDataFolder();
  WriteAll(Settings(), "[guanlishezhiname]\r\nold=x\r\nolder=y\r\n[chuangjianxiyonghu]\r\nbob=1\r\n");
  ASSERT_TRUE(InitialiseStore(fs()));
  EXPECT_EQ(AdministratorNames(fs()), Names{"name"});
  EXPECT_EQ(AccountNamesForLogin(fs()), (Names{"bob", "name"}));
  EXPECT_EQ(IniFile(fs(), r::kSettingsFile).ReadString("weijianhao", "ycwj", ""), "0");
}

TEST_F(DataStoreTest, FirstRunThatCannotWriteLeavesNoHalfInitialisedStore) {
  // No folder can be made where a file stands in the way.
  std::filesystem::remove_all(prefix_.DriveC() + "/WINDOWS");  // the guide a new prefix gets
  WriteAll(prefix_.DriveC() + "/WINDOWS", "not a folder");
  EXPECT_THROW(InitialiseStore(fs()), WriteError);
  std::filesystem::remove(prefix_.DriveC() + "/WINDOWS");

  // A settings file that cannot be written: the administrator's file is
  // written first, but without the marker the store is not set up, and the
  // next start's reset takes it away.
  MakeDataFolder();
  WriteAll(Settings(), "[chuangjianxiyonghu]\r\nbob=1\r\n");
  MakeReadOnly(Settings());
  try {
    InitialiseStore(fs());
    ADD_FAILURE() << "no error";
  } catch (const WriteError& error) {
    EXPECT_STREQ(error.what(), "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\zizodo.INI");
  }
  EXPECT_EQ(ReadReal(Settings()), "[chuangjianxiyonghu]\r\nbob=1\r\n");
  EXPECT_EQ(ReadStoreState(fs()), StoreState::kNotInitialised);
  ResetStore(fs());
  EXPECT_FALSE(std::filesystem::exists(InData("name.INI")));
}

TEST_F(DataStoreTest, AdministratorRenameMovesTheFileFirstAndOnlyThenTheEntry) {
  ASSERT_TRUE(InitialiseStore(fs()));
  RecordHide("name", "D:\\Secret");
  const std::string contents = ReadReal(InData("name.INI"));

  EXPECT_TRUE(RenameAdministrator(fs(), "name", "Boss", "pw"));
  EXPECT_FALSE(std::filesystem::exists(InData("name.INI")));
  EXPECT_EQ(ReadReal(InData("Boss.INI")), contents);
  EXPECT_EQ(DosAttrib(InData("Boss.INI")), kHiddenSystem);
  EXPECT_EQ(AdministratorNames(fs()), Names{"Boss"});
  EXPECT_EQ(AdministratorPassword(fs(), "Boss"), "pw");

  // No file under the old name, or one in the way under the new: no change.
  const std::string settings = ReadReal(Settings());
  EXPECT_FALSE(RenameAdministrator(fs(), "name", "Chief", "x"));
  CreateAccountFile(fs(), "Taken");
  EXPECT_FALSE(RenameAdministrator(fs(), "Boss", "TAKEN", "x"));
  EXPECT_FALSE(RenameAdministrator(fs(), "", "Chief", "x"));
  EXPECT_EQ(ReadReal(Settings()), settings);
  EXPECT_TRUE(std::filesystem::exists(InData("Boss.INI")));
}

TEST_F(DataStoreTest, AdministratorRenameThatCannotWriteTheSettingsIsUndone) {
  ASSERT_TRUE(InitialiseStore(fs()));
  const std::string settings = ReadReal(Settings());
  MakeReadOnly(Settings());
  EXPECT_THROW(RenameAdministrator(fs(), "name", "Boss", "pw"), WriteError);
  EXPECT_TRUE(std::filesystem::exists(InData("name.INI")));
  EXPECT_FALSE(std::filesystem::exists(InData("Boss.INI")));
  EXPECT_EQ(ReadReal(Settings()), settings);
  EXPECT_EQ(AdministratorNames(fs()), Names{"name"});
}

TEST_F(DataStoreTest, DeletingAUserRemovesFileAndKeyButNotTheGlobalRecord) {
  ASSERT_TRUE(InitialiseStore(fs()));
  for (const char* name : {"Ann", "Bob", "Cy"}) {
    AddUserEntry(fs(), name, "pw");
    CreateAccountFile(fs(), name);
  }
  RecordHide("Bob", "C:\\Bobs");
  DeleteUserAccount(fs(), "Bob");
  EXPECT_FALSE(std::filesystem::exists(InData("Bob.INI")));
  EXPECT_EQ(UserNames(fs()), (Names{"Ann", "Cy"}));
  EXPECT_EQ(IniFile(fs(), r::kGlobalRecordFile).ReadString(r::kHiddenItemsSection, "1", ""), "C:\\Bobs");

  std::filesystem::remove(InData("Cy.INI"));  // file already gone: the key goes all the same
  DeleteUserAccount(fs(), "Cy");
  EXPECT_EQ(UserNames(fs()), Names{"Ann"});
}

TEST_F(DataStoreTest, MirrorCopiesTheGlobalRecordWhenThereIsOne) {
  const std::string mirror = prefix_.DriveD() + "/biefei.ini";

  // Before any hide: an older mirror keeps its content and ends hidden.
  WriteAll(mirror, "old mirror");
  MakeMirrorCopy(fs());
  EXPECT_EQ(ReadReal(mirror), "old mirror");
  EXPECT_EQ(DosAttrib(mirror), kHiddenSystem);

  ASSERT_TRUE(InitialiseStore(fs()));
  RecordHide("name", "C:\\Private");
  MakeMirrorCopy(fs());
  EXPECT_EQ(ReadReal(mirror), ReadReal(InData("biefei.INI")));
  EXPECT_EQ(DosAttrib(mirror), kHiddenSystem);

  // A mirror that is gone is made again.
  std::filesystem::remove(mirror);
  MakeMirrorCopy(fs());
  EXPECT_EQ(ReadReal(mirror), ReadReal(InData("biefei.INI")));
}

}  // namespace
}  // namespace store
