// Every caption of every window, in both skins, in the windows' own font:
// its text lies inside its control, clear of the control's edge where the
// control draws one, and clear of every neighbour (other captions, edit
// boxes, lists, rules and the outlines drawn around or beside it), and
// drawn at the screen's scale its words stand apart. The ink of a caption
// is measured with the Qt front end's fonts. CTest runs it at the scales 1,
// 1.5 and 2 (QT_SCALE_FACTOR).

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QHeaderView>
#include <QPushButton>
#include <QRegion>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <typeinfo>
#include <tuple>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "toolkit/backend.h"
#include "toolkit/check_list_view.h"
#include "toolkit/edit_controls.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/picture.h"
#include "toolkit/qt/convert.h"
#include "toolkit/qt/fonts.h"
#include "toolkit/qt/peer.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/shell_list_view.h"
#include "toolkit/shell_tree_view.h"
#include "toolkit/speed_button.h"
#include "tests/app/program_fixture.h"
#include "tests/app/shown_controls.h"
#include "tests/app/word_gaps.h"

namespace testing_support {
namespace {

using app::qt::ToQFont;
using app::qt::ToQString;

// Air between a caption and the edge that a button draws around it.
constexpr int kButtonAir = 1;

// One caption: its text's ink, the box it must stay in (both in window
// coordinates), and the control that draws it.
struct Caption {
  std::string name;
  QRect ink;
  QRect box;
  const app::Control* control;
  QFont font;
  bool one_line = true;
};

QRect InWindow(const app::Control* control, QRect rect) {
  const app::Point origin = control->WindowOrigin();
  return rect.translated(origin.x, origin.y);
}

QRect Local(const app::Control* control) { return app::qt::ToQRect(control->Bounds().Local()); }

Qt::Alignment AlignmentOf(const app::TextStyle& style) {
  Qt::Alignment alignment = style.v_align == app::VAlign::kTop ? Qt::AlignTop : Qt::AlignVCenter;
  switch (style.h_align) {
    case app::HAlign::kLeft:
      return alignment | Qt::AlignLeft;
    case app::HAlign::kCentre:
      return alignment | Qt::AlignHCenter;
    case app::HAlign::kRight:
      break;
  }
  return alignment | Qt::AlignRight;
}

// The ink of one line of text laid out in `cell_box` as Qt lays it out.
QRect LineInk(const QFont& font, const QRect& cell_box, Qt::Alignment alignment, const QString& text) {
  const QFontMetrics metrics(font);
  const QRect cell = QStyle::alignedRect(Qt::LeftToRight, alignment,
                                         QSize(metrics.horizontalAdvance(text), metrics.height()), cell_box);
  return metrics.tightBoundingRect(text).translated(cell.left(), cell.top() + metrics.ascent());
}

// Which device pixel columns hold ink when one line of text is drawn in
// `font` at the screen's scale.
std::vector<bool> InkedColumns(const QFont& font, const QString& text) {
  const qreal ratio = qApp->devicePixelRatio();
  const QFontMetricsF metrics(font);
  const int margin = 4;
  QImage image(int(std::ceil((metrics.horizontalAdvance(text) + 2 * margin) * ratio)),
               int(std::ceil(metrics.height() * ratio)), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(margin, metrics.ascent()), text);
  }
  std::vector<bool> inked(image.width(), false);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) inked[x] = true;
    }
  }
  return inked;
}

// Where a line of text drawn at the screen's scale runs its words together;
// empty when the words stand apart.
std::string WordsRunTogether(const QFont& font, const std::string& text) {
  return RunTogether(text, InkedColumns(font, ToQString(text)), false);
}

