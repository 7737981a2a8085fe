// Under a dark desktop theme every caption on the windows' panels and pages
// keeps at least 4.5:1 contrast (the accessibility guidelines' floor for
// text), read from each window's picture on both front ends; where the
// system asks for high contrast, every caption stands on the system's face.

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

constexpr double kLeastContrast = 4.5;

double Luminance(app::BgrColor colour) {
  double sum = 0;
  const double weights[] = {0.0722, 0.7152, 0.2126};  // blue, green, red
  for (int channel = 0; channel < 3; ++channel) {
    const double c = ((colour >> (16 - 8 * channel)) & 0xFF) / 255.0;
    sum += weights[channel] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
  }
  return sum;
}

// The text in `box` of a picture: its most common colour is the ground, and
// the text's the colour (of two pixels at least: smoothed edges aside) that
// stands out most from it.
struct Caption {
  double contrast = 1;  // 1 where no text is drawn at all
  app::BgrColor ground = 0;
};
Caption Read(const app::Image& picture, const app::Rect& box) {
  std::map<app::BgrColor, int> counts;
  for (int y = box.top; y < box.top + box.height; ++y) {
    for (int x = box.left; x < box.left + box.width; ++x) ++counts[picture.ColorAt(x, y)];
  }
  std::vector<std::pair<int, app::BgrColor>> ranked;
  for (const auto& [colour, count] : counts) ranked.emplace_back(count, colour);
  std::sort(ranked.rbegin(), ranked.rend());
  Caption caption{1, ranked.empty() ? 0 : ranked[0].second};
  const double ground = Luminance(caption.ground);
  for (const auto& [count, colour] : ranked) {
    const double text = Luminance(colour);
    if (count >= 2) caption.contrast = std::max(caption.contrast, (std::max(ground, text) + 0.05) / (std::min(ground, text) + 0.05));
  }
  return caption;
}

class DarkColoursTest : public ProgramTest {
 protected:
  DarkColoursTest() { app::CurrentTestDriver().UseDarkSystemColours(true); }
  ~DarkColoursTest() override {
    app::CurrentTestDriver().UseDarkSystemColours(false);
    app::CurrentTestDriver().UseHighContrast(false);
  }

  // The title bars' captions lie on pictures and are left out, but where
  // the system asks for high contrast.
  void ExpectReadable(app::WinControl& control, const app::Image& picture, const std::string& window) {
    const auto* box = dynamic_cast<app::ScrollBox*>(&control);
    if (box != nullptr && box->Transparent()) box = nullptr;
    const bool panel = box != nullptr || dynamic_cast<app::TabSheet*>(&control) != nullptr ||
                       (high_contrast_ && control.Parent() == nullptr);
    for (app::Control* child : control.Children()) {
      if (child->IsWindowed()) {
        ExpectReadable(*static_cast<app::WinControl*>(child), picture, window);
        continue;
      }
      const auto* label = dynamic_cast<app::Label*>(child);
      const auto* button = dynamic_cast<app::SpeedButton*>(child);
      const std::string text = label != nullptr ? label->Text() : button != nullptr ? button->Caption() : "";
      if (!panel || text.empty() || !child->Showing()) continue;
      const int top = button != nullptr && button->HasPicture() ? button->CaptionTop() : 0;
      const app::Point at = child->WindowOrigin();
      const app::Rect area(at.x, at.y + top, child->Width(), child->Height() - top);
      const Caption caption = Read(picture, area);
      EXPECT_GE(caption.contrast, kLeastContrast) << window << ": " << text;
      // Where the toolkit paints the ground itself (not a page, a list's
      // header or a button face, which the system draws).
      const bool own_ground = (box != nullptr || control.Parent() == nullptr) && (button == nullptr || button->Flat());
      if (high_contrast_ && own_ground) {
        EXPECT_EQ(Hex(caption.ground), Hex(face_)) << window << ": " << text;
      }
    }
  }
  void ExpectReadable(app::BorderlessWindow& window, const std::string& name) {
    ExpectReadable(window, GrabWindow(&window, (high_contrast_ ? "high_contrast_" : "dark_") + name), name);
  }
  void ReadEveryWindow();

  bool high_contrast_ = false;
  app::BgrColor face_ = 0;
};

TEST_F(DarkColoursTest, EveryCaptionKeepsItsContrast) { ReadEveryWindow(); }

TEST_F(DarkColoursTest, HighContrastDrawsInTheSystemsColoursThroughout) {
  app::CurrentTestDriver().UseHighContrast(true);
  if (!app::CurrentBackend().HighContrast()) GTEST_SKIP() << "the system keeps no high-contrast setting (Wine)";
  high_contrast_ = true;
  face_ = app::CurrentBackend().SystemColour(app::SystemColor::kButtonFace);
  ReadEveryWindow();
}

void DarkColoursTest::ReadEveryWindow() {
  Start();
  ExpectReadable(*forms().login, "first_start");
  forms().login->SpeedButton2Click();
  ProcessEvents();
  ExpectReadable(*forms().login, "login");
  LogIn("name", "31852");
  ExpectReadable(*forms().main, "main");
  app::TForm3& options = *forms().options;
  forms().main->Hide();
  options.Show();
  ExpectReadable(options, "options");
  options.Pages()->SetActivePage(options.Pages()->Pages().back());
  ExpectReadable(options, "options_users");
  options.Close();
  forms().main->Hide();
  EXPECT_TRUE(RunModalWith(*forms().find, [&] {
    ExpectReadable(*forms().find, "find");
    forms().find->Close();
  }, 30000));
}

}  // namespace
}  // namespace testing_support
