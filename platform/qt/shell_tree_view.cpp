#include "platform/qt/shell_tree_view.h"

#include <QEvent>
#include <QHeaderView>

#include <algorithm>
#include <utility>

#include "platform/qt/folder_watch.h"
#include "platform/qt/shell_names.h"
#include "platform/windows_path.h"

namespace platform {

namespace {

constexpr int kIndentation = 19;
constexpr int kNodeType = QTreeWidgetItem::UserType + 1;

enum class NodeKind { kDesktop, kMyComputer, kDrive, kFolder };

// One node of the tree. Until it is read, a node shows an expander only when
// it has something to show below it (`expandable`); once read, only while it
// has children.
class Node final : public QTreeWidgetItem {
 public:
  Node(NodeKind node_kind, std::string node_name, std::string node_path, const QIcon& icon,
       bool expandable, char drive_letter = '\0')
      : QTreeWidgetItem(kNodeType),
        kind(node_kind),
        name(std::move(node_name)),
        path(std::move(node_path)),
        drive(drive_letter) {
    setText(0, QString::fromStdString(name));
    setIcon(0, icon);
    setChildIndicatorPolicy(expandable ? QTreeWidgetItem::ShowIndicator
                                       : QTreeWidgetItem::DontShowIndicator);
  }

  const NodeKind kind;
  const std::string name;  // a folder's own name; the display name of the others
  const std::string path;  // what SelectedPath reports for the node
  const char drive;        // the letter of a drive node
  bool read = false;       // the children have been read
};

// Every item of the tree is a Node.
Node* AsNode(QTreeWidgetItem* item) { return static_cast<Node*>(item); }

// The child folder called `name`: the exact name first, else the first
// that matches without regard to case.
Node* FindFolderChild(QTreeWidgetItem* parent, const std::string& name) {
  Node* blind_match = nullptr;
  for (int i = 0; i < parent->childCount(); ++i) {
    Node* child = AsNode(parent->child(i));
    if (child->name == name) return child;
    if (blind_match == nullptr && windows_path::EqualIgnoringCase(child->name, name)) blind_match = child;
  }
  return blind_match;
}

Node* FindDriveChild(QTreeWidgetItem* computer, char letter) {
  for (int i = 0; i < computer->childCount(); ++i) {
    if (AsNode(computer->child(i))->drive == letter) return AsNode(computer->child(i));
  }
  return nullptr;
}

Node* FindChildOfKind(QTreeWidgetItem* parent, NodeKind kind) {
  for (int i = 0; i < parent->childCount(); ++i) {
    if (AsNode(parent->child(i))->kind == kind) return AsNode(parent->child(i));
  }
  return nullptr;
}

}  // namespace

ShellTreeView::ShellTreeView(FileSystem& fs, QWidget* parent)
    : QTreeWidget(parent), fs_(fs), icons_(*style()), watch_(new FolderWatch(this)) {
  setColumnCount(1);
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setIndentation(kIndentation);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (QWidget* part : {static_cast<QWidget*>(this), viewport()}) {
    part->setMouseTracking(true);
    part->installEventFilter(this);
  }

  connect(this, &QTreeWidget::itemExpanded, this, &ShellTreeView::Populate);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &ShellTreeView::OnSelectionChanged);
  connect(watch_, &FolderWatch::Changed, this, &ShellTreeView::OnWatchedFolderChanged);
}

ShellTreeView::~ShellTreeView() = default;

void ShellTreeView::Fill() {
  filling_ = true;
  watch_->Stop();
  clear();
  // The Desktop always holds My Computer.
  auto* root = new Node(NodeKind::kDesktop, kDesktopName, fs_.DesktopPath(), icons_.desktop, true);
  addTopLevelItem(root);
  setCurrentItem(root);
  filling_ = false;
  WatchSelected();
  emit Change();
  expandItem(root);
}

std::string ShellTreeView::SelectedPath() const {
  QTreeWidgetItem* item = SelectedItem();
  return item != nullptr ? AsNode(item)->path : std::string();
}

bool ShellTreeView::SelectPath(const std::string& windows_path) {
  if (topLevelItemCount() == 0) return false;
  Node* root = AsNode(topLevelItem(0));
  Node* target = nullptr;
  if (windows_path == kMyComputerName || windows_path == kMyComputerParsingName) {
    Populate(root);
    target = FindChildOfKind(root, NodeKind::kMyComputer);
  } else if (windows_path::HasDriveLetter(windows_path)) {
    const std::string path = windows_path::NormalizeFolder(windows_path);
    if (windows_path::EqualIgnoringCase(path, root->path)) {
      target = root;
    } else {
      Populate(root);
      Node* computer = FindChildOfKind(root, NodeKind::kMyComputer);
      if (computer != nullptr) {
        Populate(computer);
        target = FindDriveChild(computer, path[0]);
      }
      for (const std::string& part : windows_path::NamesAfterDrive(path)) {
        if (target == nullptr) break;
        Populate(target);
        target = FindFolderChild(target, part);
      }
    }
  }
  if (target == nullptr) return false;
  for (QTreeWidgetItem* up = target->parent(); up != nullptr; up = up->parent()) {
    up->setExpanded(true);
  }
  setCurrentItem(target);
  scrollToItem(target);
  return true;
}

