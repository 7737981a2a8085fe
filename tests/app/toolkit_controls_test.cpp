// The toolkit's own rules, the same on every front end: which control gets
// the pointer, hover and the implicit grab, clicks, what hiding forgets, the
// flat button's edges, outline-only shapes and the splitter's drag.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/backend.h"
#include "toolkit/borderless_window.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/speed_button.h"
#include "toolkit/splitter.h"
#include "toolkit/test_driver.h"
#include "tests/app/program_fixture.h"

namespace testing_support {
namespace {

using app::MouseButton;
using app::Point;
using app::Rect;

constexpr app::BgrColor kPanel = app::FromRgb(200, 200, 200);

class ToolkitControlsTest : public ::testing::Test {
 protected:
  ToolkitControlsTest() : window_(std::make_unique<app::BorderlessWindow>(300, 200)) {
    panel_ = new app::ScrollBox(window_.get());
    panel_->SetBounds(Rect(0, 0, 300, 200));
    panel_->SetColor(kPanel);
    Record(panel_, "panel");
    window_->Show();
    ProcessEvents();
  }

  // A graphic control on the panel that logs its events.
  app::Shape* Graphic(const std::string& name, const Rect& bounds) {
    auto* shape = new app::Shape(app::Shape::Kind::kRectangle, panel_);
    shape->SetBounds(bounds);
    Record(shape, name);
    return shape;
  }
  void Record(app::Control* control, const std::string& name) {
    control->on_mouse_move = [this, name] { log_.push_back("move " + name); };
    control->on_mouse_down = [this, name](MouseButton) { log_.push_back("down " + name); };
    control->on_click = [this, name] { log_.push_back("click " + name); };
  }
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(log_);
    return taken;
  }
  app::TestDriver& Driver() { return app::CurrentTestDriver(); }
  void Move(Point at) { Driver().MouseMove(*window_, at); }
  void Press(Point at, MouseButton button = MouseButton::kLeft) { Driver().MousePress(*window_, at, button); }
  void Release(Point at, MouseButton button = MouseButton::kLeft) { Driver().MouseRelease(*window_, at, button); }
  app::BgrColor PixelAt(Point at) { return Driver().Grab(*window_).ColorAt(at.x, at.y); }

