#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/messages.h"
#include "app/pictures/pictures.h"
#include "toolkit/check_list_view.h"
#include "toolkit/edit_controls.h"
#include "toolkit/backend.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "toolkit/speed_button.h"
#include "store/data_store.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/app/program_fixture.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;
namespace records = store::records;
using app::messages::kInvalidNameOrPassword;
using app::messages::kMissingNameOrPassword;
using app::messages::kNameTaken;
using Strings = std::vector<std::string>;

constexpr char kSettingsWriteError[] = "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\zizodo.INI.";
constexpr char kAccountMarker[] = "[guanlishezhi]\r\n1=1\r\n";

// Every file, folder and link under `root` (links not followed), with each
// file's bytes: equal snapshots mean nothing was created, changed, renamed
// or deleted.
std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> tree;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    const std::string path = entry.path().lexically_relative(root).string();
    if (entry.is_symlink()) {
      tree[path] = "link " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_directory()) {
      tree[path] = "folder";
    } else {
      tree[path] = ReadAll(entry.path().string());
    }
  }
  return tree;
}

// Makes a file unchangeable even for root (the immutable flag) while it
// lives, so that every write of the record file fails. Usable() is false
// where the file system or the process cannot set the flag.
class ImmutableFile {
 public:
  explicit ImmutableFile(const std::string& path) : path_(path) { usable_ = SetFlag(true); }
  ~ImmutableFile() { Release(); }
  bool Usable() const { return usable_; }
  void Release() {
    if (usable_) SetFlag(false);
    usable_ = false;
  }

 private:
  bool SetFlag(bool on) {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
  }

  std::string path_;
  bool usable_ = false;
};

class OptionsWindowTest : public ProgramTest {
 protected:
  app::TForm3* Options() { return forms().options; }

  // Opens the window as the administrator gate does.
  void OpenOptions() {
    Options()->ReloadUserList();
    forms().main->Hide();
    Options()->Show();
    ProcessEvents();
  }

  void FillAdministratorTab(const std::string& name, const std::string& password) {
    Options()->AdministratorNameBox()->SetText(name);
    Options()->AdministratorPasswordBox()->SetText(password);
  }
  void FillUsersTab(const std::string& name, const std::string& password) {
    Options()->UserNameBox()->SetText(name);
    Options()->UserPasswordBox()->SetText(password);
  }
  bool BoxesEmpty() {
    return Options()->AdministratorNameBox()->Text().empty() && Options()->AdministratorPasswordBox()->Text().empty() &&
           Options()->UserNameBox()->Text().empty() && Options()->UserPasswordBox()->Text().empty();
  }
  bool Closed() { return !Options()->Visible() && forms().main->Visible(); }

  // An ordinary user made as the store makes one, without the window.
  void AddUser(const std::string& name, const std::string& password) {
    store::AddUserEntry(prefix_.fs(), name, password);
    store::CreateAccountFile(prefix_.fs(), name);
  }
  std::vector<std::string> Users() { return store::UserNames(prefix_.fs()); }
  std::vector<std::string> Administrators() { return store::AdministratorNames(prefix_.fs()); }
  std::string Settings() { return FileText(records::kSettingsFile); }
  bool AccountFileExists(const std::string& name) {
    return prefix_.fs().FileExists(records::AccountFileProbe(name));
  }

  Strings ListedUsers() {
    Strings names;
    for (int row = 0; row < Options()->UserList()->RowCount(); ++row) names.push_back(Options()->UserList()->Caption(row));
    return names;
  }
  Strings LoginUserBoxItems() {
    Strings items;
    for (int i = 0; i < forms().login->UserBox()->Count(); ++i) items.push_back(forms().login->UserBox()->ItemText(i));
    return items;
  }
  bool OfferedForLogin(const std::string& name) {
    const Strings items = LoginUserBoxItems();
    return std::find(items.begin(), items.end(), name) != items.end();
  }

  app::Image Grab(const std::string& name) { return GrabWindow(Options(), name); }
};

std::string HeaderFor(int users) { return std::string(38, ' ') + std::to_string(users) + "  Name"; }

