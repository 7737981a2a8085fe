#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/services.h"
#include "toolkit/control.h"
#include "toolkit/image.h"
#include "app/window_manager.h"
#include "tests/support/hooked_file_system.h"
#include "tests/support/recording.h"
#include "tests/support/temp_prefix.h"

namespace testing_support {

// A window manager that records the requests instead of moving windows.
class RecordingWindowManager final : public app::WindowManager {
 public:
  void StartDrag(app::BorderlessWindow& window) override { drags.push_back(&window); }
  void MinimiseAll() override { ++minimise_requests; }
  bool HiddenWindowsKeepTheirPlace() override { return keep_places; }

  std::vector<app::BorderlessWindow*> drags;  // the windows asked to follow the pointer
  int minimise_requests = 0;
  bool keep_places = true;  // false: as on Wayland
};

// The whole program on a temporary drive prefix, with message boxes, the
// shell and window moves recorded instead of shown. The program is started
// by Start() so that a test can prepare the store first.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest();
  ~ProgramTest() override;

  // Creates the four windows (running the login window's start-up) and
  // shows the login window.
  void Start();
  // Ends the program (if running) and starts it again on the same prefix.
  void Restart();

  // First start on a clean prefix and "YES": an initialised store with the
  // default administrator.
  void StartInitialised();
  // Chooses `name` in the user box, types `password` and presses the login button.
  void LogIn(const std::string& name, const std::string& password);
  // StartInitialised() and a login as the default administrator.
  void StartLoggedInAsAdministrator();

  // The real path of a Windows path on this prefix.
  std::string Native(const std::string& windows_path) { return prefix_.fs().NativePath(windows_path); }
  // The bytes of a record file given by its Windows path ("" when absent).
  std::string FileText(const std::string& windows_path);

  app::Forms& forms() { return program_->forms(); }
  app::Program& program() { return *program_; }

  TempPrefix prefix_;
  // The program's file system: the prefix's, with hooks a test may set.
  HookedFileSystem files_{prefix_.fs()};
  RecordingDialogs dialogs_;
  RecordingShell shell_;
  RecordingWindowManager window_manager_;
  app::Services services_;
  std::unique_ptr<app::Program> program_;
};

// Lets queued events run (paints, posted tasks, timers due).
void ProcessEvents();
// Lets events run for `ms` milliseconds.
void Idle(int ms);
// Lets events run until `done` holds or `ms` milliseconds have passed.
bool WaitUntil(const std::function<bool()>& done, int ms);

// The pointer, as the window system delivers it, at a point of a control
// (its centre by default, in the control's own coordinates): whatever lies
// on top there in its window gets the event.
void MoveOver(app::Control* control, app::Point local = {-1, -1});
void PressOn(app::Control* control, app::Point local = {-1, -1},
             app::MouseButton button = app::MouseButton::kLeft);
void ReleaseOn(app::Control* control, app::Point local = {-1, -1},
               app::MouseButton button = app::MouseButton::kLeft);
// A press and release of `button` at a point of a control.
void ClickOn(app::Control* control, app::Point local = {-1, -1},
             app::MouseButton button = app::MouseButton::kLeft);
// A key typed into the focused control of `control`'s window, after giving
// `control` the focus.
void KeyInto(app::WinControl* control, app::Key key);

// The window as it is drawn now. When the environment names a folder in
// QUILLOMAR_SCREENSHOT_DIR the picture is kept there as a bitmap under
// `name` + ".bmp", for a person to look at.
app::Image GrabWindow(app::BorderlessWindow* window, const std::string& name);

// A colour as six hexadecimal digits (0x00BBGGRR, as the program keeps it).
std::string Hex(app::BgrColor color);

// Runs `inside` once the modal run of `window` has started (or at once
// when nothing runs modally), then `after`; a watchdog closes the window
// should the run still go on after `watchdog_ms`. Returns false when the
// watchdog had to close it.
bool RunModalWith(app::BorderlessWindow& window, const std::function<void()>& inside, int watchdog_ms);

}  // namespace testing_support
