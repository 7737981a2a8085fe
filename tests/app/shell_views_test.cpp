#include <sys/xattr.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidgetItem>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/qt/shell_list_view.h"
#include "platform/qt/shell_names.h"
#include "platform/qt/shell_tree_view.h"
#include "tests/support/recording.h"
#include "tests/support/temp_prefix.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

constexpr char kMyComputer[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

// Runs the event loop until `done` holds or `ms` milliseconds have passed.
bool WaitUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

void Idle(int ms) { WaitUntil([] { return false; }, ms); }

void SendKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

class ShellViewsTest : public ::testing::Test {
 protected:
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
  static std::vector<std::string> Names(const platform::ShellListView& view) {
    std::vector<std::string> names;
    for (int row = 0; row < view.RowCount(); ++row) names.push_back(view.RowName(row));
    return names;
  }
  static std::vector<std::string> ChildNames(QTreeWidgetItem* item) {
    std::vector<std::string> names;
    for (int i = 0; i < item->childCount(); ++i) names.push_back(item->child(i)->text(0).toStdString());
    return names;
  }

  TempPrefix prefix_;
  RecordingShell shell_;
  int changes_ = 0;
};

// ---- the shell browser ----

TEST_F(ShellViewsTest, BrowserStartsAtMyComputerWithOneRowPerDrive) {
  platform::ShellListView view(prefix_.fs(), shell_);
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

  platform::ShellListView view(prefix_.fs(), shell_);
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
  platform::ShellListView view(prefix_.fs(), shell_);

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
  platform::ShellListView view(prefix_.fs(), shell_);
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));
  QObject::connect(&view, &platform::ShellListView::Change, [this] { ++changes_; });

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

TEST_F(ShellViewsTest, GoUpClimbsFromAFolderToTheDesktopAndStaysThere) {
  MakeFolders(prefix_.DriveC(), {"Data/Sub"});
  MakeFolders(prefix_.desktop(), {"Notes"});
  MakeFiles(prefix_.desktop(), {"todo.txt"});
  platform::ShellListView view(prefix_.fs(), shell_);
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
  platform::ShellListView view(prefix_.fs(), shell_);
  ASSERT_TRUE(view.ShowFolder("C:\\Gone\\Deep"));
  fs::remove_all(prefix_.DriveC() + "/Gone");
  view.GoUp();
  EXPECT_EQ(view.CurrentFolder(), "C:\\");
}

TEST_F(ShellViewsTest, RenameInPlaceRenamesOnDiskButNeverOverwritesOrLeavesTheFolder) {
  const std::string folder = prefix_.DriveC() + "/Data";
  MakeFiles(folder, {"a.txt", "b.txt"});
  MakeFolders(folder, {"Sub"});
  platform::ShellListView view(prefix_.fs(), shell_);
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));
  QAbstractItemModel* model = view.model();
  ASSERT_EQ(view.RowName(1), "a.txt");
  view.SelectRow(1);
  QObject::connect(&view, &platform::ShellListView::Change, [this] { ++changes_; });
  const QModelIndex a = model->index(1, 0);

  EXPECT_FALSE(model->setData(a, QString("b.txt")));
  EXPECT_FALSE(model->setData(a, QString("B.TXT"))) << "the target exists under another case";
  EXPECT_FALSE(model->setData(a, QString("..\\escaped.txt")));
  EXPECT_FALSE(model->setData(a, QString("Sub/inside.txt")));
  EXPECT_FALSE(model->setData(a, QString("")));
  EXPECT_EQ(view.RowName(1), "a.txt");
  EXPECT_EQ(ReadAll(folder + "/a.txt"), "a.txt");
  EXPECT_EQ(ReadAll(folder + "/b.txt"), "b.txt");
  EXPECT_FALSE(fs::exists(prefix_.DriveC() + "/escaped.txt"));
  EXPECT_FALSE(fs::exists(folder + "/Sub/inside.txt"));
  EXPECT_EQ(changes_, 0);

  EXPECT_TRUE(model->setData(a, QString("renamed.txt")));
  EXPECT_EQ(view.RowName(1), "renamed.txt");
  EXPECT_EQ(ReadAll(folder + "/renamed.txt"), "a.txt");
  EXPECT_FALSE(fs::exists(folder + "/a.txt"));
  EXPECT_EQ(view.SelectedPath(), "C:\\Data\\renamed.txt");
  EXPECT_EQ(changes_, 1) << "the selected row's path changed";

  // Drives and My Computer cannot be renamed.
  view.ShowMyComputer();
  EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
  EXPECT_FALSE(model->setData(model->index(0, 0), QString("X")));
}

