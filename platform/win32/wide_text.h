#pragma once

#include <optional>
#include <string>
#include <string_view>

// The program's text on Windows is UTF-8, so that every name keeps its real
// characters; text that is not valid UTF-8 is in the system's 8-bit code
// page (typed text that fits it, names from older record files). The
// system's calls take UTF-16, and the record files hold the code page.
// These convert between them.
namespace platform::win32 {

// UTF-8 -> UTF-16; nullopt when the text is not valid UTF-8.
std::optional<std::wstring> Widen(std::string_view utf8);

// The program's text -> UTF-16: UTF-8 where valid, else the code page.
std::wstring WidenText(std::string_view text);

// UTF-16 -> UTF-8, every character kept (a lone surrogate, which no name
// the program makes holds, becomes U+FFFD).
std::string Narrow(std::wstring_view wide);

// The program's text -> the system's 8-bit code page: UTF-8 only when every
// character has an exact place there (no best-fit look-alike, no default
// character, and the bytes read back as the same text), nullopt otherwise;
// text that is no UTF-8 is in the code page already and stays as it is.
std::optional<std::string> ToCodePage(std::string_view text);

// The system's 8-bit code page -> UTF-8.
std::string FromCodePage(std::string_view bytes);

}  // namespace platform::win32
