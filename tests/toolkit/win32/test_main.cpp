// The Win32 backend's tests: the common controls initialised, one backend
// installed for every test, as the program does in WinMain.
#include "toolkit/win32/windows_api.h"

#include <gtest/gtest.h>

#include "toolkit/win32/backend.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  app::win32::Win32Backend backend(::GetModuleHandleW(nullptr));
  app::SetCurrentBackend(&backend);
  return RUN_ALL_TESTS();
}
