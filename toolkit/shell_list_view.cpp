#include "toolkit/shell_list_view.h"

#include <memory>
#include <utility>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/shell_names.h"
#include "platform/windows_path.h"

namespace app {

namespace {

namespace windows_path = platform::windows_path;

constexpr int kNameColumnWidth = 260;
constexpr int kFillingColumn = -1;  // the type column takes the rest
constexpr char kNameHeader[] = "Name";
constexpr char kTypeHeader[] = "Type";
constexpr char kOpenAction[] = "Open";
constexpr char kRenameAction[] = "Rename";
constexpr char kRefreshAction[] = "Refresh";
// The entries of the context menu, as PopupMenu numbers them.
enum MenuEntry { kOpenEntry = 0, kRenameEntry = 1, kSeparatorEntry = 2, kRefreshEntry = 3 };

ShellPicture PictureOf(ShellRowKind kind) {
  switch (kind) {
    case ShellRowKind::kMyComputer:
      return ShellPicture::kMyComputer;
    case ShellRowKind::kDrive:
      return ShellPicture::kDrive;
    case ShellRowKind::kFolder:
      return ShellPicture::kFolder;
    case ShellRowKind::kFile:
      break;
  }
  return ShellPicture::kFile;
}

}  // namespace

ShellListView::ShellListView(platform::FileSystem& fs, platform::Shell& shell, WinControl* parent)
    : WinControl(parent), shell_(shell), model_(fs) {
  std::unique_ptr<NativeReportList> list = CurrentBackend().CreateReportList(parent->Native(), *this);
  list_ = list.get();
  list_->SetColumns({kNameColumnWidth, kFillingColumn});
  list_->SetColumnCaption(0, kNameHeader);
  list_->SetColumnCaption(1, kTypeHeader);
  list_->SetBorder(true);
  list_->on_selection_change = [this] {
    if (!relisting_) Changed();
  };
  list_->on_activate = [this](int row) { OpenRow(row); };
  list_->on_rename = [this](int row, const std::string& text) { return FinishRename(row, text); };
  list_->on_context_menu = [this](int, Point at) { ShowContextMenu(at); };
  AttachNative(std::move(list));
  SetTabStop(true);
  SetAccessible(AccessibleRole::kList);
  model_.ListMyComputer();
  ShowRows();
}

void ShellListView::ShowRows() {
  Backend& backend = CurrentBackend();
  std::vector<NativeReportList::Row> rows;
  rows.reserve(static_cast<std::size_t>(model_.RowCount()));
  for (int row = 0; row < model_.RowCount(); ++row) {
    const ShellRow& r = model_.Row(row);
    rows.push_back({{r.name, model_.TypeText(row)}, &backend.ShellIcon(PictureOf(r.kind)), false});
  }
  list_->SetRows(std::move(rows));
}

void ShellListView::ShowMyComputer() {
  Relist([this] {
    model_.ListMyComputer();
    return true;
  }, -1);
}

void ShellListView::ShowDesktop() {
  Relist([this] {
    model_.ListDesktop();
    return true;
  }, -1);
}

bool ShellListView::ShowFolder(const std::string& windows_path) {
  if (windows_path == kMyComputerParsingName) {
    ShowMyComputer();
    return true;
  }
  if (!windows_path::HasDriveLetter(windows_path)) return false;
  const std::string folder = windows_path::NormalizeFolder(windows_path);
  return Relist([this, &folder] { return model_.ListFolder(folder); }, -1);
}

std::string ShellListView::CurrentFolder() const {
  if (AtMyComputer()) return kMyComputerParsingName;
  return model_.folder();
}

void ShellListView::GoUp() {
  switch (model_.location()) {
    case ShellLocation::kDesktop:
      return;
    case ShellLocation::kMyComputer:
      ShowDesktop();
      return;
    case ShellLocation::kFolder:
      break;
  }
  // A parent that went away or cannot be read is passed over.
  for (std::string parent = windows_path::Parent(model_.folder()); !parent.empty();
       parent = windows_path::Parent(parent)) {
    if (ShowFolder(parent)) return;
  }
  ShowMyComputer();
}

void ShellListView::Refresh() {
  const int selected = SelectedRow();
  Relist([this] {
    model_.Reload();
    return true;
  }, selected);
}

void ShellListView::RefreshEntries(const std::vector<platform::FolderEntry>& changed) {
  std::vector<std::string> names;
  for (const platform::FolderEntry& entry : changed) {
    if (!AtMyComputer() && !entry.folder.empty() &&
        windows_path::EqualIgnoringCase(windows_path::NormalizeFolder(entry.folder),
                                        windows_path::NormalizeFolder(model_.folder()))) {
      names.push_back(entry.name);
    }
  }
  const int selected = SelectedRow();
  Relist([this, &names] {
    model_.UpdateEntries(names);
    return true;
  }, selected);
}

int ShellListView::SelectedRow() const { return list_->SelectedRow(); }

void ShellListView::SelectRow(int row) { list_->SelectRow(row >= 0 && row < RowCount() ? row : -1); }

std::string ShellListView::RowName(int row) const {
  return (row >= 0 && row < RowCount()) ? model_.Row(row).name : std::string();
}

void ShellListView::OpenRow(int row) {
  if (row < 0 || row >= RowCount() || !model_.HasOwnPath(row)) return;
  const std::string path = model_.RowPath(row);
  switch (model_.Row(row).kind) {
    case ShellRowKind::kMyComputer:
      ShowMyComputer();
      break;
    case ShellRowKind::kDrive:
    case ShellRowKind::kFolder:
      ShowFolder(path);
      break;
    case ShellRowKind::kFile:
      shell_.OpenDocument(path);
      break;
  }
}

void ShellListView::RenameRow(int row) {
  if (!model_.IsRenamable(row)) return;
  SelectRow(row);
  list_->BeginRename(row);
}

bool ShellListView::FinishRename(int row, const std::string& new_name) {
  if (!model_.Rename(row, new_name)) return false;
  list_->SetCell(row, 0, model_.Row(row).name);
  // The selected row's parsing name changed: report it like a selection, so
  // that whoever shows the selected path does not keep the old one.
  if (row == SelectedRow()) Changed();
  return true;
}

bool ShellListView::KeyPressed(Key key) {
  switch (key) {
    case Key::kEnter:
      OpenRow(SelectedRow());
      return true;
    case Key::kBackspace:
      GoUp();
      return true;
    case Key::kF5:
      Refresh();
      return true;
    case Key::kF2:
      RenameRow(SelectedRow());
      return true;
    case Key::kEscape:
    case Key::kSpace:
    case Key::kUp:
    case Key::kDown:
    case Key::kLeft:
    case Key::kRight:
    case Key::kTab:
    case Key::kBackTab:
    case Key::kNextPage:
    case Key::kPreviousPage:
    case Key::kOther:
      break;
  }
  return WinControl::KeyPressed(key);
}

void ShellListView::ShowContextMenu(Point at) {
  const int row = SelectedRow();
  const std::vector<MenuItem> items{
      {kOpenAction, row >= 0}, {kRenameAction, model_.IsRenamable(row)}, {"", true}, {kRefreshAction, true}};
  switch (CurrentBackend().PopupMenu(Native(), at, items)) {
    case kOpenEntry:
      OpenRow(row);
      break;
    case kRenameEntry:
      RenameRow(row);
      break;
    case kRefreshEntry:
      Refresh();
      break;
    default:
      break;
  }
}

template <typename ListStep>
bool ShellListView::Relist(ListStep list_step, int keep_row) {
  const bool had_selection = SelectedRow() >= 0;
  relisting_ = true;
  const bool listed = list_step();
  if (listed) {
    ShowRows();
    if (keep_row >= 0 && keep_row < RowCount() - 1) list_->SelectRow(keep_row);
  }
  relisting_ = false;
  if (listed && (had_selection || SelectedRow() >= 0)) Changed();
  return listed;
}

void ShellListView::Changed() {
  if (on_change) on_change();
}

}  // namespace app
