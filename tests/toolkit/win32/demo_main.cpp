// Shows the demo window of the Win32 backend: a look at every kind of peer
// (run it under Wine to see them).
#include "toolkit/win32/windows_api.h"

#include "toolkit/win32/backend.h"
#include "tests/toolkit/win32/demo_windows.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  app::win32::Win32Backend backend(instance);
  app::SetCurrentBackend(&backend);
  demo::DemoWindow window;
  window.close_mark->on_click = [&backend] { backend.Quit(); };
  window.PlaceInScreenCentre();
  window.Show();
  return backend.Run();
}
