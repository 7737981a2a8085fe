#include <cstdlib>

#include "tests/toolkit/win32/fixture.h"

namespace demo {
namespace {

using app::BgrColor;
using app::Point;
using app::Rect;

constexpr BgrColor kBackground = app::kWhite;
constexpr BgrColor kRed = 0x0000FF;
constexpr BgrColor kBlue = 0xFF0000;
constexpr BgrColor kGreen = 0x00FF00;
constexpr Rect kSheet{10, 30, 200, 100};  // where the sketch lies in the window

bool Near(BgrColor a, BgrColor b) {
  const int tolerance = 3;
  return std::abs(app::RedOf(a) - app::RedOf(b)) <= tolerance &&
         std::abs(app::GreenOf(a) - app::GreenOf(b)) <= tolerance &&
         std::abs(app::BlueOf(a) - app::BlueOf(b)) <= tolerance;
}

class CanvasTest : public DemoTest {
 protected:
  // Draws on a white sheet over the demo window and grabs the window.
  app::Image Draw(std::function<void(app::Canvas&)> draw) {
    auto* sheet = new Panel(&window(), kBackground);
    sheet->SetBounds(kSheet);
    auto* sketch = new Sketch(sheet, std::move(draw));
    sketch->SetBounds(kSheet.Local());
    return driver().Grab(window());
  }
  static BgrColor At(const app::Image& image, Point p) {
    return image.ColorAt(kSheet.left + p.x, kSheet.top + p.y);
  }
  // The count of pixels in a part of the sheet that are not its background.
  static int Inked(const app::Image& image, const Rect& part) {
    int count = 0;
    for (int y = part.top; y < part.Bottom(); ++y) {
      for (int x = part.left; x < part.Right(); ++x) count += At(image, {x, y}) != kBackground ? 1 : 0;
    }
    return count;
  }
};

TEST_F(CanvasTest, ShapesLandOnTheirPixels) {
  const app::Image image = Draw([](app::Canvas& canvas) {
    canvas.FillRect(Rect(0, 0, 10, 10), kRed);
    canvas.DrawLine(Point{0, 12}, Point{9, 12}, kBlue);
    canvas.DrawLine(Point{15, 0}, Point{15, 9}, kBlue);
    canvas.FrameRect(Rect(20, 0, 10, 10), app::kBlack);
    canvas.FrameRoundRect(Rect(34, 0, 20, 20), 4, app::kBlack);
    canvas.Save(Point{70, 40}, Rect(0, 0, 5, 5));
    canvas.FillRect(Rect(0, 0, 20, 20), kGreen);  // clipped to 5 x 5 at (70, 40)
    canvas.Restore();
    canvas.FillRect(Rect(0, 60, 2, 2), kGreen);  // back at the sheet's origin
  });
  struct Probe {
    Point at;
    BgrColor expected;
  };
  const Probe probes[] = {
      {{5, 5}, kRed},           {{10, 5}, kBackground},   {{0, 12}, kBlue},  {{9, 12}, kBlue},
      {{10, 12}, kBackground},  {{15, 0}, kBlue},         {{15, 9}, kBlue},  {{15, 10}, kBackground},
      {{20, 0}, app::kBlack},   {{29, 9}, app::kBlack},   {{25, 5}, kBackground},
      {{44, 0}, app::kBlack},   {{44, 19}, app::kBlack},  {{34, 0}, kBackground}, {{44, 10}, kBackground},
      {{70, 40}, kGreen},       {{74, 44}, kGreen},       {{75, 45}, kBackground}, {{76, 41}, kBackground},
      {{1, 61}, kGreen},
  };
  for (const Probe& probe : probes) {
    EXPECT_EQ(At(image, probe.at), probe.expected) << probe.at.x << "," << probe.at.y;
  }
}

TEST_F(CanvasTest, PicturesBlendByTheirAlphaAndStretch) {
  const app::Image image = Draw([](app::Canvas& canvas) {
    canvas.DrawImage(RowPicture(), Rect(0, 0, 16, 16));
    canvas.DrawImage(RowPicture(), Rect(20, 0, 32, 32));
  });
  const BgrColor half_blue_over_white = app::FromRgb(127, 127, 255);
  EXPECT_TRUE(Near(At(image, {8, 8}), kRed));
  EXPECT_TRUE(Near(At(image, {1, 8}), half_blue_over_white)) << std::hex << At(image, {1, 8});
  EXPECT_TRUE(Near(At(image, {36, 16}), kRed));
  EXPECT_TRUE(Near(At(image, {22, 16}), half_blue_over_white));  // the rim doubled to 8 pixels
  EXPECT_TRUE(Near(At(image, {27, 16}), half_blue_over_white));
  EXPECT_EQ(At(image, {60, 8}), kBackground);
}

TEST_F(CanvasTest, TextIsPlacedColouredAndClippedToItsBox) {
  app::TextStyle left;
  left.color = kBlue;
  app::TextStyle right = left;
  right.h_align = app::HAlign::kRight;
  app::TextStyle centred = left;
  centred.h_align = app::HAlign::kCentre;
  centred.v_align = app::VAlign::kCentre;
  const app::Image image = Draw([&](app::Canvas& canvas) {
    canvas.DrawText(Rect(0, 0, 100, 16), "MM", left);
    canvas.DrawText(Rect(0, 20, 100, 16), "MM", right);
    canvas.DrawText(Rect(0, 40, 100, 40), "MM", centred);
    canvas.DrawText(Rect(120, 0, 12, 16), "MMMMMMMM", left);  // cut at the box
  });
  EXPECT_GT(Inked(image, Rect(0, 0, 30, 16)), 0);
  EXPECT_EQ(Inked(image, Rect(70, 0, 30, 16)), 0);
  EXPECT_EQ(Inked(image, Rect(0, 20, 30, 16)), 0);
  EXPECT_GT(Inked(image, Rect(70, 20, 30, 16)), 0);
  EXPECT_EQ(Inked(image, Rect(0, 40, 100, 10)), 0);  // centred down into the box
  EXPECT_GT(Inked(image, Rect(35, 50, 30, 20)), 0);
  EXPECT_GT(Inked(image, Rect(120, 0, 12, 16)), 0);
  EXPECT_EQ(Inked(image, Rect(132, 0, 40, 16)), 0);
  EXPECT_EQ(At(image, {1, 1}) == kBlue || At(image, {1, 1}) == kBackground, true);
}

TEST_F(CanvasTest, ButtonFacesHaveTheSystemFaceColour) {
  const app::Image image = Draw([](app::Canvas& canvas) {
    canvas.DrawButtonFace(Rect(0, 0, 40, 20), app::FaceState::kRaised);
    canvas.DrawButtonFace(Rect(50, 0, 40, 20), app::FaceState::kSunken);
  });
  const BgrColor face = backend().SystemColour(app::SystemColor::kButtonFace);
  EXPECT_EQ(At(image, {20, 10}), face);
  EXPECT_EQ(At(image, {70, 10}), face);
  // Raised: light top-left edge; sunken: dark top-left edge.
  EXPECT_NE(At(image, {0, 0}), At(image, {50, 0}));
}

// A painted window whose control draws no background of its own.
class Unpainted : public app::WinControl {
 public:
  explicit Unpainted(app::WinControl* parent) : WinControl(parent) {
    AttachNative(app::CurrentBackend().CreatePainted(parent->Native(), *this));
  }
};

TEST_F(CanvasTest, AWindowWithoutABackgroundShowsTheSystemFace) {
  auto* bare = new Unpainted(&window());
  bare->SetBounds(kSheet);
  const app::Image image = driver().Grab(window());
  EXPECT_EQ(image.ColorAt(kSheet.Centre().x, kSheet.Centre().y),
            backend().SystemColour(app::SystemColor::kButtonFace));
}

TEST_F(CanvasTest, AWindowOffTheScreenIsGrabbedFromItsOwnDrawingChildrenIncluded) {
  const app::Image shown = driver().Grab(window());
  window().Hide();
  const app::Image hidden = driver().Grab(window());
  ASSERT_EQ(hidden.GetSize(), (app::Size{DemoWindow::kWidth, DemoWindow::kHeight}));
  struct Probe {
    const char* what;
    Point at;
  };
  const Probe probes[] = {
      {"the window", {300, 70}},
      {"the title strip, a child window", {100, 12}},
      {"the picture on the window", {102, 41}},
      {"the first tab's page", window().tabs->WindowOrigin() + window().tabs->peer->PageArea().Centre()},
  };
  for (const Probe& probe : probes) {
    EXPECT_EQ(hidden.ColorAt(probe.at.x, probe.at.y), shown.ColorAt(probe.at.x, probe.at.y)) << probe.what;
  }
  EXPECT_EQ(hidden.ColorAt(100, 12), app::kNavy);
}

}  // namespace
}  // namespace demo
