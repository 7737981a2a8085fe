#include <sys/xattr.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/borderless_window.h"
#include "toolkit/shell_list_view.h"
#include "toolkit/shell_names.h"
#include "toolkit/shell_tree_view.h"
#include "toolkit/test_driver.h"
#include "tests/app/program_fixture.h"
#include "tests/support/recording.h"
#include "tests/support/temp_prefix.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

constexpr char kMyComputer[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

constexpr app::Rect kViewPlace(0, 0, 400, 300);

class ShellViewsTest : public ::testing::Test {
 protected:
  ShellViewsTest() : host_(std::make_unique<app::BorderlessWindow>(kViewPlace.width, kViewPlace.height)) {
    host_->Show();
  }

  // A shell browser filling the test's window, counting its changes.
  app::ShellListView& Browser() {
    auto* view = new app::ShellListView(prefix_.fs(), shell_, host_.get());
    view->SetBounds(kViewPlace);
    view->on_change = [this] { ++changes_; };
    ProcessEvents();
    return *view;
  }
  // A folder tree filling the test's window, counting its changes.
  app::ShellTreeView& Tree() {
    auto* tree = new app::ShellTreeView(prefix_.fs(), host_.get());
    tree->SetBounds(kViewPlace);
    tree->on_change = [this] { ++changes_; };
    ProcessEvents();
    return *tree;
  }

  void MakeFolders(const std::string& real_parent, const std::vector<std::string>& names) {
    for (const auto& name : names) fs::create_directories(real_parent + "/" + name);
  }
  void MakeFiles(const std::string& real_parent, const std::vector<std::string>& names) {
    fs::create_directories(real_parent);
    for (const auto& name : names) WriteAll(real_parent + "/" + name, name);
  }
  static void SetDosAttrib(const std::string& real_path, const std::string& value) {
    ASSERT_EQ(lsetxattr(real_path.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0), 0);
  }
  static std::vector<std::string> Names(const app::ShellListView& view) {
    std::vector<std::string> names;
    for (int row = 0; row < view.RowCount(); ++row) names.push_back(view.RowName(row));
    return names;
  }
  std::string Desktop() { return prefix_.fs().DesktopPath(); }

  TempPrefix prefix_;
  RecordingShell shell_;
  int changes_ = 0;
  std::unique_ptr<app::BorderlessWindow> host_;
};

// ---- the shell browser ----

TEST_F(ShellViewsTest, BrowserStartsAtMyComputerWithOneRowPerDrive) {
  app::ShellListView& view = Browser();
  EXPECT_TRUE(view.AtMyComputer());
  EXPECT_EQ(view.CurrentFolder(), kMyComputer);
  EXPECT_EQ(Names(view), (std::vector<std::string>{"Local Disk (C:)", "Local Disk (D:)", "Local Disk (Z:)"}));
  EXPECT_EQ(view.RowPath(0), "C:\\");
  EXPECT_EQ(view.RowPath(2), "Z:\\");
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(view.SelectedPath(), "");
}

TEST_F(ShellViewsTest, FolderListingLeavesOutHiddenItemsAndSortsFoldersFirstIgnoringCase) {
  const std::string data = prefix_.DriveC() + "/Data";
  MakeFolders(data, {"beta", "Alpha", ".dotdir", "byattr", "gamma"});
  MakeFiles(data, {"b.txt", "A.txt", "c.TXT", ".dotfile", "listed", "xattr_only"});
  ASSERT_TRUE(prefix_.fs().SetAttributes("C:\\Data\\byattr", platform::kAttrHiddenSystem));
  WriteAll(data + "/.hidden", "listed\ngamma\n");
  SetDosAttrib(data + "/xattr_only", "0x2");

  app::ShellListView& view = Browser();
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));
  EXPECT_EQ(view.CurrentFolder(), "C:\\Data");
  EXPECT_EQ(Names(view), (std::vector<std::string>{"Alpha", "beta", "A.txt", "b.txt", "c.TXT"}));
  EXPECT_EQ(view.RowPath(0), "C:\\Data\\Alpha");
  EXPECT_EQ(view.RowPath(4), "C:\\Data\\c.TXT");
  EXPECT_EQ(view.RowPath(5), "");
}

