#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit4.h"
#include "app/pictures/pictures.h"
#include "toolkit/check_list_view.h"
#include "toolkit/backend.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "engine/hidden_items.h"
#include "toolkit/shell_tree_view.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/app/program_fixture.h"
#include "tests/support/file_access.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;
namespace records = store::records;
using platform::kAttrHiddenSystem;
using platform::kAttrNone;
using platform::kAttrReadOnly;

// Longer than any test needs: a window still open then is closed, so that a
// failing step can never leave the run waiting.
constexpr int kWatchdogMs = 30000;

void MakeFile(const std::string& real_path) { WriteAll(real_path, "x"); }
// The tree's indentation per level, which holds a node's expand mark.
constexpr int kTreeIndentation = 19;

class FindWindowTest : public ProgramTest {
 protected:
  app::TForm4* Find() { return forms().find; }
  app::ShellTreeView* Tree() { return Find()->FolderTree(); }
  app::CheckListView* List() { return Find()->ResultList(); }
  std::string DesktopPath() { return prefix_.fs().DesktopPath(); }
  std::string OnDesktop(const std::string& name) { return DesktopPath() + "\\" + name; }

  // Opens the window as the main window's Find command does (the main window
  // hidden, the window run modally), runs `inside` while it is open, then
  // presses the close mark.
  void RunFindWindow(const std::function<void()>& inside) {
    forms().main->Hide();
    bool ran = false;
    const bool in_time = RunModalWith(*Find(), [&] {
      inside();
      ran = true;
      if (Find()->InModalRun()) ClickOn(Find()->CloseMark());
    }, kWatchdogMs);
    EXPECT_TRUE(in_time) << "the window had to be closed by the watchdog";
    EXPECT_TRUE(ran);
  }

  // Selects a folder in the tree as a click would.
  void Select(const std::string& windows_path) {
    ASSERT_TRUE(Tree()->SelectPath(windows_path)) << windows_path;
    ProcessEvents();
  }

  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int row = 0; row < List()->RowCount(); ++row) rows.push_back(List()->Caption(row));
    return rows;
  }
  bool EveryRowSaysShow() {
    for (int row = 0; row < List()->RowCount(); ++row) {
      if (List()->Text(row, 1) != "Show") return false;
    }
    return List()->ColumnCount() == 2;
  }
  std::uint32_t Attributes(const std::string& windows_path) {
    return Comparable(prefix_.fs().GetAttributes(windows_path)).value_or(0xFFFF) & ~platform::kAttrDirectory;
  }
  // The folder's entries in directory order, names starting with "." left out.
  std::vector<std::string> DirectoryOrder(const std::string& windows_folder) {
    std::vector<std::string> paths;
    const std::optional<std::vector<platform::DirEntry>> listing = prefix_.fs().ListFolder(windows_folder);
    if (!listing) return paths;
    for (const platform::DirEntry& entry : *listing) {
      if (entry.name[0] != '.') paths.push_back(windows_folder + "\\" + entry.name);
    }
    return paths;
  }

  app::Image Grab(const std::string& name) { return GrabWindow(Find(), name); }
  // Counts the tree's changes from now on, besides the window's own handler.
  void CountChanges(int& changes) {
    std::function<void()> window_handler = Tree()->on_change;
    Tree()->on_change = [&changes, window_handler] {
      ++changes;
      window_handler();
    };
  }
};

