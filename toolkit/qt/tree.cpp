#include "toolkit/qt/tree.h"

#include <QEvent>
#include <QHeaderView>

namespace app::qt {

namespace {
constexpr int kIndentation = 19;
constexpr int kNodeRole = Qt::UserRole;
}  // namespace

QItemSelectionModel::SelectionFlags TreeWidget::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const {
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  if (event != nullptr && event->type() == QEvent::MouseMove) return QItemSelectionModel::NoUpdate;
  return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

TreePeer::TreePeer(NativeEvents& events, QWidget* parent) : Peer<NativeTree>(new TreeWidget(parent)) {
  QTreeWidget* t = tree();
  t->setColumnCount(1);
  t->setHeaderHidden(true);
  t->setRootIsDecorated(false);
  t->setIndentation(kIndentation);
  t->setFrameStyle(QFrame::Box | QFrame::Plain);
  t->setUniformRowHeights(true);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* reporter = new MouseReporter(events, t);
  for (QWidget* part : {static_cast<QWidget*>(t), t->viewport()}) reporter->Watch(part, t);
  QObject::connect(t, &QTreeWidget::itemExpanded, t, [this](QTreeWidgetItem* item) {
    if (on_expanding) on_expanding(NodeOf(item));
  });
  QObject::connect(t, &QTreeWidget::itemSelectionChanged, t, [this] {
    if (on_selection_change) on_selection_change();
  });
}

QTreeWidgetItem* TreePeer::Make(Node node, const std::string& text, const Image* picture, bool may_have_children) {
  auto* item = new QTreeWidgetItem();
  item->setText(0, ToQString(text));
  if (picture != nullptr) {
    auto icon = icons_.find(picture);
    if (icon == icons_.end()) icon = icons_.emplace(picture, QIcon(QPixmap::fromImage(ViewOf(*picture)))).first;
    item->setIcon(0, icon->second);
  }
  item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
  item->setChildIndicatorPolicy(may_have_children ? QTreeWidgetItem::ShowIndicator
                                                  : QTreeWidgetItem::DontShowIndicator);
  items_[node] = item;
  return item;
}

QTreeWidgetItem* TreePeer::ItemOf(Node node) const {
  const auto found = items_.find(node);
  return found != items_.end() ? found->second : nullptr;
}

NativeTree::Node TreePeer::NodeOf(const QTreeWidgetItem* item) {
  if (item == nullptr) return nullptr;
  return reinterpret_cast<Node>(item->data(0, kNodeRole).value<quintptr>());
}

void TreePeer::AddNode(Node parent, Node node, const std::string& text, const Image* picture, bool may_have_children) {
  QTreeWidgetItem* item = Make(node, text, picture, may_have_children);
  if (QTreeWidgetItem* up = ItemOf(parent)) {
    up->addChild(item);
  } else {
    tree()->addTopLevelItem(item);
  }
}

void TreePeer::InsertNode(Node parent, Node before, Node node, const std::string& text, const Image* picture,
                        bool may_have_children) {
  QTreeWidgetItem* up = ItemOf(parent);
  QTreeWidgetItem* next = ItemOf(before);
  if (up == nullptr || next == nullptr) return AddNode(parent, node, text, picture, may_have_children);
  up->insertChild(up->indexOfChild(next), Make(node, text, picture, may_have_children));
}

void TreePeer::Forget(QTreeWidgetItem* item) {
  for (int i = 0; i < item->childCount(); ++i) Forget(item->child(i));
  items_.erase(NodeOf(item));
}

void TreePeer::RemoveNode(Node node) {
  QTreeWidgetItem* item = ItemOf(node);
  if (item == nullptr) return;
  Forget(item);
  delete item;
}

void TreePeer::SetMayHaveChildren(Node node, bool may_have_children) {
  if (QTreeWidgetItem* item = ItemOf(node)) {
    item->setChildIndicatorPolicy(may_have_children ? QTreeWidgetItem::ShowIndicator
                                                    : QTreeWidgetItem::DontShowIndicator);
  }
}

void TreePeer::Expand(Node node) {
  if (QTreeWidgetItem* item = ItemOf(node)) tree()->expandItem(item);
}

void TreePeer::Select(Node node) {
  if (QTreeWidgetItem* item = ItemOf(node)) {
    tree()->setCurrentItem(item);
    tree()->scrollToItem(item);
  }
}

NativeTree::Node TreePeer::Selected() const {
  const QList<QTreeWidgetItem*> items = tree()->selectedItems();
  return items.isEmpty() ? nullptr : NodeOf(items.first());
}

NativeTree::Node TreePeer::NodeAt(Point at) const {
  static_cast<TreeWidget*>(tree())->LayOutNow();
  const QPoint in_viewport = tree()->viewport()->mapFrom(tree(), ToQPoint(at));
  // Only the node's picture and caption are the node: a press on its expand
  // mark, left of them, expands it and selects nothing.
  QTreeWidgetItem* item = tree()->itemAt(in_viewport);
  if (item == nullptr || !tree()->visualItemRect(item).contains(in_viewport)) return nullptr;
  return NodeOf(item);
}

Rect TreePeer::NodeRect(Node node) const {
  QTreeWidgetItem* item = ItemOf(node);
  if (item == nullptr) return Rect();
  static_cast<TreeWidget*>(tree())->LayOutNow();
  const QRect in_viewport = tree()->visualItemRect(item);
  if (in_viewport.isEmpty()) return Rect();
  return ToRect(QRect(tree()->viewport()->mapTo(tree(), in_viewport.topLeft()), in_viewport.size()));
}

}  // namespace app::qt
