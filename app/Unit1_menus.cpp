// The main window's two label menus: opening, switching by click and by
// pointer movement, and the places whose presses close them.

#include "app/Unit1.h"
#include "app/toolkit/check_list_view.h"
#include "app/toolkit/label.h"
#include "app/toolkit/scroll_box.h"
#include "app/toolkit/shape.h"
#include "app/toolkit/speed_button.h"
#include "platform/qt/shell_list_view.h"

namespace app {

void TForm1::ConnectMenus() {
  connect(Label10, &Label::Click, this, &TForm1::Label10Click);
  connect(Label11, &Label::Click, this, &TForm1::Label11Click);
  connect(Label10, &Label::MouseMove, this, &TForm1::Label10MouseMove);
  connect(Label11, &Label::MouseMove, this, &TForm1::Label11MouseMove);

  // A press in these places closes the menus, whichever button it is.
  connect(ScrollBox9, &ScrollBox::MouseDown, this, &TForm1::CloseMenus);
  connect(ScrollBox1, &ScrollBox::MouseDown, this, &TForm1::CloseMenus);
  connect(ShellListView1, &platform::ShellListView::MousePressed, this, &TForm1::CloseMenus);
  connect(ListView1, &CheckListView::MouseDown, this, &TForm1::CloseMenus);
  connect(Label1, &Label::MouseDown, this, &TForm1::CloseMenus);
  connect(ScrollBox7, &ScrollBox::MouseDown, this, &TForm1::CloseMenus);
  // A press on these strip buttons folds the menus away but leaves the
  // entry bars as they are; "Gridding" and "Gridlines" leave the menus.
  for (SpeedButton* button : {SpeedButton7, SpeedButton8, SpeedButton9}) {
    connect(button, &SpeedButton::MouseDown, this, &TForm1::CloseMenuPanels);
  }
}

void TForm1::Label10Click() {
  Shape4->show();
  ScrollBox6->hide();
  ScrollBox5->show();
}

void TForm1::Label11Click() {
  Shape5->show();
  ScrollBox5->hide();
  ScrollBox6->show();
}

void TForm1::Label10MouseMove() {
  Shape6->hide();
  Shape5->hide();
  Shape4->show();
  // An open menu follows the pointer from one title to the other.
  if (!ScrollBox6->isHidden()) {
    ScrollBox6->hide();
    ScrollBox5->show();
    Shape7->hide();
    Shape8->hide();
  }
}

void TForm1::Label11MouseMove() {
  Shape6->hide();
  Shape4->hide();
  Shape5->show();
  if (!ScrollBox5->isHidden()) {
    ScrollBox5->hide();
    ScrollBox6->show();
    Shape7->hide();
    Shape8->hide();
  }
}

void TForm1::CloseMenus() {
  CloseMenuPanels();
  Shape7->hide();
  Shape8->hide();
}

void TForm1::CloseMenuPanels() {
  ScrollBox5->hide();
  ScrollBox6->hide();
  Shape4->hide();
  Shape5->hide();
}

bool TForm1::MenuOpen() const { return !ScrollBox5->isHidden() || !ScrollBox6->isHidden(); }

}  // namespace app
