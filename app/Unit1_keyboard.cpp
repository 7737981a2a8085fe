// The main window without a mouse: what a screen reader calls each control,
// the order Tab takes, the menus opened with Alt and walked with the
// arrows, and Escape folding them away.

#include "app/Unit1.h"
#include "app/application_title.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/shell_list_view.h"
#include "toolkit/speed_button.h"

namespace app {

namespace {
// Which window this is, in its name for screen readers.
constexpr char kWindowName[] = "Main";
// Alt with the underlined letter opens a menu; Alt alone opens the first.
constexpr char kFileLetter = 'F';
constexpr char kOptionsLetter = 'O';
constexpr int kUnderlinedIndex = 0;
constexpr char kUpName[] = "Up One Level";
constexpr char kHelpMarkName[] = "Help";
constexpr char kMinimiseMarkName[] = "Minimise";
constexpr char kCloseMarkName[] = "Close";
}  // namespace

void TForm1::ConnectKeyboard() {
  SetAccessible(AccessibleRole::kFrame, AccessibleWindowName(kWindowName));
  // Tab goes from the toolbar to the browser (which has the focus first),
  // its up button, the list, the strip and the marks, in the order their
  // panels were made.
  for (SpeedButton* button : ToolbarButtons()) button->SetTabStop(true);
  for (SpeedButton* button : {SpeedButton7, SpeedButton8, SpeedButton9, SpeedButton11, SpeedButton12}) {
    button->SetTabStop(true);
  }
  SpeedButton6->SetTabStop(true);
  SpeedButton6->SetAccessible(AccessibleRole::kPushButton, kUpName);
  StaticText3->SetAccessible(AccessibleRole::kPushButton, kHelpMarkName);
  StaticText1->SetAccessible(AccessibleRole::kPushButton, kMinimiseMarkName);
  StaticText2->SetAccessible(AccessibleRole::kPushButton, kCloseMarkName);
  for (StaticText* mark : {StaticText3, StaticText1, StaticText2}) mark->SetTabStop(true);

  ScrollBox10->SetAccessible(AccessibleRole::kMenuBar);
  Label10->SetAccessible(AccessibleRole::kMenu);
  Label11->SetAccessible(AccessibleRole::kMenu);
  ScrollBox5->SetAccessible(AccessibleRole::kPopupMenu, Label10->Text());
  ScrollBox6->SetAccessible(AccessibleRole::kPopupMenu, Label11->Text());
  Label10->SetUnderlined(kUnderlinedIndex);
  Label11->SetUnderlined(kUnderlinedIndex);
  // The entries are walked with the arrows while their menu has the focus;
  // the entry bar, as under the pointer, marks the current one.
  for (Label* entry : FileMenuEntries()) {
    entry->SetAccessible(AccessibleRole::kMenuItem);
    entry->SetTabStop(true);
    entry->SetShowsFocusMark(false);
    entry->on_focus = [this, entry] { FileEntryMouseMove(entry); };
  }
  Label18->SetAccessible(AccessibleRole::kMenuItem);
  Label18->SetTabStop(true);
  Label18->SetShowsFocusMark(false);
  Label18->on_focus = [this] { Label18MouseMove(); };
  ShellListView1->SetFocus();
}

void TForm1::OpenMenuByKeyboard(Label* title) {
  if (menu_return_focus_ == nullptr) menu_return_focus_ = FocusedControl();
  ShowKeyboardCues();
  // The title's own click opens its menu; the first entry takes the focus.
  title->on_click();
  const bool file = title == Label10;
  Label* first = file ? Label13 : Label18;
  first->SetFocus();
}

void TForm1::GiveBackMenuFocus() {
  WinControl* back = menu_return_focus_;
  menu_return_focus_ = nullptr;
  if (back != nullptr && (ScrollBox5->Focused() || ScrollBox6->Focused())) back->SetFocus();
}

bool TForm1::MnemonicPressed(char letter) {
  if (letter == kFileLetter || letter == 0) {
    OpenMenuByKeyboard(Label10);
    return true;
  }
  if (letter == kOptionsLetter) {
    OpenMenuByKeyboard(Label11);
    return true;
  }
  return BorderlessWindow::MnemonicPressed(letter);
}

bool TForm1::KeyPressed(Key key) {
  if (key == Key::kEscape && MenuOpen()) {
    CloseMenus();
    return true;
  }
  // Left and Right go from one open menu to the other, as the pointer does.
  const bool in_menu = ScrollBox5->Focused() || ScrollBox6->Focused();
  if ((key == Key::kLeft || key == Key::kRight) && in_menu) {
    OpenMenuByKeyboard(ScrollBox5->Visible() ? Label11 : Label10);
    return true;
  }
  return BorderlessWindow::KeyPressed(key);
}

}  // namespace app