TEST_F(FindWindowTest, StartUpChangesNothingAndTheFirstOpeningListsTheDesktop) {
  const std::string desktop = prefix_.desktop();
  fs::create_directories(desktop + "/Secret/Inner");
  fs::create_directories(desktop + "/.config");
  MakeFile(desktop + "/note.txt");
  MakeFile(desktop + "/Secret/Inner/deep.txt");
  platform::FileSystem& files = prefix_.fs();
  for (const char* name : {"Secret", "Secret\\Inner", "Secret\\Inner\\deep.txt", ".config"}) {
    files.SetAttributes(OnDesktop(name), kAttrHiddenSystem);
  }
  files.SetAttributes(OnDesktop("note.txt"), kAttrReadOnly);

  // Starting (twice) selects and names the desktop but touches nothing.
  Start();
  Restart();
  EXPECT_EQ(Tree()->SelectedPath(), DesktopPath());
  EXPECT_EQ(Find()->CurrentFolder(), DesktopPath());
  EXPECT_EQ(Find()->CurrentFolderLabel()->Text(), DesktopPath());
  EXPECT_EQ(DosAttrib(desktop + "/Secret"), "0x6");
  EXPECT_EQ(ListedInDotHidden(desktop, "Secret"), KeepsDotHiddenLists());
  EXPECT_EQ(Attributes(OnDesktop("note.txt")), kAttrReadOnly);
  EXPECT_EQ(List()->RowCount(), 0);
  EXPECT_EQ(shell_.notifications, 0);

  const std::vector<std::string> expected = DirectoryOrder(DesktopPath());
  RunFindWindow([&] {
    EXPECT_EQ(Tree()->SelectedPath(), DesktopPath());
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_TRUE(EveryRowSaysShow());
    EXPECT_FALSE(List()->Checkable()) << "no tick boxes";
    EXPECT_EQ(shell_.notifications, 1);
    // Direct entries only, read-only included; dot-names are left alone.
    EXPECT_EQ(DosAttrib(desktop + "/Secret"), "");
    EXPECT_FALSE(ListedInDotHidden(desktop, "Secret"));
    EXPECT_EQ(Attributes(OnDesktop("note.txt")), kAttrNone);
    EXPECT_EQ(DosAttrib(desktop + "/.config"), "0x6");
    EXPECT_EQ(Attributes(OnDesktop("Secret\\Inner")), kAttrHiddenSystem);
    // The desktop node was read while Secret was hidden; reached through
    // its drive, the folder shows what lies directly below it.
    EXPECT_EQ(Tree()->ChildNames(DesktopPath()), std::vector<std::string>{"My Computer"});
    Select(OnDesktop("Secret"));
    EXPECT_EQ(Rows(), std::vector<std::string>{OnDesktop("Secret\\Inner")});
  });
  EXPECT_EQ(Attributes(OnDesktop("Secret\\Inner")), kAttrNone);
  EXPECT_EQ(Attributes(OnDesktop("Secret\\Inner\\deep.txt")), kAttrHiddenSystem);
  EXPECT_EQ(shell_.notifications, 2);
}

TEST_F(FindWindowTest, DriveRootsListSingleBackslashPathsAndMyComputerListsNothing) {
  fs::create_directories(prefix_.DriveC() + "/Boot");
  MakeFile(prefix_.DriveC() + "/boot.ini");
  prefix_.fs().SetAttributes("C:\\boot.ini", kAttrHiddenSystem | kAttrReadOnly);
  Start();
  RunFindWindow([&] {
    Select("C:\\");
    EXPECT_EQ(Find()->CurrentFolder(), "C:");
    EXPECT_EQ(Rows(), DirectoryOrder("C:"));
    for (const std::string& row : Rows()) EXPECT_EQ(row.rfind('\\'), 2u) << row;
    EXPECT_EQ(Attributes("C:\\boot.ini"), kAttrNone);

    Select("My Computer");
    EXPECT_EQ(Find()->CurrentFolder(), "My Computer");
    EXPECT_EQ(List()->RowCount(), 0);
    EXPECT_EQ(shell_.notifications, 3);
  });
}

TEST_F(FindWindowTest, NamesThatAreNotUtf8AreListedAndShownAgainByteForByte) {
  const std::string folder = "C:\\D\xE9p";  // Latin-1, as an older disk may hold
  fs::create_directories(prefix_.DriveC() + "/D\xE9p");
  MakeFile(prefix_.DriveC() + "/D\xE9p/caf\xE9.txt");
  prefix_.fs().SetAttributes(folder + "\\caf\xE9.txt", kAttrHiddenSystem);
  Start();
  RunFindWindow([&] {
    Select(testing_support::ListedForm(folder));
    EXPECT_EQ(Find()->CurrentFolder(), testing_support::ListedForm(folder));
    EXPECT_EQ(List()->RowCount(), 1);
  });
  EXPECT_EQ(Attributes(folder + "\\caf\xE9.txt"), kAttrNone);
}

