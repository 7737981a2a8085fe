#pragma once

#include <QTreeView>

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/qt/shell_icons.h"
#include "platform/shell.h"

namespace platform {

class ShellListModel;

// The main window's shell browser: a report-style list of one location of
// the namespace (the Desktop, My Computer or a folder) showing folders and
// files but never hidden items, sorted, one row selectable at a time.
// Double-click or Enter opens a folder or hands a file to the shell,
// Backspace goes up, F5 re-reads, F2 renames in place, and a right click
// offers Open, Rename and Refresh. It starts at My Computer.
class ShellListView final : public QTreeView {
  Q_OBJECT

 public:
  // A browser over `fs`, opening documents through `shell`; both must
  // outlive it.
  ShellListView(FileSystem& fs, Shell& shell, QWidget* parent = nullptr);
  ~ShellListView() override;

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
  bool AtDesktop() const;
  bool AtMyComputer() const;

  // Moves to the parent: a folder to its parent folder (the nearest one that
  // can still be read), a drive root to My Computer, My Computer to the
  // Desktop; at the Desktop it stays.
  void GoUp();

  // Reads the current location again. The row at the selected position is
  // selected again afterwards when the position is below the new row count
  // minus one, so the last row is never selected again; otherwise nothing is
  // selected. Emits Change when a selection existed before or exists after.
  void Refresh();

  // The number of rows shown.
  int RowCount() const;
  // The selected row, or -1 when none is selected.
  int SelectedRow() const;
  // Selects `row` (a selection change), or clears the selection for a row
  // out of range.
  void SelectRow(int row);
  // The parsing name of the selected row, "" when none is selected.
  std::string SelectedPath() const;
  // The directory entry of the selected row (its folder and exact name);
  // nullopt when none is selected or the row is a drive or My Computer.
  std::optional<FolderEntry> SelectedEntry() const;
  // The parsing name and the display name of a row; "" when out of range.
  std::string RowPath(int row) const;
  std::string RowName(int row) const;

  // Opens a row as a double-click would: a container becomes the current
  // location, a file is handed to the shell. A folder or file whose name
  // holds "\" is not opened: no path leads to it.
  void OpenRow(int row);

  // Starts the in-place rename of a row (nothing for drives and My Computer).
  void RenameRow(int row);

 signals:
  // The selection changed: a row was selected or the selection was cleared.
  void Change();
  // A mouse button was pressed over the view.
  void MousePressed();
  // The pointer moved over the view.
  void MouseMoved();

 protected:
  // Enter opens the selected row, Backspace goes up, F5 re-reads; other
  // keys keep their list meaning (F2 renames).
  void keyPressEvent(QKeyEvent* event) override;
  // Offers Open, Rename and Refresh for the selected row.
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Reports presses and pointer moves over the view, its rows and header.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs a listing step and then selects `keep_row` again when the refresh
  // rule allows it, emitting Change once when the selection changed.
  template <typename ListStep>
  bool Relist(ListStep list_step, int keep_row);
  void OnSelectionChanged();
  void OnRowRenamed(int row);

  FileSystem& fs_;
  Shell& shell_;
  ShellIcons icons_;
  ShellListModel* model_;
  bool relisting_ = false;
};

}  // namespace platform
