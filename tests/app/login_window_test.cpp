#include <filesystem>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/messages.h"
#include "toolkit/edit_controls.h"
#include "toolkit/label.h"
#include "toolkit/scroll_box.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/app/program_fixture.h"

namespace testing_support {
namespace {

namespace records = store::records;
using app::messages::kChooseUser;
using app::messages::kWrongNameOrPassword;

constexpr char kFreshSettings[] =
    "[jiance]\r\n1=2\r\n[weijianhao]\r\nycwj=0\r\n[guanlishezhiname]\r\nname=31852\r\n";
constexpr char kFreshAdministratorFile[] = "[guanlishezhi]\r\n1=1\r\n";

using Strings = std::vector<std::string>;

class LoginWindowTest : public ProgramTest {
 protected:
  Strings UserBoxItems() {
    Strings items;
    for (int i = 0; i < forms().login->UserBox()->Count(); ++i) items.push_back(forms().login->UserBox()->ItemText(i));
    return items;
  }
  void AddUser(const std::string& name, const std::string& password) {
    store::IniFile(prefix_.fs(), records::kSettingsFile).WriteString(records::kUsersSection, name, password);
  }
  void AddAdministrator(const std::string& name, const std::string& password) {
    store::IniFile(prefix_.fs(), records::kSettingsFile)
        .WriteString(records::kAdministratorsSection, name, password);
  }
  bool LoggedIn() { return !forms().login->Visible() && forms().main->Visible(); }
};

TEST_F(LoginWindowTest, VeryFirstStartOffersFirstRunAndYesCreatesTheStoreInOrder) {
  Start();
  EXPECT_TRUE(forms().login->FirstRunPanel()->Showing());
  EXPECT_FALSE(forms().login->LoginPanel()->Showing());
  EXPECT_FALSE(std::filesystem::exists(Native(records::kDataFolder)));

  forms().login->SpeedButton2Click();
  EXPECT_EQ(FileText(records::kSettingsFile), kFreshSettings);
  EXPECT_EQ(FileText(records::AccountFile("name")), kFreshAdministratorFile);
  EXPECT_FALSE(forms().login->FirstRunPanel()->Showing());
  EXPECT_TRUE(forms().login->LoginPanel()->Showing());
  EXPECT_EQ(UserBoxItems(), Strings{"name"});
  EXPECT_EQ(forms().login->CurrentAccount(), "");
  // The store's folders are hidden from now on.
  EXPECT_EQ(DosAttrib(Native(records::kDataFolder)), "0x6");
  EXPECT_EQ(DosAttrib(Native(records::kDataParentFolder)), "0x6");
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(LoginWindowTest, YesRefillsTheUserBoxFromScratch) {
  StartInitialised();
  forms().login->SpeedButton2Click();
  EXPECT_EQ(UserBoxItems(), Strings{"name"});
}

TEST_F(LoginWindowTest, AMarkerOtherThanTwoDeletesTheDataFolderAtStart) {
  StartInitialised();
  AddUser("Ann", "pw");
  store::IniFile(prefix_.fs(), records::kSettingsFile).WriteString(records::kFirstRunSection, "1", "1");
  Restart();
  EXPECT_FALSE(std::filesystem::exists(Native(records::kDataFolder)));
  EXPECT_TRUE(std::filesystem::exists(Native(records::kDataParentFolder)));
  EXPECT_TRUE(forms().login->FirstRunPanel()->Showing());
}

TEST_F(LoginWindowTest, AnUnreadableSettingsFileNeverDeletesTheRecords) {
  StartInitialised();
  const std::string settings = Native(records::kSettingsFile);
  std::filesystem::remove(settings);
  std::filesystem::create_directory(settings);  // a folder where the file should be
  Restart();
  EXPECT_TRUE(std::filesystem::exists(Native(records::AccountFile("name"))));
  EXPECT_TRUE(forms().login->FirstRunPanel()->Showing());
}

TEST_F(LoginWindowTest, UserBoxListsOrdinaryUsersFirstThenAdministratorsEachInFileOrder) {
  StartInitialised();
  AddUser("Zoe", "1");
  AddUser("Ann", "2");
  AddAdministrator("boss", "3");
  AddUser("name", "4");  // also an administrator: listed twice
  Restart();
  EXPECT_EQ(UserBoxItems(), (Strings{"Zoe", "Ann", "name", "name", "boss"}));
}

TEST_F(LoginWindowTest, LoginCheckAdmitsOnlyTheExactStoredPassword) {
  StartInitialised();
  AddUser("Ann", "Secret");
  AddUser("Nobody", "");
  Restart();

  forms().login->Button8Click();
  LogIn("Ann", "secret");
  LogIn("Ann", "Secret ");
  LogIn("Nobody", "");
  LogIn("Ann", "");
  EXPECT_EQ(dialogs_.messages, (std::vector<std::string>{kChooseUser, kWrongNameOrPassword,
                                                        kWrongNameOrPassword, kWrongNameOrPassword,
                                                        kWrongNameOrPassword}));
  EXPECT_FALSE(LoggedIn());
  // A failed check leaves name and password in place.
  EXPECT_EQ(forms().login->CurrentAccount(), "Ann");

  LogIn("Ann", "Secret");
  EXPECT_TRUE(LoggedIn());
  EXPECT_EQ(forms().login->CurrentAccount(), "Ann");
  EXPECT_EQ(dialogs_.messages.size(), 5u);
}

TEST_F(LoginWindowTest, ANameInBothSectionsIsAdmittedWithEitherPassword) {
  StartInitialised();
  AddUser("name", "user-pw");
  Restart();
  LogIn("name", "31852");
  EXPECT_TRUE(LoggedIn());
  Restart();
  LogIn("name", "user-pw");
  EXPECT_TRUE(LoggedIn());
}

TEST_F(LoginWindowTest, StoredNamesShowReadablyAndLogInByTheirBytesOnlyWhenValid) {
  StartInitialised();
  AddUser("J\xFCrgen", "pw");  // written in an 8-bit code page
  AddUser("..\\..\\evil", "pw");
  Restart();
  EXPECT_EQ(UserBoxItems(), (Strings{"J\u00fcrgen", "..\\..\\evil", "name"}));

  LogIn("..\\..\\evil", "pw");
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{app::messages::kInvalidNameOrPassword});
  EXPECT_FALSE(LoggedIn());

  LogIn("J\xFCrgen", "pw");
  EXPECT_TRUE(LoggedIn());
  EXPECT_EQ(forms().login->CurrentAccount(), "J\xFCrgen");
  forms().main->SpeedButton2Click();
  EXPECT_EQ(forms().main->StatusLine()->Text(), "Present user name:J\u00fcrgen;     Hide:  0 File");
  EXPECT_EQ(dialogs_.messages.size(), 1u);
}

TEST_F(LoginWindowTest, EnterPressesTheLoginButton) {
  StartInitialised();
  forms().login->UserBox()->SetCurrentIndex(0);
  forms().login->PasswordBox()->SetText("31852");
  // The key goes to the password box, which has no use for it.
  KeyInto(forms().login->PasswordBox(), app::Key::kEnter);
  EXPECT_TRUE(LoggedIn());
}

// The program as the front ends start it: the login window alone, and
// nothing else made while it waits for the login, which makes the others.
TEST_F(LoginWindowTest, StartedWhenAskedTheOtherWindowsComeWithTheLogin) {
  StartInitialised();
  program_.reset();
  ProcessEvents();
  program_ = std::make_unique<app::Program>(services_, app::WindowCreation::kWhenAsked);
  program_->Start();
  ProcessEvents();
  EXPECT_EQ(forms().main, nullptr);
  LogIn("name", "31852");
  EXPECT_TRUE(LoggedIn());
  EXPECT_NE(forms().find, nullptr);
}

TEST_F(LoginWindowTest, EveryLoginPressMakesTheMirrorCopy) {
  StartInitialised();
  WriteAll(Native(records::kGlobalRecordFile), "[weijianyincang]\r\n1=C:\\x\r\n");
  LogIn("name", "wrong");
  const std::string mirror = Native(records::kMirrorFile);
  EXPECT_EQ(ReadAll(mirror), "[weijianyincang]\r\n1=C:\\x\r\n");
  EXPECT_EQ(DosAttrib(mirror), "0x6");

  WriteAll(Native(records::kGlobalRecordFile), "[weijianyincang]\r\n2=C:\\y\r\n");
  LogIn("name", "31852");
  EXPECT_EQ(ReadAll(mirror), "[weijianyincang]\r\n2=C:\\y\r\n");
}

TEST_F(LoginWindowTest, NoCancelAndCloseMarkEndTheProgramWithoutAMirrorCopy) {
  StartInitialised();
  WriteAll(Native(records::kGlobalRecordFile), "[weijianyincang]\r\n1=C:\\x\r\n");
  const std::string mirror = Native(records::kMirrorFile);

  forms().login->Button1Click();  // "Cancel"
  EXPECT_TRUE(program().Ended());
  Restart();
  forms().login->Label3Click();  // the close mark, through the hidden main window
  EXPECT_TRUE(program().Ended());
  EXPECT_FALSE(std::filesystem::exists(mirror));

  std::filesystem::remove_all(Native(records::kDataFolder));
  Restart();
  ASSERT_TRUE(forms().login->FirstRunPanel()->Showing());
  forms().login->SpeedButton3Click();  // "No"
  EXPECT_TRUE(program().Ended());
  EXPECT_FALSE(std::filesystem::exists(mirror));
}

TEST_F(LoginWindowTest, YesWithoutADataFolderSaysSoWritesNothingAndKeepsTheFirstRunPanel) {
  // A file where C:\WINDOWS\zizodo should be: the data folder cannot be made.
  std::filesystem::create_directories(prefix_.DriveC() + "/WINDOWS");
  WriteAll(prefix_.DriveC() + "/WINDOWS/zizodo", "not a folder");
  Start();
  forms().login->SpeedButton2Click();
  EXPECT_TRUE(forms().login->FirstRunPanel()->Showing());
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(dialogs_.errors, std::vector<std::string>{"Unable to write to C:\\WINDOWS\\zizodo\\zizodo123."});
  EXPECT_FALSE(std::filesystem::exists(Native(records::kDataFolder)));
}

#ifndef _WIN32
// A folder that its mode keeps from being written is Linux's: a folder's
// read-only attribute on Windows does not stop new files in it.
TEST_F(LoginWindowTest, YesWithAnUnwritableSettingsFileReportsAndLeavesNoHalfStore) {
  Start();
  const std::string folder = Native(records::kDataFolder);
  std::filesystem::create_directories(folder);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                           std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  forms().login->SpeedButton2Click();
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  // The administrator's account file is the first write of first run.
  EXPECT_EQ(dialogs_.errors[0], "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\name.INI.");
  EXPECT_TRUE(forms().login->FirstRunPanel()->Showing());
  EXPECT_FALSE(std::filesystem::exists(Native(records::kSettingsFile)));
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
  Restart();
  EXPECT_TRUE(forms().login->FirstRunPanel()->Showing());
}
#endif

}  // namespace
}  // namespace testing_support
