#include "toolkit/win32/peer.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "toolkit/accessible.h"
#include "toolkit/control.h"

#include "toolkit/win32/accessible.h"
#include "toolkit/win32/gdi.h"
#include "toolkit/win32/keyboard.h"
#include "toolkit/win32/canvas.h"
#include "toolkit/win32/top_level.h"
#include "toolkit/win32/backend.h"

namespace app::win32 {

namespace {

constexpr wchar_t kPeerProperty[] = L"QuillomarPeer";

Point ScreenPointOf(LPARAM lparam) { return Point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

}  // namespace

Key KeyOf(WPARAM virtual_key) {
  switch (virtual_key) {
    case VK_RETURN: return Key::kEnter;
    case VK_ESCAPE: return Key::kEscape;
    case VK_BACK: return Key::kBackspace;
    case VK_F2: return Key::kF2;
    case VK_F5: return Key::kF5;
    // Tab alone walks the stops before it gets here (keyboard.h).
    case VK_TAB:
      if (::GetKeyState(VK_CONTROL) >= 0) return Key::kOther;
      return ::GetKeyState(VK_SHIFT) < 0 ? Key::kPreviousPage : Key::kNextPage;
    default: return Key::kOther;
  }
}

bool RegisterWindowClasses(HINSTANCE instance) {
  for (const wchar_t* name : {kPaintedClass, kTopLevelClass}) {
    WNDCLASSEXW window_class{};
    if (::GetClassInfoExW(instance, name, &window_class)) continue;
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = ::DefWindowProcW;  // replaced as each window is made
    window_class.hInstance = instance;
    window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    window_class.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    window_class.lpszClassName = name;
    if (::RegisterClassExW(&window_class) == 0) return false;
  }
  return true;
}

PeerCore::PeerCore(Win32Backend& backend, NativeEvents& events, bool painted)
    : backend_(backend), events_(events), painted_(painted) {}

PeerCore::~PeerCore() { DestroyOwnWindow(); }

void PeerCore::DestroyOwnWindow() {
  if (hwnd_ == nullptr) return;
  // The window's last messages go to its own class, not to this peer.
  ::RemovePropW(hwnd_, kPeerProperty);
  const WNDPROC proc = system_proc_ != nullptr ? system_proc_ : ::DefWindowProcW;
  ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  ::DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  system_proc_ = nullptr;
}

Scale PeerCore::ScaleIn(const Win32Backend& backend, HWND hwnd) {
  const auto* top = hwnd != nullptr ? dynamic_cast<TopLevelPeer*>(FromHandle(::GetAncestor(hwnd, GA_ROOT))) : nullptr;
  return top != nullptr ? top->WindowScale() : backend.GetScale();
}

PeerCore* PeerCore::FromHandle(HWND hwnd) {
  return hwnd == nullptr ? nullptr : static_cast<PeerCore*>(::GetPropW(hwnd, kPeerProperty));
}

HWND PeerCore::Create(DWORD ex_style, const wchar_t* window_class, DWORD style, HWND parent, bool own_class) {
  hwnd_ = ::CreateWindowExW(ex_style, window_class, L"", style, 0, 0, 0, 0, parent, nullptr,
                            backend_.Instance(), nullptr);
  if (hwnd_ == nullptr) return nullptr;
  ::SetPropW(hwnd_, kPeerProperty, this);
  const LONG_PTR proc = reinterpret_cast<LONG_PTR>(own_class ? &OwnClassProc : &SubclassProc);
  const LONG_PTR old = ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, proc);
  if (!own_class) system_proc_ = reinterpret_cast<WNDPROC>(old);
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(kDefaultFont, GetScale())), FALSE);
  // New windows stack above the parent's earlier children.
  if (parent != nullptr) {
    ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return hwnd_;
}

LRESULT CALLBACK PeerCore::OwnClassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  PeerCore* peer = FromHandle(hwnd);
  if (peer == nullptr) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  return peer->HandleMessage(message, wparam, lparam);
}

LRESULT CALLBACK PeerCore::SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  PeerCore* peer = FromHandle(hwnd);
  if (peer == nullptr) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  return peer->HandleMessage(message, wparam, lparam);
}

