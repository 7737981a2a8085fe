// The main window's two label menus: opening, switching by click and by
// pointer movement, and the places whose presses close them.

#include <initializer_list>

#include "app/Unit1.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/speed_button.h"
#include "toolkit/shell_list_view.h"

namespace app {

void TForm1::ConnectMenus() {
  Label10->on_click = [this] { Label10Click(); };
  Label11->on_click = [this] { Label11Click(); };
  Label10->on_mouse_move = [this] { Label10MouseMove(); };
  Label11->on_mouse_move = [this] { Label11MouseMove(); };

  // A press in these places closes the menus, whichever button it is.
  for (Control* place : std::initializer_list<Control*>{ScrollBox9, ScrollBox1, ShellListView1, ListView1,
                                                         Label1, ScrollBox7}) {
    place->on_mouse_down = [this](MouseButton) { CloseMenus(); };
  }
  // A press on these strip buttons folds the menus away but leaves the
  // entry bars as they are; "Gridding" and "Gridlines" leave the menus.
  for (SpeedButton* button : {SpeedButton7, SpeedButton8, SpeedButton9}) {
    button->on_mouse_down = [this](MouseButton) { CloseMenuPanels(); };
  }
}

void TForm1::Label10Click() {
  Shape4->Show();
  ScrollBox6->Hide();
  ScrollBox5->Show();
}

void TForm1::Label11Click() {
  Shape5->Show();
  ScrollBox5->Hide();
  ScrollBox6->Show();
}

void TForm1::Label10MouseMove() {
  Shape6->Hide();
  Shape5->Hide();
  Shape4->Show();
  // An open menu follows the pointer from one title to the other.
  if (ScrollBox6->Visible()) {
    ScrollBox6->Hide();
    ScrollBox5->Show();
    Shape7->Hide();
    Shape8->Hide();
  }
}

void TForm1::Label11MouseMove() {
  Shape6->Hide();
  Shape4->Hide();
  Shape5->Show();
  if (ScrollBox5->Visible()) {
    ScrollBox5->Hide();
    ScrollBox6->Show();
    Shape7->Hide();
    Shape8->Hide();
  }
}

void TForm1::CloseMenus() {
  CloseMenuPanels();
  Shape7->Hide();
  Shape8->Hide();
}

void TForm1::CloseMenuPanels() {
  GiveBackMenuFocus();
  ScrollBox5->Hide();
  ScrollBox6->Hide();
  Shape4->Hide();
  Shape5->Hide();
}

bool TForm1::MenuOpen() const { return ScrollBox5->Visible() || ScrollBox6->Visible(); }

}  // namespace app
