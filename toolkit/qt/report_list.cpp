#include "toolkit/qt/report_list.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

#include "toolkit/qt/ticking_selection.h"

namespace app::qt {

namespace {
constexpr int kHeaderHeight = 17;
// Rows are never lower than this, with or without pictures and tick boxes.
constexpr int kLeastRowHeight = 17;

class RowDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), kLeastRowHeight));
    return size;
  }
};

// The selection keeps its colours when the view loses the focus.
void KeepSelectionVisible(QWidget& widget) {
  QPalette palette = widget.palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  widget.setPalette(palette);
}

// Reports the context menu request with the row under the pointer.
class ContextMenuReporter final : public QObject {
 public:
  ContextMenuReporter(ReportListPeer& list, QObject* parent) : QObject(parent), list_(list) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ContextMenu) return QObject::eventFilter(watched, event);
    const auto* menu = static_cast<QContextMenuEvent*>(event);
    const QPoint at = static_cast<QWidget*>(watched)->mapTo(list_.Widget(), menu->pos());
    if (list_.on_context_menu) list_.on_context_menu(list_.RowAt(ToPoint(at)), ToPoint(at));
    return true;
  }

 private:
  ReportListPeer& list_;
};
}  // namespace

int ReportModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int ReportModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(captions.size());
}

QIcon ReportModel::IconOf(const Image* picture) const {
  auto found = icons_.find(picture);
  if (found == icons_.end()) found = icons_.emplace(picture, qt::IconOf(*picture)).first;
  return found->second;
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows.size())) return {};
  const NativeReportList::Row& row = rows[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<std::size_t>(index.column());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return column < row.cells.size() ? ToQString(row.cells[column]) : QString();
    case Qt::DecorationRole:
      if (column == 0 && row.picture != nullptr && !row.picture->IsNull()) return IconOf(row.picture);
      return {};
    case Qt::CheckStateRole:
      if (column == 0 && check_boxes) return row.checked ? Qt::Checked : Qt::Unchecked;
      return {};
    default:
      return {};
  }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(captions.size())) return {};
  if (role == Qt::DisplayRole) return captions[static_cast<std::size_t>(section)];
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags ReportModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (index.column() == 0) {
    if (check_boxes) result |= Qt::ItemIsUserCheckable;
    if (renamed) result |= Qt::ItemIsEditable;
  }
  return result;
}

bool ReportModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != 0 || index.row() >= static_cast<int>(rows.size())) return false;
  const int row = index.row();
  if (role == Qt::CheckStateRole && check_boxes) {
    rows[static_cast<std::size_t>(row)].checked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index);
    if (checked) checked(row);
    return true;
  }
  if (role == Qt::EditRole && renamed) {
    // The toolkit renames and sets the cell itself when it keeps the name.
    return renamed(row, FromQString(value.toString()));
  }
  return false;
}

ReportView::ReportView(NativeEvents& events, QWidget* parent) : QTreeView(parent), events_(events) {}

void ReportView::keyPressEvent(QKeyEvent* event) {
  // While a name is edited in place the editor has the keys.
  if (state() != QAbstractItemView::EditingState && events_.NativeKey(KeyOf(*event))) {
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
  event->accept();
}

void ReportView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QTreeView::drawRow(painter, option, index);
  if (!grid_lines) return;
  const auto colour = static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this));
  painter->save();
  painter->setPen(QColor::fromRgb(colour));
  const QRect row = option.rect;
  painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
  int x = -header()->offset();
  for (int column = 0; column < header()->count(); ++column) {
    x += header()->sectionSize(column);
    painter->drawLine(x - 1, row.top(), x - 1, row.bottom());
  }
  painter->restore();
}

ReportListPeer::ReportListPeer(NativeEvents& events, QWidget* parent)
    : Peer<NativeReportList>(new ReportView(events, parent)), model_(new ReportModel(widget_)) {
  ReportView* list = view();
  list->setModel(model_);
  list->setSelectionModel(new TickingSelection(model_, list));
  list->setItemDelegate(new RowDelegate(list));
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setWordWrap(false);
  // A long path keeps its end, the item's name, in sight.
  list->setTextElideMode(Qt::ElideMiddle);
  list->setFrameShape(QFrame::NoFrame);
  list->header()->setSectionsClickable(false);
  list->header()->setSectionsMovable(false);
  list->header()->setHighlightSections(false);
  list->header()->setStretchLastSection(false);
  list->header()->setFixedHeight(kHeaderHeight);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // A column cut by a pixel or two at the right edge is no reason to scroll.
  list->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  KeepSelectionVisible(*list);
  auto* reporter = new MouseReporter(events, list);
  for (QWidget* part : {static_cast<QWidget*>(list), list->viewport(), list->header()->viewport()}) {
    reporter->Watch(part, list);
  }
  list->viewport()->installEventFilter(new ContextMenuReporter(*this, list));
  model_->checked = [this](int row) {
    if (on_check) on_check(row);
  };
  QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, list, [this] {
    if (on_selection_change) on_selection_change();
  });
  QObject::connect(list, &QAbstractItemView::doubleClicked, list, [this](const QModelIndex& index) {
    if (on_activate) on_activate(index.row());
  });
}

