#include "platform/win32/wide_text.h"

#include <windows.h>

namespace platform::win32 {

namespace {

std::optional<std::wstring> Decode(UINT code_page, DWORD flags, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int wide = ::MultiByteToWideChar(code_page, flags, bytes.data(), size, nullptr, 0);
  if (wide <= 0) return std::nullopt;
  std::wstring out(static_cast<std::size_t>(wide), L'\0');
  ::MultiByteToWideChar(code_page, flags, bytes.data(), size, out.data(), wide);
  return out;
}

// `lost` (when given) tells whether a character had no exact place.
std::optional<std::string> Encode(UINT code_page, DWORD flags, std::wstring_view wide, BOOL* lost) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int bytes = ::WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, lost);
  if (bytes <= 0) return std::nullopt;
  std::string out(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(code_page, flags, wide.data(), size, out.data(), bytes, nullptr, lost);
  return out;
}

}  // namespace

std::optional<std::wstring> Widen(std::string_view utf8) { return Decode(CP_UTF8, MB_ERR_INVALID_CHARS, utf8); }

std::wstring WidenText(std::string_view text) {
  if (std::optional<std::wstring> wide = Widen(text)) return *wide;
  return Decode(CP_ACP, 0, text).value_or(std::wstring());
}

std::string Narrow(std::wstring_view wide) { return Encode(CP_UTF8, 0, wide, nullptr).value_or(std::string()); }

std::optional<std::string> ToCodePage(std::string_view text) {
  const std::optional<std::wstring> wide = Widen(text);
  if (!wide) return std::string(text);
  BOOL lost = FALSE;
  std::optional<std::string> bytes = Encode(CP_ACP, WC_NO_BEST_FIT_CHARS, *wide, &lost);
  // Some code pages map two characters onto one byte sequence; only text
  // that reads back as itself is exact.
  if (!bytes || lost || Decode(CP_ACP, 0, *bytes) != wide) return std::nullopt;
  return bytes;
}

std::string FromCodePage(std::string_view bytes) {
  return Narrow(Decode(CP_ACP, 0, bytes).value_or(std::wstring()));
}

}  // namespace platform::win32