  std::unique_ptr<app::BorderlessWindow> window_;
  app::ScrollBox* panel_ = nullptr;
  std::vector<std::string> log_;
};

using Log = std::vector<std::string>;

TEST_F(ToolkitControlsTest, ThePointerGoesToTheTopmostControlThatTakesIt) {
  Graphic("below", Rect(0, 0, 100, 100));
  Graphic("above", Rect(50, 50, 100, 100));
  app::Shape* glass = Graphic("glass", Rect(120, 120, 60, 60));
  glass->SetMouseTransparent(true);
  app::Shape* rim = Graphic("rim", Rect(200, 0, 50, 50));
  rim->SetPassesMouseOn(true);
  struct Case {
    Point at;
    Log moves;
  };
  const std::vector<Case> cases{
      {{10, 10}, {"move below"}},
      {{75, 75}, {"move above"}},                 // made later: in front
      {{130, 130}, {"move above"}},               // through the transparent one
      {{170, 170}, {"move panel"}},               // through it, onto the background
      {{210, 10}, {"move rim", "move panel"}},    // taken, and passed on
      {{280, 180}, {"move panel"}},
  };
  for (const Case& c : cases) {
    Move(c.at);
    EXPECT_EQ(Take(), c.moves) << c.at.x << "," << c.at.y;
  }
  Press({210, 10}, MouseButton::kRight);
  EXPECT_EQ(Take(), (Log{"down rim", "down panel"}));
  Release({210, 10}, MouseButton::kRight);
  EXPECT_EQ(Take(), Log{}) << "only the left button clicks";
}

TEST_F(ToolkitControlsTest, AClickIsAPressAndAReleaseOverTheSameControlWhichKeepsThePointerMeanwhile) {
  app::Shape* button = Graphic("button", Rect(10, 10, 50, 30));
  Graphic("other", Rect(100, 10, 50, 30));

  Press({20, 20});
  EXPECT_TRUE(button->Hot() && button->Pressed());
  Move({120, 20});  // over "other", but the button holds the pointer
  EXPECT_EQ(Take(), (Log{"down button", "move button"}));
  EXPECT_FALSE(button->Hot() || button->Pressed());
  Move({30, 20});
  EXPECT_TRUE(button->Pressed());
  Release({120, 20});
  EXPECT_EQ(Take(), Log{"move button"}) << "released elsewhere: no click";

  Press({20, 20});
  Release({25, 25});
  EXPECT_EQ(Take(), (Log{"down button", "click button"}));

  // Pressed on the panel's background: the panel keeps the pointer, and a
  // release anywhere on it is its click, over a control of its own too.
  Press({200, 150});
  Move({20, 20});
  Release({20, 20});
  EXPECT_EQ(Take(), (Log{"down panel", "move panel", "click panel"}));
}

TEST_F(ToolkitControlsTest, HidingForgetsThePointerAndAnyHeldButton) {
  app::Shape* button = Graphic("button", Rect(10, 10, 50, 30));
  Move({20, 20});
  EXPECT_TRUE(button->Hot());
  button->Hide();
  EXPECT_FALSE(button->Hot());
  button->Show();
  EXPECT_FALSE(button->Hot()) << "it comes back without a hover look";

  Press({20, 20});
  ASSERT_TRUE(button->Pressed());
  window_->Hide();
  EXPECT_FALSE(button->Pressed() || button->Hot());
  window_->Show();
  Release({20, 20});
  EXPECT_EQ(Take(), (Log{"move button", "down button"})) << "no click after the window left the screen";
}

TEST_F(ToolkitControlsTest, AFlatButtonShowsARaisedEdgeUnderThePointerAndASunkOneWhilePressed) {
  auto* button = new app::SpeedButton("Go", panel_);
  button->SetBounds(Rect(10, 10, 60, 30));
  const Point top_left{10, 10};
  const Point bottom_right{69, 39};
  const app::BgrColor white = app::FromRgb(255, 255, 255);
  const app::BgrColor grey = app::FromRgb(128, 128, 128);
  EXPECT_EQ(Hex(PixelAt(top_left)), Hex(kPanel)) << "no edge at rest";
  Move({30, 20});
  EXPECT_EQ(Hex(PixelAt(top_left)), Hex(white));
  EXPECT_EQ(Hex(PixelAt(bottom_right)), Hex(grey));
  Press({30, 20});
  EXPECT_EQ(Hex(PixelAt(top_left)), Hex(grey));
  EXPECT_EQ(Hex(PixelAt(bottom_right)), Hex(white));
  Release({30, 20});
  Move({200, 150});
  EXPECT_EQ(Hex(PixelAt(top_left)), Hex(kPanel));
}

TEST_F(ToolkitControlsTest, ShapesFillOrOnlyOutlineAndLabelsDrawOverWhatLiesBeneath) {
  app::Shape* filled = Graphic("filled", Rect(10, 10, 40, 40));
  filled->SetFill(app::kLavender);
  filled->SetOutline(app::kNavy);
  app::Shape* outline = Graphic("outline", Rect(60, 10, 40, 40));
  outline->SetOutlineOnly(true);
  outline->SetOutline(app::kNavy);
  auto* round = new app::Shape(app::Shape::Kind::kRoundSquare, panel_);
  round->SetBounds(Rect(110, 10, 40, 40));
  round->SetOutlineOnly(true);
  const std::vector<std::pair<Point, app::BgrColor>> pixels{
      {{10, 30}, app::kNavy},  {{30, 30}, app::kLavender}, {{60, 30}, app::kNavy},
      {{80, 30}, kPanel},      {{110, 30}, app::kBlack},   {{130, 30}, kPanel},
      {{110, 10}, kPanel},  // the rounded corner leaves the panel showing
  };
  const app::Image image = Driver().Grab(*window_);
  for (const auto& [at, colour] : pixels) EXPECT_EQ(Hex(image.ColorAt(at.x, at.y)), Hex(colour)) << at.x << "," << at.y;
}

TEST_F(ToolkitControlsTest, ALongPathFitsItsBoxWithTheItemsNameKept) {
  const std::string path = "C:\\" + std::string(300, 'd') + "\\very_long_name";
  const std::string shown = app::ElideInTheMiddle(path, 300, app::kDefaultFont);
  EXPECT_LE(app::CurrentBackend().MeasureText(shown, app::kDefaultFont).width, 300);
  EXPECT_EQ(shown.rfind("C:\\dd", 0), 0u) << shown;
  EXPECT_NE(shown.find("...d"), std::string::npos) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 15), "\\very_long_name") << shown;
}