TEST_F(ShellViewsTest, KeysOpenFilesThroughTheShellAndNavigateFolders) {
  MakeFolders(prefix_.DriveC(), {"Data/Sub"});
  MakeFiles(prefix_.DriveC() + "/Data", {"readme.txt"});
  platform::ShellListView view(prefix_.fs(), shell_);
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));
  QObject::connect(&view, &platform::ShellListView::Change, [this] { ++changes_; });

  view.SelectRow(1);
  SendKey(&view, Qt::Key_Return);
  EXPECT_EQ(shell_.opened, (std::vector<std::string>{"C:\\Data\\readme.txt"}));
  EXPECT_EQ(view.CurrentFolder(), "C:\\Data");

  view.SelectRow(0);
  changes_ = 0;
  SendKey(&view, Qt::Key_Enter);
  EXPECT_EQ(view.CurrentFolder(), "C:\\Data\\Sub");
  EXPECT_EQ(view.SelectedRow(), -1);
  EXPECT_EQ(changes_, 1) << "moving into a folder clears the selection";

  SendKey(&view, Qt::Key_Backspace);
  EXPECT_EQ(view.CurrentFolder(), "C:\\Data");

  MakeFiles(prefix_.DriveC() + "/Data", {"new.txt"});
  SendKey(&view, Qt::Key_F5);
  EXPECT_EQ(Names(view), (std::vector<std::string>{"Sub", "new.txt", "readme.txt"}));
}

TEST_F(ShellViewsTest, BrowserReportsClicksAndPointerMovesAndKeepsTheSelectionColour) {
  MakeFiles(prefix_.DriveC() + "/Data", {"a", "b"});
  platform::ShellListView view(prefix_.fs(), shell_);
  view.resize(300, 200);
  view.show();
  ASSERT_TRUE(view.ShowFolder("C:\\Data"));
  int presses = 0;
  int moves = 0;
  QObject::connect(&view, &platform::ShellListView::MousePressed, [&] { ++presses; });
  QObject::connect(&view, &platform::ShellListView::MouseMoved, [&] { ++moves; });
  QObject::connect(&view, &platform::ShellListView::Change, [this] { ++changes_; });

  const QPoint at = view.visualRect(view.model()->index(1, 0)).center();
  QMouseEvent move(QEvent::MouseMove, at, view.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(view.viewport(), &move);
  QMouseEvent press(QEvent::MouseButtonPress, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(view.viewport(), &press);
  EXPECT_GE(moves, 1);
  EXPECT_GE(presses, 1);
  EXPECT_EQ(view.SelectedRow(), 1);
  EXPECT_EQ(changes_, 1);

  const QPalette& palette = view.palette();
  EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight),
            palette.color(QPalette::Active, QPalette::Highlight));
}

// ---- the folder tree ----

