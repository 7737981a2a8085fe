// The program without a mouse: first start, login, a hide and its comeback,
// Options and Find, each reached and closed with key presses alone, sent as
// the window system sends them to the focused widget.

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <filesystem>
#include <string>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "store/records.h"
#include "tests/app/program_fixture.h"
#include "toolkit/backend.h"
#include "toolkit/check_list_view.h"
#include "toolkit/edit_controls.h"
#include "toolkit/label.h"
#include "toolkit/qt/peer.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shell_list_view.h"
#include "toolkit/speed_button.h"
#include "toolkit/test_driver.h"

namespace testing_support {
namespace {

constexpr char kItem[] = "Private";
constexpr int kWaitMs = 5000;

class KeyboardWalkTest : public ProgramTest {
 protected:
  // A key (with modifiers) typed into whatever has the focus in `window`.
  void Type(app::BorderlessWindow* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* top = app::qt::WidgetOf(window->TopNative());
    top->activateWindow();
    QApplication::setActiveWindow(top);
    QWidget* target = top->focusWidget() != nullptr ? top->focusWidget() : top;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
    ProcessEvents();
  }
  app::TForm1& main() { return *forms().main; }
  bool ItemListedInDotHidden() {
    return FileText(prefix_.fs().DesktopPath() + "\\.hidden").find(kItem) != std::string::npos;
  }
};

TEST_F(KeyboardWalkTest, EveryStepIsReachedWithKeysAlone) {
  std::filesystem::create_directories(Native(prefix_.fs().DesktopPath() + "\\" + kItem));
  Start();
  app::TForm2* login = forms().login;
  app::SpeedButton* yes = nullptr;
  app::SpeedButton* no = nullptr;
  for (app::Control* child : login->FirstRunPanel()->Children()) {
    auto* button = dynamic_cast<app::SpeedButton*>(child);
    if (button != nullptr) (button->Caption() == "YES" ? yes : no) = button;
  }
  ASSERT_TRUE(yes != nullptr && no != nullptr);

  // YES has the focus at first start; Tab and Shift+Tab walk to No and
  // back, and Space answers.
  Type(login, Qt::Key_Tab);
  EXPECT_TRUE(no->Focused());
  Type(login, Qt::Key_Backtab, Qt::ShiftModifier);
  ASSERT_TRUE(yes->Focused());
  Type(login, Qt::Key_Space);
  ASSERT_TRUE(login->LoginPanel()->Visible()) << "Space did not answer YES";

  // The user box has the focus: Down picks the administrator, Tab goes to
  // the password, Return logs in.
  Type(login, Qt::Key_Down);
  EXPECT_EQ(login->CurrentAccount(), "name");
  Type(login, Qt::Key_Tab);
  app::CurrentTestDriver().TypeText(*login, "31852");
  Type(login, Qt::Key_Return);
  ASSERT_TRUE(main().Visible()) << "Return did not log in";
  EXPECT_TRUE(dialogs_.messages.empty());

  // The browser has the focus: Backspace goes up to the desktop, Down
  // selects the item, Alt+F and Return run the File menu's Hide Folder.
  Type(&main(), Qt::Key_Backspace);
  for (int row = 0; row < 4 && main().SelectedPath().find(kItem) == std::string::npos; ++row) {
    Type(&main(), Qt::Key_Down);
  }
  ASSERT_NE(main().SelectedPath().find(kItem), std::string::npos);
  Type(&main(), Qt::Key_F, Qt::AltModifier);
  EXPECT_TRUE(main().FileMenu()->Visible());
  Type(&main(), Qt::Key_Return);
  EXPECT_FALSE(main().FileMenu()->Visible());
  EXPECT_TRUE(ItemListedInDotHidden());
  EXPECT_EQ(main().HiddenList()->RowCount(), 1);
  EXPECT_TRUE(main().ShellBrowser()->Focused()) << "the focus did not come back from the menu";

  // Tab: the up button, the list, then the strip's Not Checked; Return
  // unticks the rows and Checked All takes its place; Tab to Comeback,
  // Space brings the item back.
  Type(&main(), Qt::Key_Tab);
  EXPECT_TRUE(main().UpButton()->Focused());
  Type(&main(), Qt::Key_Tab);
  Type(&main(), Qt::Key_Tab);
  EXPECT_TRUE(main().UncheckAllButton()->Focused());
  Type(&main(), Qt::Key_Return);
  EXPECT_FALSE(main().HiddenList()->Checked(0));
  EXPECT_TRUE(main().CheckAllButton()->Focused());
  GrabWindow(&main(), "keyboard_focus_mark");
  Type(&main(), Qt::Key_Tab);
  EXPECT_TRUE(main().StripComebackButton()->Focused());
  Type(&main(), Qt::Key_Space);
  EXPECT_FALSE(ItemListedInDotHidden());
  EXPECT_EQ(main().HiddenList()->RowCount(), 0);

  // Alt+O opens the Options menu, Alt alone the File menu, Right and Left
  // go from one to the other, and Escape folds them away; Alt+F, four Downs
  // and Return open the Options window, which Escape closes.
  Type(&main(), Qt::Key_O, Qt::AltModifier);
  EXPECT_TRUE(main().OptionsMenu()->Visible());
  Type(&main(), Qt::Key_Escape);
  EXPECT_FALSE(main().OptionsMenu()->Visible());
  Type(&main(), Qt::Key_Alt, Qt::AltModifier);
  EXPECT_TRUE(main().FileMenu()->Visible());
  Type(&main(), Qt::Key_Right);
  EXPECT_TRUE(main().OptionsMenu()->Visible() && !main().FileMenu()->Visible());
  Type(&main(), Qt::Key_Left);
  EXPECT_TRUE(main().FileMenu()->Visible() && !main().OptionsMenu()->Visible());
  Type(&main(), Qt::Key_Escape);
  EXPECT_FALSE(main().FileMenu()->Visible());
  EXPECT_TRUE(main().StripComebackButton()->Focused()) << "the focus did not come back from the menu";
  Type(&main(), Qt::Key_F, Qt::AltModifier);
  for (int entry = 0; entry < 4; ++entry) Type(&main(), Qt::Key_Down);
  Type(&main(), Qt::Key_Return);
  ASSERT_TRUE(forms().options->Visible());
  EXPECT_FALSE(main().Visible());
  Type(forms().options, Qt::Key_Escape);
  EXPECT_FALSE(forms().options->Visible());
  EXPECT_TRUE(main().Visible());

  // Find runs modally: Escape, typed once it is open, closes it.
  app::TForm4* find = forms().find;
  bool closed_by_escape = false;
  const std::unique_ptr<app::NativeTimer> watchdog =
      app::CurrentBackend().StartTimer(kWaitMs * 2, false, [find] { find->Close(); });
  Type(&main(), Qt::Key_F, Qt::AltModifier);
  Type(&main(), Qt::Key_Down);
  Type(&main(), Qt::Key_Down);
  app::CurrentBackend().Post([&] {
    if (!WaitUntil([&] { return find->InModalRun(); }, kWaitMs)) return;
    Type(find, Qt::Key_Escape);
    closed_by_escape = !find->Visible();
  });
  Type(&main(), Qt::Key_Return);
  EXPECT_TRUE(closed_by_escape);
  EXPECT_TRUE(main().Visible());
}

}  // namespace
}  // namespace testing_support
