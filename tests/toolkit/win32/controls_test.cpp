#include "toolkit/win32/windows_api.h"

#include <string>

#include "toolkit/win32/peers.h"
#include "tests/toolkit/win32/fixture.h"

namespace demo {
namespace {

using app::Point;
using app::win32::HandleOf;

std::wstring RowText(app::NativeReportList& list, int row) {
  wchar_t text[128] = {};
  LVITEMW item{};
  item.pszText = text;
  item.cchTextMax = 128;
  ::SendMessageW(HandleOf(list), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

TEST_F(DemoTest, EditBoxShowsStarsForAPassword) {
  HWND edit = HandleOf(*window().edit->peer);
  window().edit->peer->SetPassword(true);
  EXPECT_EQ(::SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), L'*');
  window().edit->peer->SetPassword(false);
  EXPECT_EQ(::SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(DemoTest, ComboBoxChoosesItemsAndTakesFreeTextWhenTold) {
  app::NativeComboBox& combo = *window().combo->peer;
  int changes = 0;
  combo.on_change = [&] { ++changes; };
  EXPECT_EQ(combo.Count(), 3);
  EXPECT_EQ(combo.CurrentText(), "Ann");
  combo.SetCurrentIndex(2);
  EXPECT_EQ(combo.CurrentText(), "Cy");
  EXPECT_EQ(changes, 0);  // the program's own choice is not reported
  // The user moves up with the arrow key.
  window().combo->SetFocus();
  ::PostMessageW(HandleOf(combo), WM_KEYDOWN, VK_UP, 1);
  driver().ProcessEvents();
  EXPECT_EQ(combo.CurrentIndex(), 1);
  EXPECT_EQ(changes, 1);

  HWND before = HandleOf(combo);
  RECT place_before{};
  ::GetWindowRect(before, &place_before);
  combo.SetFreeText("Zed");
  EXPECT_EQ(combo.CurrentText(), "Zed");
  EXPECT_EQ(combo.Count(), 3);
  RECT place_after{};
  ::GetWindowRect(HandleOf(combo), &place_after);
  EXPECT_TRUE(::EqualRect(&place_before, &place_after));
  EXPECT_TRUE(::IsWindowVisible(HandleOf(combo)));
  window().combo->SetFocus();  // selects the whole text, which typing replaces
  driver().TypeText(window(), "Caf\xC3\xA9");
  EXPECT_EQ(combo.CurrentText(), "Caf\xE9");
  window().combo->keys.clear();
  driver().KeyPress(window(), app::Key::kEnter);  // from its edit field
  EXPECT_EQ(window().combo->keys, std::vector<app::Key>{app::Key::kEnter});
}

TEST_F(DemoTest, PushButtonReportsClicks) {
  int clicks = 0;
  window().push->peer->on_click = [&] { ++clicks; };
  Click(Centre(*window().push));
  EXPECT_EQ(clicks, 1);
}

TEST_F(DemoTest, ReportListRowsTicksAndSelection) {
  app::NativeReportList& list = *window().list->peer;
  std::vector<int> ticks;
  int selection_changes = 0;
  list.on_check = [&](int row) { ticks.push_back(row); };
  list.on_selection_change = [&] { ++selection_changes; };
  ASSERT_EQ(list.RowCount(), 3);
  EXPECT_EQ(RowText(list, 2), L"Caf\u00E9");
  EXPECT_TRUE(list.Checked(0));
  EXPECT_FALSE(list.Checked(1));
  for (int row = 0; row < 3; ++row) EXPECT_EQ(list.RowAt(list.RowRect(row).Centre()), row);
  EXPECT_EQ(list.RowAt(Point{5, list.RowRect(2).Bottom() + 20}), -1);

  // The user ticks row 1 at its tick box; the program's own ticks are quiet.
  const app::Rect second = list.RowRect(1);
  Click(At(*window().list, Point{second.left + 8, second.Centre().y}));
  EXPECT_TRUE(list.Checked(1));
  list.SetChecked(0, false);
  EXPECT_FALSE(list.Checked(0));
  EXPECT_EQ(ticks, std::vector<int>{1});

  Click(At(*window().list, list.RowRect(2).Centre()));
  EXPECT_EQ(list.SelectedRow(), 2);
  EXPECT_EQ(selection_changes, 1);
  // Space ticks the focused row, as the user's tick.
  driver().KeyPress(window(), app::Key::kSpace);
  EXPECT_TRUE(list.Checked(2));
  EXPECT_EQ(ticks, (std::vector<int>{1, 2}));
  list.SelectRow(0);
  EXPECT_EQ(list.SelectedRow(), 0);
  EXPECT_EQ(selection_changes, 2);
  list.SelectRow(-1);
  EXPECT_EQ(list.SelectedRow(), -1);
  EXPECT_EQ(selection_changes, 3);
  // Typing a name's first letter selects its row.
  driver().TypeText(window(), "p");
  EXPECT_EQ(list.SelectedRow(), 1);

  list.SetCell(0, 1, "E:\\Elsewhere");
  list.RemoveRow(0);
  EXPECT_EQ(list.RowCount(), 2);
  EXPECT_EQ(RowText(list, 0), L"Photos");
  list.Clear();
  EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(DemoTest, ReportListsLastColumnCanTakeTheWidthTheOthersLeave) {
  app::NativeReportList& list = *window().list->peer;
  HWND handle = HandleOf(list);
  list.SetColumns({100, -1});
  RECT client{};
  ::GetClientRect(handle, &client);
  EXPECT_EQ(::SendMessageW(handle, LVM_GETCOLUMNWIDTH, 1, 0), client.right - 100);
  window().list->SetBounds(app::Rect(10, 95, 180, 120));  // and keeps taking it
  ::GetClientRect(handle, &client);
  EXPECT_EQ(::SendMessageW(handle, LVM_GETCOLUMNWIDTH, 1, 0), client.right - 100);
  list.SetColumns({100, 50});
  EXPECT_EQ(::SendMessageW(handle, LVM_GETCOLUMNWIDTH, 1, 0), 50);
}

TEST_F(DemoTest, ReportListsHeaderTakesTheHeightItIsGivenAndTheRowsBeginBelowIt) {
  app::NativeReportList& list = *window().list->peer;
  HWND header = reinterpret_cast<HWND>(::SendMessageW(HandleOf(list), LVM_GETHEADER, 0, 0));
  const auto header_height = [header] {
    RECT bounds{};
    ::GetWindowRect(header, &bounds);
    return static_cast<int>(bounds.bottom - bounds.top);
  };
  const auto first_row_top = [&list] {
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageW(HandleOf(list), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    return static_cast<int>(row.top);
  };
  const int spacing = first_row_top() - header_height();  // the list's own, above the first row
  for (int height : {11, 30}) {
    SCOPED_TRACE(height);
    list.SetHeaderHeight(height);
    EXPECT_EQ(header_height(), height);
    EXPECT_EQ(first_row_top(), height + spacing);
  }
}

TEST_F(DemoTest, ReportListActivatesRenamesAndOffersMenus) {
  app::NativeReportList& list = *window().list->peer;
  std::vector<int> activated;
  std::vector<std::pair<int, std::string>> renames;
  std::vector<int> menus;
  bool keep_name = true;
  list.on_activate = [&](int row) { activated.push_back(row); };
  list.on_rename = [&](int row, const std::string& text) {
    renames.emplace_back(row, text);
    return keep_name;
  };
  list.on_context_menu = [&](int row, Point) { menus.push_back(row); };

  driver().DoubleClick(window(), At(*window().list, list.RowRect(1).Centre()));
  EXPECT_EQ(activated, std::vector<int>{1});
  Click(At(*window().list, list.RowRect(2).Centre()), app::MouseButton::kRight);
  EXPECT_EQ(menus, std::vector<int>{2});

  list.BeginRename(0);
  driver().TypeText(window(), "Notes");
  driver().KeyPress(window(), app::Key::kEnter);
  keep_name = false;
  list.BeginRename(1);
  driver().TypeText(window(), "Kept");
  driver().KeyPress(window(), app::Key::kEnter);
  list.BeginRename(2);
  driver().KeyPress(window(), app::Key::kEscape);  // given up: nothing reported
  EXPECT_EQ(renames, (std::vector<std::pair<int, std::string>>{{0, "Notes"}, {1, "Kept"}}));
  EXPECT_EQ(RowText(list, 0), L"Notes");
  EXPECT_EQ(RowText(list, 1), L"Photos");
}

TEST_F(DemoTest, TreeReadsChildrenOnExpandingAndForgetsRemovedNodes) {
  app::NativeTree& tree = *window().tree->peer;
  const void* desktop = &window().node_texts[0];
  const void* drive_c = &window().node_texts[1];
  const void* drive_d = &window().node_texts[2];
  int selection_changes = 0;
  tree.on_selection_change = [&] { ++selection_changes; };

  // The user opens Drive C at its expand mark.
  HWND handle = HandleOf(tree);
  const app::Rect label = tree.NodeRect(drive_c);
  TVHITTESTINFO hit{};
  int button_x = -1;
  for (int x = 0; x < label.left && button_x < 0; ++x) {
    hit.pt = POINT{x, label.Centre().y};
    ::SendMessageW(handle, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if ((hit.flags & TVHT_ONITEMBUTTON) != 0) button_x = x;
  }
  ASSERT_GE(button_x, 0);
  Click(At(*window().tree, Point{button_x + 2, label.Centre().y}));
  EXPECT_EQ(window().expanded, std::vector<const void*>{drive_c});
  ASSERT_EQ(window().node_texts.size(), 5u);
  const void* child = &window().node_texts[3];
  EXPECT_FALSE(tree.NodeRect(child).IsEmpty());

  Click(At(*window().tree, tree.NodeRect(desktop).Centre()));
  EXPECT_EQ(tree.Selected(), desktop);
  EXPECT_EQ(selection_changes, 1);
  tree.Select(drive_d);
  EXPECT_EQ(tree.Selected(), drive_d);
  EXPECT_EQ(selection_changes, 2);
  for (const void* node : {desktop, drive_c, child, drive_d}) EXPECT_EQ(tree.NodeAt(tree.NodeRect(node).Centre()), node);

  const void* inserted = window().NewNode("Network");
  tree.InsertNode(nullptr, drive_d, inserted, "Network", nullptr, false);
  tree.RemoveNode(drive_c);
  EXPECT_TRUE(tree.NodeRect(drive_c).IsEmpty());
  EXPECT_TRUE(tree.NodeRect(child).IsEmpty());
  EXPECT_GT(tree.NodeRect(inserted).top, tree.NodeRect(desktop).top);
  EXPECT_LT(tree.NodeRect(inserted).top, tree.NodeRect(drive_d).top);

  // A node whose children turn out to be none loses its expand mark.
  tree.Expand(drive_d);  // gets two children
  const void* empty = window().NewNode("Empty");
  tree.AddNode(nullptr, empty, "Empty", nullptr, true);
  window().tree->peer->on_expanding = [](app::NativeTree::Node) {};
  tree.Expand(empty);
  TVITEMW item{};
  item.mask = TVIF_CHILDREN | TVIF_HANDLE;
  for (HTREEITEM at = TreeView_GetRoot(handle); at != nullptr; at = TreeView_GetNextSibling(handle, at)) item.hItem = at;
  ::SendMessageW(handle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.cChildren, 0);
}

TEST_F(DemoTest, TabsShowThePageOfTheCurrentTab) {
  app::NativeTabs& tabs = *window().tabs->peer;
  HWND first = HandleOf(window().first_page->Native());
  HWND second = HandleOf(window().second_page->Native());
  EXPECT_TRUE(::IsWindowVisible(first));
  EXPECT_FALSE(::IsWindowVisible(second));
  RECT tab{};
  ::SendMessageW(HandleOf(tabs), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  Click(At(*window().tabs, Point{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
  EXPECT_EQ(tabs.CurrentIndex(), 1);
  EXPECT_FALSE(::IsWindowVisible(first));
  EXPECT_TRUE(::IsWindowVisible(second));
  // The page fills the page area and shows its own colour.
  const app::Rect area = tabs.PageArea();
  const app::Image image = driver().Grab(window());
  const Point inside = window().tabs->WindowOrigin() + area.Centre();
  EXPECT_EQ(image.ColorAt(inside.x, inside.y), window().second_page->color);
  tabs.SetCurrentIndex(0);
  EXPECT_TRUE(::IsWindowVisible(first));
  window().first_page->Hide();  // a hidden page stays hidden on its tab
  EXPECT_FALSE(::IsWindowVisible(first));
}

}  // namespace
}  // namespace demo
