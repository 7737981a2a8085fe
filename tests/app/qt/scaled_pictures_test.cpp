// The toolbar's pictures as the screen shows them: at one device pixel to a
// layout pixel each button holds its picture's own pixels, at two the pixels
// of its double-size drawing, one to one. CTest runs it at the scales 1 and 2
// (QT_SCALE_FACTOR).

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdint>
#include <functional>
#include <vector>

#include "app/pictures/pictures.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/speed_button.h"

namespace testing_support {
namespace {

class ScaledPicturesTest : public MainWindowTest {};

// Whether every opaque pixel of `picture` is in `grab` at some place inside
// `area` (device pixels).
bool ShowsOpaquePixels(const app::Image& grab, const app::Rect& area, const app::Image& picture) {
  for (int top = area.top; top + picture.Height() <= area.top + area.height; ++top) {
    for (int left = area.left; left + picture.Width() <= area.left + area.width; ++left) {
      bool all = true;
      for (int y = 0; all && y < picture.Height(); ++y) {
        for (int x = 0; all && x < picture.Width(); ++x) {
          const std::uint32_t pixel = picture.Pixel(x, y);
          all = (pixel >> 24) != 0xFF || grab.Pixel(left + x, top + y) == pixel;
        }
      }
      if (all) return true;
    }
  }
  return false;
}

TEST_F(ScaledPicturesTest, ToolbarButtonsShowThePictureDrawnForTheScreensScale) {
  const qreal ratio = qApp->devicePixelRatio();
  if (ratio != 1 && ratio != 2) GTEST_SKIP() << "pixels compare one to one at the scales 1 and 2 only";
  StartLoggedInAsAdministrator();
  const app::Image grab = GrabWindow(&main(), "main_scaled");
  const std::vector<std::function<const app::Image&()>> pictures = {
      app::HideFolderPicture, app::ComebackPicture, app::OptionsPicture,
      app::FindPicture,       app::SkinPicture,     app::HelpPicture};
  const std::vector<app::SpeedButton*> buttons = main().ToolbarButtons();
  ASSERT_EQ(buttons.size(), pictures.size());
  const int scale = static_cast<int>(ratio);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE(i);
    const app::Image& picture = pictures[i]();
    ASSERT_NE(picture.Double(), nullptr);
    const app::Point origin = buttons[i]->WindowOrigin();
    const app::Rect area(origin.x * scale, origin.y * scale, buttons[i]->Width() * scale,
                         buttons[i]->Height() * scale);
    EXPECT_TRUE(ShowsOpaquePixels(grab, area, scale == 2 ? *picture.Double() : picture));
  }
}

}  // namespace
}  // namespace testing_support
