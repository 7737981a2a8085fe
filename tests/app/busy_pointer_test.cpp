#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit4.h"
#include "app/busy_pointer.h"
#include "toolkit/label.h"
#include "toolkit/speed_button.h"
#include "toolkit/test_driver.h"
#include "store/errors.h"
#include "tests/app/main_window_fixture.h"

namespace testing_support {
namespace {

using Strings = std::vector<std::string>;

constexpr auto kLongerThanTheDelay = app::kBusyPointerDelay + std::chrono::milliseconds(100);
constexpr int kWatchdogMs = 30000;

class BusyPointerTest : public MainWindowTest {
 protected:
  void SetUp() override {
    // An entry for the Find window to list, there before its watch starts.
    WriteAll(prefix_.desktop() + "/note.txt", "x");
    StartLoggedInAsAdministrator();
  }

  static std::string Pointer() { return app::CurrentTestDriver().BusyPointerShown() ? "busy" : "normal"; }

  // Makes `slow_call` of the program's file system take longer than the
  // delay, and notes the pointer as the command reaches it and once it has
  // returned; `fails` makes it then report a record write error.
  void SlowDown(const std::string& slow_call, bool fails, Strings& seen) {
    files_.before_change = [slow_call, &seen](const std::string& call, const std::string&) {
      if (call != slow_call) return;
      seen.push_back(Pointer());
      std::this_thread::sleep_for(kLongerThanTheDelay);
    };
    files_.after_change = [slow_call, fails, &seen](const std::string& call, const std::string& path) {
      if (call != slow_call) return;
      seen.push_back(Pointer());
      if (fails) throw store::WriteError(path);
    };
  }

  void Comeback(app::SpeedButton* button) {
    main().SpeedButton7Click();  // every row unticked
    ClickOn(button);
  }
  // The Find window opened as the Find command does; its first opening
  // lists the desktop.
  void OpenAndCloseFind() {
    app::TForm4* find = forms().find;
    main().Hide();
    const bool in_time = RunModalWith(*find, [&] { ClickOn(find->CloseMark()); }, kWatchdogMs);
    EXPECT_TRUE(in_time);
  }
};

TEST_F(BusyPointerTest, ALongCommandShowsTheBusyPointerOnlyWhileItRunsHoweverItEnds) {
  Hide({"a.txt", "b.txt"});
  struct LongCommand {
    const char* name;
    const char* slow_call;
    bool fails;
    std::function<void()> run;
  };
  const LongCommand commands[] = {
      {"Find", "SetEntriesAttributes", false, [&] { OpenAndCloseFind(); }},
      {"Comeback whose record write fails", "SetAttributesOfItems", true,
       [&] { Comeback(main().ToolbarButtons()[1]); }},
      {"Comeback", "SetAttributesOfItems", false, [&] { Comeback(main().ToolbarButtons()[1]); }},
  };
  for (const LongCommand& command : commands) {
    SCOPED_TRACE(command.name);
    Strings seen;
    SlowDown(command.slow_call, command.fails, seen);
    dialogs_.Clear();
    command.run();
    files_.before_change = nullptr;
    files_.after_change = nullptr;
    // Not at the start; from the first progress after the delay on; gone at the end.
    EXPECT_EQ(seen, (Strings{"normal", "busy"}));
    EXPECT_EQ(Pointer(), "normal");
    EXPECT_EQ(dialogs_.errors.size(), command.fails ? 1u : 0u);
  }
}

}  // namespace
}  // namespace testing_support
