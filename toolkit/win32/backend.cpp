#include "toolkit/win32/backend.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "toolkit/win32/gdi.h"
#include "toolkit/win32/peers.h"
#include "toolkit/win32/text.h"
#include "toolkit/win32/top_level.h"

namespace app::win32 {

namespace {

constexpr wchar_t kMessageWindowClass[] = L"QuillomarMessages";
// The dots per inch of the monitor a window stands on, from USER32 where
// the system has it: the program still starts on systems without it.
constexpr wchar_t kUser32[] = L"user32.dll";
constexpr char kGetDpiForWindow[] = "GetDpiForWindow";
// A task posted from any thread: its lparam owns a std::function<void()>.
constexpr UINT kRunTask = WM_APP + 1;
constexpr int kShellIconSide = 16;
// The shell's own icons of the kinds of items in shell32.dll (the same on
// every Windows since 95, and in Wine), as ExtractIconEx names them: a
// negative number is a resource number (-35 is icon 35), a positive one a
// place among the icons. The document of no known type is icon 1, the
// first; it goes by its place, since -1 asks for the count of icons.
constexpr wchar_t kShellLibrary[] = L"shell32.dll";
constexpr int kShellIcon[] = {
    -35,  // kDesktop
    -16,  // kMyComputer
    -9,   // kDrive: a hard disk
    -4,   // kFolder: a closed folder
    0,    // kFile: a document of no known type
};

LRESULT CALLBACK MessageProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* backend = reinterpret_cast<Win32Backend*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (backend == nullptr) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  return backend->MessageWindowProc(message, wparam, lparam);
}

// The shell's small (16 x 16) or large (32 x 32) icon of a kind of item. Read straight from the shell's
// icon resources: SHGetFileInfo would first build the shell's whole system
// image list, which takes longer than the program's start may (50 to 150 ms
// under Wine), for pictures that depend on nothing but the kind.
HICON ShellIconOf(ShellPicture which, bool large) {
  HICON icon = nullptr;
  ::ExtractIconExW(kShellLibrary, kShellIcon[static_cast<int>(which)], large ? &icon : nullptr,
                   large ? nullptr : &icon, 1);
  return icon;
}

// The screen's dots per inch as the program sees them: the real ones when
// the program declares itself aware of them, else 96.
int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : Scale::kDesignedDpi;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

// A timer of the message window; it ends when destroyed.
class Win32Backend::Timer final : public NativeTimer {
 public:
  Timer(Win32Backend& backend, UINT_PTR id, bool repeat, std::function<void()> tick)
      : backend_(backend), id_(id), repeat_(repeat), tick_(std::move(tick)) {
    backend_.timers_[id_] = this;
  }
  ~Timer() override { Stop(); }

  void Stop() {
    if (!running_) return;
    running_ = false;
    ::KillTimer(backend_.message_window_, id_);
    backend_.timers_.erase(id_);
  }

  void Tick() {
    if (!repeat_) Stop();
    // A copy: the tick may destroy this timer.
    std::function<void()> tick = tick_;
    if (tick) tick();
  }