TEST_F(OptionsWindowTest, TheGateOpensTheWindowWithTheUsersReadAfresh) {
  StartLoggedInAsAdministrator();
  AddUser("Zoe", "1");
  AddUser("Ann", "2");
  Options()->UserList()->AddRow("stale row", {}, true);

  forms().main->SpeedButton3Click();
  ProcessEvents();
  EXPECT_TRUE(Options()->Visible());
  EXPECT_FALSE(forms().main->Visible());
  EXPECT_EQ(ListedUsers(), (Strings{"Zoe", "Ann"}));
  EXPECT_FALSE(Options()->UserList()->Checked(0));
  EXPECT_FALSE(Options()->UserList()->Checked(1));
  EXPECT_EQ(Options()->UserList()->ColumnCaption(0), "");
  EXPECT_EQ(Options()->Pages()->ActivePage(), Options()->AdministratorTab());
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(OptionsWindowTest, AdministratorChangeMovesTheAccountAndItsHiddenItemsToTheNewName) {
  StartLoggedInAsAdministrator();
  store::IniFile(prefix_.fs(), records::AccountFile("name"))
      .WriteString(records::kHiddenItemsSection, "1", "C:\\Data\\Private");
  const std::string old_contents = FileText(records::AccountFile("name"));
  OpenOptions();

  FillAdministratorTab("Boss", "s3cret");
  Options()->SpeedButton3Click();
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(BoxesEmpty());
  EXPECT_EQ(Administrators(), std::vector<std::string>{"Boss"});
  EXPECT_EQ(store::AdministratorPassword(prefix_.fs(), "Boss"), "s3cret");
  EXPECT_FALSE(AccountFileExists("name"));
  EXPECT_EQ(FileText(records::AccountFile("Boss")), old_contents);
  EXPECT_EQ(DosAttrib(Native(records::AccountFile("Boss"))), "0x6");
  // The program goes on under the new name: the login window's boxes, the
  // list of hidden items and the administrator gate.
  EXPECT_EQ(forms().login->CurrentAccount(), "Boss");
  EXPECT_EQ(forms().login->PasswordBox()->Text(), "s3cret");
  // "Comeback" with every row ticked restores nothing and shows the list.
  forms().main->SpeedButton2Click();
  EXPECT_EQ(forms().main->HiddenList()->RowCount(), 1);
  EXPECT_EQ(forms().main->StatusLine()->Text(), "Present user name:Boss;     Hide:  1 File");
  forms().main->SpeedButton3Click();
  EXPECT_TRUE(Options()->Visible());
  EXPECT_TRUE(dialogs_.messages.empty());

  // From the next start on the new name is offered and logs in.
  Restart();
  EXPECT_EQ(LoginUserBoxItems(), Strings{"Boss"});
  LogIn("Boss", "s3cret");
  EXPECT_TRUE(forms().main->Visible());
  forms().main->SpeedButton2Click();
  EXPECT_EQ(forms().main->HiddenList()->RowCount(), 1);
  EXPECT_EQ(FileText(records::AccountFile("Boss")), old_contents);
}

TEST_F(OptionsWindowTest, TakenNamesAreRefusedWhateverTheirLetterCase) {
  StartLoggedInAsAdministrator();
  AddUser("Ann", "pw");
  const auto before = Snapshot(prefix_.root());
  struct Attempt {
    bool administrator_tab;
    std::string name;
    std::string password;
  };
  const std::vector<Attempt> attempts = {
      {true, "name", "a new password"},  // only the password changed
      {true, "NAME", "x"},
      {true, "ann", "x"},
      {false, "name", "x"},  // the administrator's own name
      {false, "aNN", "x"},
  };
  for (const Attempt& attempt : attempts) {
    SCOPED_TRACE(attempt.name);
    dialogs_.Clear();
    OpenOptions();
    if (attempt.administrator_tab) {
      FillAdministratorTab(attempt.name, attempt.password);
    } else {
      FillUsersTab(attempt.name, attempt.password);
    }
    Options()->SpeedButton3Click();
    EXPECT_EQ(dialogs_.messages, std::vector<std::string>{kNameTaken});
    EXPECT_TRUE(BoxesEmpty());
    EXPECT_TRUE(Closed());
  }
  EXPECT_EQ(Snapshot(prefix_.root()), before);
  EXPECT_EQ(forms().login->CurrentAccount(), "name");
}

TEST_F(OptionsWindowTest, IncompleteInputWritesNothingAndOkStillCloses) {
  StartLoggedInAsAdministrator();
  const auto before = Snapshot(prefix_.root());
  // Every box empty: no message either.
  OpenOptions();
  Options()->SpeedButton3Click();
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(dialogs_.messages.empty());

  // Only one of name and password, on either tab: the input is gone.
  OpenOptions();
  FillAdministratorTab("Boss", "");
  FillUsersTab("", "pw");
  Options()->SpeedButton3Click();
  EXPECT_EQ(dialogs_.messages, (std::vector<std::string>{kMissingNameOrPassword, kMissingNameOrPassword}));
  EXPECT_TRUE(BoxesEmpty());
  EXPECT_TRUE(Closed());
  EXPECT_EQ(Snapshot(prefix_.root()), before);
}

TEST_F(OptionsWindowTest, NamesAndPasswordsThatCouldNotBeStoredAreRefusedBeforeAnythingIsWritten) {
  StartLoggedInAsAdministrator();
  const auto before = Snapshot(prefix_.root());
  struct Input {
    std::string name;
    std::string password;
  };
  const std::vector<Input> inputs = {
      {"..\\..\\x", "pw"}, {"a/b", "pw"}, {"C:x", "pw"},     {"x=y", "pw"},      {"[x", "pw"},
      {";x", "pw"},        {" x", "pw"},  {"x ", "pw"},      {"CON", "pw"},      {"nul.txt", "pw"},
      {"biefei", "pw"},    {"x", " secret"}, {"x", "'secret'"},
  };
  for (const bool administrator_tab : {true, false}) {
    for (const Input& input : inputs) {
      SCOPED_TRACE((administrator_tab ? "first tab: " : "second tab: ") + input.name + " / " +
                   input.password);
      dialogs_.Clear();
      OpenOptions();
      if (administrator_tab) {
        FillAdministratorTab(input.name, input.password);
      } else {
        FillUsersTab(input.name, input.password);
      }
      Options()->SpeedButton3Click();
      EXPECT_EQ(dialogs_.messages, std::vector<std::string>{kInvalidNameOrPassword});
      EXPECT_TRUE(BoxesEmpty());
      EXPECT_TRUE(Closed());
    }
  }
  EXPECT_EQ(Snapshot(prefix_.root()), before);
  EXPECT_TRUE(Options()->UserList()->RowCount() == 0);
  EXPECT_EQ(forms().login->CurrentAccount(), "name");
}

TEST_F(OptionsWindowTest, ACreatedUserIsListedAtOnceAndOfferedForLoginFromTheNextStart) {
  StartLoggedInAsAdministrator();
  AddUser("Zoe", "1");
  OpenOptions();
  // Unusual but storable: blanks and quotes inside, letters beyond ASCII.
  const std::string name = "Ann O'Neil-\xC3\xA9.2";
  const std::string password = "'pa ss\"w=rd;";
  FillUsersTab(name, password);
  Options()->SpeedButton3Click();
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(Closed());
  EXPECT_EQ(Users(), (std::vector<std::string>{"Zoe", name}));
  EXPECT_EQ(ListedUsers(), (Strings{"Zoe", name}));
  EXPECT_FALSE(Options()->UserList()->Checked(1));
  EXPECT_EQ(FileText(records::AccountFile(name)), kAccountMarker);
  EXPECT_EQ(DosAttrib(Native(records::AccountFile(name))), "0x6");
  EXPECT_FALSE(OfferedForLogin(name));

  Restart();
  EXPECT_TRUE(OfferedForLogin(name));
  LogIn(name, password);
  EXPECT_TRUE(forms().main->Visible());
  EXPECT_EQ(forms().login->CurrentAccount(), name);
}

TEST_F(OptionsWindowTest, OneOkChangesTheAdministratorAndThenCreatesTheUser) {
  StartLoggedInAsAdministrator();
  OpenOptions();
  Options()->Pages()->SetActivePage(Options()->UsersTab());
  FillAdministratorTab("Boss", "s3cret");
  // The new user may take the administrator's old name: it is free by then.
  FillUsersTab("name", "pw");
  Options()->SpeedButton3Click();
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(Closed());
  EXPECT_EQ(Administrators(), std::vector<std::string>{"Boss"});
  EXPECT_EQ(Users(), std::vector<std::string>{"name"});
  EXPECT_EQ(FileText(records::AccountFile("name")), kAccountMarker);
  EXPECT_TRUE(AccountFileExists("Boss"));
}

TEST_F(OptionsWindowTest, DeleteRemovesTheTickedUsersWhereverTheyStand) {
  StartLoggedInAsAdministrator();
  for (const char* user : {"A", "B", "C", "D", "E"}) AddUser(user, "pw");
  // C's account file is already gone: the user is removed all the same.
  fs::remove(Native(records::AccountFile("C")));
  OpenOptions();
  for (const int row : {0, 2, 4}) Options()->UserList()->SetChecked(row, true);

  Options()->SpeedButton4Click();
  EXPECT_EQ(ListedUsers(), (Strings{"B", "D"}));
  EXPECT_EQ(Users(), (std::vector<std::string>{"B", "D"}));
  EXPECT_FALSE(AccountFileExists("A"));
  EXPECT_FALSE(AccountFileExists("E"));
  EXPECT_TRUE(AccountFileExists("B"));
  EXPECT_TRUE(AccountFileExists("D"));
  EXPECT_TRUE(AccountFileExists("name"));
  EXPECT_EQ(Options()->UserList()->ColumnCaption(0), HeaderFor(2));
  EXPECT_TRUE(dialogs_.messages.empty());

  // With nothing ticked only the header is written again; a reload keeps it.
  store::IniFile(prefix_.fs(), records::kSettingsFile).WriteString(records::kUsersSection, "F", "pw");
  const auto before = Snapshot(prefix_.root());
  Options()->SpeedButton4Click();
  EXPECT_EQ(ListedUsers(), (Strings{"B", "D"}));
  EXPECT_EQ(Options()->UserList()->ColumnCaption(0), HeaderFor(2));
  EXPECT_EQ(Snapshot(prefix_.root()), before);
  Options()->ReloadUserList();
  EXPECT_EQ(ListedUsers(), (Strings{"B", "D", "F"}));
  EXPECT_EQ(Options()->UserList()->ColumnCaption(0), HeaderFor(2));
}

TEST_F(OptionsWindowTest, StoredNamesThatLeadOutOfTheDataFolderNeverDeleteOrMoveAFile) {
  StartLoggedInAsAdministrator();
  const std::string outside = Native("C:\\WINDOWS\\victim.INI");
  WriteAll(outside, "keep me");
  store::IniFile settings(prefix_.fs(), records::kSettingsFile);
  settings.WriteString(records::kUsersSection, "..\\..\\victim", "pw");
  OpenOptions();
  ASSERT_EQ(ListedUsers(), Strings{"..\\..\\victim"});
  Options()->UserList()->SetChecked(0, true);
  Options()->SpeedButton4Click();
  EXPECT_TRUE(Users().empty());
  EXPECT_EQ(Options()->UserList()->RowCount(), 0);
  EXPECT_EQ(ReadAll(outside), "keep me");

  // An administrator stored under such a name is not renamed: the change
  // fails silently, as a failed rename does.
  settings.EraseSection(records::kAdministratorsSection);
  settings.WriteString(records::kAdministratorsSection, "..\\..\\victim", "pw");
  FillAdministratorTab("Boss", "s3cret");
  Options()->SpeedButton3Click();
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(ReadAll(outside), "keep me");
  EXPECT_FALSE(AccountFileExists("Boss"));
  EXPECT_EQ(Administrators(), std::vector<std::string>{"..\\..\\victim"});
}

TEST_F(OptionsWindowTest, StoredNamesAreListedReadablyAndDeletedByTheirBytes) {
  StartLoggedInAsAdministrator();
  AddUser("J\xFCrgen", "pw");  // written in an 8-bit code page
  AddUser("Zoe", "pw");
  store::IniFile(prefix_.fs(), records::kSettingsFile).WriteString(records::kUsersSection, "zizodo", "pw");
  const std::string data_folder = Native(records::kDataFolder);
  ASSERT_TRUE(ListedInDotHidden(data_folder, "J\xFCrgen.INI"));
  OpenOptions();
  ASSERT_EQ(ListedUsers(), (Strings{"J\u00fcrgen", "Zoe", "zizodo"}));

  Options()->UserList()->SetChecked(0, true);
  Options()->UserList()->SetChecked(2, true);
  Options()->SpeedButton4Click();
  EXPECT_EQ(ListedUsers(), Strings{"Zoe"});
  EXPECT_EQ(Users(), std::vector<std::string>{"Zoe"});
  EXPECT_FALSE(AccountFileExists("J\xFCrgen"));
  EXPECT_FALSE(ListedInDotHidden(data_folder, "J\xFCrgen.INI"));
  // The user named like the settings file lost its key, not the file.
  EXPECT_TRUE(prefix_.fs().FileExists(records::kSettingsFile));
  EXPECT_TRUE(AccountFileExists("Zoe"));
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(OptionsWindowTest, AWriteErrorIsShownAndKeepsTheWindowOpenWithItsInput) {
  StartLoggedInAsAdministrator();
  OpenOptions();
  ImmutableFile settings(Native(records::kSettingsFile));
  if (!settings.Usable()) GTEST_SKIP() << "the immutable flag cannot be set here";

  // The administrator change fails: its rename is undone, the user creation
  // does not run, and nothing is cleared.
  FillAdministratorTab("Boss", "s3cret");
  FillUsersTab("Ann", "pw");
  Options()->SpeedButton3Click();
  EXPECT_EQ(dialogs_.errors, std::vector<std::string>{kSettingsWriteError});
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(Options()->Visible());
  EXPECT_FALSE(forms().main->Visible());
  EXPECT_EQ(Options()->AdministratorNameBox()->Text(), "Boss");
  EXPECT_EQ(Options()->AdministratorPasswordBox()->Text(), "s3cret");
  EXPECT_EQ(Options()->UserNameBox()->Text(), "Ann");
  EXPECT_EQ(Options()->UserPasswordBox()->Text(), "pw");
  EXPECT_EQ(forms().login->CurrentAccount(), "name");
  EXPECT_TRUE(AccountFileExists("name"));
  EXPECT_FALSE(AccountFileExists("Boss"));
  EXPECT_FALSE(AccountFileExists("Ann"));

  // The user creation fails at its first write: no row, no account file.
  dialogs_.Clear();
  FillAdministratorTab("", "");
  Options()->SpeedButton3Click();
  EXPECT_EQ(dialogs_.errors, std::vector<std::string>{kSettingsWriteError});
  EXPECT_TRUE(Options()->Visible());
  EXPECT_EQ(Options()->UserNameBox()->Text(), "Ann");
  EXPECT_EQ(Options()->UserList()->RowCount(), 0);
  EXPECT_FALSE(AccountFileExists("Ann"));

  // Once the file can be written again the same input goes through.
  settings.Release();
  dialogs_.Clear();
  Options()->SpeedButton3Click();
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(Closed());
  EXPECT_EQ(Users(), std::vector<std::string>{"Ann"});
}

TEST_F(OptionsWindowTest, CancelAndTheCloseMarkWriteNothingAndKeepTheInputAndTab) {
  StartLoggedInAsAdministrator();
  const auto before = Snapshot(prefix_.root());
  OpenOptions();
  FillAdministratorTab("Boss", "s3cret");
  FillUsersTab("Ann", "pw");
  Options()->Pages()->SetActivePage(Options()->UsersTab());

  ClickOn(Options()->CancelButton());
  EXPECT_TRUE(Closed());
  OpenOptions();
  EXPECT_EQ(Options()->Pages()->ActivePage(), Options()->UsersTab());

  MoveOver(Options()->CloseMark());
  EXPECT_EQ(Options()->CloseMark()->FontColor(), app::kHoverRed);
  ClickOn(Options()->CloseMark());
  EXPECT_TRUE(Closed());
  EXPECT_EQ(Options()->CloseMark()->FontColor(), app::kBlack);

  // Closed any other way (by the window system), it brings the main window
  // back all the same.
  OpenOptions();
  Options()->Close();
  EXPECT_TRUE(Closed());

  EXPECT_EQ(Options()->AdministratorNameBox()->Text(), "Boss");
  EXPECT_EQ(Options()->UserPasswordBox()->Text(), "pw");
  EXPECT_EQ(Snapshot(prefix_.root()), before);
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(OptionsWindowTest, ButtonsComeBackFlatWhenTheWindowClosedUnderThePointer) {
  StartLoggedInAsAdministrator();
  // The pointer enters a button and presses it; the window closes under the
  // pointer, so no leave event ever reaches the button.
  for (app::SpeedButton* (app::TForm3::*button)() const : {&app::TForm3::CancelButton, &app::TForm3::OkButton}) {
    OpenOptions();
    app::SpeedButton* pressed = (Options()->*button)();
    MoveOver(pressed);
    ASSERT_TRUE(pressed->Hot());
    ClickOn(pressed);
    ASSERT_TRUE(Closed());
    OpenOptions();
    for (app::SpeedButton* shown : {Options()->OkButton(), Options()->CancelButton(), Options()->HelpButton()}) {
      EXPECT_FALSE(shown->Hot()) << shown->Caption() << " after " << pressed->Caption();
    }
    Options()->SpeedButton2Click();
  }
}

TEST_F(OptionsWindowTest, HelpAsksTheShellForTheHelpDocument) {
  StartLoggedInAsAdministrator();
  OpenOptions();
  ClickOn(Options()->HelpButton());
  EXPECT_EQ(shell_.opened, std::vector<std::string>{"C:\\WINDOWS\\Quillomar.htm"});
  EXPECT_TRUE(Options()->Visible());
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(OptionsWindowTest, TitleBarDragsWithAnyButtonAndTheCloseMarkFollowsThePointer) {
  StartLoggedInAsAdministrator();
  OpenOptions();
  // The navy picture lies in front until a skin chooses.
  ClickOn(Options()->NavyPicture(), {-1, -1}, app::MouseButton::kRight);
  ClickOn(Options()->Caption(), {-1, -1}, app::MouseButton::kMiddle);
  Options()->ApplySkin(app::Skin::kOne, app::SkinOrigin::kCommand);
  ClickOn(Options()->GlossyPicture(), {300, 10});
  EXPECT_EQ(window_manager_.drags, (std::vector<app::BorderlessWindow*>{Options(), Options(), Options()}));
  EXPECT_TRUE(Options()->Visible());

  app::Label* mark = Options()->CloseMark();
  // Surfaces that are not listed leave the mark as it is.
  MoveOver(mark);
  MoveOver(Options()->Caption());
  MoveOver(Options()->Pages());
  MoveOver(Options()->AdministratorNameBox());
  EXPECT_EQ(mark->FontColor(), app::kHoverRed);
  Options()->ApplySkin(app::Skin::kTwo, app::SkinOrigin::kCommand);
  const std::vector<std::pair<app::Control*, app::Point>> resets{
      {Options()->BodyPanel(), {5, 5}}, {Options()->NavyPicture(), {300, 10}}};
  for (const auto& [reset, at] : resets) {
    MoveOver(mark);
    EXPECT_EQ(mark->FontColor(), app::kHoverRed);
    MoveOver(reset, at);
    EXPECT_EQ(mark->FontColor(), app::kBlack);
  }
  Options()->ApplySkin(app::Skin::kOne, app::SkinOrigin::kCommand);
  MoveOver(mark);
  MoveOver(Options()->GlossyPicture(), {300, 10});
  EXPECT_EQ(mark->FontColor(), app::kBlack);
}

// Pixels of the window as drawn: title picture, body panel and its edge.
void ExpectPixel(const app::Image& image, app::Point at, app::BgrColor expected) {
  SCOPED_TRACE(testing::Message() << "pixel " << at.x << "," << at.y);
  EXPECT_EQ(Hex(image.ColorAt(at.x, at.y)), Hex(expected));
}

constexpr app::Point kInTitle{200, 12};
constexpr app::Point kInBody{6, 200};
constexpr app::Point kOnBodyEdge{0, 200};
constexpr app::BgrColor kFlatEdge = app::FromRgb(160, 160, 160);
constexpr app::BgrColor kNavyPixel = app::FromRgb(0, 0, 160);

TEST_F(OptionsWindowTest, SkinsColourTheWindowAndItsTitleDependsOnHowTheSkinCame) {
  StartInitialised();
  // Before any login press: the built-in look.
  EXPECT_EQ(Options()->Color(), app::kCream);
  EXPECT_EQ(Options()->BodyPanel()->Color(), app::kCream);
  EXPECT_EQ(Options()->BodyPanel()->GetBevel(), app::Bevel::kFlat);
  EXPECT_EQ(Options()->Caption()->FontColor(), app::CurrentBackend().SystemColour(app::SystemColor::kWindowText));
  app::Image image = Grab("options_builtin");
  ExpectPixel(image, kInTitle, kNavyPixel);
  ExpectPixel(image, kInBody, app::kCream);
  ExpectPixel(image, kOnBodyEdge, kFlatEdge);

  // Skin 1 from the settings file, applied by a (failed) login press.
  store::IniFile(prefix_.fs(), records::kSettingsFile)
      .WriteString(records::kSkinSection, records::kSkinKey, records::kSkinOne);
  LogIn("name", "wrong");
  EXPECT_EQ(Options()->Color(), app::kLavender);
  EXPECT_EQ(Options()->BodyPanel()->Color(), app::kLavender);
  EXPECT_EQ(Options()->BodyPanel()->GetBevel(), app::Bevel::kNone);
  EXPECT_EQ(Options()->Caption()->FontColor(), app::kNavy);
  Options()->Show();
  image = Grab("options_skin1");
  const app::Image& glossy = app::GlossyTitlePicture();
  const app::Point in_glossy = kInTitle - Options()->GlossyPicture()->Bounds().TopLeft();
  ExpectPixel(image, kInTitle, glossy.ColorAt(in_glossy.x, in_glossy.y));
  ExpectPixel(image, kInBody, app::kLavender);
  ExpectPixel(image, kOnBodyEdge, app::kLavender);

  // Skin 2 from the settings file: near-white title text.
  store::IniFile(prefix_.fs(), records::kSettingsFile)
      .WriteString(records::kSkinSection, records::kSkinKey, records::kSkinTwo);
  forms().login->Button3Click();
  EXPECT_EQ(Options()->Color(), app::kLightGrey);
  EXPECT_EQ(Options()->BodyPanel()->Color(), app::kLightGrey);
  EXPECT_EQ(Options()->BodyPanel()->GetBevel(), app::Bevel::kFlat);
  EXPECT_EQ(Options()->Caption()->FontColor(), app::kNearWhite);
  image = Grab("options_skin2");
  ExpectPixel(image, kInTitle, kNavyPixel);
  ExpectPixel(image, kInBody, app::kLightGrey);
  ExpectPixel(image, kOnBodyEdge, kFlatEdge);
  EXPECT_FALSE(Options()->GlossyPicture()->Visible());

  // The Skin command switches to skin 1 and back to skin 2, which now has
  // light-grey title text.
  forms().main->SpeedButton5Click();
  EXPECT_EQ(Options()->Color(), app::kLavender);
  EXPECT_EQ(Options()->Caption()->FontColor(), app::kNavy);
  EXPECT_FALSE(Options()->NavyPicture()->Visible());
  forms().main->SpeedButton5Click();
  EXPECT_EQ(Options()->Color(), app::kLightGrey);
  EXPECT_EQ(Options()->Caption()->FontColor(), app::kLightGrey);
  EXPECT_TRUE(Options()->NavyPicture()->Visible());
}

}  // namespace
}  // namespace testing_support
