#include "app/Unit4.h"
#include "app/application_title.h"

#include <initializer_list>
#include <vector>

#include "app/busy_pointer.h"
#include "app/pictures/pictures.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/title_bar.h"
#include "toolkit/splitter.h"
#include "engine/find_listing.h"
#include "toolkit/shell_tree_view.h"

namespace app {

namespace {
// Which window this is, in its name for screen readers.
constexpr char kWindowName[] = "Find";
// Window.
constexpr int kWidth = 476;
// What a screen reader calls the tree and the list of items shown again.
constexpr char kTreeName[] = "Folder tree";
constexpr char kListName[] = "Shown again";
constexpr int kHeight = 365;
constexpr int kLeft = 311;
constexpr int kTop = 160;
constexpr int kTitleHeight = 24;
// Title bar: the navy picture covers the glossy one until a skin chooses.
constexpr TitleBarLayout kTitleBar{
    .glossy_picture = Rect(-12, -2, 553, 27),
    .navy_picture = Rect(0, 0, 480, 23),
    .glossy_in_front = false,
    .caption = "Quillomar 1.15",
    .caption_at = Point{10, 4},
    .close_mark = "x",
    .close_mark_box = Rect(459, -2, 10, 24),
    .close_mark_points = 14,
    .close_mark_bold = false,
    // Centred in its box, as in the Options window: inside its outline.
    .close_mark_v_align = VAlign::kCentre,
    .close_mark_outline = Rect(454, 3, 21, 17),
};
// Body.
constexpr Rect kBodyPanel(0, kTitleHeight, kWidth, kHeight - kTitleHeight);
// The flat bevel takes two pixels on every side of the body panel; without
// it the tree and the list reach the panel's edges.
constexpr int kFlatBevelInset = 2;
constexpr int kTreeHeight = 263;
constexpr int kSplitterWidth = 4;
constexpr int kPaneMinimum = 30;
constexpr BgrColor kSplitterColor = kLightGrey;
const std::vector<int> kListColumns{395, 50};
constexpr char kShowText[] = "Show";
constexpr char kCloseMarkName[] = "Close";
}  // namespace

TForm4::TForm4(Services& services, WindowLinks& windows)
    : BorderlessWindow(kWidth, kHeight), services_(services), windows_(windows) {
  MoveTo({kLeft, kTop});
  SetColor(kCream);
  BuildBody();
  BuildTitleBar();
  ConnectChrome();
  // The first selection of the desktop happens here, while the window is
  // off screen: it names the current folder, and its listing waits.
  ShellTreeView1->Fill();
}

void TForm4::BuildTitleBar() {
  const TitleBar bar = app::BuildTitleBar(this, kTitleBar, GlossyTitlePicture(), NavyTitlePicture());
  Image1 = bar.glossy;
  Image2 = bar.navy;
  Label2 = bar.caption;
  Shape1 = bar.outline;
  Label1 = bar.close_mark;
  // The caption stands on the title picture's fixed colours: the text
  // colour designed for them, not the system's window text.
  Label2->SetFontColor(kBlack);
  Label1->SetAccessible(AccessibleRole::kPushButton, kCloseMarkName);
  SetAccessible(AccessibleRole::kDialog, AccessibleWindowName(kWindowName));
}

void TForm4::BuildBody() {
  ScrollBox1 = new ScrollBox(this);
  ScrollBox1->SetBounds(kBodyPanel);
  ScrollBox1->SetColor(kCream);
  ScrollBox1->SetBevel(Bevel::kFlat);
  Splitter1 = new Splitter(Orientation::kHorizontal, kSplitterWidth, kPaneMinimum, ScrollBox1);
  Splitter1->SetColor(kSplitterColor);
  ShellTreeView1 = new ShellTreeView(services_.fs, Splitter1);
  ShellTreeView1->SetAccessible(AccessibleRole::kTree, kTreeName);
  // The tree has the focus when the window opens: the arrows walk it.
  ShellTreeView1->SetFocus();
  ListView1 = new CheckListView(kListColumns, Splitter1);
  ListView1->SetAccessible(AccessibleRole::kList, kListName);
  ListView1->SetCheckable(false);
  // The tree keeps its height when the panel changes size; the list takes
  // whatever is left.
  Splitter1->SetFirstPaneSize(kTreeHeight);
  LayOutBody();
  Label12 = new Label("", ScrollBox1);
  Label12->Hide();
}

void TForm4::LayOutBody() {
  const int inset = ScrollBox1->GetBevel() == Bevel::kFlat ? kFlatBevelInset : 0;
  Splitter1->SetBounds(ScrollBox1->Bounds().Local().Adjusted(-inset, -inset));
}

void TForm4::ConnectChrome() {
  ShellTreeView1->on_change = [this] { ShellTreeView1Change(); };
  Label1->on_click = [this] { Label1Click(); };
  // Dragging by the title pictures and the caption, with any mouse button.
  for (Control* surface : std::initializer_list<Control*>{Image1, Image2, Label2}) {
    surface->on_mouse_down = [this](MouseButton) { StartDrag(); };
  }
  // The close mark turns red under the pointer and black again over the
  // title pictures, the body panel (its splitter included), the tree and
  // the list.
  Label1->on_mouse_move = [this] { Label1->SetFontColor(kHoverRed); };
  for (Control* surface :
       std::initializer_list<Control*>{Image1, Image2, ScrollBox1, Splitter1, ShellTreeView1, ListView1}) {
    surface->on_mouse_move = [this] { ResetMarks(); };
  }
}

void TForm4::ApplySkin(Skin skin, SkinOrigin) {
  const bool one = skin == Skin::kOne;
  SetColor(one ? kLavender : kLightGrey);
  ScrollBox1->SetColor(one ? kLavender : kLightGrey);
  ScrollBox1->SetBevel(one ? Bevel::kNone : Bevel::kFlat);
  LayOutBody();
  Image1->SetVisible(one);
  Image2->SetVisible(!one);
  Label2->SetFontColor(one ? kNavy : kNearWhite);
}

void TForm4::ModalRunStarting() {
  closing_by_mark_ = false;
  if (listing_pending_) ListAndNotify();
}

void TForm4::ResetCloseMark() { Label1->SetFontColor(kBlack); }

void TForm4::ShellTreeView1Change() {
  current_folder_ = engine::ShortenDriveRoot(ShellTreeView1->SelectedPath());
  Label12->SetText(current_folder_);
  // Selections made while the window is off screen (the desktop chosen at
  // start-up, a refresh of the watched folder after the window closed) do
  // not touch the disk: the listing waits until the window is next opened.
  if (!Visible()) {
    listing_pending_ = true;
    return;
  }
  ListAndNotify();
}

void TForm4::ListAndNotify() {
  const BusyPointer busy;
  listing_pending_ = false;
  Button1Click();
  services_.shell.NotifyAssociationsChanged();
}

void TForm4::Button1Click() {
  ListView1->Clear();
  const std::vector<std::string> shown = engine::ShowFolderEntries(services_.fs, current_folder_);
  ListView1->Fill(shown, {kShowText}, false);
}

void TForm4::Label1Click() {
  closing_by_mark_ = true;
  Close();
  closing_by_mark_ = false;
  windows_.ShowMain();
}

void TForm4::Closing() {
  const bool was_running = InModalRun();
  EndModal();
  if (was_running && !closing_by_mark_) windows_.ShowMain();
}

bool TForm4::KeyPressed(Key key) {
  if (key == Key::kEscape) {
    Label1Click();
    return true;
  }
  return BorderlessWindow::KeyPressed(key);
}

void TForm4::ResetMarks() { Label1->SetFontColor(kBlack); }

void TForm4::StartDrag() { services_.window_manager.StartDrag(*this); }

}  // namespace app
