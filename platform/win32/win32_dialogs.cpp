#include "platform/win32/win32_dialogs.h"

#include <windows.h>

#include <string>

namespace platform {

namespace {

constexpr wchar_t kCaption[] = L"Quillomar";

// The text as the box shows it: UTF-8 where valid, else the ANSI code page
// (names read from disk come in that form).
std::wstring Shown(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  for (UINT code_page : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
    const DWORD flags = code_page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int wide = ::MultiByteToWideChar(code_page, flags, text.data(), size, nullptr, 0);
    if (wide <= 0) continue;
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(code_page, flags, text.data(), size, out.data(), wide);
    return out;
  }
  return {};
}

class Win32Dialogs final : public Dialogs {
 public:
  void ShowMessage(const std::string& text) override { Show(text, MB_OK); }
  void ShowError(const std::string& text) override { Show(ErrorBoxText(text), MB_OK | MB_ICONERROR); }

 private:
  static void Show(const std::string& text, UINT style) {
    // Owned by the active window, so that the program's windows wait for it.
    ::MessageBoxW(::GetActiveWindow(), Shown(text).c_str(), kCaption, style | MB_TASKMODAL);
  }
};

}  // namespace

std::unique_ptr<Dialogs> MakeWin32Dialogs() { return std::make_unique<Win32Dialogs>(); }

}  // namespace platform