TEST_F(ShellViewsTest, DriveRootRowsHaveOneBackslashAndBadFoldersAreRefused) {
  MakeFolders(prefix_.DriveC(), {"Data"});
  MakeFiles(prefix_.DriveC(), {"boot.ini"});
  app::ShellListView& view = Browser();

  ASSERT_TRUE(view.ShowFolder("c:"));
  EXPECT_EQ(view.CurrentFolder(), "C:\\");
  // Drive C: may hold more than this test made; look the two rows up by name.
  const std::vector<std::string> names = Names(view);
  const auto row_of = [&](const std::string& name) {
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
  };
  EXPECT_EQ(view.RowPath(row_of("Data")), "C:\\Data");
  EXPECT_EQ(view.RowPath(row_of("boot.ini")), "C:\\boot.ini");

  EXPECT_FALSE(view.ShowFolder("C:\\Missing"));
  EXPECT_FALSE(view.ShowFolder("C:\\boot.ini"));
  EXPECT_FALSE(view.ShowFolder("My Computer"));
  EXPECT_EQ(view.CurrentFolder(), "C:\\");
  EXPECT_TRUE(view.ShowFolder(kMyComputer));
  EXPECT_TRUE(view.AtMyComputer());
}

TEST_F(ShellViewsTest, RefreshSelectsTheSamePositionAgainUnlessItIsNowTheLastRow) {
  const std::string folder = prefix_.DriveC() + "/Data";
  MakeFiles(folder, {"a", "b", "c", "d", "e"});
  app::ShellListView& view = Browser();
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));
  changes_ = 0;

  // The item at the selected position went away: its successor takes the place.
  view.SelectRow(1);
  ASSERT_EQ(changes_, 1);
  fs::remove(folder + "/b");
  view.Refresh();
  EXPECT_EQ(changes_, 2);
  EXPECT_EQ(view.SelectedPath(), "C:\\Data\\c");

  // Now rows a, c, d, e: position 2 is below the last row, nothing changed on disk.
  view.SelectRow(2);
  fs::remove(folder + "/d");
  changes_ = 0;
  view.Refresh();
  EXPECT_EQ(Names(view), (std::vector<std::string>{"a", "c", "e"}));
  EXPECT_EQ(view.SelectedRow(), -1) << "the new last row must not be selected";
  EXPECT_EQ(changes_, 1) << "losing the selection is a change too";

  // The last row is never selected again, even when nothing changed.
  view.SelectRow(2);
  changes_ = 0;
  view.Refresh();
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(changes_, 1);

  // Without a selection a refresh reports nothing.
  changes_ = 0;
  view.Refresh();
  EXPECT_EQ(changes_, 0);
}

TEST_F(ShellViewsTest, RefreshEntriesBringsOnlyTheNamedRowsUpToDateAndSelectsAsRefreshDoes) {
  const std::string folder = prefix_.DriveC() + "/Data";
  MakeFiles(folder, {"a", "c", "e"});
  MakeFolders(folder, {"Z"});
  app::ShellListView& view = Browser();
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));
  view.SelectRow(1);
  MakeFiles(folder, {"B", "d", "unnamed"});
  SetDosAttrib(folder + "/c", "0x2");
  fs::remove(folder + "/e");
  changes_ = 0;
  view.RefreshEntries({{"C:\\Data", "B"}, {"c:\\data\\", "c"}, {"C:\\Data", "d"}, {"C:\\Data", "e"},
                       {"C:\\Other", "unnamed"}});
  // Shown, hidden, new and gone rows as they are; the folder is not read again.
  EXPECT_EQ(Names(view), (std::vector<std::string>{"Z", "a", "B", "d"}));
  EXPECT_EQ(view.SelectedPath(), "C:\\Data\\a");
  EXPECT_EQ(changes_, 1);
}

