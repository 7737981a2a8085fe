// The hidden-item list: loading it, its button strip (tick all, untick all,
// grid lines), the strip following the splitter, the status line and the
// selected-path line fed by the shell browser.

#include <QByteArray>
#include <QPixmap>
#include <QTableWidgetItem>

#include "app/Unit1.h"
#include "app/pictures/pictures.h"
#include "app/toolkit/check_list_view.h"
#include "app/toolkit/label.h"
#include "app/toolkit/picture.h"
#include "app/toolkit/scroll_box.h"
#include "app/toolkit/speed_button.h"
#include "app/toolkit/splitter.h"
#include "platform/qt/shell_list_view.h"

namespace app {

namespace {
constexpr char kHideText[] = "Hide";
// The strip lies this far above the list's top, over its column header.
constexpr int kStripAboveList = 2;
// Each row keeps its path as recorded, byte for byte, beside its caption.
constexpr int kPathRole = Qt::UserRole;
}  // namespace

void TForm1::ConnectList() {
  connect(SpeedButton7, &SpeedButton::clicked, this, &TForm1::SpeedButton7Click);
  connect(SpeedButton8, &SpeedButton::clicked, this, &TForm1::SpeedButton8Click);
  connect(SpeedButton9, &SpeedButton::clicked, this, &TForm1::SpeedButton9Click);
  connect(SpeedButton11, &SpeedButton::clicked, this, &TForm1::SpeedButton11Click);
  connect(SpeedButton12, &SpeedButton::clicked, this, &TForm1::SpeedButton12Click);
  connect(Splitter1, &Splitter::Moved, this, &TForm1::Splitter1Moved);
}

void TForm1::Button2Click() {
  FillList(engine::LoadList(services_.fs, CurrentAccount()));
}

void TForm1::FillList(const std::vector<std::string>& paths) {
  const QIcon picture(QPixmap::fromImage(ToQImage(HiddenRowPicture())));
  ListView1->Clear();
  for (const std::string& path : paths) {
    ListView1->AddRow(QString::fromStdString(path), {kHideText}, true, picture);
    ListView1->item(ListView1->RowCount() - 1, 0)
        ->setData(kPathRole, QByteArray::fromStdString(path));
  }
}

std::vector<engine::ListRow> TForm1::ListRows() const {
  std::vector<engine::ListRow> rows;
  rows.reserve(static_cast<std::size_t>(ListView1->RowCount()));
  for (int row = 0; row < ListView1->RowCount(); ++row) {
    rows.push_back({ListView1->item(row, 0)->data(kPathRole).toByteArray().toStdString(),
                    ListView1->Checked(row)});
  }
  return rows;
}

void TForm1::WriteStatusLine() {
  const auto rows = static_cast<std::size_t>(ListView1->RowCount());
  Label15->setText(QString::fromStdString(engine::StatusLine(CurrentAccount(), rows)));
}

void TForm1::SetSelectedPath(const std::string& path) {
  selected_path_ = path;
  Label1->setText(QString::fromStdString(path));
}

void TForm1::ShellListView1Change() {
  // A cleared selection leaves the line as it was.
  if (ShellListView1->SelectedRow() >= 0) SetSelectedPath(ShellListView1->SelectedPath());
}

// The two buttons of a pair swap inside the loop, so nothing swaps on an
// empty list.
void TForm1::SpeedButton7Click() {
  for (int row = 0; row < ListView1->RowCount(); ++row) {
    SpeedButton7->hide();
    SpeedButton8->show();
    ListView1->SetChecked(row, false);
  }
}

void TForm1::SpeedButton8Click() {
  for (int row = 0; row < ListView1->RowCount(); ++row) {
    SpeedButton8->hide();
    SpeedButton7->show();
    ListView1->SetChecked(row, true);
  }
}

void TForm1::SpeedButton11Click() {
  ListView1->SetGridLines(true);
  SpeedButton11->hide();
  SpeedButton12->show();
}

void TForm1::SpeedButton12Click() {
  ListView1->SetGridLines(false);
  SpeedButton12->hide();
  SpeedButton11->show();
}

void TForm1::Splitter1Moved() {
  const int list_top = ListView1->mapTo(ScrollBox7->parentWidget(), QPoint(0, 0)).y();
  ScrollBox7->move(ScrollBox7->x(), list_top - kStripAboveList);
}

}  // namespace app
