#include "toolkit/win32/push_button.h"

#include "toolkit/win32/peers.h"
#include "toolkit/win32/text.h"
#include "toolkit/win32/top_level.h"

namespace app::win32 {

namespace {
constexpr DWORD kStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON;
}  // namespace

PushButtonPeer::PushButtonPeer(Win32Backend& backend, HWND parent, NativeEvents& events)
    : Peer(backend, events, false) {
  Create(0, L"BUTTON", kStyle, parent, false);
}

PushButtonPeer::~PushButtonPeer() {
  if (TopLevelPeer* top = TopLevel()) top->SetDefaultButton(this, false);
}

void PushButtonPeer::SetCaption(const std::string& caption) {
  ::SetWindowTextW(Hwnd(), ToWide(caption).c_str());
}

void PushButtonPeer::SetDefault(bool is_default) {
  ::SendMessageW(Hwnd(), BM_SETSTYLE, is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  if (TopLevelPeer* top = TopLevel()) top->SetDefaultButton(this, is_default);
}

void PushButtonPeer::Press() {
  if (on_click) on_click();
}

bool PushButtonPeer::Reflect(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  (void)lparam;
  if (message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED) return false;
  Press();
  result = 0;
  return true;
}

std::unique_ptr<NativePushButton> MakePushButton(Win32Backend& backend, HWND parent, NativeEvents& events) {
  return std::make_unique<PushButtonPeer>(backend, parent, events);
}

}  // namespace app::win32
