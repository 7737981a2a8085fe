// The main window's pointer feedback: the toolbar highlight, the menu entry
// bars, the menu title frames and the marks' colours, driven by pointer
// movement over the window's surfaces; and dragging by the title bar.

#include <QEvent>

#include "app/Unit1.h"
#include "app/toolkit/check_list_view.h"
#include "app/toolkit/label.h"
#include "app/toolkit/picture.h"
#include "app/toolkit/scroll_box.h"
#include "app/toolkit/shape.h"
#include "app/toolkit/speed_button.h"
#include "platform/qt/shell_list_view.h"

namespace app {

namespace {
// The highlight frames a toolbar button by one pixel on every side.
constexpr int kHighlightMargin = 1;
// An entry bar starts at the panel's x 1, five pixels above its entry.
constexpr int kEntryBarLeft = 1;
constexpr int kEntryBarLift = 5;
}  // namespace

void TForm1::ConnectHover() {
  connect(Image10, &Picture::MouseMove, this, &TForm1::Image10MouseMove);
  connect(Image6, &Picture::MouseMove, this, &TForm1::Image6MouseMove);
  connect(Label9, &Label::MouseMove, this, &TForm1::Image6MouseMove);
  connect(ScrollBox9, &ScrollBox::MouseMove, this, &TForm1::ScrollBox9MouseMove);
  connect(ScrollBox8, &ScrollBox::MouseMove, this, &TForm1::ResetMarks);
  for (StaticText* mark : {StaticText3, StaticText1, StaticText2}) {
    connect(mark, &StaticText::MouseMove, this, [this, mark] { HighlightMark(mark); });
  }
  for (SpeedButton* button : ToolbarButtons()) {
    connect(button, &SpeedButton::MouseMove, this, [this, button] { ToolbarButtonMouseMove(button); });
  }
  connect(ScrollBox1, &ScrollBox::MouseMove, this, &TForm1::ScrollBox1MouseMove);
  connect(Shape6, &Shape::MouseMove, this, &TForm1::ScrollBox1MouseMove);
  connect(ShellListView1, &platform::ShellListView::MouseMoved, this, &TForm1::ShellListView1MouseMove);
  connect(ListView1, &CheckListView::MouseMove, this, &TForm1::HideEntryBars);
  connect(ScrollBox7, &ScrollBox::MouseMove, this, &TForm1::HideEntryBars);
  for (Label* entry : FileMenuEntries()) {
    connect(entry, &Label::MouseMove, this, [this, entry] { FileEntryMouseMove(entry); });
  }
  connect(Label18, &Label::MouseMove, this, &TForm1::Label18MouseMove);
  connect(ScrollBox5, &ScrollBox::MouseMove, this, &TForm1::ScrollBox5MouseMove);
  connect(ScrollBox6, &ScrollBox::MouseMove, this, &TForm1::ScrollBox6MouseMove);
  // The entry bars and the buttons keep the pointer's movement to
  // themselves, so that it does not reach the panel beneath them.
  Shape7->installEventFilter(this);
  Shape8->installEventFilter(this);
  for (SpeedButton* button : ToolbarButtons()) button->installEventFilter(this);
  for (SpeedButton* button : {SpeedButton7, SpeedButton8, SpeedButton9, SpeedButton11, SpeedButton12}) {
    button->installEventFilter(this);
  }

  // Dragging by the title pictures and the caption, with any mouse button.
  connect(Image6, &Picture::MouseDown, this, &TForm1::StartDrag);
  connect(Image10, &Picture::MouseDown, this, &TForm1::StartDrag);
  connect(Label9, &Label::MouseDown, this, &TForm1::StartDrag);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseMove) return BorderlessWindow::eventFilter(watched, event);
  // A button passes on the movements it does not use; they stop here.
  if (watched != Shape7 && watched != Shape8) watched->event(event);
  event->accept();
  return true;
}

void TForm1::StartDrag() {
  CloseMenus();
  services_.window_manager.StartDrag(this);
}

void TForm1::HideTitleFramesWhenNoMenu() {
  if (MenuOpen()) return;
  Shape4->hide();
  Shape5->hide();
}

void TForm1::HideEntryBars() {
  Shape7->hide();
  Shape8->hide();
}

void TForm1::Image10MouseMove() {
  Shape6->hide();
  HideEntryBars();
  HideTitleFramesWhenNoMenu();
  ResetMarks();
}

void TForm1::Image6MouseMove() {
  Shape6->hide();
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
  Shape6->move(button->x() - kHighlightMargin, Shape6->y());
  Shape6->show();
  // "Find" hides the entry bars like the other five buttons.
  HideEntryBars();
  HideTitleFramesWhenNoMenu();
}

void TForm1::ScrollBox1MouseMove() { Shape6->hide(); }

void TForm1::ShellListView1MouseMove() {
  Shape6->hide();
  HideEntryBars();
}

void TForm1::FileEntryMouseMove(Label* entry) {
  Shape7->move(kEntryBarLeft, entry->y() - kEntryBarLift);
  Shape7->show();
}

void TForm1::Label18MouseMove() {
  Shape8->move(kEntryBarLeft, Label18->y() - kEntryBarLift);
  Shape8->show();
}

void TForm1::ScrollBox5MouseMove() { Shape7->hide(); }

void TForm1::ScrollBox6MouseMove() { Shape8->hide(); }

}  // namespace app
