// Under a dark theme every caption on the windows' panels and pages keeps
// 4.5:1 contrast, read from each window's picture; under high contrast,
// every caption stands on the system's face.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "tests/app/program_fixture.h"
#include "toolkit/backend.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/scroll_box.h"
#include "toolkit/speed_button.h"
#include "toolkit/test_driver.h"

namespace testing_support {
namespace {

double Luminance(app::BgrColor colour) {
  double sum = 0;
  for (const auto& [shift, weight] : {std::pair{0, 0.2126}, {8, 0.7152}, {16, 0.0722}}) {  // 0x00BBGGRR
    const double c = ((colour >> shift) & 0xFF) / 255.0;
    sum += weight * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
  }
  return sum;
}

class DarkColoursTest : public ProgramTest {
 protected:
  DarkColoursTest() { app::CurrentTestDriver().UseDarkSystemColours(true); }
  ~DarkColoursTest() override {
    app::CurrentTestDriver().UseDarkSystemColours(false);
    app::CurrentTestDriver().UseHighContrast(false);
  }

  // A caption's ground is the most common colour of its box; its text the
  // colour (of two pixels at least: smoothed edges aside) that stands out
  // most. Title bars' captions lie on pictures, but under high contrast.
  void ExpectReadable(app::WinControl& control, const app::Image& picture, const std::string& window) {
    const auto* box = dynamic_cast<app::ScrollBox*>(&control);
    if (box != nullptr && box->Transparent()) box = nullptr;
    const bool panel = box != nullptr || dynamic_cast<app::TabSheet*>(&control) != nullptr ||
                       (high_contrast_ && control.Parent() == nullptr);
    for (app::Control* child : control.Children()) {
      if (child->IsWindowed()) ExpectReadable(*static_cast<app::WinControl*>(child), picture, window);
      const auto* label = dynamic_cast<app::Label*>(child);
      const auto* button = dynamic_cast<app::SpeedButton*>(child);
      const std::string text = label != nullptr ? label->Text() : button != nullptr ? button->Caption() : "";
      if (!panel || text.empty() || !child->Showing()) continue;
      const int top = button != nullptr && button->HasPicture() ? button->CaptionTop() : 0;
      const app::Point at = child->WindowOrigin();
      std::map<app::BgrColor, int> counts;
      for (int y = at.y + top; y < at.y + child->Height(); ++y) {
        for (int x = at.x; x < at.x + child->Width(); ++x) ++counts[picture.ColorAt(x, y)];
      }
      const auto ground = std::max_element(counts.begin(), counts.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; })->first;
      double contrast = 1;
      for (const auto& [colour, count] : counts) {
        const double g = Luminance(ground), t = Luminance(colour);
        if (count >= 2) contrast = std::max(contrast, (std::max(g, t) + 0.05) / (std::min(g, t) + 0.05));
      }
      EXPECT_GE(contrast, 4.5) << window << ": " << text;
      // Where the toolkit paints the ground (not a page, a list's header or
      // a button's face, which the system draws).
      if (high_contrast_ && (box != nullptr || control.Parent() == nullptr) && (button == nullptr || button->Flat())) {
        EXPECT_EQ(Hex(ground), Hex(app::CurrentBackend().SystemColour(app::SystemColor::kButtonFace)))
            << window << ": " << text;
      }
    }
  }
  void ExpectReadable(app::BorderlessWindow& window, const std::string& name) {
    ExpectReadable(window, GrabWindow(&window, (high_contrast_ ? "high_contrast_" : "dark_") + name), name);
  }
  void ReadEveryWindow();

  bool high_contrast_ = false;
};

TEST_F(DarkColoursTest, EveryCaptionKeepsItsContrast) { ReadEveryWindow(); }

TEST_F(DarkColoursTest, HighContrastDrawsInTheSystemsColoursThroughout) {
  app::CurrentTestDriver().UseHighContrast(true);
  if (!app::CurrentBackend().HighContrast()) GTEST_SKIP() << "the system keeps no high-contrast setting (Wine)";
  high_contrast_ = true;
  ReadEveryWindow();
}

void DarkColoursTest::ReadEveryWindow() {
  Start();
  ExpectReadable(*forms().login, "first_start");
  forms().login->SpeedButton2Click();
  LogIn("name", "31852");
  ExpectReadable(*forms().main, "main");
  app::TForm3& options = *forms().options;
  forms().main->Hide();
  options.Show();
  ExpectReadable(options, "options");
  options.Pages()->SetActivePage(options.Pages()->Pages().back());
  ExpectReadable(options, "options_users");
  options.Close();
  EXPECT_TRUE(RunModalWith(*forms().find, [&] {
    ExpectReadable(*forms().find, "find");
    forms().find->Close();
  }, 30000));
}

}  // namespace
}  // namespace testing_support