 private:
  Win32Backend& backend_;
  UINT_PTR id_;
  bool repeat_;
  bool running_ = true;
  std::function<void()> tick_;
};

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
  // Screen readers reach the windows' IAccessible objects through COM.
  com_ready_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  RegisterWindowClasses(instance_);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &MessageProc;
  window_class.hInstance = instance_;
  window_class.lpszClassName = kMessageWindowClass;
  ::RegisterClassExW(&window_class);
  message_window_ = ::CreateWindowExW(0, kMessageWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      instance_, nullptr);
  ::SetWindowLongPtrW(message_window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  scale_ = Scale(ScreenDpi());
  double_pictures_ = scale_.AboveOne();
  if (HMODULE user32 = ::GetModuleHandleW(kUser32)) {
    if (FARPROC found = ::GetProcAddress(user32, kGetDpiForWindow)) {
      dpi_for_window_ = reinterpret_cast<UINT(WINAPI*)(HWND)>(reinterpret_cast<void*>(found));
    }
  }
}

Scale Win32Backend::ScaleOfNewWindow(HWND hwnd) const {
  if (scale_set_ || dpi_for_window_ == nullptr || hwnd == nullptr) return scale_;
  const UINT dpi = dpi_for_window_(hwnd);
  return dpi != 0 ? Scale(static_cast<int>(dpi)) : scale_;
}

void Win32Backend::NoteWindowScale(Scale scale) {
  if (double_pictures_ || !scale.AboveOne()) return;
  double_pictures_ = true;
  // The pictures handed out so far gain theirs in place: the lists and
  // trees that show them find them as they draw them again.
  for (std::size_t which = 0; which < shell_icons_.size(); ++which) {
    if (shell_icons_[which]) AddDoubleShellIcon(static_cast<ShellPicture>(which), *shell_icons_[which]);
  }
}

void Win32Backend::AddDoubleShellIcon(ShellPicture which, Image& picture) {
  if (HICON large = ShellIconOf(which, true); large != nullptr) {
    picture.SetDouble(IconToImage(large, Size{2 * kShellIconSide, 2 * kShellIconSide}));
    ::DestroyIcon(large);
  }
}

Win32Backend::~Win32Backend() {
  for (auto& [id, timer] : std::map<UINT_PTR, Timer*>(timers_)) timer->Stop();
  // Tasks that never ran are freed with their window.
  MSG message;
  while (::PeekMessageW(&message, message_window_, kRunTask, kRunTask, PM_REMOVE)) {
    delete reinterpret_cast<std::function<void()>*>(message.lParam);
  }
  ::SetWindowLongPtrW(message_window_, GWLP_USERDATA, 0);
  ::DestroyWindow(message_window_);
  if (com_ready_) ::CoUninitialize();
}

std::unique_ptr<NativeTopLevel> Win32Backend::CreateTopLevel(NativeEvents& events, Size client) {
  return std::make_unique<TopLevelPeer>(*this, events, client);
}

std::unique_ptr<NativeWindow> Win32Backend::CreatePainted(NativeWindow& parent, NativeEvents& events) {
  return MakePainted(*this, HandleOf(parent), events);
}

std::unique_ptr<NativeEdit> Win32Backend::CreateEdit(NativeWindow& parent, NativeEvents& events) {
  return MakeEdit(*this, HandleOf(parent), events);
}

std::unique_ptr<NativeComboBox> Win32Backend::CreateComboBox(NativeWindow& parent, NativeEvents& events) {
  return MakeComboBox(*this, HandleOf(parent), events);
}

std::unique_ptr<NativePushButton> Win32Backend::CreatePushButton(NativeWindow& parent, NativeEvents& events) {
  return MakePushButton(*this, HandleOf(parent), events);
}

std::unique_ptr<NativeTabs> Win32Backend::CreateTabs(NativeWindow& parent, NativeEvents& events) {
  return MakeTabs(*this, HandleOf(parent), events);
}

std::unique_ptr<NativeReportList> Win32Backend::CreateReportList(NativeWindow& parent, NativeEvents& events) {
  return MakeReportList(*this, HandleOf(parent), events);
}

std::unique_ptr<NativeTree> Win32Backend::CreateTree(NativeWindow& parent, NativeEvents& events) {
  return MakeTree(*this, HandleOf(parent), events);
}

Size Win32Backend::MeasureText(const std::string& text, const Font& font) {
  // In layout pixels, whatever the scale: the designed face at 1x (the
  // scaled faces are fitted to take no more room than it, scaled).
  HDC dc = ::CreateCompatibleDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, FontHandle(font));
  const std::wstring wide = ToWide(text);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  if (wide.empty()) {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    size.cy = metrics.tmHeight;
  }
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return Size{size.cx, size.cy};
}

BgrColor Win32Backend::SystemColour(SystemColor which) {
  switch (which) {
    case SystemColor::kButtonFace: return ::GetSysColor(COLOR_BTNFACE);
    case SystemColor::kButtonText: return ::GetSysColor(COLOR_BTNTEXT);
    case SystemColor::kWindowText: return ::GetSysColor(COLOR_WINDOWTEXT);
  }
  return ::GetSysColor(COLOR_WINDOWTEXT);
}

bool Win32Backend::HighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Size Win32Backend::ScreenSize() {
  return scale_.ToLayout(Size{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
}

const Image& Win32Backend::ShellIcon(ShellPicture which) {
  std::optional<Image>& slot = shell_icons_[static_cast<std::size_t>(which)];
  if (!slot) {
    HICON icon = ShellIconOf(which, false);
    slot = IconToImage(icon, Size{kShellIconSide, kShellIconSide});
    if (icon != nullptr) ::DestroyIcon(icon);
    // Above 1x the picture is drawn from the shell's large icon.
    if (double_pictures_) AddDoubleShellIcon(which, *slot);
  }
  return *slot;
}

int Win32Backend::PopupMenu(NativeWindow& owner, Point at, const std::vector<MenuItem>& items) {
  last_menu_ = items;
  if (!menu_answers_.empty()) {
    const int answer = menu_answers_.front();
    menu_answers_.erase(menu_answers_.begin());
    return answer;
  }
  // Driven by messages, nobody could choose from a menu: it is dismissed.
  if (synthetic_pointer_) return -1;
  HMENU menu = ::CreatePopupMenu();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].text.empty()) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      const UINT state = items[i].enabled ? MF_ENABLED : MF_GRAYED;
      ::AppendMenuW(menu, MF_STRING | state, i + 1, ToWide(items[i].text).c_str());
    }
  }
  HWND hwnd = HandleOf(owner);
  const Point scaled = PeerCore::ScaleIn(*this, hwnd).ToScreen(at);
  POINT screen{scaled.x, scaled.y};
  ::ClientToScreen(hwnd, &screen);
  HWND top = ::GetAncestor(hwnd, GA_ROOT);
  // The menu closes on a click elsewhere only while its owner is in front.
  ::SetForegroundWindow(top);
  const int chosen = static_cast<int>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN |
                                                                  TPM_TOPALIGN | TPM_RIGHTBUTTON,
                                                       screen.x, screen.y, 0, top, nullptr));
  ::PostMessageW(top, WM_NULL, 0, 0);
  ::DestroyMenu(menu);
  return chosen - 1;
}

