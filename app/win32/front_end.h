#pragma once

#include <windows.h>

#include <memory>

#include "app/program.h"
#include "app/services.h"
#include "toolkit/win32/backend.h"
#include "app/window_manager.h"

namespace app::win32 {

// The Windows program as it starts: the common controls registered, the
// Win32 backend installed as the toolkit's, the system services on the real
// drives and the desktop shell, and the program with its login window first.
// The other windows are made when the login window turns to them, not while
// it waits for the user: Wine gives input that queues up while the program
// is busy to the windows that were under the pointer as it came (a click
// meant for the user box's list, before the list is open, lands on the
// password box), so the program stays free to read input at once.
// WinMain runs it; the start-up benchmark makes the very same.
class WindowsFrontEnd {
 public:
  explicit WindowsFrontEnd(HINSTANCE instance);
  ~WindowsFrontEnd();
  WindowsFrontEnd(const WindowsFrontEnd&) = delete;
  WindowsFrontEnd& operator=(const WindowsFrontEnd&) = delete;

  Win32Backend& backend() { return backend_; }
  Program& program() { return *program_; }

 private:
  // Registers the common controls the windows use, before anything else.
  struct CommonControls {
    CommonControls();
  };

  CommonControls common_controls_;
  Win32Backend backend_;
  std::unique_ptr<platform::FileSystem> fs_;
  std::unique_ptr<platform::Shell> shell_;
  std::unique_ptr<platform::Dialogs> dialogs_;
  ToolkitWindowManager window_manager_;
  Services services_;
  std::unique_ptr<Program> program_;
};

}  // namespace app::win32