TEST_F(FindWindowTest, OnlyTheTwoDataFoldersNamedExactlyAreExcluded) {
  StartInitialised();
  platform::FileSystem& files = prefix_.fs();
  MakeFile(Native(records::kDataParentFolder) + "/loose.txt");
  files.SetAttributes("C:\\WINDOWS\\zizodo\\loose.txt", kAttrHiddenSystem);
  files.SetAttributes(records::kSettingsFile, kAttrHiddenSystem);
  ASSERT_EQ(Attributes(records::kDataParentFolder), kAttrHiddenSystem);

  RunFindWindow([&] {
    // Listing C:\WINDOWS shows the parent data folder itself again.
    Select("C:\\WINDOWS");
    const std::vector<std::string> rows = Rows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "C:\\WINDOWS\\zizodo"), rows.end());
    EXPECT_EQ(Attributes(records::kDataParentFolder), kAttrNone);

    // Now that it shows, the tree reaches it once read afresh.
    Tree()->Fill();
    Select(records::kDataParentFolder);
    EXPECT_EQ(Find()->CurrentFolder(), records::kDataParentFolder);
    EXPECT_EQ(List()->RowCount(), 0);
    files.SetAttributes(records::kDataFolder, kAttrNone);
    Tree()->Fill();
    Select(records::kDataFolder);
    EXPECT_EQ(Find()->CurrentFolder(), records::kDataFolder);
    EXPECT_EQ(List()->RowCount(), 0);
  });
  EXPECT_EQ(Attributes("C:\\WINDOWS\\zizodo\\loose.txt"), kAttrHiddenSystem);
  EXPECT_EQ(Attributes(records::kSettingsFile), kAttrHiddenSystem);
}

#ifndef _WIN32
// Names that differ in letter case alone name two folders on Linux only.
TEST_F(FindWindowTest, TheDataFolderNameInOtherLettersIsAnotherFolderAndIsListed) {
  StartInitialised();
  fs::create_directories(Native("C:\\WINDOWS") + "/Zizodo");
  MakeFile(Native("C:\\WINDOWS") + "/Zizodo/inner.txt");
  prefix_.fs().SetAttributes("C:\\WINDOWS\\Zizodo\\inner.txt", kAttrHiddenSystem);
  RunFindWindow([&] {
    Select("C:\\WINDOWS\\Zizodo");
    EXPECT_EQ(Rows(), std::vector<std::string>{"C:\\WINDOWS\\Zizodo\\inner.txt"});
  });
  EXPECT_EQ(Attributes("C:\\WINDOWS\\Zizodo\\inner.txt"), kAttrNone);
}
#endif

#ifndef _WIN32
// The expand mark sits in the indentation left of a node's picture on Qt;
// the Win32 tree tells its button from its item by its own hit test.
TEST_F(FindWindowTest, ExpandingTheTreeByItsMarksShowsNothingAgain) {
  const std::string deep = prefix_.DriveC() + "/Deep/One/Two/Three";
  fs::create_directories(deep);
  StartInitialised();
  const std::vector<std::string> folders = {"C:\\Deep", "C:\\Deep\\One", "C:\\Deep\\One\\Two",
                                            "C:\\Deep\\One\\Two\\Three"};
  for (const std::string& folder : folders) {
    MakeFile(Native(folder) + "/x");
    prefix_.fs().SetAttributes(folder + "\\x", kAttrHiddenSystem);
  }
  RunFindWindow([&] {
    Select("C:\\");
    const std::string selected = Tree()->SelectedPath();
    const int notifications = shell_.notifications;
    // The drive's own mark, then each folder's down to the last one's parent.
    std::vector<std::string> expanded = {"C:\\"};
    expanded.insert(expanded.end(), folders.begin(), folders.end() - 1);
    for (const std::string& folder : expanded) {
      const app::Rect node = Tree()->NodeRect(folder);
      ASSERT_FALSE(node.IsEmpty()) << folder;
      ClickOn(Tree(), {node.left - kTreeIndentation / 2, node.Centre().y});
      EXPECT_EQ(Tree()->SelectedPath(), selected) << folder;
    }
    EXPECT_FALSE(Tree()->NodeRect(folders.back()).IsEmpty()) << "expanded all the way down";
    EXPECT_EQ(shell_.notifications, notifications);
  });
  for (const std::string& folder : folders) EXPECT_EQ(Attributes(folder + "\\x"), kAttrHiddenSystem) << folder;
}
#endif

