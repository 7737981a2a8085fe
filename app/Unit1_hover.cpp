// The main window's pointer feedback: the toolbar highlight, the menu entry
// bars, the menu title frames and the marks' colours, driven by pointer
// movement over the window's surfaces; and dragging by the title bar.

#include <initializer_list>

#include "app/Unit1.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/speed_button.h"
#include "toolkit/shell_list_view.h"

namespace app {

namespace {
// The highlight frames a toolbar button by one pixel on every side.
constexpr int kHighlightMargin = 1;
// An entry bar starts at the panel's x 1, five pixels above its entry.
constexpr int kEntryBarLeft = 1;
constexpr int kEntryBarLift = 5;
}  // namespace

void TForm1::ConnectHover() {
  Image10->on_mouse_move = [this] { Image10MouseMove(); };
  Image6->on_mouse_move = [this] { Image6MouseMove(); };
  Label9->on_mouse_move = [this] { Image6MouseMove(); };
  ScrollBox9->on_mouse_move = [this] { ScrollBox9MouseMove(); };
  ScrollBox8->on_mouse_move = [this] { ResetMarks(); };
  for (StaticText* mark : {StaticText3, StaticText1, StaticText2}) {
    mark->on_mouse_move = [this, mark] { HighlightMark(mark); };
  }
  for (SpeedButton* button : ToolbarButtons()) {
    button->on_mouse_move = [this, button] { ToolbarButtonMouseMove(button); };
  }
  ScrollBox1->on_mouse_move = [this] { ScrollBox1MouseMove(); };
  Shape6->on_mouse_move = [this] { ScrollBox1MouseMove(); };
  ShellListView1->on_mouse_move = [this] { ShellListView1MouseMove(); };
  ListView1->on_mouse_move = [this] { HideEntryBars(); };
  ScrollBox7->on_mouse_move = [this] { HideEntryBars(); };
  for (Label* entry : FileMenuEntries()) {
    entry->on_mouse_move = [this, entry] { FileEntryMouseMove(entry); };
  }
  Label18->on_mouse_move = [this] { Label18MouseMove(); };
  ScrollBox5->on_mouse_move = [this] { ScrollBox5MouseMove(); };
  ScrollBox6->on_mouse_move = [this] { ScrollBox6MouseMove(); };
  // The entry bars and the buttons keep the pointer's movement to
  // themselves: it does not reach the panel beneath them.

  // Dragging by the title pictures and the caption, with any mouse button.
  for (Control* surface : std::initializer_list<Control*>{Image6, Image10, Label9}) {
    surface->on_mouse_down = [this](MouseButton) { StartDrag(); };
  }
}

void TForm1::StartDrag() {
  CloseMenus();
  services_.window_manager.StartDrag(*this);
}

void TForm1::HideTitleFramesWhenNoMenu() {
  if (MenuOpen()) return;
  Shape4->Hide();
  Shape5->Hide();
}

void TForm1::HideEntryBars() {
  Shape7->Hide();
  Shape8->Hide();
}

void TForm1::Image10MouseMove() {
  Shape6->Hide();
  HideEntryBars();
  HideTitleFramesWhenNoMenu();
  ResetMarks();
}

void TForm1::Image6MouseMove() {
  Shape6->Hide();
  HideEntryBars();
  HideTitleFramesWhenNoMenu();
  // The glossy picture and the caption leave the help mark as it is.
  StaticText1->SetFontColor(kBlack);
  StaticText2->SetFontColor(kBlack);
}

void TForm1::ScrollBox9MouseMove() { Image10MouseMove(); }

void TForm1::HighlightMark(StaticText* mark) {
  ResetMarks();
  mark->SetFontColor(kHoverRed);
}

void TForm1::ResetMarks() {
  for (StaticText* mark : {StaticText3, StaticText1, StaticText2}) mark->SetFontColor(kBlack);
}

void TForm1::ToolbarButtonMouseMove(SpeedButton* button) {
  Shape6->Move({button->Left() - kHighlightMargin, Shape6->Top()});
  Shape6->Show();
  // "Find" hides the entry bars like the other five buttons.
  HideEntryBars();
  HideTitleFramesWhenNoMenu();
}

void TForm1::ScrollBox1MouseMove() { Shape6->Hide(); }

void TForm1::ShellListView1MouseMove() {
  Shape6->Hide();
  HideEntryBars();
}

void TForm1::FileEntryMouseMove(Label* entry) {
  Shape7->Move({kEntryBarLeft, entry->Top() - kEntryBarLift});
  Shape7->Show();
}

void TForm1::Label18MouseMove() {
  Shape8->Move({kEntryBarLeft, Label18->Top() - kEntryBarLift});
  Shape8->Show();
}

void TForm1::ScrollBox5MouseMove() { Shape7->Hide(); }

void TForm1::ScrollBox6MouseMove() { Shape8->Hide(); }

}  // namespace app
