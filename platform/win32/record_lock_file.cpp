#include "platform/win32/record_lock_file.h"

#include <windows.h>

#include <optional>

#include "platform/win32/exact_path.h"

namespace platform::win32 {

namespace {
// The whole file, however long it grows.
constexpr DWORD kWholeFile = 0xFFFFFFFF;
}  // namespace

RecordLockFile::RecordLockFile(std::string lock_path) : lock_path_(std::move(lock_path)) {}

RecordLockFile::~RecordLockFile() {
  if (handle_ != nullptr) ::CloseHandle(handle_);
}

bool RecordLockFile::LockFirst() {
  const std::optional<std::wstring> exact = ExactPath(lock_path_);
  if (!exact) return false;
  HANDLE file = ::CreateFileW(exact->c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  OVERLAPPED whole{};
  if (::GetFileType(file) == FILE_TYPE_DISK &&
      ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, kWholeFile, kWholeFile, &whole)) {
    handle_ = file;
    return true;
  }
  ::CloseHandle(file);
  return false;
}

void RecordLockFile::UnlockLast() {
  if (handle_ == nullptr) return;
  // Closing the handle releases its lock.
  ::CloseHandle(handle_);
  handle_ = nullptr;
}

}  // namespace platform::win32
