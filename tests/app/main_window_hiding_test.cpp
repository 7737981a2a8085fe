#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/scroll_box.h"
#include "toolkit/speed_button.h"
#include "toolkit/splitter.h"
#include "toolkit/test_driver.h"
#include "toolkit/shell_list_view.h"
#include "engine/hidden_items.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/file_access.h"

namespace testing_support {
namespace {

namespace records = store::records;
using Strings = std::vector<std::string>;

class MainWindowHidingTest : public MainWindowTest {
 protected:
  void SetUp() override { StartLoggedInAsAdministrator(); }
  Strings BrowserNames() {
    Strings names;
    for (int row = 0; row < main().ShellBrowser()->RowCount(); ++row) names.push_back(main().ShellBrowser()->RowName(row));
    return names;
  }
  // The list's rows: "path", or "-path" when unticked.
  Strings Rows() {
    Strings rows;
    for (int row = 0; row < main().HiddenList()->RowCount(); ++row) {
      rows.push_back((main().HiddenList()->Checked(row) ? "" : "-") + main().HiddenList()->Caption(row));
    }
    return rows;
  }
  std::string Status() { return main().StatusLine()->Text(); }
  Strings Entries(const std::string& file) {
    store::IniFile ini(prefix_.fs(), file);
    Strings entries;
    for (const std::string& key : ini.ReadSection(records::kHiddenItemsSection)) {
      entries.push_back(key + "=" + ini.ReadString(records::kHiddenItemsSection, key, ""));
    }
    return entries;
  }
  bool Showing(app::SpeedButton* shown, app::SpeedButton* hidden) { return Shown(shown) && !Shown(hidden); }
};

TEST_F(MainWindowHidingTest, ListStaysEmptyAfterLoginAndRejectedPathsOnlyReloadIt) {
  store::IniFile(prefix_.fs(), records::AccountFile("name")).WriteString(records::kHiddenItemsSection, "7", "C:\\Old");
  const std::string account = FileText(records::AccountFile("name"));
  const std::string settings = FileText(records::kSettingsFile);
  Restart();
  LogIn("name", "31852");
  EXPECT_TRUE(Rows().empty() && Status().empty());

  main().Label10Click();
  main().Label13Click();  // the line is empty
  EXPECT_EQ(Rows(), Strings{"C:\\Old"});
  EXPECT_EQ(Status(), "Present user name:name;     Hide:  1 File");
  EXPECT_TRUE(MenusClosed());
  EXPECT_EQ(FileText(records::AccountFile("name")), account);
  EXPECT_EQ(FileText(records::kSettingsFile), settings);
}

TEST_F(MainWindowHidingTest, HideFolderHidesTheSelectedItemAndComebackBringsItBack) {
  std::filesystem::create_directories(prefix_.DriveC() + "/Data/Private");
  WriteAll(prefix_.DriveC() + "/Data/after.txt", "");
  SelectInBrowser("C:\\Data", "Private");
  EXPECT_EQ(main().SelectedPathLine()->Text(), "C:\\Data\\Private");

  ClickOn(main().ToolbarButtons()[0]);
  EXPECT_EQ(DosAttrib(Native("C:\\Data\\Private")), "0x6");
  EXPECT_EQ(ListedInDotHidden(prefix_.DriveC() + "/Data", "Private"), KeepsDotHiddenLists());
  EXPECT_EQ(BrowserNames(), Strings{"after.txt"});
  EXPECT_EQ(Rows(), Strings{"C:\\Data\\Private"});
  EXPECT_EQ(main().HiddenList()->Text(0, 1), "Hide");
  EXPECT_EQ(Status(), "Present user name:name;     Hide:  1 File");
  EXPECT_EQ(main().SelectedPath(), "");
  EXPECT_EQ(shell_.notifications, 1);
  EXPECT_EQ(Entries(records::AccountFile("name")), Strings{"1=C:\\Data\\Private"});
  EXPECT_EQ(Entries(records::kGlobalRecordFile), Strings{"1=C:\\Data\\Private"});

  main().HiddenList()->SetChecked(0, false);
  ClickOn(main().ToolbarButtons()[1]);
  EXPECT_EQ(DosAttrib(Native("C:\\Data\\Private")), "");
  EXPECT_EQ(BrowserNames(), (Strings{"Private", "after.txt"}));
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Status(), "Present user name:name;     Hide:  0 File");
  EXPECT_EQ(shell_.notifications, 2);
  EXPECT_TRUE(Entries(records::AccountFile("name")).empty() && Entries(records::kGlobalRecordFile).empty());
}

TEST_F(MainWindowHidingTest, ComebackShowsTheListItsCommandReloadedWithoutLoadingItAgain) {
  Hide({"One", "Two"});
  int looks = 0;
  files_.before_look = [&](const std::string&) { ++looks; };
  engine::LoadList(files_, "name");
  const int one_load = looks;
  looks = 0;
  // Nothing unticked: the command only reloads the list.
  ClickOn(main().ToolbarButtons()[1]);
  files_.before_look = nullptr;
  EXPECT_EQ(looks, one_load);
  EXPECT_EQ(Rows(), (Strings{"C:\\Data\\One", "C:\\Data\\Two"}));
}

TEST_F(MainWindowHidingTest, ANameThatIsNotUtf8IsHiddenAndRestoredByteForByte) {
  // Latin-1, as older disks hold it; the records hold those bytes (on
  // Windows, the code page's), whatever the listing shows.
  const std::string name = testing_support::ListedForm("caf\xe9.txt");
  const std::string path = "C:\\Data\\" + name;
  Hide({name});
  EXPECT_EQ(DosAttrib(Native(path)), "0x6");
  EXPECT_EQ(Entries(records::AccountFile("name")), Strings{"1=C:\\Data\\caf\xe9.txt"});
  main().HiddenList()->SetChecked(0, false);
  main().SpeedButton2Click();
  EXPECT_EQ(DosAttrib(Native(path)), "");
  EXPECT_TRUE(Rows().empty() && Entries(records::AccountFile("name")).empty());
}

TEST_F(MainWindowHidingTest, DroppedFoldersAndFilesAreHiddenInTheOrderDropped) {
  const Strings items{"D:\\Drop\\one", "D:\\Drop\\two", "D:\\Drop\\file"};
  // Explorer drops the program's own paths; a Linux file manager the system's.
  Strings dropped;
  for (const std::string& item : items) {
    item == items[2] ? MakeExactFile(Native(item), "x") : MakeFolders(Native(item));
    dropped.push_back(KeepsDotHiddenLists() ? Native(item) : item);
  }
  app::CurrentTestDriver().DropFiles(main(), {300, 300}, dropped);
  EXPECT_EQ(Rows(), items);
  EXPECT_EQ(HiddenMarks(Native(items[0])), kHiddenMarks);
  EXPECT_EQ(Status(), "Present user name:name;     Hide:  3 File");
}

TEST_F(MainWindowHidingTest, FailedRecordWritesAreShownOnceAndLeaveTheListTrue) {
  Hide({"first.txt", "second.txt", "third.txt"});
  main().HiddenList()->SetChecked(2, false);
  main().SpeedButton2Click();
  ASSERT_EQ(chmod(Native(records::kGlobalRecordFile).c_str(), 0444), 0);
  main().StatusLine()->SetText("unchanged");
  SelectInBrowser("C:\\Data", "third.txt");
  main().SpeedButton1Click();
  EXPECT_EQ(dialogs_.errors, Strings{"Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\biefei.INI."});
  EXPECT_EQ(DosAttrib(Native("C:\\Data\\third.txt")), "");
  EXPECT_EQ(BrowserNames(), Strings{"third.txt"});
  // The steps that always run did: the list shows the account file, which
  // got its entry before the global record failed; the line is empty. The
  // rest of the command did not run.
  EXPECT_EQ(Rows(), (Strings{"C:\\Data\\first.txt", "C:\\Data\\second.txt", "C:\\Data\\third.txt"}));
  EXPECT_EQ(main().SelectedPath(), "");
  EXPECT_EQ(Status(), "unchanged");

  // A restore whose global record fails leaves the account file as it is:
  // the row stays, so that no global entry outlives it, and a later Comeback
  // finishes it. The list, the status line and the browser show the files
  // and the items as they are, and the error shows once.
  main().HiddenList()->SetChecked(0, false);
  main().SpeedButton9Click();
  EXPECT_EQ(dialogs_.errors.size(), 2u);
  EXPECT_EQ(DosAttrib(Native("C:\\Data\\first.txt")), "");
  EXPECT_EQ(Rows(), (Strings{"C:\\Data\\first.txt", "C:\\Data\\second.txt", "C:\\Data\\third.txt"}));
  EXPECT_EQ(Status(), "Present user name:name;     Hide:  3 File");
  EXPECT_EQ(BrowserNames(), (Strings{"first.txt", "third.txt"}));

  // The account file failing does not keep the global record from being
  // cleaned.
  ASSERT_EQ(chmod(Native(records::kGlobalRecordFile).c_str(), 0644), 0);
  ASSERT_EQ(chmod(Native(records::AccountFile("name")).c_str(), 0444), 0);
  main().HiddenList()->SetChecked(1, false);
  main().SpeedButton2Click();
  EXPECT_EQ(dialogs_.errors.back(), "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\name.INI.");
  EXPECT_EQ(Rows(), (Strings{"C:\\Data\\first.txt", "C:\\Data\\second.txt", "C:\\Data\\third.txt"}));
  EXPECT_EQ(Entries(records::kGlobalRecordFile), Strings{"1=C:\\Data\\first.txt"});
  EXPECT_EQ(BrowserNames(), (Strings{"first.txt", "second.txt", "third.txt"}));
}

TEST_F(MainWindowHidingTest, TickButtonsSwapInsideTheLoopAndSurviveReloads) {
  ClickOn(main().UncheckAllButton());  // empty list: nothing swaps
  EXPECT_TRUE(Showing(main().UncheckAllButton(), main().CheckAllButton()));
  Hide({"a.txt", "b.txt"});
  ClickOn(main().UncheckAllButton());
  EXPECT_EQ(Rows(), (Strings{"-C:\\Data\\a.txt", "-C:\\Data\\b.txt"}));
  EXPECT_TRUE(Showing(main().CheckAllButton(), main().UncheckAllButton()));
  ClickOn(main().CheckAllButton());
  EXPECT_EQ(Rows(), (Strings{"C:\\Data\\a.txt", "C:\\Data\\b.txt"}));
  EXPECT_TRUE(Showing(main().UncheckAllButton(), main().CheckAllButton()));

  // Restoring every row empties the list but leaves "Checked All", which
  // then changes nothing.
  ClickOn(main().UncheckAllButton());
  ClickOn(main().StripComebackButton());
  EXPECT_TRUE(Rows().empty());
  ClickOn(main().CheckAllButton());
  EXPECT_TRUE(Showing(main().CheckAllButton(), main().UncheckAllButton()));
}

TEST_F(MainWindowHidingTest, GridButtonsAndTheStripFollowingTheSplitter) {
  ClickOn(main().GridOnButton());
  EXPECT_TRUE(main().HiddenList()->GridLines() && Showing(main().GridOffButton(), main().GridOnButton()));
  ClickOn(main().GridOffButton());
  EXPECT_TRUE(!main().HiddenList()->GridLines() && Showing(main().GridOnButton(), main().GridOffButton()));

  EXPECT_EQ(main().ButtonStrip()->Bounds(), app::Rect(-3, 236, 474, 13));
  EXPECT_EQ(main().ShellBrowser()->Height(), 230);
  main().WorkSplitter()->MoveHandleTo(270);
  EXPECT_EQ(main().ButtonStrip()->Bounds(), app::Rect(-3, 276, 474, 13));
  EXPECT_EQ(main().StripFiller()->Bounds(), app::Rect(450, 236, 60, 2));
  main().WorkSplitter()->MoveHandleTo(0);
  EXPECT_EQ(main().ShellBrowser()->Height(), 30);
  EXPECT_EQ(main().ButtonStrip()->Top(), 30 + 8 - 2);
  main().WorkSplitter()->MoveHandleTo(1000);
  EXPECT_EQ(main().HiddenList()->Height(), 30);
}

#ifndef _WIN32
// A name that holds a backslash exists on Linux only.
TEST_F(MainWindowHidingTest, ARowWhoseNameHoldsABackslashIsRefusedAndRenamedAsItself) {
  std::filesystem::create_directories(prefix_.DriveC() + "/Data/sub");
  WriteAll(prefix_.DriveC() + "/Data/sub/x\\..\\..\\victim", "");
  WriteAll(prefix_.DriveC() + "/Data/victim", "v");
  chmod((prefix_.DriveC() + "/Data/victim").c_str(), 0444);
  const std::string settings = FileText(records::kSettingsFile);
  SelectInBrowser("C:\\Data\\sub", "x\\..\\..\\victim");
  EXPECT_EQ(main().SelectedPathLine()->Text(), "C:\\Data\\sub\\x\\..\\..\\victim");

  main().SpeedButton1Click();
  EXPECT_EQ(dialogs_.messages,
            Strings{"Can not hide \"C:\\Data\\sub\\x\\..\\..\\victim\": its name holds a \"\\\", "
                    "please rename or move it first!"});
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_EQ(FileText(records::kSettingsFile), settings);
  EXPECT_EQ(DosAttrib(prefix_.DriveC() + "/Data/sub/x\\..\\..\\victim"), "");
  EXPECT_EQ(DosAttrib(prefix_.DriveC() + "/Data/victim"), "");
  EXPECT_FALSE(ListedInDotHidden(prefix_.DriveC() + "/Data", "victim"));
  struct stat status {};
  ASSERT_EQ(stat((prefix_.DriveC() + "/Data/victim").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0444u);

  // The browser's rename renames the entry itself, inside its folder.
  SelectInBrowser("C:\\Data\\sub", "x\\..\\..\\victim");
  app::ShellListView* browser = main().ShellBrowser();
  ASSERT_TRUE(browser->FinishRename(browser->SelectedRow(), "plain"));
  EXPECT_TRUE(std::filesystem::exists(prefix_.DriveC() + "/Data/sub/plain"));
  EXPECT_EQ(ReadAll(prefix_.DriveC() + "/Data/victim"), "v");
  EXPECT_EQ(main().SelectedPathLine()->Text(), "C:\\Data\\sub\\plain");
}
#endif

}  // namespace
}  // namespace testing_support
