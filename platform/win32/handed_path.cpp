#include "platform/handed_path.h"

#include <windows.h>

#include "platform/win32/wide_text.h"
#include "platform/windows_path.h"

namespace platform {

std::string FullHandedPath(const std::string& path) {
  if (path.empty()) return path;
  const std::wstring wide = win32::WidenText(path);
  const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD written = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (written == 0 || written >= needed) return path;
  full.resize(written);
  return win32::Narrow(full);
}

std::optional<HandedItem> ItemOfHandedPath(FileSystem& fs, const std::string& full_path) {
  (void)fs;
  // Only a path from a drive's root names an item of the program's drives
  // (network paths and the shell's namespace do not).
  if (!windows_path::IsRootedAtDrive(full_path)) return std::nullopt;
  const std::string path = windows_path::NormalizeFolder(full_path);
  if (windows_path::IsDriveRoot(path)) return HandedItem{path, std::nullopt};
  return HandedItem{path, FolderEntry{windows_path::Parent(path), windows_path::LastName(path)}};
}

}  // namespace platform
