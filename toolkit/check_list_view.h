#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/image.h"

namespace app {

// A report-style list with a tick box in front of each row: columns with
// blank, unclickable headers, whole-row selection of one row at a time,
// optional grid lines and an optional 16 x 16 picture before each caption.
// Texts are kept byte for byte.
class CheckListView : public WinControl {
 public:
  // `widths` gives the columns and their widths in pixels.
  CheckListView(const std::vector<int>& widths, WinControl* parent);

  // Whether rows have tick boxes (they do unless told otherwise); set it
  // before adding rows.
  void SetCheckable(bool checkable);
  bool Checkable() const { return checkable_; }

  // Appends a row: `caption` in the first column with `picture` before it
  // (kept alive by the caller while the row shows), `texts` in the
  // following ones; ticked or not (ignored without tick boxes).
  void AddRow(const std::string& caption, const std::vector<std::string>& texts, bool checked,
              const Image* picture = nullptr);
  // Replaces every row in one step: one row per caption, each with the
  // same `texts`, tick and picture, as AddRow would give them.
  void Fill(const std::vector<std::string>& captions, const std::vector<std::string>& texts, bool checked,
            const Image* picture = nullptr);
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::string& Caption(int row) const { return Text(row, 0); }
  // The text of a cell; "" outside the rows and columns.
  const std::string& Text(int row, int column) const;
  bool Checked(int row) const;
  void SetChecked(int row, bool checked);
  void RemoveRow(int row);
  // The bytes a row stands for (a name as stored, which need not be UTF-8),
  // kept beside its caption; the caption itself for a row given none.
  void SetValue(int row, const std::string& value);
  const std::string& Value(int row) const;
  void Clear();
  int ColumnCount() const { return static_cast<int>(captions_.size()); }

  // The caption of one column header.
  void SetColumnCaption(int column, const std::string& caption);
  const std::string& ColumnCaption(int column) const;

  // The column header's height in pixels (a row's height unless told).
  void SetHeaderHeight(int height) { list_->SetHeaderHeight(height); }

  void SetGridLines(bool on);
  bool GridLines() const { return grid_lines_; }
  // A thin frame around the list (none unless told).
  void SetBorder(bool on);

  // Where a row's first cell lies, in the list's own coordinates.
  Rect RowRect(int row) const { return list_->RowRect(row); }

  // The user ticked or unticked a row's box.
  std::function<void(int row)> on_check;

 private:
  // What the list keeps beside the cells its native list shows.
  struct Row {
    std::optional<std::string> value;  // none: the caption
    bool checked = false;
  };

  // A row's cells: the caption, then as many texts as there are columns.
  std::vector<std::string> MakeCells(const std::string& caption, const std::vector<std::string>& texts) const;

  NativeReportList* list_;
  std::vector<Row> rows_;
  std::vector<std::string> captions_;
  bool checkable_ = true;
  bool grid_lines_ = false;
};

}  // namespace app