LRESULT PeerCore::CallDefault(UINT message, WPARAM wparam, LPARAM lparam) {
  if (system_proc_ != nullptr) return ::CallWindowProcW(system_proc_, hwnd_, message, wparam, lparam);
  return ::DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT PeerCore::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETCURSOR:
      if (backend_.Busy()) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_ERASEBKGND:
      if (painted_) return TRUE;  // the paint covers everything
      break;
    case WM_PAINT:
      if (painted_) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(hwnd_, &paint);
        if (!::IsRectEmpty(&paint.rcPaint)) PaintInto(dc, paint.rcPaint);
        ::EndPaint(hwnd_, &paint);
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (painted_) {
        RECT client;
        ::GetClientRect(hwnd_, &client);
        PaintInto(reinterpret_cast<HDC>(wparam), client);
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSELEAVE:
      if (HandleMouse(message, wparam, lparam)) return 0;
      break;
    case WM_CAPTURECHANGED:
      if (holds_capture_ && !releasing_capture_) {
        holds_capture_ = false;
        events_.NativeCaptureLost();
      }
      holds_capture_ = false;
      break;
    case WM_KEYDOWN:
      swallow_char_ = false;
      if (HandleKeyDown(wparam)) {
        swallow_char_ = true;
        return 0;
      }
      break;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      swallow_char_ = false;
      if (HandleMenuKey(*this, message, wparam)) {
        swallow_char_ = message == WM_SYSKEYDOWN;
        return 0;
      }
      break;
    case WM_SYSCHAR:
    case WM_CHAR:
      if (swallow_char_) {
        swallow_char_ = false;
        return 0;
      }
      break;
    case WM_GETOBJECT:
      if (const std::optional<LRESULT> answer = AnswerGetObject(*this, painted_, wparam, lparam)) return *answer;
      break;
    case WM_SETFOCUS:
      // The toolkit picks the painted control that has the focus (the one
      // it was given, else the first stop) and shows it.
      if (painted_ && focused_part_ >= 0) ::InvalidateRect(hwnd_, nullptr, FALSE);
      focused_part_ = -1;
      if (painted_) events_.NativeFocusIn(FocusReason::kOther);
      break;
    case WM_KILLFOCUS:
      if (painted_) events_.NativeFocusOut();
      if (painted_ && focused_part_ >= 0) ::InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case WM_COMMAND:
    case WM_NOTIFY: {
      HWND from = message == WM_COMMAND ? reinterpret_cast<HWND>(lparam)
                                        : reinterpret_cast<const NMHDR*>(lparam)->hwndFrom;
      PeerCore* child = from != hwnd_ ? FromHandle(from) : nullptr;
      LRESULT result = 0;
      if (child != nullptr && child->Reflect(message, wparam, lparam, result)) return result;
      break;
    }
    default:
      break;
  }
  return CallDefault(message, wparam, lparam);
}

bool PeerCore::HandleMouse(UINT message, WPARAM wparam, LPARAM lparam) {
  (void)wparam;
  if (message == WM_MOUSELEAVE) {
    tracking_leave_ = false;
    events_.NativeMouseLeave();
    return painted_;
  }
  const Point at = GetScale().ToLayout(ScreenPointOf(lparam));
  switch (message) {
    case WM_MOUSEMOVE:
      if (!tracking_leave_ && !backend_.SyntheticPointer()) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
        tracking_leave_ = ::TrackMouseEvent(&track) != FALSE;
      }
      events_.NativeMouseMove(at);
      break;
    case WM_LBUTTONDOWN: events_.NativeMouseDown(at, MouseButton::kLeft); break;
    case WM_RBUTTONDOWN: events_.NativeMouseDown(at, MouseButton::kRight); break;
    case WM_MBUTTONDOWN: events_.NativeMouseDown(at, MouseButton::kMiddle); break;
    case WM_LBUTTONUP: events_.NativeMouseUp(at, MouseButton::kLeft); break;
    case WM_RBUTTONUP: events_.NativeMouseUp(at, MouseButton::kRight); break;
    case WM_MBUTTONUP: events_.NativeMouseUp(at, MouseButton::kMiddle); break;
    default: break;
  }
  return painted_;
}

bool PeerCore::HandleKeyDown(WPARAM wparam) {
  if (HandleNavigationKey(*this, wparam)) return true;
  const Key key = KeyOf(wparam);
  if (key == Key::kOther || UsesKey(key)) return false;
  return RouteKey(key);
}

