#include "app/toolkit/check_list_view.h"

#include <QByteArray>
#include <QHeaderView>
#include <QMouseEvent>

namespace app {

namespace {
constexpr int kRowHeight = 17;
// The first cell of a row keeps the row's value under this role.
constexpr int kValueRole = Qt::UserRole;
}  // namespace

CheckListView::CheckListView(const QList<int>& widths, QWidget* parent) : QTableWidget(parent) {
  setColumnCount(static_cast<int>(widths.size()));
  for (int column = 0; column < widths.size(); ++column) {
    setHorizontalHeaderItem(column, new QTableWidgetItem(QString()));
    setColumnWidth(column, widths[column]);
  }
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setFixedHeight(kRowHeight);
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setFrameShape(QFrame::NoFrame);
  setWordWrap(false);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
}

void CheckListView::AddRow(const QString& caption, const QStringList& texts, bool checked,
                           const QIcon& icon) {
  const int row = rowCount();
  insertRow(row);
  auto* first = new QTableWidgetItem(icon, caption);
  if (checkable_) {
    first->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    first->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  } else {
    first->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  }
  setItem(row, 0, first);
  for (int i = 0; i < texts.size() && i + 1 < columnCount(); ++i) {
    auto* cell = new QTableWidgetItem(texts[i]);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(row, i + 1, cell);
  }
}

QString CheckListView::Caption(int row) const { return Text(row, 0); }

QString CheckListView::Text(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void CheckListView::SetValue(int row, const std::string& value) {
  if (QTableWidgetItem* cell = item(row, 0)) cell->setData(kValueRole, QByteArray::fromStdString(value));
}

std::string CheckListView::Value(int row) const {
  const QTableWidgetItem* cell = item(row, 0);
  if (cell == nullptr) return {};
  const QVariant value = cell->data(kValueRole);
  return value.isValid() ? value.toByteArray().toStdString() : cell->text().toStdString();
}

bool CheckListView::Checked(int row) const {
  const QTableWidgetItem* cell = item(row, 0);
  return cell != nullptr && cell->checkState() == Qt::Checked;
}

void CheckListView::SetChecked(int row, bool checked) {
  if (QTableWidgetItem* cell = item(row, 0)) cell->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CheckListView::SetColumnCaption(int column, const QString& caption) {
  horizontalHeaderItem(column)->setText(caption);
}

void CheckListView::SetHeaderHeight(int height) { horizontalHeader()->setFixedHeight(height); }

QString CheckListView::ColumnCaption(int column) const {
  const QTableWidgetItem* header = horizontalHeaderItem(column);
  return header != nullptr ? header->text() : QString();
}

bool CheckListView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    emit MouseDown(static_cast<QMouseEvent*>(event)->button());
  } else if (event->type() == QEvent::MouseMove) {
    emit MouseMove();
  }
  return QTableWidget::viewportEvent(event);
}

}  // namespace app
