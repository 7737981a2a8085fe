// The window tests' entry point on the Win32 front end: the common controls
// and one Win32 backend for the whole run, as the program's WinMain sets
// them up. The windows are real windows of the screen Wine draws on (a
// virtual one, Xvfb, in scripts/wine_tests.sh); each run gets a fresh Wine
// prefix, so the program's own C:\WINDOWS is the prefix's.

#include "toolkit/win32/windows_api.h"

#include <gtest/gtest.h>

#include "toolkit/win32/backend.h"

namespace {

constexpr DWORD kCommonControls = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                  ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  INITCOMMONCONTROLSEX controls{sizeof(controls), kCommonControls};
  ::InitCommonControlsEx(&controls);
  int result = 0;
  {
    app::win32::Win32Backend backend(::GetModuleHandleW(nullptr));
    app::SetCurrentBackend(&backend);
    result = RUN_ALL_TESTS();
    app::SetCurrentBackend(nullptr);
  }
  return result;
}
