#include "platform/win32/exact_path.h"

#include <windows.h>
#include <winternl.h>

#include "platform/win32/wide_text.h"

#include "platform/windows_path.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kVerbatim[] = L"\\\\?\\";
constexpr wchar_t kVerbatimNetwork[] = L"\\\\?\\UNC\\";
constexpr wchar_t kSeparator = L'\\';
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Where the handle's file really is, in the exact-name form; "" when unknown.
std::wstring FinalPath(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  // A second call with the size the first asked for; a system that asks
  // for more again is not believed.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length + 1);
  }
  return {};
}

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

std::wstring WithoutTrailingDotsAndBlanks(std::wstring name) {
  while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
  return name;
}

}  // namespace

void HandleCloser::operator()(void* handle) const { ::CloseHandle(handle); }

std::optional<std::wstring> ExactPath(const std::string& real_path) {
  std::wstring wide = WidenText(real_path);
  if (wide.size() < 2) return std::nullopt;
  // The exact-name form takes "/" for a character of a name; no name holds
  // one, so it is the separator it was meant as.
  if (wide.compare(0, 4, kVerbatim) != 0) {
    for (wchar_t& c : wide) {
      if (c == L'/') c = kSeparator;
    }
  }
  if (wide.compare(0, 4, kVerbatim) == 0) return wide;
  if (wide[0] == kSeparator && wide[1] == kSeparator) return kVerbatimNetwork + wide.substr(2);
  if (wide[1] != L':') return std::nullopt;
  return kVerbatim + wide;
}

UniqueHandle OpenEntry(const std::wstring& exact, unsigned long access) {
  HANDLE handle = ::CreateFileW(exact.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

std::optional<std::uint64_t> FileNumber(void* handle) {
  // The file's number alone: the information class that adds the volume's
  // number asks the volume each time.
  IO_STATUS_BLOCK status{};
  FILE_INTERNAL_INFORMATION internal{};
  if (!NT_SUCCESS(::NtQueryInformationFile(handle, &status, &internal, sizeof internal, FileInternalInformation))) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(internal.IndexNumber.QuadPart);
}

bool IsItself(void* entry, const std::wstring& exact) {
  FILE_BASIC_INFO info;
  if (!::GetFileInformationByHandleEx(entry, FileBasicInfo, &info, sizeof info) ||
      (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return false;
  }
  const std::wstring final_path = FinalPath(entry);
  // Mostly the handle is where the path says. Where the system cannot say
  // (Wine, for paths longer than 260 characters), the attribute alone
  // tells a link.
  if (final_path.empty() || EqualIgnoringCase(final_path, exact)) return true;
  // Else the entry's own folder, however it is reached, must hold what the
  // handle leads to under the entry's own name. (Wine gives that name
  // without its trailing dots and blanks.)
  const std::wstring folder = windows_path::FolderOf(exact);
  const std::wstring final_folder = windows_path::FolderOf(final_path);
  if (folder.empty() || final_folder.empty()) return false;
  UniqueHandle parent = OpenEntry(folder, FILE_READ_ATTRIBUTES);
  if (!parent) return false;
  const std::wstring expected_folder = windows_path::TrimTrailingSeparators(FinalPath(parent.get()));
  const std::wstring name = windows_path::NameOf(exact);
  const std::wstring final_name = windows_path::NameOf(final_path);
  return !expected_folder.empty() &&
         EqualIgnoringCase(windows_path::TrimTrailingSeparators(final_folder), expected_folder) &&
         (EqualIgnoringCase(final_name, name) || EqualIgnoringCase(final_name, WithoutTrailingDotsAndBlanks(name)));
}

bool IsPlainEntry(const std::wstring& exact) {
  UniqueHandle entry = OpenEntry(exact, FILE_READ_ATTRIBUTES);
  return entry && IsItself(entry.get(), exact);
}

}  // namespace platform::win32
