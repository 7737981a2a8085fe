#include <string>
#include <vector>

#include "app/Unit2.h"
#include "toolkit/colors.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/app/program_fixture.h"

namespace testing_support {
namespace {

namespace records = store::records;
using app::Bevel;

class LoginChromeTest : public ProgramTest {
 protected:
  app::TForm2& login() { return *forms().login; }
  void StoreSkin(const std::string& value) {
    store::IniFile(prefix_.fs(), records::kSettingsFile).WriteString(records::kSkinSection, records::kSkinKey, value);
  }
  // Body panel colour, login panel colour, bevel, caption colour, pictures shown.
  std::string Look() {
    return Hex(login().BodyPanel()->Color()) + " " + Hex(login().LoginPanel()->Color()) +
           (login().BodyPanel()->GetBevel() == Bevel::kFlat ? " flat " : " none ") + Hex(login().Caption()->FontColor()) +
           (login().GlossyPicture()->Visible() ? " glossy" : "") + (login().NavyPicture()->Visible() ? " navy" : "");
  }
  app::BgrColor PixelAt(int x, int y) { return GrabWindow(&login(), "login").ColorAt(x, y); }
};

TEST_F(LoginChromeTest, FirstRunShowsTheBuiltInLookUntilTheProgramEnds) {
  StartInitialised();  // "YES" made the settings file, but the look stays
  EXPECT_EQ(Look(), "eaeaea eaeaea flat f3f3f3 glossy navy");
  EXPECT_EQ(login().Color(), app::kCream);
  // The glossy picture lies in front: the title strip is light blue, not navy.
  EXPECT_NE(PixelAt(150, 11), app::kNavy);
  EXPECT_EQ(login().FirstRunPanel()->Color(), app::kLightGrey);
}

TEST_F(LoginChromeTest, TheStoredSkinIsAppliedWhenTheWindowIsCreated) {
  StartInitialised();
  StoreSkin("1");
  Restart();
  EXPECT_EQ(Look(), "c68c8c c68c8c none 000000 glossy");
  EXPECT_EQ(PixelAt(150, 100), app::kLavender);
  for (const char* value : {"2", "", "x"}) {
    StoreSkin(value);
    Restart();
    EXPECT_EQ(Look(), "eaeaea eaeaea flat f3f3f3 navy") << "'" << value << "'";
  }
  EXPECT_EQ(PixelAt(150, 11), app::kNavy);
  EXPECT_EQ(login().Color(), app::kCream);
}

TEST_F(LoginChromeTest, TitleBarDragsWithAnyButtonAndTheCloseMarkFollowsThePointer) {
  Start();
  // The glossy picture lies in front of the navy one until a skin chooses.
  ClickOn(login().GlossyPicture(), {30, 10}, app::MouseButton::kRight);
  login().GlossyPicture()->Hide();
  ClickOn(login().NavyPicture(), {30, 10}, app::MouseButton::kLeft);
  ClickOn(login().Caption(), {-1, -1}, app::MouseButton::kMiddle);
  EXPECT_EQ(window_manager_.drags, (std::vector<app::BorderlessWindow*>{&login(), &login(), &login()}));

  MoveOver(login().CloseMark());
  EXPECT_EQ(login().CloseMark()->FontColor(), app::kHoverRed);
  MoveOver(login().Caption());  // not a reset surface
  EXPECT_EQ(login().CloseMark()->FontColor(), app::kHoverRed);
  MoveOver(login().FirstRunPanel(), {5, 5});
  EXPECT_EQ(login().CloseMark()->FontColor(), app::kBlack);
  MoveOver(login().CloseMark());
  MoveOver(login().GlossyPicture());
  EXPECT_EQ(login().CloseMark()->FontColor(), app::kBlack);
}

}  // namespace
}  // namespace testing_support