TEST_F(ShellViewsTest, GoUpClimbsFromAFolderToTheDesktopAndStaysThere) {
  MakeFolders(prefix_.DriveC(), {"Data/Sub"});
  MakeFolders(prefix_.desktop(), {"Notes"});
  MakeFiles(prefix_.desktop(), {"todo.txt"});
  app::ShellListView& view = Browser();
  ASSERT_TRUE(view.ShowFolder("C:\\Data\\Sub\\"));
  EXPECT_EQ(view.CurrentFolder(), "C:\\Data\\Sub");

  std::vector<std::string> visited;
  for (int i = 0; i < 5; ++i) {
    view.GoUp();
    visited.push_back(view.AtDesktop() ? "Desktop" : view.CurrentFolder());
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"C:\\Data", "C:\\", kMyComputer, "Desktop", "Desktop"}));

  // The Desktop: My Computer first, then the desktop directory's items.
  EXPECT_EQ(view.CurrentFolder(), prefix_.fs().DesktopPath());
  EXPECT_EQ(Names(view), (std::vector<std::string>{"My Computer", "Notes", "todo.txt"}));
  EXPECT_EQ(view.RowPath(0), kMyComputer);
  EXPECT_EQ(view.RowPath(1), prefix_.fs().DesktopPath() + "\\Notes");
  view.OpenRow(1);
  EXPECT_EQ(view.CurrentFolder(), prefix_.fs().DesktopPath() + "\\Notes");
}

TEST_F(ShellViewsTest, GoUpPassesOverAParentThatWentAway) {
  MakeFolders(prefix_.DriveC(), {"Gone/Deep"});
  app::ShellListView& view = Browser();
  ASSERT_TRUE(view.ShowFolder("C:\\Gone\\Deep"));
  fs::remove_all(prefix_.DriveC() + "/Gone");
  view.GoUp();
  EXPECT_EQ(view.CurrentFolder(), "C:\\");
}

TEST_F(ShellViewsTest, RenameInPlaceRenamesOnDiskButNeverOverwritesOrLeavesTheFolder) {
  const std::string folder = prefix_.DriveC() + "/Data";
  MakeFiles(folder, {"a.txt", "b.txt"});
  MakeFolders(folder, {"Sub"});
  app::ShellListView& view = Browser();
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));
  ASSERT_EQ(view.RowName(1), "a.txt");
  view.SelectRow(1);
  changes_ = 0;

  for (const char* refused : {"b.txt", "B.TXT", "..\\escaped.txt", "Sub/inside.txt", "", ".", ".."}) {
    EXPECT_FALSE(view.FinishRename(1, refused)) << "'" << refused << "'";
  }
  EXPECT_EQ(view.RowName(1), "a.txt");
  EXPECT_EQ(ReadAll(folder + "/a.txt"), "a.txt");
  EXPECT_EQ(ReadAll(folder + "/b.txt"), "b.txt");
  EXPECT_FALSE(fs::exists(prefix_.DriveC() + "/escaped.txt"));
  EXPECT_FALSE(fs::exists(folder + "/Sub/inside.txt"));
  EXPECT_EQ(changes_, 0);

  EXPECT_TRUE(view.FinishRename(1, "renamed.txt"));
  EXPECT_EQ(view.RowName(1), "renamed.txt");
  EXPECT_EQ(ReadAll(folder + "/renamed.txt"), "a.txt");
  EXPECT_FALSE(fs::exists(folder + "/a.txt"));
  EXPECT_EQ(view.SelectedPath(), "C:\\Data\\renamed.txt");
  EXPECT_EQ(changes_, 1) << "the selected row's path changed";

  // Drives and My Computer cannot be renamed.
  view.ShowMyComputer();
  EXPECT_FALSE(view.FinishRename(0, "X"));
  EXPECT_EQ(view.RowName(0), "Local Disk (C:)");
}

