#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How the record files hold the paths of hidden items. On Linux they hold
// the program's text as it is; on Windows they hold the system's 8-bit code
// page, as record files always have there, while the program's names are
// UTF-8 (see platform/win32/wide_text.h).
namespace platform {

// True when the record files hold the program's text byte for byte, so
// that no conversion is needed either way.
bool RecordTextIsProgramText();

// The bytes a record file holds for `text`; nullopt when a character of it
// has no exact place there (no look-alike is ever put in its stead).
std::optional<std::string> ToRecordText(std::string_view text);

// The program's text for the bytes a record file holds.
std::string FromRecordText(std::string_view bytes);

// How many bytes the first `characters` characters of the record text
// `bytes` take (all of them when it holds no more). A character is one
// UTF-8 sequence on Linux (a byte that begins none counts on its own) and
// one byte of the code page on Windows, as the Windows calls count them.
std::size_t RecordTextBytes(std::string_view bytes, std::size_t characters);

}  // namespace platform