// The captions of the window's visible controls.
std::vector<Caption> CaptionsOf(app::BorderlessWindow* window) {
  std::vector<Caption> captions;
  for (app::Control* control : ShownControls(window)) {
    if (auto* label = dynamic_cast<app::Label*>(control); label != nullptr && !label->Text().empty()) {
      const QRect box = Local(label);
      const app::TextStyle& style = label->Style();
      const QFont font = ToQFont(style.font);
      const QString text = ToQString(label->Text());
      const QRect ink = style.wrap ? QFontMetrics(font).boundingRect(box, int(AlignmentOf(style)) | Qt::TextWordWrap, text)
                                   : LineInk(font, box, AlignmentOf(style), text);
      captions.push_back({label->Text(), InWindow(label, ink), InWindow(label, box), label, font, !style.wrap});
    } else if (auto* speed = dynamic_cast<app::SpeedButton*>(control);
               speed != nullptr && !speed->Caption().empty()) {
      QRect box = Local(speed);
      Qt::Alignment alignment = Qt::AlignCenter;
      if (speed->HasPicture()) {
        box.setTop(speed->CaptionTop());
        alignment = Qt::AlignHCenter | Qt::AlignTop;
      }
      // Inside the edge that the button draws, with some air.
      const QRect inner = box.adjusted(1 + kButtonAir, 0, -1 - kButtonAir, 0);
      const QRect ink = LineInk(ToQFont(app::kDefaultFont), box, alignment, ToQString(speed->Caption()));
      captions.push_back(
          {speed->Caption(), InWindow(speed, ink), InWindow(speed, inner), speed, ToQFont(app::kDefaultFont)});
    } else if (auto* push = dynamic_cast<app::PushButton*>(control); push != nullptr) {
      const QWidget* widget = app::qt::WidgetOf(push->Native());
      const QRect box = Local(push);
      const QRect inner = box.adjusted(1 + kButtonAir, 0, -1 - kButtonAir, 0);
      const QRect ink = LineInk(widget->font(), box, Qt::AlignCenter, ToQString(push->Caption()));
      captions.push_back({push->Caption(), InWindow(push, ink), InWindow(push, inner), push, widget->font()});
    }
  }
  return captions;
}

bool IsAncestor(const app::Control* ancestor, const app::Control* control) {
  for (const app::Control* up = control; up != nullptr; up = up->Parent()) {
    if (up == ancestor) return true;
  }
  return false;
}

// True when `a` is drawn above `b`: where their lines of parents meet, a
// windowed control lies above every graphic one, and among controls of one
// kind the later one lies above.
bool DrawnAbove(const app::Control* a, const app::Control* b) {
  for (const app::Control* upper = a; upper != nullptr; upper = upper->Parent()) {
    for (const app::Control* lower = b; lower != nullptr; lower = lower->Parent()) {
      if (upper->Parent() == nullptr || upper->Parent() != lower->Parent() || upper == lower) continue;
      if (upper->IsWindowed() != lower->IsWindowed()) return upper->IsWindowed();
      const std::vector<app::Control*>& children = upper->Parent()->Children();
      return std::find(children.begin(), children.end(), upper) > std::find(children.begin(), children.end(), lower);
    }
  }
  return false;
}

// What shows of `rect` of `control`: the opaque panels of the window (a
// drop-down menu, the button strip) that lie over the control hide the rest.
QRegion Visible(app::BorderlessWindow* window, const app::Control* control, const QRect& rect) {
  QRegion visible(rect);
  for (app::Control* other : ShownControls(window)) {
    auto* panel = dynamic_cast<app::ScrollBox*>(other);
    if (panel == nullptr || panel->Transparent() || IsAncestor(panel, control)) continue;
    if (DrawnAbove(panel, control)) visible -= InWindow(panel, Local(panel));
  }
  return visible;
}

// The panel a control lies on, in window coordinates (the whole window when none).
QRect PanelOf(const app::Control* control) {
  for (const app::Control* up = control->Parent(); up != nullptr; up = up->Parent()) {
    if (auto* panel = dynamic_cast<const app::ScrollBox*>(up); panel != nullptr && !panel->Transparent()) {
      return InWindow(up, Local(up));
    }
  }
  const app::BorderlessWindow* window = const_cast<app::Control*>(control)->Window();
  return app::qt::ToQRect(window->Bounds().Local());
}