TEST_F(FindWindowTest, ReopeningKeepsTheStateAndListsAgainOnlyAfterTheWatchedFolderChanged) {
  const std::string data = prefix_.DriveC() + "/Data";
  fs::create_directories(data + "/Sub");
  MakeFile(data + "/a.txt");
  Start();
  std::vector<std::string> rows;
  RunFindWindow([&] {
    Select("C:\\Data");
    rows = Rows();
  });
  EXPECT_EQ(rows.size(), 2u);
  EXPECT_EQ(shell_.notifications, 2);

  // Hidden again while closed: reopening shows the same list, lists nothing,
  // and pressing the selected node again changes nothing either.
  prefix_.fs().SetAttributes("C:\\Data\\a.txt", kAttrHiddenSystem);
  Idle(300);
  RunFindWindow([&] {
    EXPECT_EQ(Tree()->SelectedPath(), "C:\\Data");
    EXPECT_EQ(Rows(), rows);
    const app::Rect node = Tree()->NodeRect("C:\\Data");
    ASSERT_FALSE(node.IsEmpty());
    ClickOn(Tree(), node.Centre());
  });
  EXPECT_EQ(Attributes("C:\\Data\\a.txt"), kAttrHiddenSystem);
  EXPECT_EQ(shell_.notifications, 2);

  // A new entry while closed: the tree selects the folder again at once, but
  // its listing waits for the next opening.
  int changes = 0;
  CountChanges(changes);
  fs::create_directories(data + "/New");
  ASSERT_TRUE(WaitUntil([&] { return changes > 0; }, 5000));
  Idle(200);
  EXPECT_EQ(Attributes("C:\\Data\\a.txt"), kAttrHiddenSystem);
  EXPECT_EQ(shell_.notifications, 2);
  RunFindWindow([&] {
    EXPECT_EQ(Rows(), DirectoryOrder("C:\\Data"));
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(shell_.notifications, 3);
  });
  EXPECT_EQ(Attributes("C:\\Data\\a.txt"), kAttrNone);
}

TEST_F(FindWindowTest, TheWatchListsAgainOnANewEntryButNotOnAnAttributeChange) {
  const std::string data = prefix_.DriveC() + "/Data";
  fs::create_directories(data + "/Old");
  MakeFile(data + "/a.txt");
  Start();
  RunFindWindow([&] {
    Select("C:\\Data");
    ASSERT_EQ(shell_.notifications, 2);
    Tree()->Expand("C:\\Data");

    // The listing's own attribute changes, and anyone else's, are no reason.
    prefix_.fs().SetAttributes("C:\\Data\\a.txt", kAttrHiddenSystem);
    Idle(400);
    EXPECT_EQ(shell_.notifications, 2);

    fs::create_directories(data + "/New");
    ASSERT_TRUE(WaitUntil([&] { return shell_.notifications == 3; }, 5000));
    Idle(400);
    EXPECT_EQ(shell_.notifications, 3) << "one listing for the new folder, none for its own changes";
    EXPECT_EQ(Tree()->SelectedPath(), "C:\\Data");
    EXPECT_EQ(Tree()->ChildNames("C:\\Data"), (std::vector<std::string>{"New", "Old"}));
    EXPECT_EQ(Rows(), DirectoryOrder("C:\\Data"));
    EXPECT_EQ(Attributes("C:\\Data\\a.txt"), kAttrNone);
  });
}