TEST_F(ToolkitControlsTest, TheSplitterResizesLiveWhileDraggedWithinBothMinimums) {
  auto* splitter = new app::Splitter(app::Orientation::kHorizontal, 8, 30, panel_);
  splitter->SetBounds(Rect(0, 0, 300, 200));
  auto* top = new app::ScrollBox(splitter);
  auto* bottom = new app::ScrollBox(splitter);
  splitter->SetFirstPaneSize(100);
  int moves = 0;
  splitter->on_moved = [&] { ++moves; };
  EXPECT_EQ(top->Bounds(), Rect(0, 0, 300, 100));
  EXPECT_EQ(bottom->Bounds(), Rect(0, 108, 300, 92));

  Press({150, 104});  // in the handle, four pixels into it
  Move({150, 64});
  EXPECT_EQ(top->Height(), 60);
  EXPECT_EQ(bottom->Bounds(), Rect(0, 68, 300, 132));
  Move({150, 10});
  EXPECT_EQ(top->Height(), 30) << "the first pane's minimum";
  Move({150, 199});
  EXPECT_EQ(bottom->Height(), 30) << "the second pane's minimum";
  const int during = moves;
  Release({150, 199});
  EXPECT_GE(during, 3);
  EXPECT_EQ(moves, during + 1) << "once more when the handle is let go";

  // Growing the splitter keeps the first pane's size.
  splitter->SetBounds(Rect(0, 0, 300, 180));
  EXPECT_EQ(top->Height(), 142);
  EXPECT_EQ(bottom->Height(), 30);
}

TEST_F(ToolkitControlsTest, ACheckListIsFilledInOneStepAndTheUserTicksItsRows) {
  auto* list = new app::CheckListView({150, 60}, panel_);
  list->SetBounds(Rect(10, 10, 240, 150));
  std::vector<int> ticks;
  list->on_check = [&](int row) { ticks.push_back(row); };
  list->AddRow("stale", {}, true);
  list->Fill({"C:\\A", "C:\\B", "C:\\Caf\xE9"}, {"Hide"}, false);
  ProcessEvents();
  ASSERT_EQ(list->RowCount(), 3);
  EXPECT_EQ(list->Caption(2), "C:\\Caf\xE9");
  EXPECT_EQ(list->Value(2), "C:\\Caf\xE9");
  EXPECT_EQ(list->Text(1, 1), "Hide");
  EXPECT_FALSE(list->Checked(0));

  const auto at = [&](int row, int x) { return list->WindowOrigin() + Point{list->RowRect(row).left + x, list->RowRect(row).Centre().y}; };
  Move(at(1, 8));
  Press(at(1, 8));
  Release(at(1, 8));
  EXPECT_EQ(ticks, std::vector<int>{1});
  EXPECT_TRUE(list->Checked(1) && !list->Checked(0) && !list->Checked(2));
}

TEST_F(ToolkitControlsTest, AutoSizedLabelsTakeTheSizeOfTheirText) {
  auto* label = new app::Label("Password:", panel_);
  label->Move({40, 40});
  label->AutoSize();
  const app::Size measured = app::CurrentBackend().MeasureText("Password:", app::kDefaultFont);
  EXPECT_EQ(label->Bounds(), Rect(Point{40, 40}, measured));
  EXPECT_GT(measured.width, 20);
  label->SetText("");
  label->AutoSize();
  EXPECT_EQ(label->Width(), 0);
}

}  // namespace
}  // namespace testing_support
