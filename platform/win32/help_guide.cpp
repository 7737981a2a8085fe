#include "platform/win32/help_guide.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "platform/win32/wide_text.h"

#include "platform/windows_path.h"

namespace platform::win32 {

namespace {

std::wstring W(const std::string& path) { return WidenText(path); }

// The copy is made under this name beside the target and then renamed over
// it; a copy left behind by a crash is overwritten by the next one.
constexpr char kCopySuffix[] = ".new";
constexpr std::size_t kReadChunk = 64 * 1024;

std::optional<WIN32_FILE_ATTRIBUTE_DATA> Describe(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(W(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return data;
}

bool IsFolder(const WIN32_FILE_ATTRIBUTE_DATA& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool SameSize(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
  return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow;
}

// The whole file, or nullopt when it cannot be read.
std::optional<std::string> ReadBytes(const std::string& path) {
  const HANDLE file = ::CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  std::string chunk(kReadChunk, '\0');
  bool ok = true;
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    bytes.append(chunk.data(), got);
  }
  ::CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

bool SameBytes(const std::string& a, const std::string& b) {
  const std::optional<std::string> first = ReadBytes(a);
  const std::optional<std::string> second = ReadBytes(b);
  return first && second && *first == *second;
}

// Copies `shipped` to `target` under a name of its own and renames it over
// `target`.
bool Place(const std::string& shipped, const std::string& target) {
  const std::string folder = windows_path::FolderOf(target);
  if (!folder.empty()) ::CreateDirectoryW(W(folder).c_str(), nullptr);
  const std::string copy = target + kCopySuffix;
  // A read-only copy left behind would refuse to be overwritten.
  ::SetFileAttributesW(W(copy).c_str(), FILE_ATTRIBUTE_NORMAL);
  bool placed = ::CopyFileW(W(shipped).c_str(), W(copy).c_str(), FALSE) != 0;
  // The shipped guide may be read-only (as unpacked); its copy is not, so
  // that the next version can replace it.
  placed = placed && ::SetFileAttributesW(W(copy).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
  placed = placed &&
           ::MoveFileExW(W(copy).c_str(), W(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!placed) ::DeleteFileW(W(copy).c_str());
  return placed;
}

}  // namespace

std::string ShippedGuidePath() {
  wchar_t program[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  const std::string path = Narrow(std::wstring_view(program, length));
  const std::string folder = windows_path::FolderOf(path);
  if (folder.empty()) return {};
  return windows_path::JoinName(folder, std::string(kShippedGuideName));
}

GuideUpdate UpdateGuide(const std::string& shipped, const std::string& target) {
  const std::optional<WIN32_FILE_ATTRIBUTE_DATA> source = Describe(shipped);
  if (shipped.empty() || !source || IsFolder(*source)) return GuideUpdate::kNoShipped;
  const std::optional<WIN32_FILE_ATTRIBUTE_DATA> placed = Describe(target);
  if (placed) {
    if (IsFolder(*placed)) return GuideUpdate::kFailed;
    const LONG age = ::CompareFileTime(&placed->ftLastWriteTime, &source->ftLastWriteTime);
    if (age > 0) return GuideUpdate::kCurrent;
    if (age == 0 && SameSize(*placed, *source) && SameBytes(target, shipped)) return GuideUpdate::kCurrent;
  }
  return Place(shipped, target) ? GuideUpdate::kPlaced : GuideUpdate::kFailed;
}

}  // namespace platform::win32