TEST_F(ShellViewsTest, KeysOpenFilesThroughTheShellAndNavigateFolders) {
  MakeFolders(prefix_.DriveC(), {"Data/Sub"});
  MakeFiles(prefix_.DriveC() + "/Data", {"readme.txt"});
  app::ShellListView& view = Browser();
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));

  view.SelectRow(1);
  KeyInto(&view, app::Key::kEnter);
  EXPECT_EQ(shell_.opened, (std::vector<std::string>{"C:\\Data\\readme.txt"}));
  EXPECT_EQ(view.CurrentFolder(), "C:\\Data");

  view.SelectRow(0);
  changes_ = 0;
  KeyInto(&view, app::Key::kEnter);
  EXPECT_EQ(view.CurrentFolder(), "C:\\Data\\Sub");
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(changes_, 1) << "moving into a folder clears the selection";

  KeyInto(&view, app::Key::kBackspace);
  EXPECT_EQ(view.CurrentFolder(), "C:\\Data");

  MakeFiles(prefix_.DriveC() + "/Data", {"new.txt"});
  KeyInto(&view, app::Key::kF5);
  EXPECT_EQ(Names(view), (std::vector<std::string>{"Sub", "new.txt", "readme.txt"}));
}

TEST_F(ShellViewsTest, BrowserReportsClicksAndPointerMovesAndADoubleClickOpens) {
  MakeFiles(prefix_.DriveC() + "/Data", {"a", "b"});
  MakeFolders(prefix_.DriveC() + "/Data", {"Sub"});
  app::ShellListView& view = Browser();
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));
  int presses = 0;
  int moves = 0;
  view.on_mouse_down = [&](app::MouseButton) { ++presses; };
  view.on_mouse_move = [&] { ++moves; };
  changes_ = 0;

  const app::Rect row = view.RowRect(1);
  ASSERT_FALSE(row.IsEmpty());
  MoveOver(&view, row.Centre());
  ClickOn(&view, row.Centre());
  EXPECT_GE(moves, 1);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(view.SelectedRow(), 1);
  EXPECT_EQ(changes_, 1);

  app::CurrentTestDriver().DoubleClick(*host_, view.RowRect(0).Centre());
  EXPECT_EQ(view.CurrentFolder(), "C:\\Data\\Sub");
}

// ---- the folder tree ----

TEST_F(ShellViewsTest, TreeFillSelectsTheDesktopOnceAndShowsFoldersOnly) {
  MakeFolders(prefix_.desktop(), {"zeta", "Alpha", ".dot", "secret"});
  MakeFiles(prefix_.desktop(), {"file.txt"});
  ASSERT_TRUE(prefix_.fs().SetAttributes(TempPrefix::ThroughZ(prefix_.desktop() + "/secret"),
                                         platform::kAttrHiddenSystem));
  app::ShellTreeView& tree = Tree();
  EXPECT_EQ(tree.SelectedPath(), "");

  tree.Fill();
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(tree.SelectedPath(), Desktop());
  EXPECT_EQ(tree.ChildNames(Desktop()), (std::vector<std::string>{"My Computer", "Alpha", "zeta"}));
  EXPECT_FALSE(tree.NodeRect("My Computer").IsEmpty()) << "the Desktop shows expanded";

  // My Computer reports its display name; its drives report their roots.
  ASSERT_TRUE(tree.SelectPath("My Computer"));
  EXPECT_EQ(changes_, 2);
  EXPECT_EQ(tree.SelectedPath(), "My Computer");
  EXPECT_TRUE(tree.ChildNames("My Computer").empty()) << "read only when first expanded";
  tree.Expand("My Computer");
  EXPECT_EQ(tree.ChildNames("My Computer"),
            (std::vector<std::string>{"Local Disk (C:)", "Local Disk (D:)", "Local Disk (Z:)"}));
  ASSERT_TRUE(tree.SelectPath("C:\\"));
  EXPECT_EQ(tree.SelectedPath(), "C:\\");

  // Selecting the node that is already selected changes nothing.
  ASSERT_TRUE(tree.SelectPath("c:"));
  EXPECT_EQ(changes_, 3);

  // Filling again starts over at the Desktop with one change.
  tree.Fill();
  EXPECT_EQ(changes_, 4);
  EXPECT_EQ(tree.SelectedPath(), Desktop());
}