// The item area of a list or tree (not the header a control may lie over).
QRegion ItemArea(const app::WinControl* list) {
  const auto* view = qobject_cast<const QAbstractItemView*>(app::qt::WidgetOf(list->Native()));
  if (view == nullptr) return {};
  const QRect viewport(view->viewport()->mapTo(view, QPoint(0, 0)), view->viewport()->size());
  return InWindow(list, viewport);
}

// What must stay clear of a caption's ink: edit boxes, lists (their items),
// rules, and the edge of an outline drawn around or beside it. Empty for the
// surfaces captions lie on.
QRegion Occupied(const app::Control* control) {
  const QRect rect = InWindow(control, Local(control));
  if (dynamic_cast<const app::LabeledEdit*>(control) != nullptr || dynamic_cast<const app::ComboBox*>(control) != nullptr ||
      dynamic_cast<const app::BevelLine*>(control) != nullptr) {
    return rect;
  }
  if (dynamic_cast<const app::CheckListView*>(control) != nullptr ||
      dynamic_cast<const app::ShellListView*>(control) != nullptr ||
      dynamic_cast<const app::ShellTreeView*>(control) != nullptr) {
    return ItemArea(static_cast<const app::WinControl*>(control));
  }
  if (dynamic_cast<const app::Shape*>(control) != nullptr) return QRegion(rect) - rect.adjusted(1, 1, -1, -1);
  return {};
}

std::string RectText(const QRect& r) {
  return "(" + std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
         std::to_string(r.height()) + ")";
}

// Every way the captions of the window do not fit, one line each.
std::vector<std::string> Misfits(app::BorderlessWindow* window) {
  std::vector<std::string> misfits;
  const std::vector<Caption> captions = CaptionsOf(window);
  const std::vector<app::Control*> controls = ShownControls(window);
  for (const Caption& caption : captions) {
    const QRegion shown = Visible(window, caption.control, caption.ink);
    // A caption that a drop-down menu covers shows nothing to collide.
    if (shown.isEmpty()) continue;
    if (caption.one_line) {
      if (std::string apart = WordsRunTogether(caption.font, caption.name); !apart.empty()) misfits.push_back(apart);
    }
    if (!caption.box.contains(caption.ink)) {
      misfits.push_back("\"" + caption.name + "\" " + RectText(caption.ink) + " is clipped by its box " +
                        RectText(caption.box));
    }
    // Touching counts: one pixel of air all round, as far as its own panel
    // reaches (beyond it, the panel's edge keeps things apart).
    const QRect halo = shown.boundingRect().adjusted(-1, -1, 1, 1) & PanelOf(caption.control);
    for (const Caption& other : captions) {
      if (&other == &caption || other.control == caption.control) continue;
      if (Visible(window, other.control, other.ink).intersects(halo)) {
        misfits.push_back("\"" + caption.name + "\" touches \"" + other.name + "\"");
      }
    }
    for (app::Control* control : controls) {
      if (IsAncestor(control, caption.control) || IsAncestor(caption.control, control)) continue;
      const QRegion occupied = Occupied(control);
      if (!occupied.isEmpty() && (occupied & Visible(window, control, occupied.boundingRect())).intersects(halo)) {
        misfits.push_back("\"" + caption.name + "\" " + RectText(caption.ink) + " runs into " +
                          typeid(*control).name() + " " + RectText(occupied.boundingRect()));
      }
    }
  }
  return misfits;
}

class CaptionFitTest : public ProgramTest {
 protected:
  // Checks the window as it is now and keeps its picture for a person to
  // look at (QUILLOMAR_SCREENSHOT_DIR).
  void Check(app::BorderlessWindow* window, const std::string& picture) {
    window->Show();
    GrabWindow(window, picture);
    const std::vector<std::string> misfits = Misfits(window);
    EXPECT_TRUE(misfits.empty()) << picture << ":\n" << ::testing::PrintToString(misfits);
  }
};

