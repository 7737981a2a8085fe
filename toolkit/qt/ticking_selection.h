#pragma once

#include <QItemSelectionModel>

namespace app::qt {

// The selection of a list with tick boxes. Qt's accessible rows have one
// action, "Toggle", which selects or unselects the row: here it ticks or
// unticks it instead, as Space and a click on its box do, so that a screen
// reader can keep one item hidden and bring another back. Qt runs it as a
// bare select or deselect of one row; the pointer and the keys always
// clear the selection first.
class TickingSelection final : public QItemSelectionModel {
 public:
  using QItemSelectionModel::QItemSelectionModel;
  using QItemSelectionModel::select;
  void select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
};

}  // namespace app::qt
