#include "toolkit/win32/text.h"

#include "toolkit/win32/windows_api.h"

namespace app::win32 {

namespace {

std::wstring Decode(UINT code_page, DWORD flags, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int wide = ::MultiByteToWideChar(code_page, flags, text.data(), size, nullptr, 0);
  if (wide <= 0) return {};
  std::wstring out(static_cast<std::size_t>(wide), L'\0');
  ::MultiByteToWideChar(code_page, flags, text.data(), size, out.data(), wide);
  return out;
}

}  // namespace

std::wstring ToWide(std::string_view text) {
  if (text.empty()) return {};
  std::wstring utf8 = Decode(CP_UTF8, MB_ERR_INVALID_CHARS, text);
  if (!utf8.empty()) return utf8;
  return Decode(CP_ACP, 0, text);
}

std::string FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  BOOL lost = FALSE;
  const int ansi = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0,
                                         nullptr, &lost);
  const UINT code_page = (ansi > 0 && !lost) ? CP_ACP : CP_UTF8;
  const int bytes = ::WideCharToMultiByte(code_page, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(code_page, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

std::string TextBack(const std::string& shown, std::wstring_view now) {
  if (ToWide(shown) == now) return shown;
  return FromWide(now);
}

}  // namespace app::win32
