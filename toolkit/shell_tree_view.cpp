#include "toolkit/shell_tree_view.h"

#include <algorithm>
#include <utility>

#include "toolkit/backend.h"
#include "toolkit/shell_names.h"
#include "platform/windows_path.h"

namespace app {

namespace {

namespace windows_path = platform::windows_path;

enum class NodeKind { kDesktop, kMyComputer, kDrive, kFolder };

// True for a subfolder the tree shows: visible, and with a path of its own.
bool IsShownFolder(const platform::DirEntry& entry) {
  return (entry.attributes & platform::kAttrDirectory) != 0 && IsShownEntry(entry) &&
         entry.name.find(windows_path::kSeparator) == std::string::npos;
}

ShellPicture PictureOf(NodeKind kind) {
  switch (kind) {
    case NodeKind::kDesktop:
      return ShellPicture::kDesktop;
    case NodeKind::kMyComputer:
      return ShellPicture::kMyComputer;
    case NodeKind::kDrive:
      return ShellPicture::kDrive;
    case NodeKind::kFolder:
      break;
  }
  return ShellPicture::kFolder;
}

}  // namespace

// One node of the tree.
struct ShellTreeView::Node {
  NodeKind kind;
  std::string name;  // a folder's own name; the display name of the others
  std::string path;  // what SelectedPath reports for the node
  char drive = '\0';  // the letter of a drive node
  bool may_have_children = true;
  bool read = false;  // the children have been read
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;
};

ShellTreeView::ShellTreeView(platform::FileSystem& fs, WinControl* parent)
    : WinControl(parent), fs_(fs), watch_(MakeFolderWatcher([this] { OnWatchedFolderChanged(); })) {
  std::unique_ptr<NativeTree> tree = CurrentBackend().CreateTree(parent->Native(), *this);
  tree_ = tree.get();
  tree_->on_expanding = [this](NativeTree::Node node) {
    Populate(const_cast<Node*>(static_cast<const Node*>(node)));
  };
  tree_->on_selection_change = [this] { OnSelectionChanged(); };
  AttachNative(std::move(tree));
  SetTabStop(true);
  SetAccessible(AccessibleRole::kTree);
}

ShellTreeView::~ShellTreeView() { watch_->Stop(); }

void ShellTreeView::Fill() {
  filling_ = true;
  watch_->Stop();
  if (root_) tree_->RemoveNode(root_.get());
  root_ = std::make_unique<Node>();
  root_->kind = NodeKind::kDesktop;
  root_->name = kDesktopName;
  root_->path = fs_.DesktopPath();
  Backend& backend = CurrentBackend();
  tree_->AddNode(nullptr, root_.get(), root_->name, &backend.ShellIcon(ShellPicture::kDesktop), true);
  tree_->Select(root_.get());
  last_selected_ = root_.get();
  filling_ = false;
  WatchSelected();
  Changed();
  Populate(root_.get());
  tree_->Expand(root_.get());
}

std::string ShellTreeView::SelectedPath() const {
  const Node* node = Selected();
  return node != nullptr ? node->path : std::string();
}

ShellTreeView::Node* ShellTreeView::Find(const std::string& windows_path) {
  if (!root_) return nullptr;
  Node* root = root_.get();
  auto child_of_kind = [](Node* parent, NodeKind kind) -> Node* {
    for (const auto& child : parent->children) {
      if (child->kind == kind) return child.get();
    }
    return nullptr;
  };
  if (windows_path == kMyComputerName || windows_path == kMyComputerParsingName) {
    Populate(root);
    return child_of_kind(root, NodeKind::kMyComputer);
  }
  if (!windows_path::HasDriveLetter(windows_path)) return nullptr;
  const std::string path = windows_path::NormalizeFolder(windows_path);
  if (windows_path::EqualIgnoringCase(path, root->path)) return root;
  Populate(root);
  Node* target = nullptr;
  if (Node* computer = child_of_kind(root, NodeKind::kMyComputer)) {
    Populate(computer);
    for (const auto& drive : computer->children) {
      if (drive->drive == path[0]) target = drive.get();
    }
  }
  for (const std::string& part : windows_path::NamesAfterDrive(path)) {
    if (target == nullptr) break;
    Populate(target);
    // The exact name first, else the first that matches without regard to case.
    Node* blind_match = nullptr;
    Node* exact = nullptr;
    for (const auto& child : target->children) {
      if (child->name == part) {
        exact = child.get();
        break;
      }
      if (blind_match == nullptr && windows_path::EqualIgnoringCase(child->name, part)) blind_match = child.get();
    }
    target = exact != nullptr ? exact : blind_match;
  }
  return target;
}

bool ShellTreeView::SelectPath(const std::string& windows_path) {
  Node* target = Find(windows_path);
  if (target == nullptr) return false;
  for (Node* up = target->parent; up != nullptr; up = up->parent) tree_->Expand(up);
  Select(target);
  return true;
}

std::vector<std::string> ShellTreeView::ChildNames(const std::string& windows_path) {
  std::vector<std::string> names;
  if (const Node* node = Find(windows_path)) {
    for (const auto& child : node->children) names.push_back(child->name);
  }
  return names;
}

bool ShellTreeView::ShowsExpandMark(const std::string& windows_path) {
  const Node* node = Find(windows_path);
  if (node == nullptr) return false;
  return node->read ? !node->children.empty() : node->may_have_children;
}

Rect ShellTreeView::NodeRect(const std::string& windows_path) {
  const Node* node = Find(windows_path);
  return node != nullptr ? tree_->NodeRect(node) : Rect();
}

void ShellTreeView::Expand(const std::string& windows_path) {
  if (Node* node = Find(windows_path)) {
    Populate(node);
    tree_->Expand(node);
  }
}

ShellTreeView::Node* ShellTreeView::AddChild(Node* parent, std::unique_ptr<Node> child, Node* before) {
  Node* node = child.get();
  node->parent = parent;
  const Image* picture = &CurrentBackend().ShellIcon(PictureOf(node->kind));
  if (before == nullptr) {
    tree_->AddNode(parent, node, node->name, picture, node->may_have_children);
    parent->children.push_back(std::move(child));
  } else {
    tree_->InsertNode(parent, before, node, node->name, picture, node->may_have_children);
    const auto at = std::find_if(parent->children.begin(), parent->children.end(),
                                 [before](const std::unique_ptr<Node>& c) { return c.get() == before; });
    parent->children.insert(at, std::move(child));
  }
  return node;
}

std::unique_ptr<ShellTreeView::Node> ShellTreeView::FolderNode(const std::string& parent_path, std::string name) {
  auto node = std::make_unique<Node>();
  node->kind = NodeKind::kFolder;
  node->path = windows_path::Join(parent_path, name);
  node->name = std::move(name);
  node->may_have_children = HasSubfolders(node->path);
  return node;
}

void ShellTreeView::Populate(Node* node) {
  if (node == nullptr || node->read) return;
  node->read = true;
  switch (node->kind) {
    case NodeKind::kDesktop: {
      auto computer = std::make_unique<Node>();
      computer->kind = NodeKind::kMyComputer;
      computer->name = kMyComputerName;
      computer->path = kMyComputerName;
      computer->may_have_children = !fs_.Drives().empty();
      AddChild(node, std::move(computer));
      break;
    }
    case NodeKind::kMyComputer:
      for (char letter : fs_.Drives()) {
        auto drive = std::make_unique<Node>();
        drive->kind = NodeKind::kDrive;
        drive->name = DriveDisplayName(letter);
        drive->path = windows_path::DriveRoot(letter);
        drive->drive = letter;
        drive->may_have_children = HasSubfolders(drive->path);
        AddChild(node, std::move(drive));
      }
      break;
    case NodeKind::kDrive:
    case NodeKind::kFolder:
      break;
  }
  if (node->kind != NodeKind::kMyComputer) {
    for (std::string& name : ReadSubfolders(node->path)) AddChild(node, FolderNode(node->path, std::move(name)));
  }
  node->may_have_children = !node->children.empty();
  tree_->SetMayHaveChildren(node, node->may_have_children);
}

void ShellTreeView::Repopulate(Node* node) {
  if (node->kind == NodeKind::kMyComputer) return;
  if (!node->read) {
    // Not read yet: only whether it has something to show below it may change.
    node->may_have_children = HasSubfolders(node->path);
    tree_->SetMayHaveChildren(node, node->may_have_children);
    return;
  }
  const std::vector<std::string> names = ReadSubfolders(node->path);
  // Folders that went away lose their nodes; the others keep theirs, with
  // whatever is expanded below them.
  for (std::size_t i = node->children.size(); i-- > 0;) {
    Node* child = node->children[i].get();
    if (child->kind != NodeKind::kFolder) continue;
    if (!std::binary_search(names.begin(), names.end(), child->name, windows_path::LessIgnoringCase)) {
      if (last_selected_ == child) last_selected_ = nullptr;
      tree_->RemoveNode(child);
      node->children.erase(node->children.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  // Both lists are in the same order, so the new folders slot in by a merge.
  std::size_t at = 0;
  while (at < node->children.size() && node->children[at]->kind != NodeKind::kFolder) ++at;
  for (const std::string& name : names) {
    if (at < node->children.size() && node->children[at]->name == name) {
      ++at;
      continue;
    }
    Node* before = at < node->children.size() ? node->children[at].get() : nullptr;
    AddChild(node, FolderNode(node->path, name), before);
    ++at;
  }
  node->may_have_children = !node->children.empty();
  tree_->SetMayHaveChildren(node, node->may_have_children);
}

std::vector<std::string> ShellTreeView::ReadSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  auto listing = fs_.ListFolder(folder);
  if (!listing) return names;
  for (platform::DirEntry& entry : *listing) {
    // A folder whose name holds "\" has no path of its own: selecting it
    // would list another folder.
    if (IsShownFolder(entry)) names.push_back(std::move(entry.name));
  }
  std::sort(names.begin(), names.end(), windows_path::LessIgnoringCase);
  return names;
}

bool ShellTreeView::HasSubfolders(const std::string& folder) {
  const auto listing = fs_.ListFolder(folder);
  if (!listing) return false;
  return std::any_of(listing->begin(), listing->end(), IsShownFolder);
}

ShellTreeView::Node* ShellTreeView::Selected() const {
  return const_cast<Node*>(static_cast<const Node*>(tree_->Selected()));
}

void ShellTreeView::Select(Node* node) { tree_->Select(node); }

void ShellTreeView::BackgroundMouseDown(Point at, MouseButton) {
  if (NativeTree::Node node = tree_->NodeAt(at)) Select(const_cast<Node*>(static_cast<const Node*>(node)));
}

void ShellTreeView::OnSelectionChanged() {
  if (filling_) return;
  Node* selected = Selected();
  // Selecting the node that is already selected changes nothing; neither
  // does a press beside the nodes, which leaves one node selected.
  if (selected == nullptr || selected == last_selected_) return;
  last_selected_ = selected;
  WatchSelected();
  Changed();
}

void ShellTreeView::OnWatchedFolderChanged() {
  Node* node = Selected();
  if (node == nullptr || node->kind == NodeKind::kMyComputer) return;
  Repopulate(node);
  // The folder may have been replaced under the same path: watch it anew.
  WatchSelected();
  Changed();
}

void ShellTreeView::WatchSelected() {
  const Node* node = Selected();
  if (node == nullptr || node->kind == NodeKind::kMyComputer) {
    watch_->Stop();
    return;
  }
  watch_->Watch(fs_.NativePath(node->path));
}

void ShellTreeView::Changed() {
  if (on_change) on_change();
}

}  // namespace app
