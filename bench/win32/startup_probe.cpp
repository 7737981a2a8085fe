// The start of quillomar.exe up to its painted login window, then the end:
// the same steps as the program's WinMain (common controls, backend, file
// system, services, the login window; the other three windows are made once
// it is painted, as in the program), with a message loop that stops once the
// login window is on screen with nothing left to paint. Then the process
// ends at once, as the bare window's does: taking the windows down is not
// part of the start.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/Unit2.h"
#include "app/program.h"
#include "app/toolkit/win32/peers.h"
#include "app/toolkit/win32/win32_backend.h"
#include "app/window_manager.h"
#include "platform/file_system.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_shell.h"

namespace {

constexpr DWORD kCommonControls = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                  ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;

// True once the window and all its children are shown and painted.
bool Painted(HWND hwnd) {
  if (!::IsWindowVisible(hwnd) || ::GetUpdateRect(hwnd, nullptr, FALSE)) return false;
  for (HWND child = ::GetWindow(hwnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child) && !Painted(child)) return false;
  }
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), kCommonControls};
  ::InitCommonControlsEx(&controls);
  app::win32::Win32Backend backend(instance);
  app::SetCurrentBackend(&backend);
  const std::unique_ptr<platform::FileSystem> fs = platform::MakeFileSystem();
  const std::unique_ptr<platform::Shell> shell = platform::MakeWin32Shell();
  const std::unique_ptr<platform::Dialogs> dialogs = platform::MakeWin32Dialogs();
  app::ToolkitWindowManager window_manager;
  app::Services services{*fs, *shell, *dialogs, window_manager};
  app::Program program(services, app::WindowCreation::kLoginFirst);
  program.Start();
  HWND login = app::win32::HandleOf(program.forms().login->TopNative());
  MSG message;
  while (!Painted(login) && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ::ExitProcess(0);
}
