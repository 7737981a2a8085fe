#include "app/win32/front_end.h"

#include <commctrl.h>

#include "platform/file_system.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_shell.h"

namespace app::win32 {

namespace {

// The common controls the windows use (lists, trees, tabs, buttons, edits).
constexpr DWORD kCommonControls = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                  ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;

}  // namespace

WindowsFrontEnd::CommonControls::CommonControls() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), kCommonControls};
  ::InitCommonControlsEx(&controls);
}

// The records live on the real C:\WINDOWS, the copy on the real D:, the
// desktop is the shell's.
WindowsFrontEnd::WindowsFrontEnd(HINSTANCE instance)
    : backend_(instance),
      fs_(platform::MakeFileSystem()),
      shell_(platform::MakeWin32Shell()),
      dialogs_(platform::MakeWin32Dialogs()),
      services_{*fs_, *shell_, *dialogs_, window_manager_} {
  SetCurrentBackend(&backend_);
  program_ = std::make_unique<Program>(services_, WindowCreation::kWhenAsked);
}

// The windows go before the backend they were made with.
WindowsFrontEnd::~WindowsFrontEnd() {
  program_.reset();
  SetCurrentBackend(nullptr);
}

}  // namespace app::win32
