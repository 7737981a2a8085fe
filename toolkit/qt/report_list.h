#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QTreeView>

#include <map>
#include <vector>

#include "toolkit/native.h"
#include "toolkit/qt/peer.h"

namespace app::qt {

// The rows of a report list, for Qt's item views.
class ReportModel final : public QAbstractTableModel {
 public:
  explicit ReportModel(QObject* parent) : QAbstractTableModel(parent) {}

  // The peer changes the rows and tells the views.
  using QAbstractTableModel::beginInsertRows;
  using QAbstractTableModel::beginRemoveRows;
  using QAbstractTableModel::beginResetModel;
  using QAbstractTableModel::endInsertRows;
  using QAbstractTableModel::endRemoveRows;
  using QAbstractTableModel::endResetModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  std::vector<NativeReportList::Row> rows;
  std::vector<QString> captions;
  bool check_boxes = false;
  // Called when the user ticks a box or finishes a rename.
  std::function<void(int row)> checked;
  std::function<bool(int row, const std::string& text)> renamed;

 private:
  QIcon IconOf(const Image* picture) const;
  mutable std::map<const Image*, QIcon> icons_;
};

// The list view itself: grid lines on request, keys to the toolkit first.
class ReportView final : public QTreeView {
 public:
  ReportView(NativeEvents& events, QWidget* parent);
  bool grid_lines = false;
  // Lays the rows out now rather than at the next pass of the event loop.
  void LayOutNow() { executeDelayedItemsLayout(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  NativeEvents& events_;
};

class ReportListPeer final : public Peer<NativeReportList> {
 public:
  ReportListPeer(NativeEvents& events, QWidget* parent);

  void SetColumns(const std::vector<int>& widths) override;
  void SetColumnCaption(int column, const std::string& caption) override;
  void SetHeaderVisible(bool visible) override;
  void SetHeaderHeight(int height) override;
  void SetCheckBoxes(bool on) override;
  void SetGridLines(bool on) override;
  void SetBorder(bool on) override;
  void Clear() override;
  void SetRows(std::vector<Row> rows) override;
  void AddRow(const Row& row) override;
  void RemoveRow(int row) override;
  void SetCell(int row, int column, const std::string& text) override;
  void SetRowPicture(int row, const Image* picture) override;
  int RowCount() const override;
  const std::vector<std::string>* Cells(int row) const override;
  bool Checked(int row) const override;
  void SetChecked(int row, bool checked) override;
  int SelectedRow() const override;
  void SelectRow(int row) override;
  void BeginRename(int row) override;
  int RowAt(Point at) const override;
  Rect RowRect(int row) const override;

  ReportView* view() const { return static_cast<ReportView*>(widget_.data()); }

 private:
  ReportModel* model_;
};

}  // namespace app::qt
