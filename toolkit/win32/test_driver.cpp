#include "toolkit/win32/test_driver.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "toolkit/win32/gdi.h"
#include "toolkit/win32/peer.h"
#include "toolkit/win32/peers.h"
#include "toolkit/win32/text.h"
#include "toolkit/win32/backend.h"

namespace app::win32 {

namespace {

// The repeat count and scan code bits of a key message: one press.
constexpr LPARAM kKeyDownBits = 1;
constexpr LPARAM kKeyUpBits = static_cast<LPARAM>(0xC0000001u);
// A key without a meaning to the windows.
constexpr WPARAM kMeaninglessKey = VK_F3;
constexpr int kSettleRounds = 4;
constexpr BYTE kKeyHeld = 0x80;

WPARAM ButtonFlag(MouseButton button) {
  switch (button) {
    case MouseButton::kLeft: return MK_LBUTTON;
    case MouseButton::kRight: return MK_RBUTTON;
    case MouseButton::kMiddle: return MK_MBUTTON;
  }
  return 0;
}

UINT ButtonMessage(MouseButton button, bool down) {
  switch (button) {
    case MouseButton::kLeft: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case MouseButton::kRight: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case MouseButton::kMiddle: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  }
  return WM_NULL;
}

WPARAM VirtualKey(Key key) {
  switch (key) {
    case Key::kEnter: return VK_RETURN;
    case Key::kEscape: return VK_ESCAPE;
    case Key::kBackspace: return VK_BACK;
    case Key::kF2: return VK_F2;
    case Key::kF5: return VK_F5;
    case Key::kSpace: return VK_SPACE;
    case Key::kUp: return VK_UP;
    case Key::kDown: return VK_DOWN;
    case Key::kLeft: return VK_LEFT;
    case Key::kRight: return VK_RIGHT;
    case Key::kTab:
    case Key::kBackTab:
    case Key::kNextPage:
    case Key::kPreviousPage: return VK_TAB;
    case Key::kOther: return kMeaninglessKey;
  }
  return kMeaninglessKey;
}

LPARAM PointParam(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

HWND TopOf(BorderlessWindow& window) { return HandleOf(window.TopNative()); }

// True for the windows the toolkit paints (its own classes).
bool IsPainted(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return std::wstring(name) == kPaintedClass || std::wstring(name) == kTopLevelClass;
}

// Draws `hwnd` (frame and client) with its origin at `at` of `dc`, then its
// visible children over it from the bottom of their stacking order up:
// the window's own drawing, through WM_PRINT, for a window off the screen.
void PrintTree(HWND hwnd, HDC dc, POINT at) {
  const int saved = ::SaveDC(dc);
  ::SetViewportOrgEx(dc, at.x, at.y, nullptr);
  RECT frame{};
  ::GetWindowRect(hwnd, &frame);
  ::IntersectClipRect(dc, 0, 0, frame.right - frame.left, frame.bottom - frame.top);
  ::SendMessageW(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  ::RestoreDC(dc, saved);
  for (HWND child = ::GetWindow(::GetWindow(hwnd, GW_CHILD), GW_HWNDLAST); child != nullptr;
       child = ::GetWindow(child, GW_HWNDPREV)) {
    if ((::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) == 0) continue;
    RECT place{};
    ::GetWindowRect(child, &place);
    POINT child_at{place.left - frame.left, place.top - frame.top};
    const int clip = ::SaveDC(dc);
    // Children show only inside their parent's client area.
    RECT client{};
    ::GetClientRect(hwnd, &client);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::IntersectClipRect(dc, at.x + client.left - frame.left, at.y + client.top - frame.top,
                        at.x + client.right - frame.left, at.y + client.bottom - frame.top);
    PrintTree(child, dc, POINT{at.x + child_at.x, at.y + child_at.y});
    ::RestoreDC(dc, clip);
  }
}

}  // namespace

Win32TestDriver::Win32TestDriver(Win32Backend& backend) : backend_(backend) {
  backend_.SetSyntheticPointer(true);
  // The real pointer goes to the screen's last corner, away from every
  // window, so that the system sends no pointer moves of its own.
  ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}

POINT Win32TestDriver::OnScreen(HWND top, Point at) const {
  const Point scaled = PeerCore::ScaleIn(backend_, top).ToScreen(at);
  return POINT{scaled.x, scaled.y};
}

void Win32TestDriver::ProcessEvents() {
  for (int round = 0; round < kSettleRounds; ++round) {
    MSG message;
    bool any = false;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      if (message.message == WM_QUIT) continue;  // the tests end the program themselves
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    if (!any) break;
  }
}

HWND Win32TestDriver::TargetAt(HWND top, POINT client, POINT& local) {
  HWND window = top;
  POINT at = client;
  for (;;) {
    HWND child = ::ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
    if (child == nullptr || child == window) break;
    ::MapWindowPoints(window, child, &at, 1);
    window = child;
  }
  local = at;
  return window;
}

void Win32TestDriver::LeaveLastTarget(HWND now) {
  if (last_target_ != nullptr && last_target_ != now && ::IsWindow(last_target_)) {
    ::SendMessageW(last_target_, WM_MOUSELEAVE, 0, 0);
  }
  last_target_ = now;
}

void Win32TestDriver::DropFiles(BorderlessWindow& window, Point at, const std::vector<std::string>& paths) {
  const HWND top = TopOf(window);
  POINT local{};
  HWND target = TargetAt(top, OnScreen(top, at), local);
  // The shell drops on the nearest window that takes files.
  while (target != nullptr && (::GetWindowLongW(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) == 0) {
    target = ::GetParent(target);
  }
  if (target == nullptr) return;
  // The shell's drop data: a DROPFILES header, then each path in UTF-16
  // with its terminator, and one more terminator.
  std::wstring names;
  for (const std::string& path : paths) names += ToWide(path) + L'\0';
  names += L'\0';
  const SIZE_T bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->pt = local;
  header->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  // The window lets the drop's memory go (DragFinish).
  ::SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  ProcessEvents();
}

void Win32TestDriver::MouseMove(BorderlessWindow& window, Point at) {
  const HWND top = TopOf(window);
  POINT local{};
  HWND target = TargetAt(top, OnScreen(top, at), local);
  if (HWND capture = ::GetCapture(); capture != nullptr && ::GetAncestor(capture, GA_ROOT) == top) {
    target = capture;
    local = OnScreen(top, at);
    ::MapWindowPoints(top, capture, &local, 1);
  } else {
    LeaveLastTarget(target);
  }
  if (!held_) ::SendMessageW(target, WM_MOUSEMOVE, buttons_, PointParam(local));
  ProcessEvents();
}

void Win32TestDriver::SendButton(HWND target, POINT local, MouseButton button, bool down) {
  ::SendMessageW(target, ButtonMessage(button, down), buttons_, PointParam(local));
}

void Win32TestDriver::MousePress(BorderlessWindow& window, Point at, MouseButton button) {
  const HWND top = TopOf(window);
  POINT local{};
  HWND target = TargetAt(top, OnScreen(top, at), local);
  LeaveLastTarget(target);
  buttons_ |= ButtonFlag(button);
  if (IsPainted(target)) {
    SendButton(target, local, button, true);
  } else {
    held_ = HeldPress{target, local, button};
  }
  ProcessEvents();
}

void Win32TestDriver::MouseRelease(BorderlessWindow& window, Point at, MouseButton button) {
  const HWND top = TopOf(window);
  buttons_ &= ~ButtonFlag(button);
  if (held_ && held_->button == button) {
    const HeldPress press = *held_;
    held_.reset();
    // Both in the queue at once: the control's own loop finds the release.
    POINT local = OnScreen(top, at);
    ::MapWindowPoints(top, press.target, &local, 1);
    ::PostMessageW(press.target, ButtonMessage(button, true), buttons_ | ButtonFlag(button), PointParam(press.local));
    ::PostMessageW(press.target, ButtonMessage(button, false), buttons_, PointParam(local));
    ProcessEvents();
    return;
  }
  POINT local{};
  HWND target = TargetAt(top, OnScreen(top, at), local);
  if (HWND capture = ::GetCapture(); capture != nullptr && ::GetAncestor(capture, GA_ROOT) == top) {
    target = capture;
    local = OnScreen(top, at);
    ::MapWindowPoints(top, capture, &local, 1);
  }
  SendButton(target, local, button, false);
  ProcessEvents();
}

void Win32TestDriver::DoubleClick(BorderlessWindow& window, Point at) {
  const HWND top = TopOf(window);
  POINT local{};
  HWND target = TargetAt(top, OnScreen(top, at), local);
  LeaveLastTarget(target);
  const LPARAM where = PointParam(local);
  if (IsPainted(target)) {
    // The toolkit's classes take no double-click messages: two clicks.
    for (int click = 0; click < 2; ++click) {
      ::SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, where);
      ::SendMessageW(target, WM_LBUTTONUP, 0, where);
    }
  } else {
    ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageW(target, WM_LBUTTONUP, 0, where);
    ::PostMessageW(target, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    ::PostMessageW(target, WM_LBUTTONUP, 0, where);
  }
  ProcessEvents();
}

void Win32TestDriver::KeyPress(BorderlessWindow& window, Key key) {
  const HWND top = TopOf(window);
  HWND focus = ::GetFocus();
  if (focus == nullptr || ::GetAncestor(focus, GA_ROOT) != top) focus = top;
  const WPARAM vk = VirtualKey(key);
  // Shift and Ctrl held, as the thread's key state tells them.
  BYTE state[256] = {};
  ::GetKeyboardState(state);
  BYTE held[256];
  std::copy(std::begin(state), std::end(state), std::begin(held));
  if (key == Key::kBackTab || key == Key::kPreviousPage) held[VK_SHIFT] = kKeyHeld;
  if (key == Key::kNextPage || key == Key::kPreviousPage) held[VK_CONTROL] = kKeyHeld;
  ::SetKeyboardState(held);
  ::PostMessageW(focus, WM_KEYDOWN, vk, kKeyDownBits);
  ::PostMessageW(focus, WM_KEYUP, vk, kKeyUpBits);
  ProcessEvents();
  ::SetKeyboardState(state);
}

void Win32TestDriver::TypeText(BorderlessWindow& window, const std::string& text) {
  const HWND top = TopOf(window);
  HWND focus = ::GetFocus();
  if (focus == nullptr || ::GetAncestor(focus, GA_ROOT) != top) focus = top;
  for (wchar_t c : ToWide(text)) ::PostMessageW(focus, WM_CHAR, c, kKeyDownBits);
  ProcessEvents();
}

void Win32TestDriver::UseDarkSystemColours(bool dark) {
  static constexpr int kElements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT};
  static const std::vector<COLORREF> started = [] {
    std::vector<COLORREF> colours;
    for (int element : kElements) colours.push_back(::GetSysColor(element));
    return colours;
  }();
  const std::vector<COLORREF> dark_colours{RGB(0x35, 0x35, 0x35), RGB(0xff, 0xff, 0xff), RGB(0x2a, 0x2a, 0x2a),
                                           RGB(0xff, 0xff, 0xff)};
  ::SetSysColors(static_cast<int>(std::size(kElements)), kElements, dark ? dark_colours.data() : started.data());
  ProcessEvents();
}

void Win32TestDriver::UseHighContrast(bool high) {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  contrast.dwFlags = high ? HCF_HIGHCONTRASTON : 0;
  ::SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0);
  ProcessEvents();
}

Image Win32TestDriver::Grab(BorderlessWindow& window) {
  const HWND top = TopOf(window);
  ::RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ProcessEvents();
  RECT client{};
  ::GetClientRect(top, &client);
  DibSurface picture(Size{client.right, client.bottom});
  if (!picture.Ok()) return Image();
  if (::IsWindowVisible(top)) {
    HDC dc = ::GetDC(top);
    ::BitBlt(picture.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(top, dc);
  } else {
    PrintTree(top, picture.Dc(), POINT{0, 0});
  }
  return picture.ToImage(true);
}

bool Win32TestDriver::BusyPointerShown() { return ::GetCursor() == ::LoadCursorW(nullptr, IDC_WAIT); }

}  // namespace app::win32
