#include <string>
#include <utility>
#include <vector>

#include "app/Unit1.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/speed_button.h"
#include "toolkit/shell_list_view.h"
#include "tests/app/main_window_fixture.h"

namespace testing_support {
namespace {

class MainWindowMenusTest : public MainWindowTest {
 protected:
  void SetUp() override { StartLoggedInAsAdministrator(); }
  void OpenFileMenuWithBar() {
    ClickOn(main().FileTitle());
    MoveOver(main().FileMenuEntries()[1]);
    ASSERT_TRUE(Shown(main().FileMenu()) && Shown(main().FileTitleFrame()) && Shown(main().FileEntryBar()));
  }
  // Every piece of feedback on and every mark red; the File panel open or not.
  void FeedbackOn(bool file_menu_open) {
    for (app::Control* shape : std::vector<app::Control*>{main().ToolbarHighlight(), main().FileEntryBar(),
                                                          main().OptionsEntryBar(), main().FileTitleFrame(),
                                                          main().OptionsTitleFrame()}) {
      shape->Show();
    }
    main().FileMenu()->SetVisible(file_menu_open);
    for (app::StaticText* mark : {main().HelpMark(), main().MinimiseMark(), main().CloseMark()}) mark->SetFontColor(app::kHoverRed);
  }
  // "highlight fileBar optionsBar fileFrame optionsFrame ?--x", 1/0 and r(ed)/b(lack).
  std::string State() {
    auto bit = [](app::Control* c) { return Shown(c) ? '1' : '0'; };
    auto colour = [](app::StaticText* mark) { return mark->FontColor() == app::kHoverRed ? 'r' : 'b'; };
    return {bit(main().ToolbarHighlight()), ' ', bit(main().FileEntryBar()), bit(main().OptionsEntryBar()), ' ',
            bit(main().FileTitleFrame()), bit(main().OptionsTitleFrame()), ' ', colour(main().HelpMark()),
            colour(main().MinimiseMark()), colour(main().CloseMark())};
  }
};

TEST_F(MainWindowMenusTest, ClicksOpenAMenuAndThePointerCarriesItToTheOtherTitle) {
  MoveOver(main().FileTitle());  // no menu open: only the frame
  EXPECT_TRUE(Shown(main().FileTitleFrame()) && !Shown(main().FileMenu()));
  MoveOver(main().BodyFrame(), {519, 300});
  EXPECT_TRUE(MenusClosed());

  OpenFileMenuWithBar();
  MoveOver(main().OptionsTitle());
  EXPECT_TRUE(Shown(main().OptionsMenu()) && Shown(main().OptionsTitleFrame()));
  EXPECT_FALSE(Shown(main().FileMenu()) || Shown(main().FileTitleFrame()) || Shown(main().FileEntryBar()));
  MoveOver(main().HelpEntry());
  MoveOver(main().FileTitle());
  EXPECT_TRUE(Shown(main().FileMenu()) && !Shown(main().OptionsMenu()) && !Shown(main().OptionsEntryBar()));
  main().Label11Click();
  main().Label11Click();  // the open menu's own title leaves it open
  EXPECT_TRUE(Shown(main().OptionsMenu()) && !Shown(main().FileMenu()));
}

TEST_F(MainWindowMenusTest, PressesCloseTheMenusButStripButtonsKeepTheBarsAndGridButtonsEverything) {
  const std::vector<std::pair<app::Control*, app::Point>> places{
      {main().BodyFrame(), {519, 300}},     {main().Toolbar(), {480, 30}},
      {main().ShellBrowser(), {-1, -1}},    {main().HiddenList(), {-1, -1}},
      {main().SelectedPathLine(), {100, 8}}, {main().ButtonStrip(), {194, 6}}};
  for (std::size_t i = 0; i < places.size(); ++i) {
    OpenFileMenuWithBar();
    ClickOn(places[i].first, places[i].second, app::MouseButton::kRight);
    EXPECT_TRUE(MenusClosed()) << "place " << i;
  }
  for (app::SpeedButton* button : {main().UncheckAllButton(), main().StripComebackButton()}) {
    OpenFileMenuWithBar();
    PressOn(button);
    EXPECT_FALSE(Shown(main().FileMenu()) || Shown(main().FileTitleFrame()));
    EXPECT_TRUE(Shown(main().FileEntryBar()));
    ReleaseOn(button, {-5, -5});  // away from the button: no click
  }
  main().Label11Click();
  ClickOn(main().GridOnButton());
  ClickOn(main().GridOffButton());
  EXPECT_TRUE(Shown(main().OptionsMenu()) && Shown(main().OptionsTitleFrame()));
}

TEST_F(MainWindowMenusTest, CommandsCloseTheMenusButTheHelpMarkLeavesThem) {
  OpenFileMenuWithBar();
  ClickOn(main().HelpMark());
  EXPECT_TRUE(Shown(main().FileMenu()) && Shown(main().FileEntryBar()));
  for (int entry : {0, 1}) {  // "Hide Folder" with nothing selected, "Comeback"
    OpenFileMenuWithBar();
    ClickOn(main().FileMenuEntries()[entry]);
    EXPECT_TRUE(MenusClosed()) << entry;
  }
  OpenFileMenuWithBar();
  ClickOn(main().ToolbarButtons()[5]);
  EXPECT_TRUE(MenusClosed());
  main().Label11Click();
  ClickOn(main().HelpEntry());
  EXPECT_TRUE(MenusClosed());
  EXPECT_EQ(shell_.opened, std::vector<std::string>(3, "C:\\WINDOWS\\Quillomar.htm"));
}

TEST_F(MainWindowMenusTest, PointerFeedbackFollowsTheSurfaceUnderThePointer) {
  struct Row {
    app::Control* surface;
    app::Point local;
    bool menu_open;
    std::string state;
  };
  const std::vector<Row> rows{
      {main().NavyPicture(), {300, 10}, false, "0 00 00 bbb"},
      {main().NavyPicture(), {300, 10}, true, "0 00 11 bbb"},
      {main().BodyFrame(), {519, 300}, false, "0 00 00 bbb"},
      {main().BodyFrame(), {519, 300}, true, "0 00 11 bbb"},
      {main().MarksBox(), {1, 1}, false, "1 11 11 bbb"},
      {main().CloseMark(), {-1, -1}, false, "1 11 11 bbr"},
      {main().HelpMark(), {-1, -1}, false, "1 11 11 rbb"},
      {main().ToolbarButtons()[3], {-1, -1}, false, "1 00 00 rrr"},  // "Find" hides the bars too
      {main().ToolbarButtons()[5], {-1, -1}, true, "1 00 11 rrr"},
      {main().Toolbar(), {480, 30}, false, "0 11 11 rrr"},
      {main().ToolbarHighlight(), {0, 20}, false, "0 11 11 rrr"},  // its rim
      {main().ShellBrowser(), {-1, -1}, false, "0 00 11 rrr"},
      {main().HiddenList(), {-1, -1}, false, "1 00 11 rrr"},
      {main().ButtonStrip(), {194, 6}, false, "1 00 11 rrr"},
      {main().FileMenu(), {60, 132}, true, "1 01 11 rrr"},
      {main().FileEntryBar(), {60, 1}, true, "1 11 11 rrr"},  // the bar's margin above its entry
      {main().FileMenuEntries()[5], {-1, -1}, true, "1 11 11 rrr"},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    FeedbackOn(rows[i].menu_open);
    MoveOver(rows[i].surface, rows[i].local);
    EXPECT_EQ(State(), rows[i].state) << "row " << i;
  }
  EXPECT_EQ(main().FileEntryBar()->Bounds(), app::Rect(1, 107, 127, 21));  // "Exit" at y 112
  MoveOver(main().ToolbarButtons()[3]);
  EXPECT_EQ(main().ToolbarHighlight()->Bounds(), app::Rect(228, 0, 72, 52));
  main().Label11Click();
  MoveOver(main().HelpEntry());
  EXPECT_EQ(main().OptionsEntryBar()->Bounds().TopLeft(), app::Point({1, 0}));
  MoveOver(main().OptionsMenu(), {60, 80});
  EXPECT_FALSE(Shown(main().OptionsEntryBar()));

  // In skin 1 the glossy picture and the caption leave "?" as it is.
  main().SpeedButton5Click();
  for (app::Control* surface : std::vector<app::Control*>{main().GlossyPicture(), main().Caption()}) {
    FeedbackOn(false);
    MoveOver(surface, surface == main().Caption() ? app::Point{-1, -1} : app::Point{300, 10});
    EXPECT_EQ(State(), "0 00 00 rbb");
  }
}

}  // namespace
}  // namespace testing_support
