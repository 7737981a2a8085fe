// The program's windows under a real window manager (Xvfb and openbox,
// started by run_under_window_manager.sh): what only a window manager
// shows, such as a window brought back from minimised by the task bar.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>

#include <functional>
#include <memory>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/program.h"
#include "toolkit/backend.h"
#include "toolkit/edit_controls.h"
#include "toolkit/qt/peer.h"
#include "app/window_manager.h"
#include "tests/support/recording.h"
#include "tests/support/temp_prefix.h"
#include "tests/window_system/x11_view.h"

namespace testing_support {
namespace {

constexpr int kWaitMs = 10000;
constexpr int kSettleMs = 500;

// Runs the event loop until `done` holds; false after `ms` milliseconds.
bool WaitUntil(const std::function<bool()>& done, int ms = kWaitMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// The X window of one of the program's windows.
WId WinId(app::BorderlessWindow* window) { return app::qt::WidgetOf(window->TopNative())->winId(); }

class WindowManagerTest : public ::testing::Test {
 protected:
  WindowManagerTest() : services_{prefix_.fs(), shell_, dialogs_, window_manager_} {}

  void SetUp() override {
    ASSERT_TRUE(view_.Usable()) << "no X display";
    ASSERT_TRUE(WaitUntil([this] { return view_.ManagerRunning(); })) << "no window manager runs";
    program_ = std::make_unique<app::Program>(services_);
    program_->Start();
    forms().login->SpeedButton2Click();  // "YES"
    app::TForm2* login = forms().login;
    login->UserBox()->SetCurrentIndex(login->UserBox()->FindValue("name"));
    login->PasswordBox()->SetText("31852");
    login->Button8Click();
    ASSERT_TRUE(WaitUntil([this] { return view_.State(WinId(forms().main)) == kNormal; }))
        << "state " << view_.State(WinId(forms().main)) << ", shown " << forms().main->Visible() << ", "
        << dialogs_.messages.size() << " messages, " << dialogs_.errors.size() << " errors";
  }
  void TearDown() override { program_.reset(); }

  app::Forms& forms() { return program_->forms(); }
  // Waits until the window manager has mapped the window one way or the other.
  long StateOnceMapped(app::BorderlessWindow* window) {
    WaitUntil([&] { return view_.State(WinId(window)) != kWithdrawn; });
    return view_.State(WinId(window));
  }

  TempPrefix prefix_;
  RecordingShell shell_;
  RecordingDialogs dialogs_;
  app::ToolkitWindowManager window_manager_;
  app::Services services_;
  X11View view_;
  std::unique_ptr<app::Program> program_;
};

TEST_F(WindowManagerTest, AfterARestoreFromTheTaskBarOptionsAndFindGiveBackAWindowOnScreen) {
  app::TForm1* main = forms().main;
  main->StaticText1Click();  // the minimise mark
  ASSERT_TRUE(WaitUntil([&] { return view_.State(WinId(main)) == kIconic; }));
  // Qt reads the window manager's changes when it gets to them: a restore
  // within the same moment would pass unseen. No user clicks that fast.
  WaitUntil([] { return false; }, kSettleMs);
  view_.ActivateFromTaskBar(WinId(main));
  ASSERT_TRUE(WaitUntil([&] { return view_.State(WinId(main)) == kNormal && !main->IsMinimised(); }))
      << "state " << view_.State(WinId(main)) << ", minimised " << main->IsMinimised();

  // Every time, not only the first.
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    main->SpeedButton3Click();  // "Options"
    ASSERT_EQ(StateOnceMapped(forms().options), kNormal);
    forms().options->SpeedButton2Click();  // "Cancel"
    EXPECT_EQ(StateOnceMapped(main), kNormal) << "the main window came back minimised after Options";
    EXPECT_FALSE(main->IsMinimised());

    app::TForm4* find = forms().find;
    long find_state = kWithdrawn;
    app::CurrentBackend().Post([&] {
      find_state = StateOnceMapped(find);
      find->Label1Click();  // its close mark
    });
    main->SpeedButton4Click();  // "Find", modal until closed
    EXPECT_EQ(find_state, kNormal);
    EXPECT_EQ(StateOnceMapped(main), kNormal) << "the main window came back minimised after Find";
    EXPECT_FALSE(main->IsMinimised());
  }
  EXPECT_TRUE(dialogs_.messages.empty());
}

}  // namespace
}  // namespace testing_support
