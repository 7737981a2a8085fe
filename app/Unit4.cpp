#include "app/Unit4.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHideEvent>

#include <vector>

#include "app/Unit1.h"
#include "app/pictures/pictures.h"
#include "app/toolkit/check_list_view.h"
#include "app/toolkit/fonts.h"
#include "app/toolkit/label.h"
#include "app/toolkit/picture.h"
#include "app/toolkit/scroll_box.h"
#include "app/toolkit/shape.h"
#include "app/toolkit/title_bar.h"
#include "app/toolkit/splitter.h"
#include "engine/find_listing.h"
#include "platform/qt/shell_tree_view.h"

namespace app {

namespace {
// Window.
constexpr int kWidth = 476;
constexpr int kHeight = 365;
constexpr int kLeft = 311;
constexpr int kTop = 160;
constexpr int kTitleHeight = 24;
// Title bar: the navy picture covers the glossy one until a skin chooses.
constexpr TitleBarLayout kTitleBar{
    .glossy_picture = QRect(-12, -2, 553, 27),
    .navy_picture = QRect(0, 0, 480, 23),
    .glossy_in_front = false,
    .caption = "Quillomar 1.15",
    .caption_at = QPoint(10, 4),
    .close_mark = "x",
    .close_mark_box = QRect(459, -2, 10, 24),
    .close_mark_points = 14,
    .close_mark_bold = false,
    // Centred in its box, as in the Options window: inside its outline.
    .close_mark_alignment = Qt::AlignLeft | Qt::AlignVCenter,
    .close_mark_outline = QRect(454, 3, 21, 17),
};
// Body.
constexpr QRect kBodyPanel(0, kTitleHeight, kWidth, kHeight - kTitleHeight);
// The flat bevel takes two pixels on every side of the body panel; without
// it the tree and the list reach the panel's edges.
constexpr int kFlatBevelInset = 2;
constexpr int kTreeHeight = 263;
constexpr int kSplitterWidth = 4;
constexpr int kPaneMinimum = 30;
constexpr BgrColor kSplitterColor = kLightGrey;
const QList<int> kListColumns{395, 50};
constexpr char kShowText[] = "Show";
}  // namespace

TForm4::TForm4(Services& services, Forms& forms)
    : BorderlessWindow(kWidth, kHeight), services_(services), forms_(forms) {
  move(kLeft, kTop);
  SetColor(kCream);
  BuildBody();
  BuildTitleBar();
  ConnectChrome();
  // The first selection of the desktop happens here, while the window is
  // off screen: it names the current folder, and its listing waits.
  ShellTreeView1->Fill();
}

void TForm4::BuildTitleBar() {
  const TitleBar bar = app::BuildTitleBar(this, kTitleBar);
  Image1 = bar.glossy;
  Image2 = bar.navy;
  Label2 = bar.caption;
  Shape1 = bar.outline;
  Label1 = bar.close_mark;
  Label2->SetFontColor(ToBgr(palette().color(QPalette::WindowText)));
}

void TForm4::BuildBody() {
  ScrollBox1 = new ScrollBox(this);
  ScrollBox1->setGeometry(kBodyPanel);
  ScrollBox1->SetColor(kCream);
  ScrollBox1->SetBevel(Bevel::kFlat);
  Splitter1 = new Splitter(Qt::Vertical, kSplitterWidth, kPaneMinimum, ScrollBox1);
  Splitter1->SetColor(kSplitterColor);
  ShellTreeView1 = new platform::ShellTreeView(services_.fs);
  ListView1 = new CheckListView(kListColumns, nullptr);
  ListView1->SetCheckable(false);
  Splitter1->AddPane(ShellTreeView1);
  Splitter1->AddPane(ListView1);
  // The tree keeps its height when the panel changes size; the list takes
  // whatever is left.
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  LayOutBody();
  const int list_height = Splitter1->height() - kSplitterWidth - kTreeHeight;
  Splitter1->setSizes({kTreeHeight, list_height});
  Label12 = new Label(QString(), ScrollBox1);
  Label12->hide();
}

void TForm4::LayOutBody() {
  const int inset = ScrollBox1->GetBevel() == Bevel::kFlat ? kFlatBevelInset : 0;
  Splitter1->setGeometry(ScrollBox1->rect().adjusted(inset, inset, -inset, -inset));
}

void TForm4::ConnectChrome() {
  connect(ShellTreeView1, &platform::ShellTreeView::Change, this, &TForm4::ShellTreeView1Change);
  connect(Label1, &Label::Click, this, &TForm4::Label1Click);
  // Dragging by the title pictures and the caption, with any mouse button.
  connect(Image1, &Picture::MouseDown, this, &TForm4::StartDrag);
  connect(Image2, &Picture::MouseDown, this, &TForm4::StartDrag);
  connect(Label2, &Label::MouseDown, this, &TForm4::StartDrag);
  // The close mark turns red under the pointer and black again over the
  // title pictures, the body panel, the tree and the list.
  connect(Label1, &Label::MouseMove, this, [this] { Label1->SetFontColor(kHoverRed); });
  connect(Image1, &Picture::MouseMove, this, &TForm4::ResetMarks);
  connect(Image2, &Picture::MouseMove, this, &TForm4::ResetMarks);
  connect(ScrollBox1, &ScrollBox::MouseMove, this, &TForm4::ResetMarks);
  connect(ShellTreeView1, &platform::ShellTreeView::MouseMoved, this, &TForm4::ResetMarks);
  connect(ListView1, &CheckListView::MouseMove, this, &TForm4::ResetMarks);
}

void TForm4::ApplySkin(Skin skin, SkinOrigin) {
  const bool one = skin == Skin::kOne;
  SetColor(one ? kLavender : kLightGrey);
  ScrollBox1->SetColor(one ? kLavender : kLightGrey);
  ScrollBox1->SetBevel(one ? Bevel::kNone : Bevel::kFlat);
  LayOutBody();
  Image1->setVisible(one);
  Image2->setVisible(!one);
  Label2->SetFontColor(one ? kNavy : kNearWhite);
}

void TForm4::RunModal() {
  if (modal_loop_ != nullptr) return;
  QEventLoop loop;
  modal_loop_ = &loop;
  closing_by_mark_ = false;
  setWindowModality(Qt::ApplicationModal);
  show();
  activateWindow();
  if (listing_pending_) ListAndNotify();
  // The window may have been closed already (by the listing's events).
  if (modal_loop_ != nullptr) loop.exec();
  modal_loop_ = nullptr;
}

void TForm4::ResetCloseMark() { Label1->SetFontColor(kBlack); }

void TForm4::ShellTreeView1Change() {
  current_folder_ = engine::ShortenDriveRoot(ShellTreeView1->SelectedPath());
  Label12->setText(QString::fromStdString(current_folder_));
  // Selections made while the window is off screen (the desktop chosen at
  // start-up, a refresh of the watched folder after the window closed) do
  // not touch the disk: the listing waits until the window is next opened.
  if (!isVisible()) {
    listing_pending_ = true;
    return;
  }
  ListAndNotify();
}

void TForm4::ListAndNotify() {
  listing_pending_ = false;
  Button1Click();
  services_.shell.NotifyAssociationsChanged();
}

void TForm4::Button1Click() {
  ListView1->Clear();
  const std::vector<std::string> shown = engine::ShowFolderEntries(services_.fs, current_folder_);
  ListView1->setUpdatesEnabled(false);
  for (const std::string& path : shown) {
    ListView1->AddRow(QString::fromStdString(path), {kShowText}, false);
  }
  ListView1->setUpdatesEnabled(true);
}

void TForm4::Label1Click() {
  closing_by_mark_ = true;
  close();
  closing_by_mark_ = false;
  forms_.main->show();
}

void TForm4::closeEvent(QCloseEvent* event) {
  event->accept();
  const bool was_running = InModalRun();
  EndModalRun();
  // Closed by the window system rather than by the mark: the main window,
  // hidden while this one was open, must not stay hidden for good.
  if (was_running && !closing_by_mark_) forms_.main->show();
}

void TForm4::hideEvent(QHideEvent* event) {
  BorderlessWindow::hideEvent(event);
  // However the window leaves the screen (minimising aside), the modal run
  // must not go on without it.
  if (!event->spontaneous()) EndModalRun();
}

void TForm4::EndModalRun() {
  if (modal_loop_ == nullptr) return;
  modal_loop_->quit();
  modal_loop_ = nullptr;
}

void TForm4::ResetMarks() { Label1->SetFontColor(kBlack); }

void TForm4::StartDrag() { services_.window_manager.StartDrag(this); }

}  // namespace app
