#include "app/Unit2.h"
#include "app/application_title.h"

#include <initializer_list>

#include "app/messages.h"
#include "app/pictures/pictures.h"
#include "toolkit/edit_controls.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/speed_button.h"
#include "toolkit/title_bar.h"
#include "engine/accounts.h"
#include "engine/store_start.h"
#include "store/errors.h"

namespace app {

namespace {
// Which window this is, in its name for screen readers.
constexpr char kWindowName[] = "Login";
// Window.
constexpr int kWidth = 318;
constexpr int kHeight = 219;
constexpr int kTitleHeight = 23;
// Title bar: the glossy picture covers the navy one until a skin chooses.
constexpr TitleBarLayout kTitleBar{
    .glossy_picture = Rect(-18, -3, 553, 27),
    .navy_picture = Rect(0, -2, 319, 25),
    .glossy_in_front = true,
    .caption = "Quillomar 1.15",
    .caption_at = Point{8, 4},
    .close_mark = "\u00d7",
    .close_mark_box = Rect(299, 4, 18, 20),
    .close_mark_points = 12,
    .close_mark_bold = true,
    // At the top of its box: the 13 px line then keeps the mark inside
    // its outline.
    .close_mark_v_align = VAlign::kTop,
    .close_mark_outline = Rect(297, 3, 21, 16),
};
// Panels (window coordinates; they lie on the body panel).
constexpr Rect kBodyPanel(0, kTitleHeight, kWidth, kHeight - kTitleHeight);
constexpr Rect kFirstRunPanel(18, 28, 275, 185);
constexpr Rect kLoginPanel(18, 30, 275, 185);
// First-run panel.
constexpr char kWarning[] =
    "Format hard disk or install operating system , must resume hidden file or file first. "
    "Otherwise need to utilize finding out that the function resumes of this software.";
constexpr Rect kWarningBox(0, 50, 273, 53);
constexpr Rect kFirstRunRule(0, 146, 273, 2);
constexpr char kYes[] = "YES";
constexpr Rect kYesButton(114, 158, 75, 23);
constexpr char kNo[] = "No";
constexpr Rect kNoButton(196, 158, 75, 23);
// Login panel.
constexpr char kDefaultAccountHint[] = "Administrator's name of acquiescence:name password: 31852";
constexpr Rect kHintBox(28, 16, 213, 29);
constexpr Rect kFrame(24, 85, 227, 95);
constexpr char kNameLabel[] = "Name:";
constexpr Point kNameLabelAt{46, 98};
constexpr Rect kUserBox(80, 94, 133, 21);
constexpr char kPasswordLabel[] = "Password:";
constexpr int kPasswordLeft = 80;
constexpr int kPasswordTop = 120;
constexpr int kPasswordWidth = 132;
constexpr char kLoginCaption[] = "Login";
constexpr Rect kLoginButton(82, 150, 61, 20);
constexpr char kCancel[] = "Cancel";
constexpr Rect kCancelButton(150, 150, 61, 20);

Rect OnBody(const Rect& window_rect) { return window_rect.Translated(0, -kTitleHeight); }
constexpr char kCloseMarkName[] = "Close";
}  // namespace

TForm2::TForm2(Services& services, WindowLinks& windows)
    : BorderlessWindow(kWidth, kHeight), services_(services), windows_(windows) {
  SetColor(kCream);
  ScrollBox3 = new ScrollBox(this);
  ScrollBox3->SetBounds(kBodyPanel);
  ScrollBox3->SetColor(kLightGrey);
  ScrollBox3->SetBevel(Bevel::kFlat);
  BuildTitleBar();
  BuildFirstRunPanel();
  BuildLoginPanel();
  ConnectChrome();
  PlaceInScreenCentre();
  BitBtn1Click();
  BitBtn2Click();
}

void TForm2::BuildTitleBar() {
  const TitleBar bar = app::BuildTitleBar(this, kTitleBar, GlossyTitlePicture(), NavyTitlePicture());
  Image1 = bar.glossy;
  Image2 = bar.navy;
  Label4 = bar.caption;
  Shape2 = bar.outline;
  Label3 = bar.close_mark;
  Label4->SetFontColor(kNearWhite);
  Label3->SetAccessible(AccessibleRole::kPushButton, kCloseMarkName);
  SetAccessible(AccessibleRole::kDialog, AccessibleWindowName(kWindowName));
}

void TForm2::BuildFirstRunPanel() {
  ScrollBox2 = new ScrollBox(ScrollBox3);
  ScrollBox2->SetBounds(OnBody(kFirstRunPanel));
  ScrollBox2->SetColor(kLightGrey);
  StaticText4 = new StaticText(kWarning, ScrollBox2);
  StaticText4->SetBounds(kWarningBox);
  auto* rule = new BevelLine(Orientation::kHorizontal, ScrollBox2);
  rule->SetBounds(kFirstRunRule);
  SpeedButton2 = new SpeedButton(kYes, ScrollBox2);
  SpeedButton2->SetBounds(kYesButton);
  SpeedButton3 = new SpeedButton(kNo, ScrollBox2);
  SpeedButton3->SetBounds(kNoButton);
  // On the panel's fixed grey, the text colour designed for it.
  SpeedButton2->SetFontColor(kBlack);
  SpeedButton3->SetFontColor(kBlack);
  // YES has the focus first: Return or Space answers, Tab goes to No.
  SpeedButton2->SetTabStop(true);
  SpeedButton3->SetTabStop(true);
}

void TForm2::BuildLoginPanel() {
  ScrollBox1 = new ScrollBox(ScrollBox3);
  ScrollBox1->SetBounds(OnBody(kLoginPanel));
  ScrollBox1->SetColor(kLightGrey);
  ScrollBox1->Hide();
  StaticText5 = new StaticText(kDefaultAccountHint, ScrollBox1);
  StaticText5->SetBounds(kHintBox);
  Shape1 = new Shape(Shape::Kind::kRectangle, ScrollBox1);
  Shape1->SetBounds(kFrame);
  Shape1->SetOutlineOnly(true);
  Shape1->SetMouseTransparent(true);
  Label2 = new Label(kNameLabel, ScrollBox1);
  Label2->Move(kNameLabelAt);
  Label2->AutoSize();
  ComboBox1 = new ComboBox(ScrollBox1);
  ComboBox1->SetBounds(kUserBox);
  ComboBox1->SetAccessible(AccessibleRole::kComboBox, kNameLabel);
  LabeledEdit1 = new LabeledEdit(kPasswordLabel, ScrollBox1);
  LabeledEdit1->Place(kPasswordLeft, kPasswordTop, kPasswordWidth);
  LabeledEdit1->SetPasswordChar(true);
  Button8 = new PushButton(kLoginCaption, ScrollBox1);
  Button8->SetBounds(kLoginButton);
  Button8->SetDefault(true);
  Button1 = new PushButton(kCancel, ScrollBox1);
  Button1->SetBounds(kCancelButton);
}

void TForm2::ConnectChrome() {
  SpeedButton2->on_click = [this] { SpeedButton2Click(); };
  SpeedButton3->on_click = [this] { SpeedButton3Click(); };
  Button8->on_click = [this] { Button8Click(); };
  Button1->on_click = [this] { Button1Click(); };
  Label3->on_click = [this] { Label3Click(); };
  // Dragging by the title pictures and the caption, with any mouse button.
  for (Control* surface : std::initializer_list<Control*>{Image1, Image2, Label4}) {
    surface->on_mouse_down = [this](MouseButton) { StartDrag(); };
  }
  // The close mark turns red under the pointer and black again over the
  // title pictures and the panels.
  Label3->on_mouse_move = [this] { Label3->SetFontColor(kHoverRed); };
  for (Control* surface : std::initializer_list<Control*>{Image1, Image2, ScrollBox1, ScrollBox2, ScrollBox3}) {
    surface->on_mouse_move = [this] { ResetMarks(); };
  }
}

void TForm2::ResetMarks() { Label3->SetFontColor(kBlack); }

void TForm2::StartDrag() { services_.window_manager.StartDrag(*this); }

std::string TForm2::CurrentAccount() const { return ComboBox1->Value(); }

void TForm2::SetAccount(const std::string& name, const std::string& password) {
  ComboBox1->SetFreeText(name);
  LabeledEdit1->SetText(password);
}

void TForm2::BitBtn1Click() {
  // What a copy of the program killed part-way left goes first. Without the
  // records' lock the store is left as it is, and the user is told why.
  try {
    engine::TidyStore(services_.fs);
  } catch (const store::Error& error) {
    services_.dialogs.ShowError(error.what());
  }
  ComboBox1->Clear();
  // Each name shows readably and stands for its stored bytes.
  for (const engine::ListedName& name : engine::LoginBoxNames(services_.fs)) {
    ComboBox1->AddItem(name.shown, name.stored);
  }
  // Nothing is chosen until the user chooses.
  ComboBox1->SetCurrentIndex(-1);
  // A store not set up is deleted by the rule; one whose settings cannot
  // be read is left as it is.
  if (engine::ApplyStartUpRule(services_.fs) == engine::StoreAtStart::kSetUp) {
    ScrollBox2->Hide();
    ScrollBox1->Show();
  }
}

void TForm2::BitBtn2Click() {
  const engine::StoredSkin stored = engine::ReadStoredSkin(services_.fs);
  if (stored.has_settings) ApplySkin(stored.skin);
}

void TForm2::Button2Click() { engine::ResetStore(services_.fs); }

void TForm2::SpeedButton2Click() {
  try {
    engine::SetUpStore(services_.fs);
  } catch (const store::Error& error) {
    services_.dialogs.ShowError(error.what());
    return;
  }
  BitBtn1Click();
  // The question had the focus: the user box takes it, as at a later start.
  if (ScrollBox1->Visible()) ComboBox1->SetFocus();
}

void TForm2::SpeedButton3Click() { Close(); }

void TForm2::Button1Click() { Close(); }

void TForm2::OtherWindowsReady() {
  windows_.CompleteWindows();
}

void TForm2::Label3Click() {
  OtherWindowsReady();
  windows_.CloseMain();
}

void TForm2::Button8Click() {
  const engine::AccountOutcome outcome = engine::CheckLogin(services_.fs, CurrentAccount(), LabeledEdit1->Text());
  if (outcome == engine::AccountOutcome::kDone) {
    Hide();
    OtherWindowsReady();
    windows_.ShowMain();
  } else if (const char* message = messages::AccountMessage(outcome)) {
    services_.dialogs.ShowMessage(message);
  }
  try {
    Button3Click();
  } catch (const store::Error& error) {
    services_.dialogs.ShowError(error.what());
  }
  if (outcome == engine::AccountOutcome::kDone && on_logged_in) on_logged_in();
}

void TForm2::Button3Click() {
  const engine::StoredSkin stored = engine::ReadStoredSkin(services_.fs);
  if (stored.has_settings) {
    OtherWindowsReady();
    windows_.ApplySkin(stored.skin, SkinOrigin::kLogin);
  }
  engine::MirrorRecords(services_.fs);
}

void TForm2::ApplySkin(Skin skin) {
  const bool one = skin == Skin::kOne;
  ScrollBox3->SetColor(one ? kLavender : kLightGrey);
  ScrollBox1->SetColor(one ? kLavender : kLightGrey);
  ScrollBox3->SetBevel(one ? Bevel::kNone : Bevel::kFlat);
  Label4->SetFontColor(one ? kBlack : kNearWhite);
  Image1->SetVisible(one);
  Image2->SetVisible(!one);
}

void TForm2::Closing() {
  if (on_closed) on_closed();
}

bool TForm2::KeyPressed(Key key) {
  if (key == Key::kEnter && ScrollBox1->Showing()) {
    Button8Click();
    return true;
  }
  return BorderlessWindow::KeyPressed(key);
}

}  // namespace app
