// The Qt backend's own behaviour: what the shared window tests cannot see
// through the toolkit (how text reaches Qt, the widgets' own settings).

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QTreeView>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/borderless_window.h"
#include "toolkit/check_list_view.h"
#include "toolkit/edit_controls.h"
#include "toolkit/qt/canvas.h"
#include "toolkit/qt/convert.h"
#include "toolkit/qt/fonts.h"
#include "toolkit/qt/peer.h"
#include "toolkit/shell_list_view.h"
#include "toolkit/test_driver.h"
#include "tests/support/recording.h"
#include "tests/support/temp_prefix.h"

namespace {

using app::qt::FromQString;
using app::qt::KeptText;
using app::qt::ToQString;

TEST(QtTextTest, BytesShowAsUtf8WhereValidElseAsTheWindowsCodePage) {
  struct Case {
    std::string bytes;
    std::u16string shown;
  };
  const std::vector<Case> cases{
      {"plain", u"plain"},
      {"caf\xC3\xA9", u"caf\u00E9"},          // UTF-8
      {"caf\xE9", u"caf\u00E9"},              // Latin-1 as an older disk holds it
      {"\x80uro", u"\u20ACuro"},              // a Windows-1252 letter
      {"x\x81y", u"x\u0081y"},                // undefined in Windows-1252: kept as Latin-1
      {"\xC3(", u"\u00C3("},                  // broken UTF-8 is not taken for UTF-8
      {"", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToQString(c.bytes), QString::fromStdU16String(c.shown)) << c.bytes;
  }
  EXPECT_EQ(FromQString(QString::fromStdU16String(u"caf\u00E9")), "caf\xC3\xA9");
}

TEST(QtTextTest, KeptTextGivesBackTheSameBytesUntilTheUserChangesThem) {
  KeptText kept;
  const QString shown = kept.Keep("caf\xE9");
  EXPECT_EQ(kept.Read(shown), "caf\xE9");
  EXPECT_EQ(kept.Read(shown + "s"), "caf\xC3\xA9s");
}

class QtPeersTest : public ::testing::Test {
 protected:
  QtPeersTest() : window_(std::make_unique<app::BorderlessWindow>(400, 300)) { window_->Show(); }

  template <typename T>
  static T* WidgetOf(app::WinControl* control) {
    return qobject_cast<T*>(app::qt::WidgetOf(control->Native()));
  }

  std::unique_ptr<app::BorderlessWindow> window_;
};

TEST_F(QtPeersTest, AnEditBoxKeepsItsBytesAndShowsPasswordsAsAsterisks) {
  auto* edit = new app::LabeledEdit("Name:", window_.get());
  edit->Place(80, 10, 200);
  edit->SetText("caf\xE9");
  auto* line = WidgetOf<QLineEdit>(edit);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->text(), QString::fromStdU16String(u"caf\u00E9"));
  EXPECT_EQ(edit->Text(), "caf\xE9");
  edit->SetPasswordChar(true);
  EXPECT_EQ(line->echoMode(), QLineEdit::Password);
  EXPECT_EQ(line->displayText(), QString(4, QChar('*')));
  // The label sits left of the box, three pixels away.
  EXPECT_EQ(edit->EditLabel()->Bounds().Right(), 80 - 3);

  edit->SetFocus();
  app::CurrentTestDriver().TypeText(*window_, "s");
  EXPECT_EQ(edit->Text(), "caf\xC3\xA9s");
}

TEST_F(QtPeersTest, ListsKeepTheirSelectionColourWithoutTheFocusAndNeverEditByThemselves) {
  testing_support::TempPrefix prefix;
  testing_support::RecordingShell shell;
  auto* browser = new app::ShellListView(prefix.fs(), shell, window_.get());
  auto* list = new app::CheckListView({100, 50}, window_.get());
  for (app::WinControl* control : std::vector<app::WinControl*>{browser, list}) {
    auto* view = WidgetOf<QTreeView>(control);
    ASSERT_NE(view, nullptr);
    const QPalette& palette = view->palette();
    EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight),
              palette.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
  }
}

TEST_F(QtPeersTest, F2StartsTheRenameInPlaceOfTheSelectedItem) {
  testing_support::TempPrefix prefix;
  testing_support::RecordingShell shell;
  testing_support::WriteAll(prefix.DriveC() + "/old.txt", "x");
  auto* browser = new app::ShellListView(prefix.fs(), shell, window_.get());
  browser->SetBounds(app::Rect(0, 0, 400, 300));
  ASSERT_TRUE(browser->ShowFolder("C:\\"));
  int row = -1;
  for (int i = 0; i < browser->RowCount(); ++i) {
    if (browser->RowName(i) == "old.txt") row = i;
  }
  ASSERT_GE(row, 0);
  browser->SelectRow(row);
  browser->SetFocus();
  app::CurrentTestDriver().KeyPress(*window_, app::Key::kF2);
  auto* view = WidgetOf<QTreeView>(browser);
  auto* editor = view->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr) << "no editor opened in place";
  editor->setText("new.txt");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(editor, &enter);
  app::CurrentTestDriver().ProcessEvents();
  EXPECT_EQ(browser->RowName(row), "new.txt");
  EXPECT_EQ(testing_support::ReadAll(prefix.DriveC() + "/new.txt"), "x");
}

