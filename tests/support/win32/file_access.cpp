// The Windows side of the tests' file access: the read-only and archive
// attributes.

#include "tests/support/file_access.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/exact_path.h"
#include "platform/win32/temp_names.h"

namespace testing_support {

namespace {

std::wstring Exact(const std::string& real_path) {
  return platform::win32::ExactPath(real_path).value_or(std::wstring());
}

DWORD AttributesOf(const std::string& real_path) { return ::GetFileAttributesW(Exact(real_path).c_str()); }

}  // namespace

void MakeReadOnly(const std::string& real_path) {
  const DWORD attributes = AttributesOf(real_path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  ::SetFileAttributesW(Exact(real_path).c_str(), attributes | FILE_ATTRIBUTE_READONLY);
}

bool OwnerMayWrite(const std::string& real_path) {
  const DWORD attributes = AttributesOf(real_path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

std::optional<std::uint32_t> Comparable(std::optional<std::uint32_t> attributes) {
  if (!attributes) return attributes;
  return *attributes & ~platform::kAttrArchive;
}

bool KeepsDotHiddenLists() { return false; }

bool IsTemporaryName(const std::string& name) {
  return platform::win32::IsTempName(std::wstring(name.begin(), name.end()));
}

std::uint64_t NamesOfFile(const std::string& real_path) {
  platform::win32::UniqueHandle file = platform::win32::OpenEntry(Exact(real_path), FILE_READ_ATTRIBUTES);
  BY_HANDLE_FILE_INFORMATION info;
  if (!file || !::GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return 0;
  }
  return info.nNumberOfLinks;
}

const char kRealSeparator = '\\';
const char kHiddenMarks[] = "0x6";

void MakeFolders(const std::string& real_path) {
  const std::wstring exact = Exact(real_path);
  // Every level after "\\?\C:\".
  for (std::size_t at = exact.find(L'\\', 7); ; at = exact.find(L'\\', at + 1)) {
    ::CreateDirectoryW(exact.substr(0, at).c_str(), nullptr);
    if (at == std::wstring::npos) break;
  }
}

void MakeExactFile(const std::string& real_path, const std::string& bytes) {
  const HANDLE file = ::CreateFileW(Exact(real_path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

std::string ReadExactFile(const std::string& real_path) {
  const HANDLE file = ::CreateFileW(Exact(real_path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

bool ExactExists(const std::string& real_path) { return AttributesOf(real_path) != INVALID_FILE_ATTRIBUTES; }

void RemoveExactTree(const std::string& real_path) {
  const std::wstring exact = Exact(real_path);
  const DWORD attributes = ::GetFileAttributesW(exact.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  ::SetFileAttributesW(exact.c_str(), FILE_ATTRIBUTE_NORMAL);
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    ::DeleteFileW(exact.c_str());
    return;
  }
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileW((exact + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const int size = ::WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0,
                                             nullptr, nullptr);
      std::string utf8(static_cast<std::size_t>(size), '\0');
      ::WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), utf8.data(), size, nullptr,
                            nullptr);
      names.push_back(utf8);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  for (const std::string& name : names) RemoveExactTree(real_path + kRealSeparator + name);
  ::RemoveDirectoryW(exact.c_str());
}

std::string HiddenMarks(const std::string& real_path) {
  const DWORD attributes = AttributesOf(real_path);
  const DWORD marks = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & 0x6;
  if (marks == 0) return "";
  return "0x" + std::to_string(marks);
}

}  // namespace testing_support
