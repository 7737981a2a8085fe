// The folder watch on Windows: ReadDirectoryChangesW on the folder for its
// entries, and on its parent for the folder's own name, so that the folder
// being deleted or moved away is seen too; an event wakes the watch's thread.
// Every read is started, finished and cancelled on the watch's thread, as
// CancelIo wants.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/folder_watch_thread.h"
#include "platform/win32/exact_path.h"
#include "platform/win32/wide_text.h"

#include "platform/windows_path.h"

namespace platform {

namespace {

constexpr DWORD kNotifyFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
constexpr DWORD kBufferSize = 16 * 1024;

// One change that a folder reported: what happened and to which entry.
struct Notice {
  DWORD action;
  std::wstring name;
};

// The folder's name in the exact-name form; "" when it has none.
std::wstring Exact(const std::string& path) {
  return win32::ExactPath(path).value_or(std::wstring());
}

std::wstring Wide(const std::string& text) { return win32::WidenText(text); }

// The folder that holds `path` and the name `path` has in it; an empty
// parent for a drive root or a path without a folder above it.
struct Place {
  std::string parent;
  std::string name;
};

Place PlaceOf(std::string path) {
  // A long path: the parent reports entries under their long names.
  const std::wstring exact = Exact(path);
  std::wstring long_path(exact.size() + MAX_PATH, L'\0');
  const DWORD length = exact.empty() ? 0
                                     : ::GetLongPathNameW(exact.c_str(), long_path.data(),
                                                          static_cast<DWORD>(long_path.size()));
  if (length > 4 && length < long_path.size()) path = win32::Narrow(std::wstring_view(long_path).substr(4, length - 4));
  path = windows_path::TrimTrailingSeparators(path);
  // A drive's root and a path without a folder (or "C:name", relative to a
  // drive) have no parent to watch them from.
  const std::string parent = windows_path::FolderOf(path);
  const std::string name = windows_path::NameOf(path);
  if (parent.empty() || name.empty()) return {};
  return {parent, name};
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Exact(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The change notifications of one folder, read in the background: one read
// is always outstanding while the folder is open, and event() is signalled
// when it has finished.
class DirectoryReader {
 public:
  DirectoryReader() { overlapped_.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
  DirectoryReader(const DirectoryReader&) = delete;
  DirectoryReader& operator=(const DirectoryReader&) = delete;
  ~DirectoryReader() {
    Close();
    if (overlapped_.hEvent != nullptr) ::CloseHandle(overlapped_.hEvent);
  }

  bool Open(const std::string& path) {
    Close();
    if (overlapped_.hEvent == nullptr) return false;
    folder_ = ::CreateFileW(Exact(path).c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    if (folder_ == INVALID_HANDLE_VALUE) return false;
    if (!StartRead()) {
      Close();
      return false;
    }
    return true;
  }

  void Close() {
    if (folder_ == INVALID_HANDLE_VALUE) return;
    if (reading_) {
      // The read must be over before its buffer may be reused.
      ::CancelIo(folder_);
      DWORD ignored = 0;
      ::GetOverlappedResult(folder_, &overlapped_, &ignored, TRUE);
      reading_ = false;
    }
    ::CloseHandle(folder_);
    folder_ = INVALID_HANDLE_VALUE;
  }

  bool IsOpen() const { return folder_ != INVALID_HANDLE_VALUE; }
  HANDLE event() const { return overlapped_.hEvent; }

  // What a finished read brought.
  struct Taken {
    enum class Kind {
      kNotices,  // the changes in `notices`
      kLost,     // changes were lost (too many at once)
      kFailed,   // the folder can be read no more; the reader is closed
      kNone,     // the read has not finished
    } kind;
    std::vector<Notice> notices;
  };

  // Once event() is signalled: what the finished read brought, with the next
  // read started.
  Taken Take() {
    DWORD bytes = 0;
    const bool finished = ::GetOverlappedResult(folder_, &overlapped_, &bytes, FALSE) != 0;
    const DWORD error = finished ? ERROR_SUCCESS : ::GetLastError();
    if (!finished && error == ERROR_IO_INCOMPLETE) return {Taken::Kind::kNone, {}};
    reading_ = false;
    Taken taken{Taken::Kind::kLost, {}};
    if (!finished && error != ERROR_NOTIFY_ENUM_DIR) taken.kind = Taken::Kind::kFailed;
    // No bytes: the buffer was too small for what happened.
    if (finished && bytes > 0) taken = {Taken::Kind::kNotices, Parse(bytes)};
    if (taken.kind == Taken::Kind::kFailed || !StartRead()) {
      Close();
      return {Taken::Kind::kFailed, {}};
    }
    return taken;
  }

 private:
  bool StartRead() {
    ::ResetEvent(overlapped_.hEvent);
    reading_ = ::ReadDirectoryChangesW(folder_, buffer_, kBufferSize, FALSE, kNotifyFilter, nullptr, &overlapped_,
                                       nullptr) != 0;
    return reading_;
  }

  std::vector<Notice> Parse(DWORD bytes) const {
    // A record is its fixed part and a name of FileNameLength bytes (its
    // declared size counts one character and padding).
    constexpr DWORD kFixed = offsetof(FILE_NOTIFY_INFORMATION, FileName);
    std::vector<Notice> notices;
    DWORD at = 0;
    while (bytes >= kFixed && at <= bytes - kFixed) {
      const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer_ + at);
      if (info->FileNameLength > bytes - at - kFixed) break;
      notices.push_back({info->Action, std::wstring(info->FileName, info->FileNameLength / sizeof(WCHAR))});
      if (info->NextEntryOffset == 0) break;
      at += info->NextEntryOffset;
    }
    return notices;
  }

  HANDLE folder_ = INVALID_HANDLE_VALUE;
  OVERLAPPED overlapped_{};
  bool reading_ = false;
  alignas(DWORD) BYTE buffer_[kBufferSize];
};

class DirectoryChanges final : public FolderChanges {
 public:
  DirectoryChanges() : wake_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~DirectoryChanges() override {
    Close();
    if (wake_ != nullptr) ::CloseHandle(wake_);
  }

  bool Open(const std::string& native_path) override {
    Close();
    if (!IsFolder(native_path) || !folder_.Open(native_path)) return false;
    const Place place = PlaceOf(native_path);
    if (!place.parent.empty() && parent_.Open(place.parent)) name_ = Wide(place.name);
    path_ = native_path;
    return true;
  }

  void Close() override {
    folder_.Close();
    parent_.Close();
    name_.clear();
    path_.clear();
  }

  Seen Wait(int timeout_ms) override {
    HANDLE handles[3];
    DWORD count = 0;
    if (wake_ != nullptr) handles[count++] = wake_;
    if (folder_.IsOpen()) handles[count++] = folder_.event();
    if (parent_.IsOpen()) handles[count++] = parent_.event();
    // Without its wake-up event the thread looks for requests now and then.
    DWORD timeout = timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms);
    if (wake_ == nullptr && timeout > kPollWithoutWake) timeout = kPollWithoutWake;
    if (count == 0) {
      ::Sleep(timeout);
      return Seen::kNothing;
    }
    const DWORD got = ::WaitForMultipleObjects(count, handles, FALSE, timeout);
    if (got >= WAIT_OBJECT_0 + count) return Seen::kNothing;
    const HANDLE which = handles[got - WAIT_OBJECT_0];
    if (which == wake_) return Seen::kNothing;
    return which == folder_.event() ? FolderSeen() : ParentSeen();
  }

  void Wake() override {
    if (wake_ != nullptr) ::SetEvent(wake_);
  }

 private:
  static constexpr DWORD kPollWithoutWake = 50;

  Seen FolderSeen() {
    const DirectoryReader::Taken taken = folder_.Take();
    if (taken.kind == DirectoryReader::Taken::Kind::kFailed) return Seen::kGone;
    if (taken.kind == DirectoryReader::Taken::Kind::kLost) return Seen::kChanged;
    for (const Notice& notice : taken.notices) {
      if (notice.action == FILE_ACTION_MODIFIED || notice.name.empty() || notice.name[0] == L'.') continue;
      return Seen::kChanged;
    }
    return Seen::kNothing;
  }

  Seen ParentSeen() {
    const DirectoryReader::Taken taken = parent_.Take();
    // When the parent tells nothing certain, the folder is looked at itself.
    if (taken.kind == DirectoryReader::Taken::Kind::kFailed || taken.kind == DirectoryReader::Taken::Kind::kLost) {
      return IsFolder(path_) ? Seen::kNothing : Seen::kGone;
    }
    for (const Notice& notice : taken.notices) {
      const bool left = notice.action == FILE_ACTION_REMOVED || notice.action == FILE_ACTION_RENAMED_OLD_NAME;
      if (left && SameName(notice.name, name_)) return Seen::kGone;
    }
    return Seen::kNothing;
  }

  HANDLE wake_;
  DirectoryReader folder_;
  DirectoryReader parent_;
  std::wstring name_;    // the folder's name in its parent
  std::string path_;
};

}  // namespace

std::unique_ptr<FolderWatch> MakeFolderWatch() {
  return std::make_unique<FolderWatchThread>(std::make_unique<DirectoryChanges>());
}

}  // namespace platform