// A control's frame and lines stay whole on a scaled screen, wherever the
// control lies: each edge keeps ink inside the control's own clip.
// The title bars' marks (12 and 14 points) are drawn at their own sizes,
// not in the 8-point cell of the windows' text.
TEST(QtCanvasTest, MarksTakeTheirOwnPointSizes) {
  const int cell = QFontMetrics(app::qt::ToQFont(app::kDefaultFont)).height();
  EXPECT_GE(QFontMetrics(app::qt::ToQFont(app::Font{14, true})).height(), cell * 14 / 8 * 9 / 10);
}

TEST(QtCanvasTest, FramesAndLinesKeepEveryEdgeAtEveryScale) {
  QWidget widget;
  constexpr app::BgrColor kInk = 0;
  const app::Rect box(0, 0, 20, 10);
  for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
    for (const int top : {3, 4, 5, 6}) {
      SCOPED_TRACE(std::to_string(ratio) + " at " + std::to_string(top));
      QImage image(int(40 * ratio), int(40 * ratio), QImage::Format_RGB32);
      image.setDevicePixelRatio(ratio);
      image.fill(Qt::white);
      {
        QPainter painter(&image);
        app::qt::QtCanvas canvas(painter, widget);
        canvas.Save({top, top}, box);
        canvas.FrameRect(box, kInk);
        canvas.DrawLine({2, 5}, {17, 5}, kInk);
        canvas.Restore();
      }
      // Whether the device pixels of the layout pixel (x, y) hold any ink.
      const auto inked = [&](int x, int y) {
        for (int dy = int(y * ratio); dy < int((y + 1) * ratio + 0.5); ++dy) {
          for (int dx = int(x * ratio); dx < int((x + 1) * ratio + 0.5); ++dx) {
            if (dx < image.width() && dy < image.height() && qGray(image.pixel(dx, dy)) < 128) return true;
          }
        }
        return false;
      };
      EXPECT_TRUE(inked(top + 10, top)) << "top edge";
      EXPECT_TRUE(inked(top + 10, top + 9)) << "bottom edge";
      EXPECT_TRUE(inked(top, top + 5)) << "left edge";
      EXPECT_TRUE(inked(top + 19, top + 5)) << "right edge";
      EXPECT_TRUE(inked(top + 10, top + 5)) << "line";
    }
  }
}

// A picture is drawn from its own pixels, as they are, at one to one, and
// from its double-size drawing on any scaled screen (one to one at two).
TEST(QtCanvasTest, PicturesAreDrawnFromTheirDoubleOnScaledScreens) {
  QWidget widget;
  app::Image single(3, 2), twice(6, 4);
  for (std::uint32_t& pixel : single.Pixels()) pixel = 0xFFFF0000u;  // red
  for (int i = 0; i < 24; ++i) twice.SetPixel(i % 6, i / 6, (i % 6 + i / 6) % 2 ? 0xFF0000FFu : 0xFF00FF00u);
  ASSERT_TRUE(single.SetDouble(twice));
  for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
    QImage image(int(5 * ratio), int(4 * ratio), QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      app::qt::QtCanvas(painter, widget).DrawImage(single, app::Rect(1, 1, 3, 2));
    }
    const app::Image drawn = app::qt::ToImage(image);
    // The device pixels wholly inside the picture's box.
    for (int y = int(std::ceil(ratio)); y < int(3 * ratio); ++y) {
      for (int x = int(std::ceil(ratio)); x < int(4 * ratio); ++x) {
        const std::uint32_t pixel = drawn.Pixel(x, y);
        SCOPED_TRACE(std::to_string(ratio) + " at " + std::to_string(x) + "," + std::to_string(y));
        const std::uint32_t expected = ratio == 1.0   ? single.Pixel(x - 1, y - 1)
                                       : ratio == 2.0 ? twice.Pixel(x - 2, y - 2)
                                                      : pixel;
        EXPECT_EQ(pixel, expected);
        EXPECT_EQ(qRed(pixel) < 32, ratio != 1.0) << "drawn from the double-size pixels on a scaled screen";
      }
    }
  }
}

}  // namespace
