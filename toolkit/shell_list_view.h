#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/shell_list_model.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace app {

// The main window's shell browser: a report-style list of one location of
// the namespace (the Desktop, My Computer or a folder) showing folders and
// files but never hidden items, sorted, one row selectable at a time.
// Double-click or Enter opens a folder or hands a file to the shell,
// Backspace goes up, F5 re-reads, F2 renames in place, and a right click
// offers Open, Rename and Refresh. It starts at My Computer.
class ShellListView : public WinControl {
 public:
  // A browser over `fs`, opening documents through `shell`; both must
  // outlive it.
  ShellListView(platform::FileSystem& fs, platform::Shell& shell, WinControl* parent);

  // Moves to My Computer, the list of the drives.
  void ShowMyComputer();

  // Moves to the Desktop: My Computer first, then the desktop directory.
  void ShowDesktop();

  // Moves to a folder given by its Windows path ("C:\Data", "C:\" or "C:").
  // My Computer's parsing name shows My Computer. Returns false and stays
  // where it is when the path is not a readable folder.
  bool ShowFolder(const std::string& windows_path);

  // The current folder: its Windows path, the parsing name of My Computer,
  // or for the Desktop the desktop directory's path.
  std::string CurrentFolder() const;
  bool AtDesktop() const { return model_.location() == ShellLocation::kDesktop; }
  bool AtMyComputer() const { return model_.location() == ShellLocation::kMyComputer; }

  // Moves to the parent: a folder to its parent folder (the nearest one that
  // can still be read), a drive root to My Computer, My Computer to the
  // Desktop; at the Desktop it stays.
  void GoUp();

  // Reads the current location again. The row at the selected position is
  // selected again afterwards when the position is below the new row count
  // minus one, so the last row is never selected again; otherwise nothing is
  // selected. Reports a change when a selection existed before or exists
  // after.
  void Refresh();

  // Refresh() for a command that changed only the entries `changed`: the
  // rows of those in the current folder are brought up to date
  // (ShellListModel::UpdateEntries) instead of the folder being read again,
  // and the selection follows Refresh()'s rule.
  void RefreshEntries(const std::vector<platform::FolderEntry>& changed);

  // The number of rows shown.
  int RowCount() const { return model_.RowCount(); }
  // The selected row, or -1 when none is selected.
  int SelectedRow() const;
  // Selects `row` (a selection change), or clears the selection for a row
  // out of range.
  void SelectRow(int row);
  // The parsing name of the selected row, "" when none is selected.
  std::string SelectedPath() const { return model_.RowPath(SelectedRow()); }
  // The directory entry of the selected row (its folder and exact name);
  // nullopt when none is selected or the row is a drive or My Computer.
  std::optional<platform::FolderEntry> SelectedEntry() const { return model_.RowEntry(SelectedRow()); }
  // The parsing name and the display name of a row; "" when out of range.
  std::string RowPath(int row) const { return model_.RowPath(row); }
  std::string RowName(int row) const;
  // Where a row's name lies, in the browser's own coordinates.
  Rect RowRect(int row) const { return list_->RowRect(row); }

  // Opens a row as a double-click would: a container becomes the current
  // location, a file is handed to the shell. A folder or file whose name
  // holds "\" is not opened: no path leads to it.
  void OpenRow(int row);

  // Starts the in-place rename of a row (nothing for drives and My Computer).
  void RenameRow(int row);
  // Gives a row a new name as the in-place rename does when it ends; false
  // (nothing changed) when the shell list refuses it (ShellListModel::Rename).
  bool FinishRename(int row, const std::string& new_name);

  // The selection changed: a row was selected or the selection was cleared,
  // or the selected row was renamed.
  std::function<void()> on_change;

 protected:
  // Enter opens the selected row, Backspace goes up, F5 re-reads, F2
  // renames; other keys go on.
  bool KeyPressed(Key key) override;

 private:
  // Shows the model's rows in the list, none selected.
  void ShowRows();
  // Runs a listing step and then selects `keep_row` again when the refresh
  // rule allows it, reporting a change once when the selection changed.
  template <typename ListStep>
  bool Relist(ListStep list_step, int keep_row);
  void ShowContextMenu(Point at);
  void Changed();

  platform::Shell& shell_;
  ShellListModel model_;
  NativeReportList* list_;
  bool relisting_ = false;
};

}  // namespace app
