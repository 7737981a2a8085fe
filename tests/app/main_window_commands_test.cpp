#include <QTimer>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/messages.h"
#include "app/toolkit/check_list_view.h"
#include "app/toolkit/label.h"
#include "app/toolkit/picture.h"
#include "app/toolkit/speed_button.h"
#include "platform/qt/shell_list_view.h"
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
  EXPECT_TRUE(main().SelectedPath().empty() && main().SelectedPathLine()->text().isEmpty());
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
  main().close();
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
  PressOn(main().NavyPicture(), {300, 10}, Qt::MiddleButton);
  EXPECT_TRUE(MenusClosed());
  PressOn(main().Caption(), {-1, -1}, Qt::RightButton);
  main().SpeedButton5Click();  // skin 1: the glossy picture shows
  PressOn(main().GlossyPicture(), {300, 10});
  EXPECT_EQ(window_manager_.drags, std::vector<QWidget*>(3, &main()));
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
  EXPECT_TRUE(MenusClosed() && main().isVisible());
  EXPECT_FALSE(forms().options->isVisible() || forms().find->isVisible());
}

TEST_F(MainWindowCommandsTest, GateOpensFindModallyAndOptionsWithAFreshUserListForTheAdministrator) {
  StartInitialised();
  store::IniFile(prefix_.fs(), records::kSettingsFile).WriteString(records::kUsersSection, "Ann", "pw");
  LogIn("name", "31852");
  bool main_hidden_meanwhile = false;
  QTimer::singleShot(0, forms().find, [&] {
    main_hidden_meanwhile = !main().isVisible() && forms().find->isVisible();
    forms().find->CloseMark()->SetFontColor(app::kHoverRed);
    forms().find->Label1Click();
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, forms().find, [this] { forms().find->close(); });
  watchdog.start(5000);
  main().Label10Click();
  main().ToolbarButtons()[3]->click();
  EXPECT_TRUE(watchdog.isActive() && main_hidden_meanwhile);
  EXPECT_TRUE(main().isVisible() && MenusClosed());
  EXPECT_EQ(forms().find->CloseMark()->FontColor(), app::kBlack);

  forms().options->UserList()->Clear();
  main().Label10Click();
  main().Label21Click();
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_TRUE(!main().isVisible() && forms().options->isVisible() && MenusClosed());
  ASSERT_EQ(forms().options->UserList()->RowCount(), 1);
  EXPECT_EQ(forms().options->UserList()->Caption(0), "Ann");
}

}  // namespace
}  // namespace testing_support