void ReportListPeer::SetColumns(const std::vector<int>& widths) {
  model_->beginResetModel();
  model_->captions.assign(widths.size(), QString());
  model_->endResetModel();
  for (std::size_t column = 0; column < widths.size(); ++column) {
    if (widths[column] >= 0) view()->setColumnWidth(static_cast<int>(column), widths[column]);
  }
  view()->header()->setStretchLastSection(!widths.empty() && widths.back() < 0);
}

void ReportListPeer::SetColumnCaption(int column, const std::string& caption) {
  if (column < 0 || column >= static_cast<int>(model_->captions.size())) return;
  model_->captions[static_cast<std::size_t>(column)] = ToQString(caption);
  emit model_->headerDataChanged(Qt::Horizontal, column, column);
}

void ReportListPeer::SetHeaderVisible(bool visible) { view()->setHeaderHidden(!visible); }

void ReportListPeer::SetHeaderHeight(int height) { view()->header()->setFixedHeight(height); }

void ReportListPeer::SetCheckBoxes(bool on) {
  model_->beginResetModel();
  model_->check_boxes = on;
  model_->endResetModel();
}

void ReportListPeer::SetGridLines(bool on) {
  view()->grid_lines = on;
  view()->viewport()->update();
}

void ReportListPeer::SetBorder(bool on) { view()->setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame); }

void ReportListPeer::Clear() { SetRows({}); }

const std::vector<std::string>* ReportListPeer::Cells(int row) const {
  if (row < 0 || row >= RowCount()) return nullptr;
  return &model_->rows[static_cast<std::size_t>(row)].cells;
}

void ReportListPeer::SetRows(std::vector<Row> rows) {
  model_->beginResetModel();
  model_->rows = std::move(rows);
  model_->endResetModel();
  view()->scrollToTop();
}

void ReportListPeer::AddRow(const Row& row) {
  const int at = static_cast<int>(model_->rows.size());
  model_->beginInsertRows(QModelIndex(), at, at);
  model_->rows.push_back(row);
  model_->endInsertRows();
}

void ReportListPeer::RemoveRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  model_->beginRemoveRows(QModelIndex(), row, row);
  model_->rows.erase(model_->rows.begin() + row);
  model_->endRemoveRows();
}

void ReportListPeer::SetCell(int row, int column, const std::string& text) {
  if (row < 0 || row >= RowCount() || column < 0) return;
  std::vector<std::string>& cells = model_->rows[static_cast<std::size_t>(row)].cells;
  if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(static_cast<std::size_t>(column) + 1);
  cells[static_cast<std::size_t>(column)] = text;
  const QModelIndex index = model_->index(row, column);
  emit model_->dataChanged(index, index);
}

void ReportListPeer::SetRowPicture(int row, const Image* picture) {
  if (row < 0 || row >= RowCount()) return;
  model_->rows[static_cast<std::size_t>(row)].picture = picture;
  const QModelIndex index = model_->index(row, 0);
  emit model_->dataChanged(index, index);
}

int ReportListPeer::RowCount() const { return static_cast<int>(model_->rows.size()); }

bool ReportListPeer::Checked(int row) const {
  return row >= 0 && row < RowCount() && model_->rows[static_cast<std::size_t>(row)].checked;
}

void ReportListPeer::SetChecked(int row, bool checked) {
  if (row < 0 || row >= RowCount()) return;
  model_->rows[static_cast<std::size_t>(row)].checked = checked;
  const QModelIndex index = model_->index(row, 0);
  emit model_->dataChanged(index, index);
}

int ReportListPeer::SelectedRow() const {
  const QModelIndexList rows = view()->selectionModel()->selectedRows(0);
  return rows.isEmpty() ? -1 : rows.first().row();
}

void ReportListPeer::SelectRow(int row) {
  if (row < 0 || row >= RowCount()) {
    view()->selectionModel()->clearSelection();
    return;
  }
  const QModelIndex index = model_->index(row, 0);
  view()->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view()->scrollTo(index);
}

void ReportListPeer::BeginRename(int row) {
  if (row < 0 || row >= RowCount()) return;
  model_->renamed = [this](int at, const std::string& text) { return on_rename && on_rename(at, text); };
  view()->edit(model_->index(row, 0));
}

int ReportListPeer::RowAt(Point at) const {
  view()->LayOutNow();
  const QPoint in_viewport = view()->viewport()->mapFrom(view(), ToQPoint(at));
  const QModelIndex index = view()->indexAt(in_viewport);
  return index.isValid() ? index.row() : -1;
}

Rect ReportListPeer::RowRect(int row) const {
  if (row < 0 || row >= RowCount()) return Rect();
  view()->LayOutNow();
  const QRect in_viewport = view()->visualRect(model_->index(row, 0));
  return ToRect(QRect(view()->viewport()->mapTo(view(), in_viewport.topLeft()), in_viewport.size()));
}

}  // namespace app::qt
