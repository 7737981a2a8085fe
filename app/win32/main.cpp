// The Windows program: the Win32 front end of the windows written once.

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/program.h"
#include "app/toolkit/win32/win32_backend.h"
#include "app/window_manager.h"
#include "platform/file_system.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_shell.h"

namespace {

// The common controls the windows use (lists, trees, tabs, buttons, edits).
constexpr DWORD kCommonControls = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                  ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), kCommonControls};
  ::InitCommonControlsEx(&controls);

  app::win32::Win32Backend backend(instance);
  app::SetCurrentBackend(&backend);
  // The records live on the real C:\WINDOWS, the copy on the real D:, the
  // desktop is the shell's.
  const std::unique_ptr<platform::FileSystem> fs = platform::MakeFileSystem();
  const std::unique_ptr<platform::Shell> shell = platform::MakeWin32Shell();
  const std::unique_ptr<platform::Dialogs> dialogs = platform::MakeWin32Dialogs();
  app::ToolkitWindowManager window_manager;
  app::Services services{*fs, *shell, *dialogs, window_manager};

  int result = 0;
  {
    app::Program program(services, app::WindowCreation::kLoginFirst);
    program.on_finished = [&backend] { backend.Post([&backend] { backend.Quit(); }); };
    program.Start();
    result = backend.Run();
  }
  app::SetCurrentBackend(nullptr);
  return result;
}
