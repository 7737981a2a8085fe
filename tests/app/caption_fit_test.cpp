// Every caption of every window, in both skins, in the windows' own font:
// its text lies inside its control, clear of the control's edge where the
// control draws one, and clear of every neighbour (other captions, edit
// boxes, lists, rules and the outlines drawn around or beside it).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegion>
#include <QStyle>
#include <QTabWidget>

#include <string>
#include <tuple>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/toolkit/check_list_view.h"
#include "app/toolkit/fonts.h"
#include "app/toolkit/label.h"
#include "app/toolkit/picture.h"
#include "app/toolkit/scroll_box.h"
#include "app/toolkit/shape.h"
#include "app/toolkit/speed_button.h"
#include "tests/app/program_fixture.h"

namespace testing_support {
namespace {

// Air between a caption and the edge that a button draws around it.
constexpr int kButtonAir = 1;

// One caption: its text's ink, the box it must stay in (both in window
// coordinates), and the control that draws it.
struct Caption {
  std::string name;
  QRect ink;
  QRect box;
  const QWidget* control;
};

QRect InWindow(const QWidget* widget, QRect rect) {
  return rect.translated(widget->mapTo(widget->window(), QPoint(0, 0)));
}

// The ink of one line of text laid out in `cell_box` as Qt lays it out.
QRect LineInk(const QFont& font, const QRect& cell_box, Qt::Alignment alignment, const QString& text) {
  const QFontMetrics metrics(font);
  const QRect cell = QStyle::alignedRect(Qt::LeftToRight, alignment,
                                         QSize(metrics.horizontalAdvance(text), metrics.height()), cell_box);
  return metrics.tightBoundingRect(text).translated(cell.left(), cell.top() + metrics.ascent());
}

bool Shown(const QWidget* widget) { return widget->isVisibleTo(widget->window()) && widget->isVisible(); }

// The captions of the window's visible controls.
std::vector<Caption> CaptionsOf(QWidget* window) {
  std::vector<Caption> captions;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!Shown(widget)) continue;
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && !label->text().isEmpty()) {
      const QRect box = label->contentsRect();
      QRect ink;
      if (label->wordWrap()) {
        ink = QFontMetrics(label->font()).boundingRect(box, int(label->alignment()) | Qt::TextWordWrap,
                                                      label->text());
      } else {
        ink = LineInk(label->font(), box, label->alignment(), label->text());
      }
      captions.push_back({label->text().toStdString(), InWindow(label, ink), InWindow(label, box), label});
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget);
               button != nullptr && !button->text().isEmpty()) {
      QRect box = button->rect();
      Qt::Alignment alignment = Qt::AlignCenter;
      if (auto* speed = qobject_cast<app::SpeedButton*>(button); speed != nullptr && speed->HasPicture()) {
        box.setTop(speed->CaptionTop());
        alignment = Qt::AlignHCenter | Qt::AlignTop;
      }
      // Inside the edge that the button draws, with some air.
      const QRect inner = box.adjusted(1 + kButtonAir, 0, -1 - kButtonAir, 0);
      captions.push_back({button->text().toStdString(),
                          InWindow(button, LineInk(button->font(), box, alignment, button->text())),
                          InWindow(button, inner), button});
    }
  }
  return captions;
}

bool IsAncestor(const QWidget* ancestor, const QWidget* widget) {
  for (const QWidget* up = widget; up != nullptr; up = up->parentWidget()) {
    if (up == ancestor) return true;
  }
  return false;
}

// True when `a` is drawn above `b` (later among the children where their
// lines of parents meet).
bool DrawnAbove(const QWidget* a, const QWidget* b) {
  for (const QWidget* upper = a; upper != nullptr; upper = upper->parentWidget()) {
    for (const QWidget* lower = b; lower != nullptr; lower = lower->parentWidget()) {
      if (upper->parentWidget() != nullptr && upper->parentWidget() == lower->parentWidget() && upper != lower) {
        const QObjectList& children = upper->parentWidget()->children();
        return children.indexOf(upper) > children.indexOf(lower);
      }
    }
  }
  return false;
}

// What shows of `rect` of `widget`: the opaque panels of the window (a
// drop-down menu, the button strip) that lie over the widget hide the rest.
QRegion Visible(QWidget* window, const QWidget* widget, const QRect& rect) {
  QRegion visible(rect);
  for (const app::ScrollBox* panel : window->findChildren<app::ScrollBox*>()) {
    if (panel->isVisible() && !IsAncestor(panel, widget) && DrawnAbove(panel, widget)) {
      visible -= InWindow(panel, panel->rect());
    }
  }
  return visible;
}