TEST_F(ShellViewsTest, TreeFillSelectsTheDesktopOnceAndShowsFoldersOnly) {
  MakeFolders(prefix_.desktop(), {"zeta", "Alpha", ".dot", "secret"});
  MakeFiles(prefix_.desktop(), {"file.txt"});
  ASSERT_TRUE(prefix_.fs().SetAttributes(TempPrefix::ThroughZ(prefix_.desktop() + "/secret"),
                                         platform::kAttrHiddenSystem));
  platform::ShellTreeView tree(prefix_.fs());
  QObject::connect(&tree, &platform::ShellTreeView::Change, [this] { ++changes_; });
  EXPECT_EQ(tree.SelectedPath(), "");

  tree.Fill();
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(tree.SelectedPath(), prefix_.fs().DesktopPath());
  QTreeWidgetItem* root = tree.topLevelItem(0);
  ASSERT_NE(root, nullptr);
  EXPECT_TRUE(root->isExpanded());
  EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"My Computer", "Alpha", "zeta"}));

  // My Computer reports its display name; its drives report their roots.
  tree.setCurrentItem(root->child(0));
  EXPECT_EQ(changes_, 2);
  EXPECT_EQ(tree.SelectedPath(), "My Computer");
  tree.expandItem(root->child(0));
  EXPECT_EQ(ChildNames(root->child(0)),
            (std::vector<std::string>{"Local Disk (C:)", "Local Disk (D:)", "Local Disk (Z:)"}));
  tree.setCurrentItem(root->child(0)->child(0));
  EXPECT_EQ(tree.SelectedPath(), "C:\\");

  // Selecting the node that is already selected changes nothing.
  tree.setCurrentItem(root->child(0)->child(0));
  EXPECT_EQ(changes_, 3);

  // Filling again starts over at the Desktop with one change.
  tree.Fill();
  EXPECT_EQ(changes_, 4);
  EXPECT_EQ(tree.SelectedPath(), prefix_.fs().DesktopPath());
}

TEST_F(ShellViewsTest, TreeSelectPathWalksDownIgnoringCaseAndFindsOnlyVisibleFolders) {
  MakeFolders(prefix_.DriveC(), {"Data/Sub/Deep", "Data/Hidden", "Data/.dot"});
  MakeFiles(prefix_.DriveC() + "/Data", {"file.txt"});
  ASSERT_TRUE(prefix_.fs().SetAttributes("C:\\Data\\Hidden", platform::kAttrHiddenSystem));
  platform::ShellTreeView tree(prefix_.fs());
  tree.Fill();

  ASSERT_TRUE(tree.SelectPath("c:\\data\\SUB\\deep"));
  EXPECT_EQ(tree.SelectedPath(), "C:\\Data\\Sub\\Deep");
  EXPECT_TRUE(tree.currentItem()->parent()->isExpanded());
  EXPECT_EQ(ChildNames(tree.currentItem()->parent()->parent()), (std::vector<std::string>{"Sub"}));

  EXPECT_TRUE(tree.SelectPath("C:\\"));
  EXPECT_EQ(tree.SelectedPath(), "C:\\");
  EXPECT_TRUE(tree.SelectPath("My Computer"));
  EXPECT_EQ(tree.SelectedPath(), "My Computer");
  EXPECT_TRUE(tree.SelectPath(prefix_.fs().DesktopPath()));
  EXPECT_EQ(tree.SelectedPath(), prefix_.fs().DesktopPath());

  for (const char* absent : {"C:\\Data\\Hidden", "C:\\Data\\.dot", "C:\\Data\\file.txt", "C:\\Nope", "Q:\\"}) {
    EXPECT_FALSE(tree.SelectPath(absent)) << absent;
  }
  EXPECT_EQ(tree.SelectedPath(), prefix_.fs().DesktopPath());
}

TEST_F(ShellViewsTest, TreeShowsAnExpanderOnlyWhereAFolderHasVisibleSubfolders) {
  MakeFolders(prefix_.DriveC(), {"Parent/Child", "Empty", "FilesOnly", "HiddenOnly/Secret", "DotOnly/.git"});
  MakeFiles(prefix_.DriveC() + "/FilesOnly", {"a.txt"});
  ASSERT_TRUE(prefix_.fs().SetAttributes("C:\\HiddenOnly\\Secret", platform::kAttrHiddenSystem));
  platform::ShellTreeView tree(prefix_.fs());
  tree.Fill();
  ASSERT_TRUE(tree.SelectPath("C:\\"));
  tree.expandItem(tree.currentItem());
  QTreeWidgetItem* drive = tree.currentItem();
  // What the view draws: an expander exactly where the model has children to offer.
  auto expander = [&tree](QTreeWidgetItem* item) {
    std::vector<int> rows;
    for (; item->parent() != nullptr; item = item->parent()) rows.insert(rows.begin(), item->parent()->indexOfChild(item));
    QModelIndex index = tree.model()->index(tree.indexOfTopLevelItem(item), 0);
    for (int row : rows) index = tree.model()->index(row, 0, index);
    return tree.model()->hasChildren(index);
  };
  std::vector<std::string> expandable;
  for (int i = 0; i < drive->childCount(); ++i) {
    if (expander(drive->child(i))) expandable.push_back(drive->child(i)->text(0).toStdString());
  }
  EXPECT_EQ(expandable, std::vector<std::string>{"Parent"});
  EXPECT_TRUE(expander(tree.topLevelItem(0))) << "the Desktop holds My Computer";
  EXPECT_TRUE(expander(drive->parent())) << "My Computer holds the drives";

  // A folder that gains its first subfolder while selected shows an expander.
  ASSERT_TRUE(tree.SelectPath("C:\\Empty"));
  QTreeWidgetItem* empty = tree.currentItem();
  EXPECT_FALSE(expander(empty));
  MakeFolders(prefix_.DriveC(), {"Empty/New"});
  EXPECT_TRUE(WaitUntil([&] { return expander(empty); }, 5000));
}

