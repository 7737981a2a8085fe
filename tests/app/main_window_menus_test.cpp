#include <string>
#include <utility>
#include <vector>

#include "app/Unit1.h"
#include "app/toolkit/check_list_view.h"
#include "app/toolkit/label.h"
#include "app/toolkit/picture.h"
#include "app/toolkit/scroll_box.h"
#include "app/toolkit/shape.h"
#include "app/toolkit/speed_button.h"
#include "platform/qt/shell_list_view.h"
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
    for (QWidget* shape : std::vector<QWidget*>{main().ToolbarHighlight(), main().FileEntryBar(), main().OptionsEntryBar(),
                                                main().FileTitleFrame(), main().OptionsTitleFrame()}) {
      shape->show();
    }
    main().FileMenu()->setVisible(file_menu_open);
    for (app::StaticText* mark : {main().HelpMark(), main().MinimiseMark(), main().CloseMark()}) mark->SetFontColor(app::kHoverRed);
  }
  // "highlight fileBar optionsBar fileFrame optionsFrame ?--x", 1/0 and r(ed)/b(lack).
  std::string State() {
    auto bit = [](QWidget* w) { return Shown(w) ? '1' : '0'; };
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
  const std::vector<std::pair<QWidget*, QPoint>> places{
      {main().BodyFrame(), {519, 300}},     {main().Toolbar(), {480, 30}},
      {main().ShellBrowser()->viewport(), {-1, -1}}, {main().HiddenList()->viewport(), {-1, -1}},
      {main().SelectedPathLine(), {100, 8}}, {main().ButtonStrip(), {194, 6}}};
  for (const auto& [place, local] : places) {
    OpenFileMenuWithBar();
    PressOn(place, local, Qt::RightButton);
    EXPECT_TRUE(MenusClosed()) << place->metaObject()->className();
  }
  for (app::SpeedButton* button : {main().UncheckAllButton(), main().StripComebackButton()}) {
    OpenFileMenuWithBar();
    PressOn(button);
    EXPECT_FALSE(Shown(main().FileMenu()) || Shown(main().FileTitleFrame()));
    EXPECT_TRUE(Shown(main().FileEntryBar()));
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
  main().ToolbarButtons()[5]->click();
  EXPECT_TRUE(MenusClosed());
  main().Label11Click();
  ClickOn(main().HelpEntry());
  EXPECT_TRUE(MenusClosed());
  EXPECT_EQ(shell_.opened, std::vector<std::string>(3, "C:\\WINDOWS\\Quillomar.htm"));
}

TEST_F(MainWindowMenusTest, PointerFeedbackFollowsTheSurfaceUnderThePointer) {
  struct Row {
    QWidget* surface;
    QPoint local;
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
      {main().ShellBrowser()->viewport(), {-1, -1}, false, "0 00 11 rrr"},
      {main().HiddenList()->viewport(), {-1, -1}, false, "1 00 11 rrr"},
      {main().ButtonStrip(), {194, 6}, false, "1 00 11 rrr"},
      {main().FileMenu(), {60, 132}, true, "1 01 11 rrr"},
      {main().FileEntryBar(), {60, 1}, true, "1 11 11 rrr"},  // the bar's margin above its entry
      {main().FileMenuEntries()[5], {-1, -1}, true, "1 11 11 rrr"},
  };
  for (const Row& row : rows) {
    FeedbackOn(row.menu_open);
    MoveOver(row.surface, row.local);
    EXPECT_EQ(State(), row.state) << row.surface->metaObject()->className() << " " << row.menu_open;
  }
  EXPECT_EQ(main().FileEntryBar()->geometry(), QRect(1, 107, 127, 21));  // "Exit" at y 112
  MoveOver(main().ToolbarButtons()[3]);
  EXPECT_EQ(main().ToolbarHighlight()->geometry(), QRect(228, 0, 72, 52));
  main().Label11Click();
  MoveOver(main().HelpEntry());
  EXPECT_EQ(main().OptionsEntryBar()->pos(), QPoint(1, 0));
  MoveOver(main().OptionsMenu(), {60, 80});
  EXPECT_FALSE(Shown(main().OptionsEntryBar()));

  // In skin 1 the glossy picture and the caption leave "?" as it is.
  main().SpeedButton5Click();
  for (QWidget* surface : {static_cast<QWidget*>(main().GlossyPicture()), static_cast<QWidget*>(main().Caption())}) {
    FeedbackOn(false);
    MoveOver(surface, surface == main().Caption() ? QPoint(-1, -1) : QPoint(300, 10));
    EXPECT_EQ(State(), "0 00 00 rbb");
  }
}

}  // namespace
}  // namespace testing_support
