#include <filesystem>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "toolkit/colors.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "toolkit/speed_button.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/file_access.h"

namespace testing_support {
namespace {

namespace records = store::records;
using app::Bevel;

// Toolbar, body frame and menu bar colour, body bevel, lines, pictures.
constexpr char kSkinOne[] = "c68c8c c68c8c c68c8c none lines:000 glossy";
constexpr char kSkinTwo[] = "eaeaea eaeaea eaeaea flat lines:111 navy";

class MainWindowSkinTest : public MainWindowTest {
 protected:
  void StoreSkin(const std::string& value) {
    store::IniFile(prefix_.fs(), records::kSettingsFile).WriteString(records::kSkinSection, records::kSkinKey, value);
  }
  std::string StoredSkin() {
    return store::IniFile(prefix_.fs(), records::kSettingsFile).ReadString(records::kSkinSection, records::kSkinKey, "?");
  }
  // What a skin sets in the main window, as one line (the caption apart).
  std::string Look() {
    auto hex = [](app::ScrollBox* box) { return Hex(box->Color()); };
    auto bit = [](app::Control* c) { return Shown(c) ? "1" : "0"; };
    std::string pictures = std::string(Shown(main().GlossyPicture()) ? " glossy" : "") + (Shown(main().NavyPicture()) ? " navy" : "");
    return hex(main().Toolbar()) + " " + hex(main().BodyFrame()) + " " + hex(main().MenuBar()) +
           (main().BodyFrame()->GetBevel() == Bevel::kFlat ? " flat" : " none") +
           (main().Toolbar()->GetBevel() == Bevel::kNone ? "" : " toolbar-bevel") + " lines:" + bit(main().MenuBarLine()) +
           bit(main().HelpSeparator()) + bit(main().OptionsSeparator()) + pictures;
  }
  app::Image Grab(const char* name) { return GrabWindow(&main(), name); }
  static app::BgrColor At(const app::Image& image, int x, int y) { return image.ColorAt(x, y); }
};

TEST_F(MainWindowSkinTest, BuiltInLookIsSkinTwoAndOnlyAStoredOneGivesSkinOneAtLogin) {
  StartInitialised();
  // Both title pictures are there, the navy one in front.
  EXPECT_EQ(Look(), std::string(kSkinTwo).insert(std::string(kSkinTwo).size() - 5, " glossy"));
  EXPECT_EQ(At(Grab("main_builtin"), 200, 12), app::kNavy);
  EXPECT_EQ(main().Caption()->FontColor(), app::kNearWhite);
  for (const char* value : {"2", "3", "", "01"}) {
    StoreSkin(value);
    LogIn("name", "31852");
    EXPECT_EQ(Look(), kSkinTwo) << "'" << value << "'";
  }
  StoreSkin("1");
  LogIn("name", "wrong");  // a failed login press applies it too
  EXPECT_EQ(Look(), kSkinOne);
  EXPECT_EQ(main().Caption()->FontColor(), app::kNavy);
}

TEST_F(MainWindowSkinTest, SkinCommandStoresFirstFlipsAndStopsAtAWriteError) {
  StartLoggedInAsAdministrator();
  ASSERT_EQ(StoredSkin(), "?");
  main().Label10Click();
  main().Label14Click();
  EXPECT_EQ(StoredSkin(), "1");
  EXPECT_EQ(Look(), kSkinOne);
  EXPECT_EQ(main().Caption()->FontColor(), app::kBlack);  // chosen by command, not navy
  EXPECT_TRUE(MenusClosed());
  ClickOn(main().ToolbarButtons()[4]);
  EXPECT_EQ(StoredSkin(), "2");
  EXPECT_EQ(Look(), kSkinTwo);
  EXPECT_EQ(main().Caption()->FontColor(), app::kNearWhite);
  // The login window keeps the look it was created with.
  EXPECT_TRUE(forms().login->BodyPanel()->GetBevel() == Bevel::kFlat && Shown(forms().login->GlossyPicture()));

  MakeReadOnly(Native(records::kSettingsFile));
  main().Label10Click();
  main().SpeedButton5Click();
  EXPECT_EQ(dialogs_.errors, std::vector<std::string>{"Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\zizodo.INI."});
  EXPECT_EQ(Look(), kSkinTwo);
  EXPECT_TRUE(Shown(main().FileMenu()));

  // Windows deletes no read-only file.
  std::filesystem::permissions(Native(records::kSettingsFile), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  std::filesystem::remove(Native(records::kSettingsFile));
  main().SpeedButton5Click();  // no settings file: only the menus close
  EXPECT_TRUE(MenusClosed());
  EXPECT_EQ(Look(), kSkinTwo);
  EXPECT_FALSE(std::filesystem::exists(Native(records::kSettingsFile)));
}

TEST_F(MainWindowSkinTest, PixelsShowEachSkinsPicturesAndPanels) {
  StartLoggedInAsAdministrator();
  const app::Image two = Grab("main_skin2");
  // Navy title, body frame, toolbar, menu bar, marks box.
  EXPECT_EQ((std::vector<app::BgrColor>{At(two, 200, 12), At(two, 300, 30), At(two, 480, 80), At(two, 80, 30), At(two, 471, 20)}),
            (std::vector<app::BgrColor>{app::kNavy, app::kLightGrey, app::kLightGrey, app::kLightGrey, app::kNavy}));
  main().SpeedButton5Click();
  const app::Image one = Grab("main_skin1");
  EXPECT_EQ((std::vector<app::BgrColor>{At(one, 300, 30), At(one, 480, 80), At(one, 80, 30), At(one, 471, 20)}),
            (std::vector<app::BgrColor>{app::kLavender, app::kLavender, app::kLavender, app::kNavy}));
  // The glossy picture: bright light blue in its middle rows, dark at its top.
  const app::BgrColor middle = At(one, 200, 11);
  EXPECT_TRUE(app::BlueOf(middle) > 200 && app::RedOf(middle) > 100);
  const auto brightness = [](app::BgrColor c) { return app::RedOf(c) + app::GreenOf(c) + app::BlueOf(c); };
  EXPECT_LT(brightness(At(one, 200, 0)), brightness(middle));

  main().Label10Click();
  MoveOver(main().FileMenuEntries()[1]);
  const app::Image menu = Grab("main_menu_open");
  EXPECT_EQ(At(menu, 100, 110), app::kWhite);     // File panel
  EXPECT_EQ(At(menu, 120, 62), app::kPaleBlue);   // the bar behind "Comeback"
}

}  // namespace
}  // namespace testing_support
