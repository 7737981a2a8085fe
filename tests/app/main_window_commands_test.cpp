#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/messages.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/speed_button.h"
#include "toolkit/backend.h"
#include "toolkit/shell_list_view.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/app/main_window_fixture.h"

namespace testing_support {
namespace {

namespace records = store::records;
using app::messages::kNotAdministrator;
using MainWindowCommandsTest = MainWindowTest;

constexpr char kGlobalRecord[] = "[weijianyincang]\r\n1=C:\\x\r\n";

TEST_F(MainWindowCommandsTest, UpButtonClimbsToTheDesktopAndStaysThere) {
  StartLoggedInAsAdministrator();
  std::filesystem::create_directories(prefix_.DriveC() + "/Data");
  WriteAll(prefix_.DriveC() + "/Data/a.txt", "");
  SelectInBrowser("C:\\Data", "a.txt");
  ClickOn(main().UpButton());
  EXPECT_EQ(main().ShellBrowser()->CurrentFolder(), "C:\\");
  EXPECT_TRUE(main().SelectedPath().empty() && main().SelectedPathLine()->Text().empty());
  main().ShellBrowser()->ShowMyComputer();
  ClickOn(main().UpButton());
  ClickOn(main().UpButton());
  EXPECT_TRUE(main().ShellBrowser()->AtDesktop());
}

TEST_F(MainWindowCommandsTest, ExitCopiesTheMirrorWhenDriveDIsThereAndOtherClosesNever) {
  StartLoggedInAsAdministrator();
  WriteAll(Native(records::kGlobalRecordFile), kGlobalRecord);
  main().Label10Click();
  ClickOn(main().FileMenuEntries()[5]);
  EXPECT_TRUE(program().Ended());
  EXPECT_EQ(ReadAll(Native(records::kMirrorFile)), kGlobalRecord);
  EXPECT_EQ(DosAttrib(Native(records::kMirrorFile)), "0x6");

  Restart();
  LogIn("name", "31852");
  std::filesystem::remove(Native(records::kMirrorFile));
  main().Close();
  EXPECT_TRUE(program().Ended());
  EXPECT_FALSE(std::filesystem::exists(Native(records::kMirrorFile)));

  Restart();
  LogIn("name", "31852");
  std::filesystem::remove(prefix_.prefix() + "/dosdevices/d:");
  ClickOn(main().CloseMark());
  EXPECT_TRUE(program().Ended());
  EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(MainWindowCommandsTest, MinimiseMarkAndTitleDraggingCloseTheMenusFirst) {
  StartLoggedInAsAdministrator();
  main().Label10Click();
  MoveOver(main().MinimiseMark());
  ClickOn(main().MinimiseMark());
  EXPECT_EQ(window_manager_.minimise_requests, 1);
  EXPECT_EQ(main().MinimiseMark()->FontColor(), app::kBlack);
  EXPECT_TRUE(MenusClosed());

  main().Label10Click();
  ClickOn(main().NavyPicture(), {300, 10}, app::MouseButton::kMiddle);
  EXPECT_TRUE(MenusClosed());
  ClickOn(main().Caption(), {-1, -1}, app::MouseButton::kRight);
  main().SpeedButton5Click();  // skin 1: the glossy picture shows
  ClickOn(main().GlossyPicture(), {300, 10});
  EXPECT_EQ(window_manager_.drags, std::vector<app::BorderlessWindow*>(3, &main()));
}

// Where the desktop has nothing to open the guide with, every Help command
// says so once, naming where the guide lies; where it opens, nothing shows.
TEST_F(MainWindowCommandsTest, HelpThatCannotOpenTheGuideSaysWhereItLies) {
  StartLoggedInAsAdministrator();
  const std::string expected = std::string(app::messages::kCannotOpenGuide) +
                               Native(store::records::kHelpDocument) + app::messages::kCannotOpenGuideEnd;
  shell_.open_result = false;
  main().SpeedButton10Click();  // toolbar "Help"
  main().StaticText3Click();    // the "?" mark
  main().SpeedButton3Click();   // "Options"
  forms().options->SpeedButton1Click();  // the Options window's "Help"
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>(3, expected));
  EXPECT_EQ(shell_.opened, std::vector<std::string>(3, store::records::kHelpDocument));
  EXPECT_NE(Native(store::records::kHelpDocument), "");

  dialogs_.Clear();
  shell_.open_result = true;
  main().StaticText3Click();
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(MainWindowCommandsTest, GateRefusesANameThatIsNotExactlyTheAdministratorsOnceEachTime) {
  StartInitialised();
  store::IniFile(prefix_.fs(), records::kSettingsFile).WriteString(records::kUsersSection, "Name", "pw");
  Restart();
  LogIn("Name", "pw");
  forms().find->CloseMark()->SetFontColor(app::kHoverRed);
  main().Label10Click();
  main().Label22Click();
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>{kNotAdministrator});
  EXPECT_TRUE(MenusClosed());
  EXPECT_EQ(forms().find->CloseMark()->FontColor(), app::kBlack);
  main().Label10Click();
  main().Label21Click();
  ClickOn(main().ToolbarButtons()[2]);
  ClickOn(main().ToolbarButtons()[3]);
  EXPECT_EQ(dialogs_.messages, std::vector<std::string>(4, kNotAdministrator));
  EXPECT_TRUE(MenusClosed() && main().Visible());
  EXPECT_FALSE(forms().options->Visible() || forms().find->Visible());
}

TEST_F(MainWindowCommandsTest, GateOpensFindModallyAndOptionsWithAFreshUserListForTheAdministrator) {
  StartInitialised();
  store::IniFile(prefix_.fs(), records::kSettingsFile).WriteString(records::kUsersSection, "Ann", "pw");
  LogIn("name", "31852");
  bool main_hidden_meanwhile = false;
  app::Backend& backend = app::CurrentBackend();
  main().Label10Click();
  PressOn(main().ToolbarButtons()[3]);
  // Runs inside the modal run that the release starts.
  backend.Post([&] {
    main_hidden_meanwhile = !main().Visible() && forms().find->Visible() && forms().find->InModalRun();
    forms().find->CloseMark()->SetFontColor(app::kHoverRed);
    forms().find->Label1Click();
  });
  bool watchdog_fired = false;
  const std::unique_ptr<app::NativeTimer> watchdog = backend.StartTimer(5000, false, [&] {
    watchdog_fired = true;
    forms().find->Close();
  });
  ReleaseOn(main().ToolbarButtons()[3]);
  EXPECT_TRUE(!watchdog_fired && main_hidden_meanwhile);
  EXPECT_TRUE(main().Visible() && MenusClosed());
  EXPECT_EQ(forms().find->CloseMark()->FontColor(), app::kBlack);

  forms().options->UserList()->Clear();
  main().Label10Click();
  main().Label21Click();
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(!main().Visible() && forms().options->Visible() && MenusClosed());
  ASSERT_EQ(forms().options->UserList()->RowCount(), 1);
  EXPECT_EQ(forms().options->UserList()->Caption(0), "Ann");
}

// Where hidden windows come back elsewhere (Wayland), the main window stays
// on screen beneath the modal Find and Options windows, so it never moves.
TEST_F(MainWindowCommandsTest, FindAndOptionsLeaveTheMainWindowOnScreenWhereHiddenWindowsMove) {
  StartLoggedInAsAdministrator();
  window_manager_.keep_places = false;
  struct Case {
    const char* command;
    app::BorderlessWindow* window;
    std::function<void()> open;
    std::function<void()> close;
  };
  const Case cases[] = {
      {"Find", forms().find, [&] { main().SpeedButton4Click(); }, [&] { forms().find->Label1Click(); }},
      {"Options", forms().options, [&] { main().SpeedButton3Click(); }, [&] { forms().options->Label1Click(); }},
  };
  app::Backend& backend = app::CurrentBackend();
  for (const Case& c : cases) {
    bool main_shown_meanwhile = false;
    backend.Post([&] {
      main_shown_meanwhile = main().Visible() && c.window->InModalRun() && MenusClosed();
      c.close();
    });
    const std::unique_ptr<app::NativeTimer> watchdog = backend.StartTimer(5000, false, [&] { c.window->Close(); });
    c.open();
    EXPECT_TRUE(main_shown_meanwhile) << c.command;
    EXPECT_TRUE(main().Visible() && !c.window->Visible()) << c.command;
  }
}

}  // namespace
}  // namespace testing_support
