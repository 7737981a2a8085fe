// The windows at a scale: the layout in the screen's pixels and back, and a
// window made at 2x drawn, clicked and listed in its layout's coordinates.
#include "tests/toolkit/win32/fixture.h"

#include "toolkit/win32/scale.h"

namespace demo {
namespace {

using app::Point;
using app::Rect;
using app::win32::Scale;

TEST(ScaleTest, EveryLayoutPixelTakesItsOwnScreenPixelsAndComesBack) {
  for (const int dpi : {96, 120, 144, 192}) {
    const Scale scale(dpi);
    for (int v = -20; v <= 40; ++v) {
      // The screen pixel a layout pixel starts at goes back to it, and the
      // next layout pixel starts further on.
      EXPECT_EQ(scale.ToLayout(scale.ToScreen(v)), v) << dpi << " dpi, " << v;
      EXPECT_GT(scale.ToScreen(v + 1), scale.ToScreen(v)) << dpi << " dpi, " << v;
      if (dpi == Scale::kDesignedDpi) {
        EXPECT_EQ(scale.ToScreen(v), v);
      }
    }
    // Every screen pixel of a box lies in the layout box it came from.
    const Rect box(3, 7, 5, 9);
    EXPECT_EQ(scale.ToLayout(scale.ToScreen(box)), box) << dpi << " dpi";
  }
  EXPECT_EQ(Scale(72).Dpi(), Scale::kDesignedDpi);  // never below 1x
}

class ScaledWindowTest : public DemoTest {
 protected:
  static constexpr int kDpi = 192;  // 2x
  void SetUp() override {
    backend().SetScale(Scale(kDpi));
    DemoTest::SetUp();
  }
  void TearDown() override {
    DemoTest::TearDown();
    backend().SetScale(Scale());
  }
};

TEST_F(ScaledWindowTest, DrawsClicksAndListsInLayoutCoordinates) {
  // A picture is drawn from its double-size pixels (green here, red at 1x).
  constexpr std::uint32_t kRed = 0xFFFF0000u;
  constexpr std::uint32_t kGreen = 0xFF00FF00u;
  app::Image once(16, 16);
  app::Image twice(32, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      twice.SetPixel(x, y, kGreen);
      if (x < 16 && y < 16) once.SetPixel(x, y, kRed);
    }
  }
  ASSERT_TRUE(once.SetDouble(twice));
  window().picture->image = once;
  window().picture->Invalidate();
  const app::Image picture = driver().Grab(window());
  EXPECT_EQ(picture.Width(), 2 * DemoWindow::kWidth);
  EXPECT_EQ(picture.Height(), 2 * DemoWindow::kHeight);
  const Point corner = window().picture->WindowOrigin();
  for (const Point at : {Point{2 * corner.x + 1, 2 * corner.y + 1}, Point{2 * corner.x + 16, 2 * corner.y + 16},
                         Point{2 * corner.x + 30, 2 * corner.y + 30}}) {
    EXPECT_EQ(picture.Pixel(at.x, at.y) | 0xFF000000u, kGreen) << at.x << "," << at.y;
  }

  // A click reaches the control under it, on the window and on a child window.
  Click(Centre(*window().flat));
  EXPECT_EQ(window().flat->clicks, 1);
  Click(Centre(*window().close_mark));
  EXPECT_EQ(window().close_mark->clicks, 1);
  EXPECT_EQ(window().flat->clicks, 1);

  // A system list's rows: in layout coordinates, where a click selects them.
  app::NativeReportList& list = *window().list->peer;
  for (int row = 0; row < 3; ++row) EXPECT_EQ(list.RowAt(list.RowRect(row).Centre()), row);
  Click(At(*window().list, list.RowRect(2).Centre()));
  EXPECT_EQ(list.SelectedRow(), 2);
}

}  // namespace
}  // namespace demo
