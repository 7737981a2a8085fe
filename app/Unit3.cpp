#include "app/Unit3.h"
#include "app/application_title.h"

#include <initializer_list>

#include "app/pictures/pictures.h"
#include "toolkit/backend.h"
#include "toolkit/check_list_view.h"
#include "toolkit/edit_controls.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/title_bar.h"
#include "toolkit/speed_button.h"

namespace app {

namespace {
// Which window this is, in its name for screen readers.
constexpr char kWindowName[] = "Options";
// Window.
constexpr int kWidth = 458;
// What a screen reader calls the list of ordinary users.
constexpr char kUserListName[] = "Users";
constexpr int kHeight = 364;
constexpr int kLeft = 309;
constexpr int kTop = 154;
constexpr int kTitleHeight = 23;
// Title bar: the navy picture covers the glossy one until a skin chooses.
constexpr TitleBarLayout kTitleBar{
    .glossy_picture = Rect(-12, -2, 553, 27),
    .navy_picture = Rect(0, 0, 459, 23),
    .glossy_in_front = false,
    .caption = "Quillomar",
    .caption_at = Point{6, 4},
    .close_mark = "x",
    .close_mark_box = Rect(442, -2, 10, 24),
    .close_mark_points = 14,
    .close_mark_bold = false,
    .close_mark_v_align = VAlign::kCentre,
    .close_mark_outline = Rect(436, 3, 21, 17),
};
// The body panel fills the window below the title bar; the page control and
// the buttons lie on it (their places below are in window coordinates).
constexpr Rect kBodyPanel(0, kTitleHeight, kWidth, kHeight - kTitleHeight);
constexpr Rect kPageControl(13, 38, 431, 290);
constexpr char kAdministratorTab[] = "Administrators  Password";
constexpr char kUsersTab[] = "fresh blood Password";
// First tab (tab coordinates).
constexpr char kAdministratorNameLabel[] = "New name:";
constexpr int kAdministratorNameTop = 129;
constexpr char kAdministratorPasswordLabel[] = "Password:";
constexpr int kAdministratorPasswordTop = 157;
constexpr int kAdministratorEditLeft = 76;
constexpr int kAdministratorEditWidth = 291;
// Second tab (tab coordinates).
constexpr Rect kUserList(16, 10, 381, 163);
constexpr int kUserListColumnWidth = 380;
constexpr char kDelete[] = "Delete";
constexpr Rect kDeleteButton(19, 11, 61, 16);
constexpr char kUserNameLabel[] = "User name:";
constexpr int kUserNameTop = 215;
constexpr char kUserPasswordLabel[] = "Password:";
constexpr int kUserPasswordTop = 239;
constexpr int kUserEditLeft = 82;
constexpr int kUserEditWidth = 275;
// Bottom row (window coordinates).
constexpr char kOk[] = "OK";
constexpr Rect kOkButton(218, 334, 70, 23);
constexpr char kCancel[] = "Cancel";
constexpr Rect kCancelButton(293, 334, 70, 23);
constexpr char kHelp[] = "Help";
constexpr Rect kHelpButton(369, 334, 70, 23);

Rect OnBody(const Rect& window_rect) { return window_rect.Translated(0, -kTitleHeight); }
constexpr char kCloseMarkName[] = "Close";
}  // namespace

TForm3::TForm3(Services& services, WindowLinks& windows)
    : BorderlessWindow(kWidth, kHeight), services_(services), windows_(windows) {
  SetColor(kCream);
  ScrollBox1 = new ScrollBox(this);
  ScrollBox1->SetBounds(kBodyPanel);
  ScrollBox1->SetColor(kCream);
  ScrollBox1->SetBevel(Bevel::kFlat);
  BuildTitleBar();
  PageControl1 = new app::PageControl(ScrollBox1);
  PageControl1->SetBounds(OnBody(kPageControl));
  BuildAdministratorTab();
  BuildUsersTab();
  ColourPageLabels();
  PageControl1->SetActivePage(TabSheet4);
  BuildButtons();
  ConnectControls();
  MoveTo({kLeft, kTop});
}

void TForm3::BuildTitleBar() {
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

void TForm3::BuildAdministratorTab() {
  TabSheet4 = new TabSheet(kAdministratorTab, PageControl1);
  LabeledEdit3 = new LabeledEdit(kAdministratorNameLabel, TabSheet4);
  LabeledEdit3->Place(kAdministratorEditLeft, kAdministratorNameTop, kAdministratorEditWidth);
  LabeledEdit4 = new LabeledEdit(kAdministratorPasswordLabel, TabSheet4);
  LabeledEdit4->Place(kAdministratorEditLeft, kAdministratorPasswordTop, kAdministratorEditWidth);
  LabeledEdit4->SetPasswordChar(true);
}

void TForm3::BuildUsersTab() {
  TabSheet5 = new TabSheet(kUsersTab, PageControl1);
  ListView1 = new CheckListView({kUserListColumnWidth}, TabSheet5);
  ListView1->SetAccessible(AccessibleRole::kList, kUserListName);
  ListView1->SetBounds(kUserList);
  ListView1->SetBorder(true);
  // "Delete" lies over the left end of the list's column header.
  ScrollBox2 = new ScrollBox(TabSheet5);
  ScrollBox2->SetBounds(kDeleteButton);
  ScrollBox2->SetTransparent(true);
  SpeedButton4 = new SpeedButton(kDelete, ScrollBox2);
  SpeedButton4->SetBounds(kDeleteButton.Local());
  SpeedButton4->SetTabStop(true);
  LabeledEdit1 = new LabeledEdit(kUserNameLabel, TabSheet5);
  LabeledEdit1->Place(kUserEditLeft, kUserNameTop, kUserEditWidth);
  LabeledEdit2 = new LabeledEdit(kUserPasswordLabel, TabSheet5);
  LabeledEdit2->Place(kUserEditLeft, kUserPasswordTop, kUserEditWidth);
  LabeledEdit2->SetPasswordChar(true);
}

void TForm3::ColourPageLabels() {
  // The pages have the system's face: their labels the system's text colour.
  for (LabeledEdit* box : {LabeledEdit3, LabeledEdit4, LabeledEdit1, LabeledEdit2}) {
    box->EditLabel()->SetFontColor(CurrentBackend().SystemColour(SystemColor::kWindowText));
  }
}

void TForm3::BuildButtons() {
  SpeedButton3 = new SpeedButton(kOk, ScrollBox1);
  SpeedButton3->SetBounds(OnBody(kOkButton));
  SpeedButton2 = new SpeedButton(kCancel, ScrollBox1);
  SpeedButton2->SetBounds(OnBody(kCancelButton));
  SpeedButton1 = new SpeedButton(kHelp, ScrollBox1);
  SpeedButton1->SetBounds(OnBody(kHelpButton));
  for (SpeedButton* button : {SpeedButton3, SpeedButton2, SpeedButton1}) {
    button->SetTabStop(true);
    // On the body's fixed colours, the text colour designed for them.
    button->SetFontColor(kBlack);
  }
  // The first box has the focus when the window opens.
  LabeledEdit3->SetFocus();
}

void TForm3::ConnectControls() {
  SpeedButton4->on_click = [this] { SpeedButton4Click(); };
  SpeedButton3->on_click = [this] { SpeedButton3Click(); };
  SpeedButton2->on_click = [this] { SpeedButton2Click(); };
  SpeedButton1->on_click = [this] { SpeedButton1Click(); };
  Label1->on_click = [this] { Label1Click(); };
  // Dragging by the title pictures and the caption, with any mouse button.
  for (Control* surface : std::initializer_list<Control*>{Image1, Image2, Label2}) {
    surface->on_mouse_down = [this](MouseButton) { StartDrag(); };
  }
  // The close mark turns red under the pointer and black again over the
  // title pictures and the body panel.
  Label1->on_mouse_move = [this] { Label1->SetFontColor(kHoverRed); };
  for (Control* surface : std::initializer_list<Control*>{Image1, Image2, ScrollBox1}) {
    surface->on_mouse_move = [this] { ResetMarks(); };
  }
}

void TForm3::ResetMarks() { Label1->SetFontColor(kBlack); }

void TForm3::StartDrag() { services_.window_manager.StartDrag(*this); }

void TForm3::ApplySkin(Skin skin, SkinOrigin origin) {
  const bool one = skin == Skin::kOne;
  SetColor(one ? kLavender : kLightGrey);
  ScrollBox1->SetColor(one ? kLavender : kLightGrey);
  ScrollBox1->SetBevel(one ? Bevel::kNone : Bevel::kFlat);
  Image1->SetVisible(one);
  Image2->SetVisible(!one);
  if (one) {
    Label2->SetFontColor(kNavy);
  } else {
    Label2->SetFontColor(origin == SkinOrigin::kLogin ? kNearWhite : kLightGrey);
  }
}

void TForm3::Closing() { windows_.ShowMain(); }

bool TForm3::KeyPressed(Key key) {
  if (key == Key::kEscape) {
    Label1Click();
    return true;
  }
  // Return in a box is OK, the window's default button.
  if (key == Key::kEnter) {
    SpeedButton3Click();
    return true;
  }
  return BorderlessWindow::KeyPressed(key);
}

}  // namespace app