TEST_F(FindWindowTest, AnItemWhoseRecordsWereLostIsShownAgainThroughTheFindWindow) {
  const std::string data = prefix_.DriveC() + "/Data";
  fs::create_directories(data + "/Private");
  StartLoggedInAsAdministrator();
  ASSERT_EQ(engine::HideItem(prefix_.fs(), "name", "C:\\Data\\Private"), "1");
  ASSERT_EQ(DosAttrib(data + "/Private"), "0x6");
  ASSERT_EQ(ListedInDotHidden(data, "Private"), KeepsDotHiddenLists());
  // The records go, as after a reinstall.
  prefix_.fs().DeleteFile(records::AccountFile("name"));
  prefix_.fs().DeleteFile(records::kGlobalRecordFile);

  RunFindWindow([&] {
    Select("C:\\Data");
    EXPECT_EQ(Rows(), std::vector<std::string>{"C:\\Data\\Private"});
  });
  EXPECT_EQ(DosAttrib(data + "/Private"), "");
  EXPECT_FALSE(ListedInDotHidden(data, "Private"));
}

TEST_F(FindWindowTest, TitleBarDragsTheCloseMarkFollowsThePointerAndEveryCloseBringsTheMainWindowBack) {
  Start();
  Find()->ApplySkin(app::Skin::kOne, app::SkinOrigin::kLogin);
  RunFindWindow([&] {
    ClickOn(Find()->GlossyPicture(), {300, 10});
    ClickOn(Find()->Caption(), {-1, -1}, app::MouseButton::kMiddle);
    Find()->ApplySkin(app::Skin::kTwo, app::SkinOrigin::kLogin);
    ClickOn(Find()->NavyPicture(), {300, 10}, app::MouseButton::kRight);
    EXPECT_EQ(window_manager_.drags, (std::vector<app::BorderlessWindow*>{Find(), Find(), Find()}));
    EXPECT_TRUE(Find()->Visible());

    app::Label* mark = Find()->CloseMark();
    // The caption is no reset surface.
    MoveOver(mark);
    MoveOver(Find()->Caption());
    EXPECT_EQ(mark->FontColor(), app::kHoverRed);
    const std::vector<std::pair<app::Control*, app::Point>> resets{{Find()->BodyPanel(), {1, 1}},
                                                                   {Find()->NavyPicture(), {300, 10}},
                                                                   {Tree(), {-1, -1}},
                                                                   {List(), {-1, -1}}};
    for (std::size_t i = 0; i < resets.size(); ++i) {
      MoveOver(mark);
      EXPECT_EQ(mark->FontColor(), app::kHoverRed);
      MoveOver(resets[i].first, resets[i].second);
      EXPECT_EQ(mark->FontColor(), app::kBlack) << "surface " << i;
    }
    Find()->ApplySkin(app::Skin::kOne, app::SkinOrigin::kLogin);
    MoveOver(mark);
    MoveOver(Find()->GlossyPicture(), {300, 10});
    EXPECT_EQ(mark->FontColor(), app::kBlack);
    MoveOver(mark);
  });
  // Closed by its mark: the modal run is over and the main window is back;
  // the mark stays red until the Find command sets it black.
  EXPECT_FALSE(Find()->Visible());
  EXPECT_TRUE(forms().main->Visible());
  EXPECT_EQ(Find()->CloseMark()->FontColor(), app::kHoverRed);
  Find()->ResetCloseMark();
  EXPECT_EQ(Find()->CloseMark()->FontColor(), app::kBlack);

  // Closed by the window system: the same.
  forms().main->Hide();
  EXPECT_TRUE(RunModalWith(*Find(), [this] { Find()->Close(); }, kWatchdogMs));
  EXPECT_FALSE(Find()->Visible());
  EXPECT_TRUE(forms().main->Visible());
}

// Pixels of the window as drawn.
void ExpectPixel(const app::Image& image, app::Point at, app::BgrColor expected) {
  SCOPED_TRACE(testing::Message() << "pixel " << at.x << "," << at.y);
  EXPECT_EQ(Hex(image.ColorAt(at.x, at.y)), Hex(expected));
}

constexpr app::Point kInTitle{200, 12};
constexpr app::Point kUnderNavyPicture{200, 23};
constexpr app::Point kOnSplitter{200, 24 + 2 + 263 + 1};
constexpr app::Point kOnBodyEdge{0, 200};
constexpr app::BgrColor kFlatEdge = app::FromRgb(160, 160, 160);
constexpr app::BgrColor kNavyPixel = app::FromRgb(0, 0, 160);

