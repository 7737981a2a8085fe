#include "tests/toolkit/win32/fixture.h"

namespace demo {
namespace {

using app::MouseButton;
using app::Point;

class PointerTest : public DemoTest {
 protected:
  // A point of the window's own background, away from every control.
  static constexpr Point kBackground{300, 70};
};

TEST_F(PointerTest, HoverFollowsThePointerAcrossWindowsAndControls) {
  FlatButton& flat = *window().flat;
  FlatButton& mark = *window().close_mark;
  driver().MouseMove(window(), Centre(flat));
  EXPECT_TRUE(flat.Hot());
  const app::Image hot = driver().Grab(window());
  driver().MouseMove(window(), kBackground);
  EXPECT_FALSE(flat.Hot());
  EXPECT_EQ(flat.enters, 1);
  EXPECT_EQ(flat.leaves, 1);
  // The caption turns red while hot: the window's own drawing shows it.
  const app::Image cold = driver().Grab(window());
  const auto reds = [&](const app::Image& image) {
    int count = 0;
    const app::Point origin = flat.WindowOrigin();
    for (int y = 0; y < flat.Height(); ++y) {
      for (int x = 0; x < flat.Width(); ++x) count += image.ColorAt(origin.x + x, origin.y + y) == app::kHoverRed;
    }
    return count;
  };
  EXPECT_GT(reds(hot), 0);
  EXPECT_EQ(reds(cold), 0);

  // Into the title strip (a child window) and out of it again.
  driver().MouseMove(window(), Centre(mark));
  EXPECT_TRUE(mark.Hot());
  driver().MouseMove(window(), kBackground);
  EXPECT_FALSE(mark.Hot());
}

TEST_F(PointerTest, AClickIsAPressAndAReleaseOverTheSameControl) {
  struct Case {
    const char* name;
    bool press_inside;
    bool release_inside;
    MouseButton button;
    int clicks;
  };
  const Case cases[] = {
      {"inside, inside", true, true, MouseButton::kLeft, 1},
      {"inside, outside", true, false, MouseButton::kLeft, 0},
      {"outside, inside", false, true, MouseButton::kLeft, 0},
      {"right button", true, true, MouseButton::kRight, 0},
  };
  for (const Case& c : cases) {
    FlatButton& flat = *window().flat;
    flat.clicks = 0;
    const Point press = c.press_inside ? Centre(flat) : kBackground;
    const Point release = c.release_inside ? Centre(flat) : kBackground;
    driver().MouseMove(window(), press);
    driver().MousePress(window(), press, c.button);
    driver().MouseMove(window(), release);
    driver().MouseRelease(window(), release, c.button);
    EXPECT_EQ(flat.clicks, c.clicks) << c.name;
  }
}

TEST_F(PointerTest, APressedControlKeepsThePointerUntilTheRelease) {
  FlatButton& flat = *window().flat;
  std::vector<bool> moves_seen;
  flat.on_mouse_move = [&] { moves_seen.push_back(flat.Pressed()); };
  driver().MousePress(window(), Centre(flat), MouseButton::kLeft);
  EXPECT_TRUE(flat.Pressed());
  // Over the edit box (another window): the capture keeps it with the button.
  driver().MouseMove(window(), Centre(*window().edit));
  EXPECT_FALSE(flat.Pressed());
  driver().MouseMove(window(), Centre(flat));
  EXPECT_TRUE(flat.Pressed());
  driver().MouseRelease(window(), Centre(flat), MouseButton::kLeft);
  EXPECT_EQ(moves_seen, (std::vector<bool>{false, true}));
  EXPECT_EQ(flat.clicks, 1);
  EXPECT_TRUE(flat.Hot());  // the release is the program's own: still hovered
}

TEST_F(PointerTest, ClicksReachControlsOnChildWindows) {
  Click(Centre(*window().close_mark));
  EXPECT_EQ(window().close_mark->clicks, 1);
  EXPECT_EQ(window().flat->clicks, 0);
}

TEST_F(PointerTest, PressesOnTheSystemControlsAreReportedToTheirControls) {
  std::vector<MouseButton> presses;
  window().list->on_mouse_down = [&](MouseButton button) { presses.push_back(button); };
  Click(Centre(*window().list), MouseButton::kRight);
  Click(Centre(*window().list), MouseButton::kLeft);
  EXPECT_EQ(presses, (std::vector<MouseButton>{MouseButton::kRight, MouseButton::kLeft}));
}

}  // namespace
}  // namespace demo