QItemSelectionModel::SelectionFlags ShellTreeView::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
  // One node always stays selected: presses with any button select the node
  // under the pointer, dragging and presses beside the nodes change nothing.
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  if (event != nullptr && event->type() == QEvent::MouseMove) {
    return QItemSelectionModel::NoUpdate;
  }
  return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

bool ShellTreeView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress ||
      event->type() == QEvent::MouseButtonDblClick) {
    emit MousePressed();
  } else if (event->type() == QEvent::MouseMove) {
    emit MouseMoved();
  }
  return QTreeWidget::eventFilter(watched, event);
}

void ShellTreeView::Populate(QTreeWidgetItem* item) {
  Node* node = AsNode(item);
  if (node->read) return;
  node->read = true;
  QList<QTreeWidgetItem*> children;
  switch (node->kind) {
    case NodeKind::kDesktop:
      children.append(new Node(NodeKind::kMyComputer, kMyComputerName, kMyComputerName,
                               icons_.computer, !fs_.Drives().empty()));
      break;
    case NodeKind::kMyComputer:
      for (char letter : fs_.Drives()) {
        const std::string root = windows_path::DriveRoot(letter);
        children.append(new Node(NodeKind::kDrive, DriveDisplayName(letter), root, icons_.drive,
                                 HasSubfolders(root), letter));
      }
      break;
    case NodeKind::kDrive:
    case NodeKind::kFolder:
      break;
  }
  if (node->kind != NodeKind::kMyComputer) {
    for (std::string& name : ReadSubfolders(node->path)) {
      children.append(NewFolderNode(node->path, std::move(name)));
    }
  }
  node->addChildren(children);
  node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void ShellTreeView::Repopulate(QTreeWidgetItem* item) {
  Node* node = AsNode(item);
  if (node->kind == NodeKind::kMyComputer) return;
  if (!node->read) {
    // Not read yet: only whether it has something to show below it may change.
    node->setChildIndicatorPolicy(HasSubfolders(node->path) ? QTreeWidgetItem::ShowIndicator
                                                            : QTreeWidgetItem::DontShowIndicator);
    return;
  }
  const std::vector<std::string> names = ReadSubfolders(node->path);
  // Folders that went away lose their nodes; the others keep theirs, with
  // whatever is expanded below them.
  for (int i = node->childCount() - 1; i >= 0; --i) {
    Node* child = AsNode(node->child(i));
    if (child->kind != NodeKind::kFolder) continue;
    if (!std::binary_search(names.begin(), names.end(), child->name, windows_path::LessIgnoringCase)) {
      delete child;
    }
  }
  // Both lists are in the same order, so the new folders slot in by a merge.
  int at = 0;
  while (at < node->childCount() && AsNode(node->child(at))->kind != NodeKind::kFolder) ++at;
  for (const std::string& name : names) {
    if (at < node->childCount() && AsNode(node->child(at))->name == name) {
      ++at;
      continue;
    }
    node->insertChild(at++, NewFolderNode(node->path, name));
  }
}

std::vector<std::string> ShellTreeView::ReadSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  auto listing = fs_.ListFolder(folder);
  if (!listing) return names;
  for (DirEntry& entry : *listing) {
    // A folder whose name holds "\" has no path of its own: selecting it
    // would list another folder.
    if ((entry.attributes & kAttrDirectory) != 0 && IsShownEntry(entry) &&
        entry.name.find(windows_path::kSeparator) == std::string::npos) {
      names.push_back(std::move(entry.name));
    }
  }
  std::sort(names.begin(), names.end(), windows_path::LessIgnoringCase);
  return names;
}

bool ShellTreeView::HasSubfolders(const std::string& folder) {
  auto listing = fs_.ListFolder(folder);
  if (!listing) return false;
  return std::any_of(listing->begin(), listing->end(), [](const DirEntry& entry) {
    return (entry.attributes & kAttrDirectory) != 0 && IsShownEntry(entry);
  });
}

QTreeWidgetItem* ShellTreeView::NewFolderNode(const std::string& parent_path, std::string name) {
  std::string path = windows_path::Join(parent_path, name);
  const bool expandable = HasSubfolders(path);
  return new Node(NodeKind::kFolder, std::move(name), std::move(path), icons_.folder, expandable);
}

QTreeWidgetItem* ShellTreeView::SelectedItem() const {
  const QList<QTreeWidgetItem*> items = selectedItems();
  return items.isEmpty() ? nullptr : items.first();
}

void ShellTreeView::OnSelectionChanged() {
  if (filling_) return;
  WatchSelected();
  emit Change();
}

void ShellTreeView::OnWatchedFolderChanged() {
  QTreeWidgetItem* item = SelectedItem();
  if (item == nullptr || AsNode(item)->kind == NodeKind::kMyComputer) return;
  Repopulate(item);
  // The folder may have been replaced under the same path: watch it anew.
  WatchSelected();
  emit Change();
}

void ShellTreeView::WatchSelected() {
  QTreeWidgetItem* item = SelectedItem();
  if (item == nullptr || AsNode(item)->kind == NodeKind::kMyComputer) {
    watch_->Stop();
    return;
  }
  watch_->Watch(fs_.NativePath(AsNode(item)->path));
}

}  // namespace platform