TEST_F(ShellViewsTest, TreeSelectPathWalksDownIgnoringCaseAndFindsOnlyVisibleFolders) {
  MakeFolders(prefix_.DriveC(), {"Data/Sub/Deep", "Data/Hidden", "Data/.dot"});
  MakeFiles(prefix_.DriveC() + "/Data", {"file.txt"});
  ASSERT_TRUE(prefix_.fs().SetAttributes("C:\\Data\\Hidden", platform::kAttrHiddenSystem));
  app::ShellTreeView& tree = Tree();
  tree.Fill();

  ASSERT_TRUE(tree.SelectPath("c:\\data\\SUB\\deep"));
  EXPECT_EQ(tree.SelectedPath(), "C:\\Data\\Sub\\Deep");
  EXPECT_FALSE(tree.NodeRect("C:\\Data\\Sub\\Deep").IsEmpty()) << "the way down is expanded";
  EXPECT_EQ(tree.ChildNames("C:\\Data"), (std::vector<std::string>{"Sub"}));

  EXPECT_TRUE(tree.SelectPath("C:\\"));
  EXPECT_EQ(tree.SelectedPath(), "C:\\");
  EXPECT_TRUE(tree.SelectPath("My Computer"));
  EXPECT_EQ(tree.SelectedPath(), "My Computer");
  EXPECT_TRUE(tree.SelectPath(Desktop()));
  EXPECT_EQ(tree.SelectedPath(), Desktop());

  for (const char* absent : {"C:\\Data\\Hidden", "C:\\Data\\.dot", "C:\\Data\\file.txt", "C:\\Nope", "Q:\\"}) {
    EXPECT_FALSE(tree.SelectPath(absent)) << absent;
  }
  EXPECT_EQ(tree.SelectedPath(), Desktop());
}

TEST_F(ShellViewsTest, TreeShowsAnExpandMarkOnlyWhereThereAreFoldersToShow) {
  MakeFolders(prefix_.DriveC(), {"Data/Parent/Child", "Data/Empty", "Data/OnlyHidden/Secret", "Data/OnlyDot/.git"});
  MakeFiles(prefix_.DriveC() + "/Data/Files", {"a.txt", "b.txt"});
  ASSERT_TRUE(prefix_.fs().SetAttributes("C:\\Data\\OnlyHidden\\Secret", platform::kAttrHiddenSystem));
  app::ShellTreeView& tree = Tree();
  tree.Fill();
  struct Case {
    const char* path;
    bool mark;
  };
  for (const Case& c : std::vector<Case>{{"C:\\", true},
                                         {"C:\\Data", true},
                                         {"C:\\Data\\Parent", true},
                                         {"C:\\Data\\Empty", false},
                                         {"C:\\Data\\Files", false},
                                         {"C:\\Data\\OnlyHidden", false},
                                         {"C:\\Data\\OnlyDot", false},
                                         {"My Computer", true}}) {
    EXPECT_EQ(tree.ShowsExpandMark(c.path), c.mark) << c.path;
  }
  EXPECT_TRUE(tree.ShowsExpandMark(Desktop())) << "the Desktop holds My Computer";
  // A folder that gains a subfolder while its parent is watched gets its mark.
  ASSERT_TRUE(tree.SelectPath("C:\\Data"));
  MakeFolders(prefix_.DriveC(), {"Data/Fresh"});
  ASSERT_TRUE(WaitUntil([&] { return tree.ChildNames("C:\\Data").size() == 6; }, 3000));
  EXPECT_FALSE(tree.ShowsExpandMark("C:\\Data\\Fresh"));
  // One that gains its first subfolder while it is selected itself gets one too.
  ASSERT_TRUE(tree.SelectPath("C:\\Data\\Empty"));
  EXPECT_FALSE(tree.ShowsExpandMark("C:\\Data\\Empty"));
  MakeFolders(prefix_.DriveC(), {"Data/Empty/New"});
  EXPECT_TRUE(WaitUntil([&] { return tree.ShowsExpandMark("C:\\Data\\Empty"); }, 5000));
}

