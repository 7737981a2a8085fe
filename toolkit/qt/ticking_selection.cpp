#include "toolkit/qt/ticking_selection.h"

namespace app::qt {

void TickingSelection::select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) {
  const QModelIndex box = index.siblingAtColumn(0);
  const bool bare = command == (Select | Rows) || command == (Deselect | Rows);
  if (!bare || !box.isValid() || (model()->flags(box) & Qt::ItemIsUserCheckable) == 0) {
    QItemSelectionModel::select(index, command);
    return;
  }
  const bool ticked = model()->data(box, Qt::CheckStateRole).toInt() == Qt::Checked;
  model()->setData(box, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

}  // namespace app::qt