// The panel a control lies on, in window coordinates (the whole window when none).
QRect PanelOf(const QWidget* control) {
  for (const QWidget* up = control->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (qobject_cast<const app::ScrollBox*>(up) != nullptr) return InWindow(up, up->rect());
  }
  return control->window()->rect();
}

// What must stay clear of a caption's ink: edit boxes, lists (their items,
// not the header a control may lie over), rules, and the edge of an outline
// drawn around or beside it. Empty for the surfaces captions lie on.
QRegion Occupied(const QWidget* widget) {
  const QRect rect = InWindow(widget, widget->rect());
  if (qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QComboBox*>(widget) != nullptr ||
      qobject_cast<const app::BevelLine*>(widget) != nullptr) {
    return rect;
  }
  if (auto* view = qobject_cast<const QAbstractItemView*>(widget); view && !qobject_cast<const QHeaderView*>(view)) {
    return InWindow(view->viewport(), view->viewport()->rect());
  }
  if (qobject_cast<const app::Shape*>(widget) != nullptr) return QRegion(rect) - rect.adjusted(1, 1, -1, -1);
  return {};
}

// Every way the captions of the window do not fit, one line each.
std::vector<std::string> Misfits(QWidget* window) {
  std::vector<std::string> misfits;
  const std::vector<Caption> captions = CaptionsOf(window);
  auto rect_text = [](const QRect& r) {
    return QString("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
  };
  for (const Caption& caption : captions) {
    const QRegion shown = Visible(window, caption.control, caption.ink);
    // A caption that a drop-down menu covers shows nothing to collide.
    if (shown.isEmpty()) continue;
    if (!caption.box.contains(caption.ink)) {
      misfits.push_back("\"" + caption.name + "\" " + rect_text(caption.ink) + " is clipped by its box " +
                        rect_text(caption.box));
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
    for (QWidget* widget : window->findChildren<QWidget*>()) {
      if (!Shown(widget) || IsAncestor(widget, caption.control) || IsAncestor(caption.control, widget)) continue;
      const QRegion occupied = Occupied(widget);
      if (!occupied.isEmpty() && (occupied & Visible(window, widget, occupied.boundingRect())).intersects(halo)) {
        misfits.push_back("\"" + caption.name + "\" " + rect_text(caption.ink) + " runs into " +
                          widget->metaObject()->className() + " " + rect_text(occupied.boundingRect()));
      }
    }
  }
  return misfits;
}

class CaptionFitTest : public ProgramTest {
 protected:
  // Checks the window as it is now and keeps its picture for a person to
  // look at (QUILLOMAR_SCREENSHOT_DIR).
  void Check(QWidget* window, const QString& picture) {
    window->show();
    GrabWindow(window, picture);
    const std::vector<std::string> misfits = Misfits(window);
    EXPECT_TRUE(misfits.empty()) << picture.toStdString() << ":\n" << ::testing::PrintToString(misfits);
  }
};

TEST_F(CaptionFitTest, EveryCaptionOfEveryWindowFitsInBothSkins) {
  ASSERT_EQ(app::CurrentTypeface(), app::WindowTypeface::kMsSansSerif)
      << "Wine's MS Sans Serif is missing (Debian package fonts-wine; scripts/setup.sh installs it)";
  Start();
  Check(forms().login, "fit_login_first_run.png");
  forms().login->SpeedButton2Click();  // "YES"
  for (const char* skin : {"2", "1"}) {
    SCOPED_TRACE(std::string("skin ") + skin);
    const QString suffix = QString("_skin%1.png").arg(skin);
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
      Check(main, "fit_main_" + title->text().toLower() + "_menu" + suffix);
      const QRect ink = LineInk(title->font(), title->contentsRect(), title->alignment(), title->text());
      EXPECT_FALSE(InWindow(title, ink).intersects(InWindow(panel, panel->rect())))
          << title->text().toStdString() << " lies under its own menu";
    }
    main->CloseMenus();

    main->SpeedButton3Click();  // "Options"
    app::TForm3* options = forms().options;
    Check(options, "fit_options" + suffix);
    options->PageControl()->setCurrentWidget(options->UsersTab());
    Check(options, "fit_options_users" + suffix);
    options->PageControl()->setCurrentWidget(options->AdministratorTab());
    options->SpeedButton2Click();  // "Cancel"

    Check(forms().find, "fit_find" + suffix);
    forms().find->hide();
  }
  // The button strip lies over the list's column header and covers it.
  app::TForm1* main = forms().main;
  const QRect strip = InWindow(main->ButtonStrip(), main->ButtonStrip()->rect());
  const QHeaderView* header = main->HiddenList()->horizontalHeader();
  const QRect header_rect = InWindow(header, header->rect());
  EXPECT_LE(header_rect.bottom(), strip.bottom()) << "the column header shows below the strip";
}

}  // namespace
}  // namespace testing_support
