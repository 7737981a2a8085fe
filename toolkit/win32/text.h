#pragma once

#include <string>
#include <string_view>

namespace app::win32 {

// The program's 8-bit strings as the window system shows them: UTF-8 where
// the bytes are valid UTF-8, else the ANSI code page (the code page the
// Windows file calls use), so names read from disk show as they are.
std::wstring ToWide(std::string_view text);

// Text the user typed, back in the program's form: the ANSI code page when
// every character has a place there (as the Windows file calls need it),
// else UTF-8.
std::string FromWide(std::wstring_view text);

// Text read back from a window that was given `shown`: the bytes it was
// given when the user left it as it was (so 8-bit names come back byte for
// byte), else FromWide(now).
std::string TextBack(const std::string& shown, std::wstring_view now);

}  // namespace app::win32
