#pragma once

#include <QTreeWidget>

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/qt/shell_icons.h"

namespace platform {

class FolderWatch;

// The Find window's folder tree: the Desktop at the top, My Computer and
// the desktop directory's folders under it, the drives under My Computer
// and each folder's subfolders under it. Folders only, never hidden ones
// (as they are when read) and never one whose name holds "\" (no path
// leads to it), sorted without regard to case; a node's subfolders are read
// when it is first expanded, and only a node with visible subfolders shows
// an expander. Exactly one node stays
// selected once the tree is filled. The selected folder itself is watched:
// when entries in it are created, deleted or renamed, its subfolders are
// read again and the same folder is selected again, which reports Change.
class ShellTreeView final : public QTreeWidget {
  Q_OBJECT

 public:
  // An empty tree over `fs`, which must outlive it; call Fill.
  explicit ShellTreeView(FileSystem& fs, QWidget* parent = nullptr);
  ~ShellTreeView() override;

  // Builds the tree afresh with only the Desktop node, selects it (which
  // reports Change) and expands it.
  void Fill();

  // The selected node's path: a folder's Windows path, a drive's root
  // ("C:\"), the desktop directory for the Desktop, and "My Computer" for
  // My Computer, whose parsing name is no file-system path. "" when nothing
  // is selected.
  std::string SelectedPath() const;

  // Expands the tree from the top down to the folder with this Windows path
  // (through My Computer and its drive, each name matched without regard to
  // case), or to the Desktop or My Computer, and selects it. Returns false
  // when no such node shows.
  bool SelectPath(const std::string& windows_path);

 signals:
  // The selection moved to another node, or the selected folder was read
  // again after a change inside it.
  void Change();
  // A mouse button was pressed over the tree.
  void MousePressed();
  // The pointer moved over the tree.
  void MouseMoved();

 protected:
  // Presses with any button select the node under the pointer; dragging and
  // presses beside the nodes change nothing, so one node stays selected.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  // Reports presses and pointer moves over the tree.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Reads a node's children when that has not happened yet.
  void Populate(QTreeWidgetItem* item);
  // Reads a read node's children again, keeping the nodes that remain; for
  // a node not read yet, only whether it shows an expander.
  void Repopulate(QTreeWidgetItem* item);
  // The visible subfolders of a folder, sorted; empty when it cannot be read.
  std::vector<std::string> ReadSubfolders(const std::string& folder);
  // True when the folder holds a visible subfolder (its node gets an expander).
  bool HasSubfolders(const std::string& folder);
  // A node for the folder `name` inside `parent_path`, with an expander only
  // when it has visible subfolders.
  QTreeWidgetItem* NewFolderNode(const std::string& parent_path, std::string name);
  QTreeWidgetItem* SelectedItem() const;
  void OnSelectionChanged();
  void OnWatchedFolderChanged();
  void WatchSelected();

  FileSystem& fs_;
  ShellIcons icons_;
  FolderWatch* watch_;
  bool filling_ = false;
};

}  // namespace platform
