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
#include "platform/win32/wide_text.h"

namespace testing_support {

namespace {

std::wstring Exact(const std::string& real_path) {
  return platform::win32::ExactPath(real_path).value_or(std::wstring());
}

DWORD AttributesOf(const std::string& real_path) { return ::GetFileAttributesW(Exact(real_path).c_str()); }

constexpr int kLinkWaits = 500;
constexpr DWORD kLinkWaitMilliseconds = 10;

// The Unix path of a Windows path under Wine; "" elsewhere.
std::string UnixPath(const std::string& real_path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto to_unix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (to_unix == nullptr) return "";
  const std::wstring wide(real_path.begin(), real_path.end());
  char* unix_path = to_unix(wide.c_str());
  if (unix_path == nullptr) return "";
  std::string out = unix_path;
  ::HeapFree(::GetProcessHeap(), 0, unix_path);
  return out;
}

// Runs a Unix program under Wine and waits for it (Wine reports no exit
// code of it worth reading); false when it could not be started.
bool RunUnix(const std::wstring& program, std::wstring command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

}  // namespace

namespace {

// The Unix path of the entry at a real path; Wine names none for what does
// not exist, so it is its folder's and its name.
std::string UnixEntryPath(const std::string& real_path) {
  const std::size_t last = real_path.rfind('\\');
  const std::string folder = last == std::string::npos ? "" : UnixPath(real_path.substr(0, last));
  return folder.empty() ? "" : folder + "/" + real_path.substr(last + 1);
}

std::wstring Quoted(const std::string& text) { return L" \"" + std::wstring(text.begin(), text.end()) + L"\""; }

// Wine does not wait for the end of a Unix program: waits until the entry
// is there (or gone).
bool AwaitEntry(const std::string& real_path, bool there) {
  for (int tries = 0; tries < kLinkWaits; ++tries) {
    if ((AttributesOf(real_path) != INVALID_FILE_ATTRIBUTES) == there) return true;
    ::Sleep(kLinkWaitMilliseconds);
  }
  return false;
}

}  // namespace

bool MakeLink(const std::string& target_path, const std::string& link_path) {
  const std::string target = UnixPath(target_path);
  const std::string link = UnixEntryPath(link_path);
  if (!target.empty() && !link.empty()) {
    // Wine makes no link of its own (CreateSymbolicLink does nothing there).
    return RunUnix(L"Z:\\bin\\ln", L"/bin/ln -s" + Quoted(target) + Quoted(link)) && AwaitEntry(link_path, true);
  }
  const DWORD attributes = AttributesOf(target_path);
  const DWORD flags = (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                          ? SYMBOLIC_LINK_FLAG_DIRECTORY
                          : 0;
  return ::CreateSymbolicLinkW(Exact(link_path).c_str(), Exact(target_path).c_str(), flags) != 0;
}

void RemoveLink(const std::string& link_path) {
  const std::string link = UnixEntryPath(link_path);
  if (!link.empty()) {
    if (RunUnix(L"Z:\\bin\\rm", L"/bin/rm -f" + Quoted(link))) AwaitEntry(link_path, false);
    return;
  }
  const DWORD attributes = AttributesOf(link_path);
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    ::RemoveDirectoryW(Exact(link_path).c_str());
  } else {
    ::DeleteFileW(Exact(link_path).c_str());
  }
}

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

std::string LeftoverName() { return "qlm0123456789abcdef.tmp"; }

std::uint64_t NamesOfFile(const std::string& real_path) {
  platform::win32::UniqueHandle file = platform::win32::OpenEntry(Exact(real_path), FILE_READ_ATTRIBUTES);
  BY_HANDLE_FILE_INFORMATION info;
  if (!file || !::GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return 0;
  }
  return info.nNumberOfLinks;
}

std::string ListedForm(const std::string& eight_bit) { return platform::win32::FromCodePage(eight_bit); }

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
