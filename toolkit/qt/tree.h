#pragma once

#include <QTreeWidget>

#include <map>

#include "toolkit/native.h"
#include "toolkit/qt/peer.h"

namespace app::qt {

// The tree widget: presses with any button select the node under the
// pointer, dragging with a button held changes nothing.
class TreeWidget final : public QTreeWidget {
 public:
  explicit TreeWidget(QWidget* parent) : QTreeWidget(parent) {}
  // Lays the nodes out now rather than at the next pass of the event loop.
  void LayOutNow() { executeDelayedItemsLayout(); }

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
};

class TreePeer final : public Peer<NativeTree> {
 public:
  TreePeer(NativeEvents& events, QWidget* parent);

  void AddNode(Node parent, Node node, const std::string& text, const Image* picture,
               bool may_have_children) override;
  void InsertNode(Node parent, Node before, Node node, const std::string& text, const Image* picture,
                  bool may_have_children) override;
  void RemoveNode(Node node) override;
  void SetMayHaveChildren(Node node, bool may_have_children) override;
  void Expand(Node node) override;
  void Select(Node node) override;
  Node Selected() const override;
  Node NodeAt(Point at) const override;
  Rect NodeRect(Node node) const override;

 private:
  QTreeWidget* tree() const { return static_cast<QTreeWidget*>(widget_.data()); }
  QTreeWidgetItem* Make(Node node, const std::string& text, const Image* picture, bool may_have_children);
  QTreeWidgetItem* ItemOf(Node node) const;
  static Node NodeOf(const QTreeWidgetItem* item);
  void Forget(QTreeWidgetItem* item);

  std::map<Node, QTreeWidgetItem*> items_;
  std::map<const Image*, QIcon> icons_;
};

}  // namespace app::qt
