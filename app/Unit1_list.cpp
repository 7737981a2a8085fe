// The hidden-item list: loading it, its button strip (tick all, untick all,
// grid lines), the strip following the splitter, the status line and the
// selected-path line fed by the shell browser.

#include "app/Unit1.h"
#include "app/pictures/pictures.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/scroll_box.h"
#include "toolkit/speed_button.h"
#include "toolkit/splitter.h"
#include "toolkit/shell_list_view.h"
#include "engine/readable_name.h"

namespace app {

namespace {
constexpr char kHideText[] = "Hide";
// The strip lies this far above the list's top, over its column header.
constexpr int kStripAboveList = 2;
}  // namespace

void TForm1::ConnectList() {
  SpeedButton7->on_click = [this] { SpeedButton7Click(); };
  SpeedButton8->on_click = [this] { SpeedButton8Click(); };
  SpeedButton9->on_click = [this] { SpeedButton9Click(); };
  SpeedButton11->on_click = [this] { SpeedButton11Click(); };
  SpeedButton12->on_click = [this] { SpeedButton12Click(); };
  Splitter1->on_moved = [this] { Splitter1Moved(); };
}

void TForm1::Button2Click() {
  FillList(engine::LoadList(services_.fs, CurrentAccount()));
}

void TForm1::FillList(const std::vector<std::string>& paths) {
  // The caption is the path as recorded, byte for byte.
  ListView1->Fill(paths, {kHideText}, true, &HiddenRowPicture());
}

std::vector<engine::ListRow> TForm1::ListRows() const {
  std::vector<engine::ListRow> rows;
  rows.reserve(static_cast<std::size_t>(ListView1->RowCount()));
  for (int row = 0; row < ListView1->RowCount(); ++row) {
    rows.push_back({ListView1->Caption(row), ListView1->Checked(row)});
  }
  return rows;
}

void TForm1::WriteStatusLine() {
  const auto rows = static_cast<std::size_t>(ListView1->RowCount());
  Label15->SetText(engine::StatusLine(engine::ReadableName(CurrentAccount()), rows));
}

void TForm1::SetSelectedPath(const std::string& path, std::optional<platform::FolderEntry> entry) {
  selected_path_ = path;
  selected_entry_ = std::move(entry);
  Label1->SetText(path);
}

void TForm1::ShellListView1Change() {
  // A cleared selection leaves the line as it was.
  if (ShellListView1->SelectedRow() >= 0) {
    SetSelectedPath(ShellListView1->SelectedPath(), ShellListView1->SelectedEntry());
  }
}

// The two buttons of a pair swap inside the loop, so nothing swaps on an
// empty list.
void TForm1::SpeedButton7Click() {
  for (int row = 0; row < ListView1->RowCount(); ++row) {
    SpeedButton7->Hide();
    SpeedButton8->Show();
    ListView1->SetChecked(row, false);
  }
}

void TForm1::SpeedButton8Click() {
  for (int row = 0; row < ListView1->RowCount(); ++row) {
    SpeedButton8->Hide();
    SpeedButton7->Show();
    ListView1->SetChecked(row, true);
  }
}

void TForm1::SpeedButton11Click() {
  ListView1->SetGridLines(true);
  SpeedButton11->Hide();
  SpeedButton12->Show();
}

void TForm1::SpeedButton12Click() {
  ListView1->SetGridLines(false);
  SpeedButton12->Hide();
  SpeedButton11->Show();
}

void TForm1::Splitter1Moved() {
  // The strip and the splitter lie on the same panel.
  const int list_top = Splitter1->Top() + ListView1->Top();
  ScrollBox7->Move({ScrollBox7->Left(), list_top - kStripAboveList});
}

}  // namespace app
