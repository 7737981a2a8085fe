#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform::win32 {

// Closes a Windows handle when it goes.
struct HandleCloser {
  void operator()(void* handle) const;
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// The exact-name form of a full real path ("C:\a\b." -> "\\?\C:\a\b.",
// "\\server\share\x" -> "\\?\UNC\server\share\x", "/" read as "\"): Windows takes every name
// of it as written (trailing dots and blanks, device names such as "CON")
// and has no 260-character limit for it. The path is the program's text
// (see wide_text.h). nullopt when it is not a full path.
std::optional<std::wstring> ExactPath(const std::string& real_path);

// Opens the entry itself (a link as the link, a folder too) with `access`;
// null when it cannot be opened.
UniqueHandle OpenEntry(const std::wstring& exact, unsigned long access);

// The number that the file system gives the handle's file (its index on
// the volume); nullopt when it gives none.
std::optional<std::uint64_t> FileNumber(void* handle);

// True when `entry`, opened by OpenEntry(exact), is the entry at `exact`
// itself: see IsPlainEntry.
bool IsItself(void* entry, const std::wstring& exact);

// True when the entry at `exact` is itself a file or folder of its folder:
// not a link or another reparse point, and not a name that the system
// resolves elsewhere (Wine shows a Unix link to a file as that file; only
// where its handle leads tells the two apart). False too when it is missing.
bool IsPlainEntry(const std::wstring& exact);

}  // namespace platform::win32