bool PeerCore::RouteKey(Key key) {
  // The control hands what it does not use up to its window itself.
  if (events_.NativeKey(key)) return true;
  TopLevelPeer* top = TopLevel();
  return top != nullptr && key == Key::kEnter && top->PressDefaultButton();
}

bool PeerCore::Reflect(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  (void)message, (void)wparam, (void)lparam, (void)result;
  return false;
}

TopLevelPeer* PeerCore::TopLevel() const {
  return dynamic_cast<TopLevelPeer*>(FromHandle(::GetAncestor(hwnd_, GA_ROOT)));
}

void PeerCore::PaintInto(HDC target, const RECT& dirty) {
  const Scale scale = GetScale();
  // The layout pixels that cover the dirty part, and the screen pixels they
  // take.
  const Rect layout_area = scale.ToLayout(FromRect(dirty));
  const Rect area = scale.ToScreen(layout_area);
  DibSurface buffer(area.GetSize());
  if (!buffer.Ok()) return;
  // What a control that paints no background of its own shows: the
  // system's face colour, as under any dialog.
  const RECT whole{0, 0, area.width, area.height};
  ::FillRect(buffer.Dc(), &whole, ::GetSysColorBrush(COLOR_BTNFACE));
  ::SetViewportOrgEx(buffer.Dc(), -area.left, -area.top, nullptr);
  {
    GdiCanvas canvas(buffer.Dc(), scale);
    events_.NativePaint(canvas, layout_area);
  }
  ::BitBlt(target, area.left, area.top, area.width, area.height, buffer.Dc(), area.left, area.top, SRCCOPY);
}

void PeerCore::Place(const Rect& layout_bounds) {
  placed_ = layout_bounds;
  const Rect bounds = GetScale().ToScreen(layout_bounds);
  ::SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PeerCore::Show(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

void PeerCore::Repaint(const Rect& rect) {
  const RECT r = ToRect(GetScale().ToScreen(rect));
  ::InvalidateRect(hwnd_, &r, FALSE);
}

void PeerCore::Capture(bool capture) {
  // The system controls capture the mouse themselves as they need it.
  if (!painted_) return;
  if (capture) {
    ::SetCapture(hwnd_);
    holds_capture_ = ::GetCapture() == hwnd_;
  } else if (::GetCapture() == hwnd_) {
    releasing_capture_ = true;
    ::ReleaseCapture();
    releasing_capture_ = false;
    holds_capture_ = false;
  }
}

void PeerCore::Focus() { ::SetFocus(hwnd_); }

void PeerCore::FocusPart(int part) {
  const auto* owner = dynamic_cast<WinControl*>(events_.NativeOwner());
  const std::vector<Control*> parts = owner != nullptr ? AccessiblePartControls(*owner) : std::vector<Control*>();
  if (part >= 0 && part < static_cast<int>(parts.size())) {
    parts[static_cast<std::size_t>(part)]->SetFocus();
  } else if (::GetFocus() != hwnd_) {
    ::SetFocus(hwnd_);
  }
}

void PeerCore::ShowFocusedGraphic(Control& graphic) {
  const auto* owner = dynamic_cast<WinControl*>(events_.NativeOwner());
  const std::vector<Control*> parts = owner != nullptr ? AccessiblePartControls(*owner) : std::vector<Control*>();
  const auto found = std::find(parts.begin(), parts.end(), &graphic);
  const int part = found != parts.end() ? static_cast<int>(found - parts.begin()) : -1;
  if (focused_part_ != part) ::InvalidateRect(hwnd_, nullptr, FALSE);
  focused_part_ = part;
  AnnounceFocus(hwnd_, part);
}

bool PeerCore::HoldsFocus() const {
  const HWND focus = ::GetFocus();
  return focus != nullptr && (focus == hwnd_ || (!painted_ && ::IsChild(hwnd_, focus)));
}

void PeerCore::UseFont(const Font& font) {
  font_ = font;
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(font, GetScale())), TRUE);
}

void PeerCore::Rescaled() {
  // The font first: a system control may size its parts by it.
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(font_, GetScale())), FALSE);
  if (placed_) Place(*placed_);
}

}  // namespace app::win32
