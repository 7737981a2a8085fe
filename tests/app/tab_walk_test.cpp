// Each window walked by real keys on both front ends: where the focus starts,
// Tab and Shift+Tab round its stops, Ctrl+Tab, Return pressing the default.

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
#include "toolkit/test_driver.h"

namespace testing_support {
namespace {

using Strings = std::vector<std::string>;

// A stop as a screen reader names it.
std::string NameOf(app::Control* stop) {
  if (stop == nullptr || !stop->IsWindowed()) return stop != nullptr ? stop->AccessibleName() : "(nothing)";
  const std::string name = app::AccessibleSelf(*static_cast<app::WinControl*>(stop)).name;
  return name.empty() ? "(tabs)" : name;
}
void Press(app::BorderlessWindow& window, app::Key key) { app::CurrentTestDriver().KeyPress(window, key); }
void TypeInto(app::BorderlessWindow& window, app::Control* box, const std::string& text) {
  for (int tabs = 0; tabs < 20 && window.FocusedStop() != box; ++tabs) Press(window, app::Key::kTab);
  app::CurrentTestDriver().TypeText(window, text);
}

class TabWalkTest : public ProgramTest {};

TEST_F(TabWalkTest, EachWindowStartsItsFocusAndTabsRoundInOneOrder) {
  const Strings walks[] = {
      {"YES", "No"},
      {"Name:", "Password:", "Login", "Cancel"},
      {"Folders", "Up One Level", "Hidden items", "Not Checked", "Comeback", "Gridding", "Help", "Minimise",
       "Close", "Hide Folder", "Comeback", "Options", "Find", "Skin", "Help"},
      {"New name:", "Password:", "OK", "Cancel", "Help", "(tabs)"},
      {"Users", "Delete", "User name:", "Password:", "OK", "Cancel", "Help", "(tabs)"},
      {"Folder tree", "Shown again"},
  };
  auto check = [&](int row, app::BorderlessWindow& window) {
    SCOPED_TRACE(row);
    Strings walk{NameOf(window.FocusedStop())};
    for (std::size_t i = 0; i < walks[row].size(); ++i) {
      Press(window, app::Key::kTab);
      walk.push_back(NameOf(window.FocusedStop()));
    }
    Strings round = walks[row];
    round.push_back(round.front());
    EXPECT_EQ(walk, round);
    Press(window, app::Key::kBackTab);
    EXPECT_EQ(NameOf(window.FocusedStop()), walks[row].back());
    Press(window, app::Key::kTab);
  };
  Start();
  app::TForm2& login = *forms().login;
  check(0, login);
  Press(login, app::Key::kSpace);
  check(1, login);
  Press(login, app::Key::kDown);
  TypeInto(login, login.PasswordBox(), "31852");
  Press(login, app::Key::kEnter);
  ASSERT_TRUE(forms().main->Visible()) << "Return in the password box did not log in";
  check(2, *forms().main);

  app::TForm3& options = *forms().options;
  forms().main->Hide();
  options.Show();
  ProcessEvents();
  check(3, options);
  Press(options, app::Key::kNextPage);
  check(4, options);
  TypeInto(options, options.UserNameBox(), "Kim");
  TypeInto(options, options.UserPasswordBox(), "secret");
  Press(options, app::Key::kEnter);
  EXPECT_FALSE(options.Visible()) << "Return in a box did not press OK";
  const Strings users = store::UserNames(prefix_.fs());
  EXPECT_NE(std::find(users.begin(), users.end(), "Kim"), users.end());

  app::TForm4& find = *forms().find;
  forms().main->Hide();
  EXPECT_TRUE(RunModalWith(find, [&] {
    WaitUntil([&] { return find.FocusedStop() != nullptr; }, 2000);
    check(5, find);
    Press(find, app::Key::kEscape);
  }, 30000));
}

}  // namespace
}  // namespace testing_support
