#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/folder_watcher.h"
#include "platform/file_system.h"

namespace app {

// The Find window's folder tree: the Desktop at the top, My Computer and
// the desktop directory's folders under it, the drives under My Computer
// and each folder's subfolders under it. Folders only, never hidden ones
// (as they are when read), sorted without regard to case; a node's
// subfolders are read when it is first expanded, and a folder shows an
// expand mark only when it has subfolders to show. Exactly one node stays
// selected once the tree is filled; a press with any button selects the
// node under the pointer. The selected folder itself is watched: when
// entries in it are created, deleted or renamed, its subfolders are read
// again and the same folder is selected again, which reports a change.
class ShellTreeView : public WinControl {
 public:
  // An empty tree over `fs`, which must outlive it; call Fill.
  ShellTreeView(platform::FileSystem& fs, WinControl* parent);
  ~ShellTreeView() override;

  // Builds the tree afresh with only the Desktop node, selects it (which
  // reports a change) and expands it.
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

  // The names shown under the node with this path (as SelectPath finds it),
  // in order; empty when the node is not there or not read yet.
  std::vector<std::string> ChildNames(const std::string& windows_path);
  // True when the node with this path shows an expand mark.
  bool ShowsExpandMark(const std::string& windows_path);
  // Where the node with this path lies in the tree's own coordinates (an
  // empty rectangle when it is not on screen).
  Rect NodeRect(const std::string& windows_path);
  // Expands the node with this path, reading its subfolders.
  void Expand(const std::string& windows_path);

  // The selection moved to another node, or the selected folder was read
  // again after a change inside it.
  std::function<void()> on_change;

 protected:
  // A press with any button selects the node under the pointer.
  void BackgroundMouseDown(Point at, MouseButton button) override;

 private:
  struct Node;

  // The node with this path, or nullptr; reads the nodes on the way.
  Node* Find(const std::string& windows_path);
  // Adds a node below `parent` (at the end, or before `before`) in the
  // native tree too.
  Node* AddChild(Node* parent, std::unique_ptr<Node> child, Node* before = nullptr);
  // Reads a node's children when that has not happened yet.
  void Populate(Node* node);
  // Reads a read node's children again, keeping the nodes that remain.
  void Repopulate(Node* node);
  // The visible subfolders of a folder, sorted; empty when it cannot be read.
  std::vector<std::string> ReadSubfolders(const std::string& folder);
  // True when the folder holds at least one visible subfolder.
  bool HasSubfolders(const std::string& folder);
  std::unique_ptr<Node> FolderNode(const std::string& parent_path, std::string name);
  Node* Selected() const;
  void Select(Node* node);
  void OnSelectionChanged();
  void OnWatchedFolderChanged();
  void WatchSelected();
  void Changed();

  platform::FileSystem& fs_;
  NativeTree* tree_;
  std::unique_ptr<Node> root_;
  std::unique_ptr<FolderWatcher> watch_;
  bool filling_ = false;
  Node* last_selected_ = nullptr;
};

}  // namespace app
