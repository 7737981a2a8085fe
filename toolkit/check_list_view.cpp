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
  SetTabStop(true);
  SetAccessible(AccessibleRole::kList);
}

void CheckListView::SetCheckable(bool checkable) {
  checkable_ = checkable;
  list_->SetCheckBoxes(checkable);
}

std::vector<std::string> CheckListView::MakeCells(const std::string& caption,
                                                  const std::vector<std::string>& texts) const {
  std::vector<std::string> cells;
  cells.reserve(std::max<std::size_t>(captions_.size(), 1));
  cells.push_back(caption);
  for (std::size_t i = 0; i < texts.size() && i + 1 < captions_.size(); ++i) cells.push_back(texts[i]);
  return cells;
}

void CheckListView::AddRow(const std::string& caption, const std::vector<std::string>& texts, bool checked,
                           const Image* picture) {
  const Row row{std::nullopt, checkable_ && checked};
  list_->AddRow(NativeReportList::Row{MakeCells(caption, texts), picture, row.checked});
  rows_.push_back(row);
  // Filling a long list is part of a long command.
  platform::ReportProgress();
}

void CheckListView::Fill(const std::vector<std::string>& captions, const std::vector<std::string>& texts,
                         bool checked, const Image* picture) {
  // The cells are held once, by the native list.
  std::vector<NativeReportList::Row> shown;
  shown.reserve(captions.size());
  for (const std::string& caption : captions) {
    shown.push_back(NativeReportList::Row{MakeCells(caption, texts), picture, checkable_ && checked});
  }
  rows_.assign(captions.size(), Row{std::nullopt, checkable_ && checked});
  list_->SetRows(std::move(shown));
  platform::ReportProgress();
}

const std::string& CheckListView::Text(int row, int column) const {
  const std::vector<std::string>* cells = list_->Cells(row);
  if (cells == nullptr || column < 0 || static_cast<std::size_t>(column) >= cells->size()) return kNoText;
  return (*cells)[static_cast<std::size_t>(column)];
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
  const Row& kept = rows_[static_cast<std::size_t>(row)];
  return kept.value ? *kept.value : Text(row, 0);
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
