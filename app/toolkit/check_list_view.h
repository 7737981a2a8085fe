#pragma once

#include <QIcon>
#include <QTableWidget>
#include <string>

namespace app {

// A report-style list with a tick box in front of each row: columns with
// blank, unclickable headers, whole-row selection, optional grid lines.
class CheckListView : public QTableWidget {
  Q_OBJECT

 public:
  // `widths` gives the columns and their widths in pixels.
  CheckListView(const QList<int>& widths, QWidget* parent);

  // Whether rows get a tick box (they do unless told otherwise). Applies to
  // the rows added afterwards.
  void SetCheckable(bool checkable) { checkable_ = checkable; }
  bool Checkable() const { return checkable_; }

  // Appends a row: caption (with an optional picture) in the first column,
  // `texts` in the following ones; ticked or not (without tick boxes
  // `checked` is ignored).
  void AddRow(const QString& caption, const QStringList& texts, bool checked,
              const QIcon& icon = QIcon());
  int RowCount() const { return rowCount(); }
  QString Caption(int row) const;
  QString Text(int row, int column) const;
  bool Checked(int row) const;
  void SetChecked(int row, bool checked);
  void RemoveRow(int row) { removeRow(row); }

  // The bytes a row stands for (a name as stored, which need not be UTF-8),
  // kept beside its caption. Value() is the caption as UTF-8 for a row
  // that was given none.
  void SetValue(int row, const std::string& value);
  std::string Value(int row) const;
  void Clear() { setRowCount(0); }

  // The caption of one column header.
  void SetColumnCaption(int column, const QString& caption);
  QString ColumnCaption(int column) const;

  // The column header's height in pixels (a row's height unless told).
  void SetHeaderHeight(int height);

  void SetGridLines(bool on) { setShowGrid(on); }
  bool GridLines() const { return showGrid(); }

 signals:
  void MouseDown(Qt::MouseButton button);
  void MouseMove();

 protected:
  bool viewportEvent(QEvent* event) override;

 private:
  bool checkable_ = true;
};

}  // namespace app