// The colour of the glossy picture at a point of `window`.
app::BgrColor GlossyAt(app::TForm4* window, app::Point at) {
  const app::Point in_picture = at - window->GlossyPicture()->Bounds().TopLeft();
  return app::GlossyTitlePicture().ColorAt(in_picture.x, in_picture.y);
}

TEST_F(FindWindowTest, SkinsColourTheWindowAndShowOneTitlePicture) {
  const std::string desktop = prefix_.desktop();
  for (const char* folder : {"Letters", "Photos", "Projects"}) fs::create_directories(desktop + "/" + folder);
  MakeFile(desktop + "/notes.txt");
  StartInitialised();
  // Before any login press: the built-in look, the navy picture in front.
  EXPECT_EQ(Find()->Color(), app::kCream);
  EXPECT_EQ(Find()->BodyPanel()->Color(), app::kCream);
  EXPECT_EQ(Find()->BodyPanel()->GetBevel(), app::Bevel::kFlat);
  EXPECT_EQ(Find()->Caption()->FontColor(), app::CurrentBackend().SystemColour(app::SystemColor::kWindowText));
  EXPECT_EQ(Find()->GraphicAt(kInTitle), Find()->NavyPicture());
  EXPECT_EQ(Tree()->Height(), 263);
  app::Image image = Grab("find_builtin");
  ExpectPixel(image, kInTitle, kNavyPixel);
  // The glossy picture lies behind, one row taller.
  ExpectPixel(image, kUnderNavyPicture, GlossyAt(Find(), kUnderNavyPicture));
  ExpectPixel(image, kOnBodyEdge, kFlatEdge);
  ExpectPixel(image, kOnSplitter, app::kLightGrey);

  // Skin 1 from the settings file, applied by a (failed) login press.
  store::IniFile(prefix_.fs(), records::kSettingsFile)
      .WriteString(records::kSkinSection, records::kSkinKey, records::kSkinOne);
  LogIn("name", "wrong");
  EXPECT_EQ(Find()->Color(), app::kLavender);
  EXPECT_EQ(Find()->BodyPanel()->Color(), app::kLavender);
  EXPECT_EQ(Find()->BodyPanel()->GetBevel(), app::Bevel::kNone);
  EXPECT_EQ(Find()->Caption()->FontColor(), app::kNavy);
  EXPECT_EQ(Tree()->Height(), 263);
  RunFindWindow([&] {
    image = Grab("find_skin1");
    ExpectPixel(image, kInTitle, GlossyAt(Find(), kInTitle));
    ExpectPixel(image, kOnSplitter - app::Point{0, 2}, app::kLightGrey);
  });

  // Skin 2, whichever way it came: near-white title text on navy.
  for (app::SkinOrigin origin : {app::SkinOrigin::kLogin, app::SkinOrigin::kCommand}) {
    Find()->ApplySkin(app::Skin::kOne, origin);
    Find()->ApplySkin(app::Skin::kTwo, origin);
    EXPECT_EQ(Find()->Color(), app::kLightGrey);
    EXPECT_EQ(Find()->BodyPanel()->Color(), app::kLightGrey);
    EXPECT_EQ(Find()->BodyPanel()->GetBevel(), app::Bevel::kFlat);
    EXPECT_EQ(Find()->Caption()->FontColor(), app::kNearWhite);
    EXPECT_FALSE(Find()->GlossyPicture()->Visible());
    EXPECT_TRUE(Find()->NavyPicture()->Visible());
  }
  RunFindWindow([&] {
    image = Grab("find_skin2");
    ExpectPixel(image, kInTitle, kNavyPixel);
    ExpectPixel(image, kUnderNavyPicture, app::kLightGrey);
    ExpectPixel(image, kOnBodyEdge, kFlatEdge);
    ExpectPixel(image, kOnSplitter, app::kLightGrey);
  });
}

}  // namespace
}  // namespace testing_support