TEST_F(ShellViewsTest, TreeRightClickSelectsLikeALeftClick) {
  platform::ShellTreeView tree(prefix_.fs());
  tree.resize(300, 300);
  tree.show();
  tree.Fill();
  int presses = 0;
  QObject::connect(&tree, &platform::ShellTreeView::MousePressed, [&] { ++presses; });
  QObject::connect(&tree, &platform::ShellTreeView::Change, [this] { ++changes_; });

  auto press = [&](QTreeWidgetItem* item, Qt::MouseButton button) {
    const QPoint at = tree.visualItemRect(item).center();
    QMouseEvent event(QEvent::MouseButtonPress, at, tree.viewport()->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &event);
    QMouseEvent release(QEvent::MouseButtonRelease, at, tree.viewport()->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &release);
  };
  QTreeWidgetItem* computer = tree.topLevelItem(0)->child(0);
  press(computer, Qt::RightButton);
  EXPECT_EQ(tree.SelectedPath(), "My Computer");
  EXPECT_EQ(changes_, 1);
  press(computer, Qt::RightButton);
  press(computer, Qt::LeftButton);
  EXPECT_EQ(changes_, 1) << "pressing the selected node again changes nothing";
  EXPECT_EQ(presses, 3);

  // Dragging over other nodes with the button held selects none of them.
  const QPoint from = tree.visualItemRect(computer).center();
  const QPoint over = tree.visualItemRect(tree.topLevelItem(0)).center();
  QMouseEvent down(QEvent::MouseButtonPress, from, tree.viewport()->mapToGlobal(from), Qt::LeftButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree.viewport(), &down);
  QMouseEvent drag(QEvent::MouseMove, over, tree.viewport()->mapToGlobal(over), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(tree.viewport(), &drag);
  EXPECT_EQ(tree.SelectedPath(), "My Computer");
  EXPECT_EQ(changes_, 1);
}

TEST_F(ShellViewsTest, TreeWatchRereadsTheSelectedFolderOnNewEntriesButNotOnAttributeChanges) {
  const std::string data = prefix_.DriveC() + "/Data";
  MakeFolders(data, {"Old", "Other/Inner"});
  MakeFiles(data, {"file.txt"});
  platform::ShellTreeView tree(prefix_.fs());
  tree.Fill();
  ASSERT_TRUE(tree.SelectPath("C:\\Data"));
  QTreeWidgetItem* node = tree.currentItem();
  tree.expandItem(node);
  QObject::connect(&tree, &platform::ShellTreeView::Change, [this] { ++changes_; });

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
  EXPECT_EQ(tree.currentItem(), node);
  EXPECT_EQ(ChildNames(node), (std::vector<std::string>{"New1", "New2", "New3", "Old", "Other"}));

  // Deleting and renaming count too; what stays keeps its node.
  QTreeWidgetItem* other = node->child(4);
  fs::remove(data + "/New2");
  fs::rename(data + "/New3", data + "/Renamed");
  EXPECT_TRUE(WaitUntil([this] { return changes_ > 1; }, 3000));
  EXPECT_EQ(ChildNames(node), (std::vector<std::string>{"New1", "Old", "Other", "Renamed"}));
  EXPECT_EQ(node->child(2), other);

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
