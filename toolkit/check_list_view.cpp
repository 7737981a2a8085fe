#include "toolkit/check_list_view.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "toolkit/backend.h"
#include "platform/progress.h"

namespace app {

namespace {
const std::string kNoText;
}  // namespace

CheckListView::CheckListView(const std::vector<int>& widths, WinControl* parent)
    : WinControl(parent), captions_(widths.size()) {
  std::unique_ptr<NativeReportList> list = CurrentBackend().CreateReportList(parent->Native(), *this);
  list_ = list.get();
  list_->SetColumns(widths);
  list_->SetCheckBoxes(true);
  list_->on_check = [this](int row) {
    if (row < 0 || row >= RowCount()) return;
    rows_[static_cast<std::size_t>(row)].checked = list_->Checked(row);
    if (on_check) on_check(row);
  };
  AttachNative(std::move(list));
  SetAccessible(AccessibleRole::kList);
}

void CheckListView::SetCheckable(bool checkable) {
  checkable_ = checkable;
  list_->SetCheckBoxes(checkable);
}

CheckListView::Row CheckListView::MakeRow(const std::string& caption, const std::vector<std::string>& texts,
                                          bool checked) const {
  Row row;
  row.cells.reserve(std::max<std::size_t>(captions_.size(), 1));
  row.cells.push_back(caption);
  for (std::size_t i = 0; i < texts.size() && i + 1 < captions_.size(); ++i) row.cells.push_back(texts[i]);
  row.checked = checkable_ && checked;
  return row;
}

void CheckListView::AddRow(const std::string& caption, const std::vector<std::string>& texts, bool checked,
                           const Image* picture) {
  Row row = MakeRow(caption, texts, checked);
  list_->AddRow(NativeReportList::Row{row.cells, picture, row.checked});
  rows_.push_back(std::move(row));
  // Filling a long list is part of a long command.
  platform::ReportProgress();
}

void CheckListView::Fill(const std::vector<std::string>& captions, const std::vector<std::string>& texts,
                         bool checked, const Image* picture) {
  std::vector<Row> rows;
  std::vector<NativeReportList::Row> shown;
  rows.reserve(captions.size());
  shown.reserve(captions.size());
  for (const std::string& caption : captions) {
    rows.push_back(MakeRow(caption, texts, checked));
    shown.push_back(NativeReportList::Row{rows.back().cells, picture, rows.back().checked});
  }
  rows_ = std::move(rows);
  list_->SetRows(std::move(shown));
  platform::ReportProgress();
}

const std::string& CheckListView::Text(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0) return kNoText;
  const std::vector<std::string>& cells = rows_[static_cast<std::size_t>(row)].cells;
  return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : kNoText;
}

bool CheckListView::Checked(int row) const {
  return row >= 0 && row < RowCount() && rows_[static_cast<std::size_t>(row)].checked;
}

void CheckListView::SetChecked(int row, bool checked) {
  if (!checkable_ || row < 0 || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)].checked = checked;
  list_->SetChecked(row, checked);
}

void CheckListView::SetValue(int row, const std::string& value) {
  if (row >= 0 && row < RowCount()) rows_[static_cast<std::size_t>(row)].value = value;
}

const std::string& CheckListView::Value(int row) const {
  if (row < 0 || row >= RowCount()) return kNoText;
  const Row& shown = rows_[static_cast<std::size_t>(row)];
  return shown.value ? *shown.value : shown.cells[0];
}

void CheckListView::RemoveRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  rows_.erase(rows_.begin() + row);
  list_->RemoveRow(row);
}

void CheckListView::Clear() {
  rows_.clear();
  list_->Clear();
}

void CheckListView::SetColumnCaption(int column, const std::string& caption) {
  if (column < 0 || column >= ColumnCount()) return;
  captions_[static_cast<std::size_t>(column)] = caption;
  list_->SetColumnCaption(column, caption);
}

const std::string& CheckListView::ColumnCaption(int column) const {
  if (column < 0 || column >= ColumnCount()) return kNoText;
  return captions_[static_cast<std::size_t>(column)];
}

void CheckListView::SetGridLines(bool on) {
  grid_lines_ = on;
  list_->SetGridLines(on);
}

void CheckListView::SetBorder(bool on) { list_->SetBorder(on); }

}  // namespace app