TEST_F(ShellViewsTest, TreeRightClickSelectsLikeALeftClick) {
  app::ShellTreeView& tree = Tree();
  tree.Fill();
  int presses = 0;
  tree.on_mouse_down = [&](app::MouseButton) { ++presses; };
  changes_ = 0;

  const app::Point computer = tree.NodeRect("My Computer").Centre();
  ClickOn(&tree, computer, app::MouseButton::kRight);
  EXPECT_EQ(tree.SelectedPath(), "My Computer");
  EXPECT_EQ(changes_, 1);
  ClickOn(&tree, computer, app::MouseButton::kRight);
  ClickOn(&tree, computer, app::MouseButton::kLeft);
  EXPECT_EQ(changes_, 1) << "pressing the selected node again changes nothing";
  EXPECT_EQ(presses, 3);

  // Dragging over other nodes with the button held selects none of them.
  PressOn(&tree, computer);
  MoveOver(&tree, tree.NodeRect(Desktop()).Centre());
  ReleaseOn(&tree, tree.NodeRect(Desktop()).Centre());
  EXPECT_EQ(tree.SelectedPath(), "My Computer");
  EXPECT_EQ(changes_, 1);
}

TEST_F(ShellViewsTest, TreeWatchRereadsTheSelectedFolderOnNewEntriesButNotOnAttributeChanges) {
  const std::string data = prefix_.DriveC() + "/Data";
  MakeFolders(data, {"Old", "Other/Inner"});
  MakeFiles(data, {"file.txt"});
  app::ShellTreeView& tree = Tree();
  tree.Fill();
  ASSERT_TRUE(tree.SelectPath("C:\\Data"));
  tree.Expand("C:\\Data");
  tree.Expand("C:\\Data\\Other");
  changes_ = 0;

  // What the Find listing does to the entries is no reason to refresh.
  prefix_.fs().SetAttributes("C:\\Data\\Old", platform::kAttrHiddenSystem);
  prefix_.fs().SetAttributes("C:\\Data\\file.txt", platform::kAttrReadOnly | platform::kAttrHidden);
  prefix_.fs().SetAttributes("C:\\Data\\Old", platform::kAttrNone);
  prefix_.fs().SetAttributes("C:\\Data\\file.txt", platform::kAttrNone);
  Idle(300);
  EXPECT_EQ(changes_, 0);

  // A burst of new folders is one refresh that shows them all.
  MakeFolders(data, {"New1", "New2", "New3"});
  EXPECT_TRUE(WaitUntil([this] { return changes_ > 0; }, 3000));
  Idle(300);
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(tree.SelectedPath(), "C:\\Data");
  EXPECT_EQ(tree.ChildNames("C:\\Data"), (std::vector<std::string>{"New1", "New2", "New3", "Old", "Other"}));

  // Deleting and renaming count too; what stays keeps its node, expanded.
  fs::remove(data + "/New2");
  fs::rename(data + "/New3", data + "/Renamed");
  EXPECT_TRUE(WaitUntil([this] { return changes_ > 1; }, 3000));
  EXPECT_EQ(tree.ChildNames("C:\\Data"), (std::vector<std::string>{"New1", "Old", "Other", "Renamed"}));
  EXPECT_FALSE(tree.NodeRect("C:\\Data\\Other\\Inner").IsEmpty());

  // Only the selected folder is watched: not its subfolders, not a folder left behind.
  Idle(200);
  changes_ = 0;
  MakeFolders(data, {"Other/Inner/Below"});
  Idle(300);
  EXPECT_EQ(changes_, 0);
  ASSERT_TRUE(tree.SelectPath("C:\\"));
  changes_ = 0;
  MakeFolders(data, {"Later"});
  Idle(300);
  EXPECT_EQ(changes_, 0);
}

}  // namespace
}  // namespace testing_support
