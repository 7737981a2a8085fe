#include "toolkit/win32/peers.h"
#include "tests/toolkit/win32/fixture.h"

namespace demo {
namespace {

using app::Key;

enum class Target { kEdit, kList, kTree };

struct Recorder {
  app::WinControl* control;
  std::vector<Key>* keys;
  bool* takes_keys;
};

Recorder RecorderOf(DemoWindow& window, Target target) {
  switch (target) {
    case Target::kEdit: return {window.edit, &window.edit->keys, &window.edit->takes_keys};
    case Target::kList: return {window.list, &window.list->keys, &window.list->takes_keys};
    case Target::kTree: return {window.tree, &window.tree->keys, &window.tree->takes_keys};
  }
  return {};
}

TEST_F(DemoTest, KeysGoToTheFocusedControlThenItsWindow) {
  struct Case {
    const char* name;
    Target target;
    Key key;
    bool control_takes_it;
    bool offered_to_control;
    bool offered_to_window;
  };
  const Case cases[] = {
      {"Enter in the edit box", Target::kEdit, Key::kEnter, false, true, true},
      {"Backspace is the edit box's own", Target::kEdit, Key::kBackspace, false, false, false},
      {"F5 in the list", Target::kList, Key::kF5, false, true, true},
      {"F2 taken by the list", Target::kList, Key::kF2, true, true, false},
      {"Backspace is the tree's own", Target::kTree, Key::kBackspace, false, false, false},
      {"Escape in the tree", Target::kTree, Key::kEscape, false, true, true},
      {"another key means nothing", Target::kEdit, Key::kOther, false, false, false},
  };
  for (const Case& c : cases) {
    const Recorder recorder = RecorderOf(window(), c.target);
    recorder.keys->clear();
    *recorder.takes_keys = c.control_takes_it;
    window().window_keys.clear();
    recorder.control->SetFocus();
    driver().KeyPress(window(), c.key);
    EXPECT_EQ(*recorder.keys == std::vector<Key>{c.key}, c.offered_to_control) << c.name;
    EXPECT_EQ(window().window_keys == std::vector<Key>{c.key}, c.offered_to_window) << c.name;
  }
}

TEST_F(DemoTest, EnterPressesTheDefaultButtonWhenNoControlUsedIt) {
  int presses = 0;
  window().push->peer->on_click = [&] { ++presses; };
  window().edit->SetFocus();
  driver().KeyPress(window(), Key::kEnter);
  EXPECT_EQ(presses, 0);
  window().push->peer->SetDefault(true);
  driver().KeyPress(window(), Key::kEnter);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(::SendMessageW(app::win32::HandleOf(*window().push->peer), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON,
            DLGC_DEFPUSHBUTTON);
  window().edit->takes_keys = true;  // a control that uses Enter keeps it
  driver().KeyPress(window(), Key::kEnter);
  EXPECT_EQ(presses, 1);
  window().push->peer->SetDefault(false);
  window().edit->takes_keys = false;
  driver().KeyPress(window(), Key::kEnter);
  EXPECT_EQ(presses, 1);
}

TEST_F(DemoTest, TypedTextReachesTheFocusedBoxAndComesBackInTheProgramsForm) {
  app::NativeEdit& edit = *window().edit->peer;
  window().edit->SetFocus();
  driver().TypeText(window(), "Ann");
  EXPECT_EQ(edit.Text(), "Ann");
  driver().KeyPress(window(), Key::kBackspace);
  EXPECT_EQ(edit.Text(), "An");
  edit.SetText("Caf\xE9");  // a name as the file calls give it
  EXPECT_EQ(edit.Text(), "Caf\xE9");
  edit.SetText("");
  driver().TypeText(window(), "Caf\xC3\xA9");  // typed as the program's UTF-8 test text
  EXPECT_EQ(edit.Text(), "Caf\xE9");
}

}  // namespace
}  // namespace demo
