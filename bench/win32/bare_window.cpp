// The yardstick of the start-up benchmark: the least a Win32 program does to
// put a painted window on the screen (one class, one window, one paint),
// then it ends.
#include <windows.h>

namespace {

constexpr wchar_t kClass[] = L"BareWindow";
constexpr int kWidth = 318;
constexpr int kHeight = 219;

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(hwnd, &paint);
    ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::EndPaint(hwnd, &paint);
    ::PostQuitMessage(0);  // painted: the start is over
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = &Proc;
  window_class.hInstance = instance;
  window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClass;
  ::RegisterClassW(&window_class);
  HWND hwnd = ::CreateWindowExW(WS_EX_APPWINDOW, kClass, L"Bare", WS_POPUP, 100, 100, kWidth, kHeight, nullptr,
                                nullptr, instance, nullptr);
  ::ShowWindow(hwnd, SW_SHOW);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  return 0;
}
