// The start of quillomar.exe up to its painted login window, then the end:
// the program's own front end and resources (manifest included), so its
// login window first (the other three are made when it turns to them),
// with a message loop that stops once the login window is on screen with
// nothing left to paint. Then the process ends at once, as the bare
// window's does: taking the windows down is not part of the start.
#include <windows.h>

#include "app/Unit2.h"
#include "toolkit/win32/peers.h"
#include "app/win32/front_end.h"

namespace {

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
  app::win32::WindowsFrontEnd front_end(instance);
  front_end.program().Start();
  HWND login = app::win32::HandleOf(front_end.program().forms().login->TopNative());
  MSG message;
  while (!Painted(login) && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ::ExitProcess(0);
}