void Win32Backend::Post(std::function<void()> task) {
  auto* owned = new std::function<void()>(std::move(task));
  if (!::PostMessageW(message_window_, kRunTask, 0, reinterpret_cast<LPARAM>(owned))) delete owned;
}

std::unique_ptr<NativeTimer> Win32Backend::StartTimer(int milliseconds, bool repeat, std::function<void()> tick) {
  const UINT_PTR id = next_timer_id_++;
  auto timer = std::make_unique<Timer>(*this, id, repeat, std::move(tick));
  ::SetTimer(message_window_, id, static_cast<UINT>(std::max(milliseconds, 0)), nullptr);
  return timer;
}

void Win32Backend::PushBusyPointer() {
  if (busy_depth_++ == 0) ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

void Win32Backend::PopBusyPointer() {
  if (busy_depth_ == 0 || --busy_depth_ > 0) return;
  // Moving the pointer where it is makes the window under it set its own
  // pointer again.
  POINT at{};
  if (::GetCursorPos(&at)) ::SetCursorPos(at.x, at.y);
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

int Win32Backend::Run() {
  MSG message;
  BOOL got;
  while ((got = ::GetMessageW(&message, nullptr, 0, 0)) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

void Win32Backend::Quit() { ::PostQuitMessage(0); }

void Win32Backend::AddTopLevel(TopLevelPeer* window) { top_levels_.push_back(window); }

void Win32Backend::RemoveTopLevel(TopLevelPeer* window) {
  SetModal(*window, false);
  top_levels_.erase(std::remove(top_levels_.begin(), top_levels_.end(), window), top_levels_.end());
  minimised_with_.erase(std::remove(minimised_with_.begin(), minimised_with_.end(), window->Hwnd()),
                        minimised_with_.end());
}

void Win32Backend::SetModal(TopLevelPeer& window, bool modal) {
  if (modal) {
    if (disabled_by_.count(&window) != 0) return;
    std::vector<HWND>& disabled = disabled_by_[&window];
    for (TopLevelPeer* other : top_levels_) {
      if (other != &window && ::IsWindowEnabled(other->Hwnd())) {
        ::EnableWindow(other->Hwnd(), FALSE);
        disabled.push_back(other->Hwnd());
      }
    }
    return;
  }
  const auto found = disabled_by_.find(&window);
  if (found == disabled_by_.end()) return;
  for (HWND hwnd : found->second) {
    if (::IsWindow(hwnd)) ::EnableWindow(hwnd, TRUE);
  }
  disabled_by_.erase(found);
}

void Win32Backend::RunNestedLoop(const bool& ended) {
  MSG message;
  while (!ended) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the outer loop sees the quit too.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void Win32Backend::MinimiseAll() {
  // The window in front stands for the program on the task bar.
  TopLevelPeer* front = nullptr;
  for (TopLevelPeer* window : top_levels_) {
    if (!::IsWindowVisible(window->Hwnd())) continue;
    if (front == nullptr || window->Hwnd() == ::GetForegroundWindow() || window->Hwnd() == ::GetActiveWindow()) {
      front = window;
    }
  }
  if (front != nullptr) MinimiseGroup(*front);
}

void Win32Backend::MinimiseGroup(TopLevelPeer& window) {
  minimised_with_.clear();
  for (TopLevelPeer* other : top_levels_) {
    if (other != &window && ::IsWindowVisible(other->Hwnd())) {
      minimised_with_.push_back(other->Hwnd());
      ::ShowWindow(other->Hwnd(), SW_HIDE);
    }
  }
  ::ShowWindow(window.Hwnd(), SW_MINIMIZE);
}

void Win32Backend::RestoreGroup(TopLevelPeer& window) {
  std::vector<HWND> group = std::move(minimised_with_);
  minimised_with_.clear();
  for (HWND hwnd : group) {
    if (::IsWindow(hwnd)) ::ShowWindow(hwnd, SW_SHOWNA);
  }
  ::SetForegroundWindow(window.Hwnd());
}

LRESULT Win32Backend::MessageWindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kRunTask: {
      std::unique_ptr<std::function<void()>> task(reinterpret_cast<std::function<void()>*>(lparam));
      if (task && *task) (*task)();
      return 0;
    }
    case WM_TIMER: {
      const auto found = timers_.find(wparam);
      if (found != timers_.end()) found->second->Tick();
      return 0;
    }
    default:
      return ::DefWindowProcW(message_window_, message, wparam, lparam);
  }
}

}  // namespace app::win32
