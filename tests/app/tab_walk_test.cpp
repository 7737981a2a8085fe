// The windows walked with the keyboard alone, the same on both front ends:
// where the focus starts, where Tab takes it (round, on the current tab
// page only), Ctrl+Tab between Options' pages and Return in a box pressing
// the window's default button. Real key presses, as the window system
// sends them to the focused control.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "store/data_store.h"
#include "tests/app/program_fixture.h"
#include "toolkit/edit_controls.h"
#include "toolkit/page_control.h"
#include "toolkit/scroll_box.h"
#include "toolkit/test_driver.h"

namespace testing_support {
namespace {

using Strings = std::vector<std::string>;

constexpr int kWatchdogMs = 30000;

// A stop as a screen reader names it.
std::string NameOf(app::Control* stop) {
  if (stop == nullptr) return "(nothing)";
  if (stop->IsWindowed()) {
    const std::string name = app::AccessibleSelf(*static_cast<app::WinControl*>(stop)).name;
    return name.empty() ? "(tabs)" : name;
  }
  return stop->AccessibleName();
}

class TabWalkTest : public ProgramTest {
 protected:
  void Press(app::BorderlessWindow& window, app::Key key) { app::CurrentTestDriver().KeyPress(window, key); }
  // Where the focus is, then where each Tab takes it until it comes back
  // to where it started (or, at most, as many Tabs as expected plus one).
  Strings TabWalk(app::BorderlessWindow& window, std::size_t expected) {
    Strings walk{NameOf(window.FocusedStop())};
    for (std::size_t i = 0; i < expected; ++i) {
      Press(window, app::Key::kTab);
      walk.push_back(NameOf(window.FocusedStop()));
      if (walk.back() == walk.front()) break;
    }
    return walk;
  }
};

TEST_F(TabWalkTest, EachWindowStartsItsFocusAndTabsRoundInOneOrder) {
  struct WindowWalk {
    const char* window;
    Strings order;  // from where the focus starts; Tab goes round to it again
  };
  const WindowWalk walks[] = {
      {"first start", {"YES", "No"}},
      {"login", {"Name:", "Password:", "Login", "Cancel"}},
      {"main window",
       {"Folders", "Up One Level", "Hidden items", "Not Checked", "Comeback", "Gridding", "Help", "Minimise",
        "Close", "Hide Folder", "Comeback", "Options", "Find", "Skin", "Help"}},
      {"Options", {"New name:", "Password:", "OK", "Cancel", "Help", "(tabs)"}},
      {"Options, second page", {"Users", "Delete", "User name:", "Password:", "OK", "Cancel", "Help", "(tabs)"}},
      {"Find", {"Folder tree", "Shown again"}},
  };
  auto check = [&](int row, app::BorderlessWindow& window) {
    const WindowWalk& walk = walks[row];
    SCOPED_TRACE(walk.window);
    Strings round = walk.order;
    if (!round.empty()) round.push_back(round.front());
    EXPECT_EQ(TabWalk(window, walk.order.size()), round);
    Press(window, app::Key::kBackTab);
    EXPECT_EQ(NameOf(window.FocusedStop()), walk.order.back()) << "Shift+Tab did not go round backwards";
    Press(window, app::Key::kTab);
  };
  Start();
  app::TForm2& login = *forms().login;
  check(0, login);
  Press(login, app::Key::kSpace);
  ASSERT_TRUE(login.LoginPanel()->Visible());
  check(1, login);
  // Return in the password box presses Login.
  Press(login, app::Key::kDown);
  while (login.FocusedStop() != login.PasswordBox()) Press(login, app::Key::kTab);
  app::CurrentTestDriver().TypeText(login, "31852");
  Press(login, app::Key::kEnter);
  ASSERT_TRUE(forms().main->Visible());
  check(2, *forms().main);

  // Options: Ctrl+Tab turns to the users' page, where a user is added by
  // keys alone; Return presses OK.
  app::TForm3& options = *forms().options;
  options.ReloadUserList();
  forms().main->Hide();
  options.Show();
  ProcessEvents();
  check(3, options);
  Press(options, app::Key::kNextPage);
  EXPECT_EQ(options.Pages()->ActivePage(), options.Pages()->Pages().back());
  check(4, options);
  while (options.FocusedStop() != options.UserNameBox()) Press(options, app::Key::kTab);
  app::CurrentTestDriver().TypeText(options, "Kim");
  Press(options, app::Key::kTab);
  app::CurrentTestDriver().TypeText(options, "secret");
  Press(options, app::Key::kEnter);
  EXPECT_FALSE(options.Visible());
  EXPECT_TRUE(dialogs_.messages.empty());
  const Strings users = store::UserNames(prefix_.fs());
  EXPECT_NE(std::find(users.begin(), users.end(), "Kim"), users.end());

  app::TForm4& find = *forms().find;
  forms().main->Hide();
  EXPECT_TRUE(RunModalWith(find, [&] {
    WaitUntil([&] { return find.FocusedStop() != nullptr; }, 2000);
    check(5, find);
    Press(find, app::Key::kEscape);
  }, kWatchdogMs));
}

}  // namespace
}  // namespace testing_support