TEST_F(CaptionFitTest, EveryCaptionOfEveryWindowFitsInBothSkins) {
  const bool bitmap_fits = app::qt::BitmapFaceFits(qApp->devicePixelRatio());
  ASSERT_EQ(app::qt::CurrentTypeface(),
            bitmap_fits ? app::qt::WindowTypeface::kMsSansSerif : app::qt::WindowTypeface::kFreeSans)
      << "Wine's MS Sans Serif or FreeSans is missing (Debian packages fonts-wine and fonts-freefont-ttf; "
         "scripts/setup.sh installs them)";
  Start();
  Check(forms().login, "fit_login_first_run");
  forms().login->SpeedButton2Click();  // "YES"
  for (const char* skin : {"2", "1"}) {
    SCOPED_TRACE(std::string("skin ") + skin);
    const std::string suffix = std::string("_skin") + skin;
    if (std::string(skin) == "1") {
      forms().main->SpeedButton5Click();  // "Skin": stores skin 1
      Restart();                          // the login window takes it at start
    }
    ProcessEvents();
    Check(forms().login, "fit_login" + suffix);
    LogIn("name", "31852");
    app::TForm1* main = forms().main;
    main->SpeedButton2Click();  // "Comeback": the list and the status line
    Check(main, "fit_main" + suffix);
    // An open menu drops down below its title, never over it.
    for (auto [open, title, panel] : {std::tuple{&app::TForm1::Label10Click, main->FileTitle(), main->FileMenu()},
                                      std::tuple{&app::TForm1::Label11Click, main->OptionsTitle(),
                                                 main->OptionsMenu()}}) {
      (main->*open)();
      Check(main, "fit_main_" + title->Text() + "_menu" + suffix);
      const QRect ink = LineInk(ToQFont(title->GetFont()), Local(title), AlignmentOf(title->Style()),
                                ToQString(title->Text()));
      EXPECT_FALSE(InWindow(title, ink).intersects(InWindow(panel, Local(panel))))
          << title->Text() << " lies under its own menu";
    }
    main->CloseMenus();

    main->SpeedButton3Click();  // "Options"
    app::TForm3* options = forms().options;
    Check(options, "fit_options" + suffix);
    options->Pages()->SetActivePage(options->UsersTab());
    Check(options, "fit_options_users" + suffix);
    options->Pages()->SetActivePage(options->AdministratorTab());
    options->SpeedButton2Click();  // "Cancel"

    Check(forms().find, "fit_find" + suffix);
    forms().find->Hide();
  }
  // The button strip lies over the list's column header and covers it.
  app::TForm1* main = forms().main;
  const QRect strip = InWindow(main->ButtonStrip(), Local(main->ButtonStrip()));
  const auto* view = qobject_cast<const QTreeView*>(app::qt::WidgetOf(main->HiddenList()->Native()));
  ASSERT_NE(view, nullptr);
  const QHeaderView* header = view->header();
  const QRect header_rect = InWindow(main->HiddenList(), QRect(header->mapTo(view, QPoint(0, 0)), header->size()));
  EXPECT_LE(header_rect.bottom(), strip.bottom()) << "the column header shows below the strip";
}

// At every scale each window opens wholly on the screen where it fits.
TEST_F(CaptionFitTest, EveryWindowOpensOnTheScreen) {
  const app::Size screen = app::CurrentBackend().ScreenSize();
  Start();
  for (app::BorderlessWindow* window : std::initializer_list<app::BorderlessWindow*>{
           forms().login, forms().main, forms().options, forms().find}) {
    window->Show();
    const app::Point at = window->ScreenPosition();
    EXPECT_TRUE(at.x >= 0 && at.y >= 0 && at.x + window->Width() <= std::max(screen.width, window->Width()) &&
                at.y + window->Height() <= std::max(screen.height, window->Height())) << at.x << "," << at.y;
    window->Hide();
  }
}

}  // namespace
}  // namespace testing_support
