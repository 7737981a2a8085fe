// The file system of the program on Windows: the Windows calls themselves,
// on paths as they are, or on drives mapped onto folders for tests and tools.
// The program's text is UTF-8; every call takes the wide-character,
// exact-name form of its path, so that each name reaches its own entry.

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/progress.h"
#include "platform/win32/drive_roots.h"
#include "platform/win32/exact_path.h"
#include "platform/win32/private_folder.h"
#include "platform/win32/record_lock_file.h"
#include "platform/win32/temp_names.h"
#include "platform/win32/wide_text.h"
#include "platform/windows_path.h"

namespace platform {

namespace {

// How long a replace waits for a reader of the old file to let go.
constexpr int kReplaceAttempts = 50;
constexpr DWORD kReplaceRetryMilliseconds = 10;
// How many fresh temporary names a write tries before it gives up.
constexpr int kTempNameAttempts = 16;

using win32::DriveRoots;
using win32::ExactPath;
using win32::UniqueHandle;

// The bits this program sets and reads.
constexpr DWORD kSettableBits = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
constexpr DWORD kReportedBits = kSettableBits | kAttrDirectory;
constexpr DWORD kReadChunk = 64 * 1024;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
using windows_path::kSeparator;
constexpr wchar_t kAllEntries[] = L"*";
constexpr char kRecordLockFile[] = "quillomar.lock";
constexpr char kDriveFolderPattern[] = "drive_";
// The drives a test prefix is made with, and the letter that reaches the real
// drive that holds the prefix (as Z: reaches "/" on Linux).
constexpr char kDefaultDrives[] = {'C', 'D'};
constexpr char kRealDriveLetter = 'Z';
constexpr char kFirstDriveLetter = 'A';
// Seconds between 1601 and 1970 do not matter here: stamps are only compared.
constexpr std::int64_t kNanoSecondsPerTick = 100;


bool IsFolder(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A symbolic link or another reparse point: never read or written through.
bool IsLink(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

DWORD AttributesOf(const std::wstring& exact) { return ::GetFileAttributesW(exact.c_str()); }

// True for a name that can be one entry of a folder: no separator, nothing
// a Windows name cannot hold, not "." or "..".
bool IsOneName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         !windows_path::HoldsForbiddenCharacter(name);
}

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Folders have no read-only state in this program (on Windows the bit only
// marks customised folders), so it is neither set nor reported on them.
std::uint32_t Reported(DWORD attributes) {
  std::uint32_t bits = attributes & kReportedBits;
  if ((bits & kAttrDirectory) != 0) bits &= ~kAttrReadOnly;
  return bits;
}



bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kReadChunk));
    if (!::WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

// Reads the folder's entries, "." and ".." included, calling `each` with
// each one's data; false when the folder cannot be enumerated. An empty
// drive has not even "." and "..", which is no failure.
template <typename Each>
bool ForEachEntry(const std::wstring& folder, Each each) {
  const std::wstring pattern = windows_path::JoinName(folder, std::wstring(kAllEntries));
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    each(found);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return true;
}

// Removes everything in the folder and the folder, read-only entries too.
// A link or another reparse point is never entered: a link to a folder is
// removed as itself, and an entry that Wine resolves elsewhere (a Unix link
// to a file, which its delete would reach through) is left in place.
bool RemoveTree(const std::wstring& folder) {
  bool all = ForEachEntry(folder, [&](const WIN32_FIND_DATAW& found) {
    if (IsDotOrDotDot(found.cFileName)) return;
    const std::wstring path = windows_path::JoinName(folder, std::wstring(found.cFileName));
    if (IsLink(found.dwFileAttributes)) {
      if (IsFolder(found.dwFileAttributes)) {
        ::RemoveDirectoryW(path.c_str());
      } else {
        ::DeleteFileW(path.c_str());
      }
      return;
    }
    if (!win32::IsPlainEntry(path)) return;
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (IsFolder(found.dwFileAttributes)) {
      RemoveTree(path);
    } else {
      ::DeleteFileW(path.c_str());
    }
  });
  ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  return ::RemoveDirectoryW(folder.c_str()) != 0 && all;
}

class Win32FileSystem final : public FileSystem {
 public:
  // `lock_path` is the real path of the records' lock file, `shown_lock_path`
  // its Windows path as the program names it.
  Win32FileSystem(DriveRoots roots, std::string desktop, std::string lock_path, std::string shown_lock_path)
      : roots_(std::move(roots)),
        desktop_(std::move(desktop)),
        shown_lock_path_(std::move(shown_lock_path)),
        record_lock_(std::move(lock_path)) {}

  // Windows keeps attributes in the entry itself and resolves letter case
  // by itself: one call per item is all there is to it.
  std::vector<AttributesResult> SetItemsAttributes(const std::vector<std::string>& paths,
                                                   std::uint32_t attributes,
                                                   LastNameMatch) override {
    std::vector<AttributesResult> results(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
      ReportProgress();
      std::optional<std::wstring> exact = Exact(paths[i]);
      results[i].applied = exact && Apply(*exact, attributes);
      results[i].absent = exact && !results[i].applied && IsAbsent(paths[i], *exact);
    }
    return results;
  }

  std::vector<AttributesResult> SetEntriesAttributes(const std::vector<FolderEntry>& entries,
                                                     std::uint32_t attributes) override {
    std::vector<AttributesResult> results(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      ReportProgress();
      std::optional<std::wstring> exact = EntryPath(entries[i]);
      results[i].applied = exact && Apply(*exact, attributes);
    }
    return results;
  }

  bool CanMarkItself(const FolderEntry& entry) override {
    std::optional<std::wstring> exact = EntryPath(entry);
    if (!exact) return true;
    UniqueHandle handle = win32::OpenEntry(*exact, FILE_READ_ATTRIBUTES);
    FILE_BASIC_INFO info;
    if (!handle || !::GetFileInformationByHandleEx(handle.get(), FileBasicInfo, &info, sizeof info)) return true;
    // As Apply marks it: a link as the link, anything else only as itself.
    return IsLink(info.FileAttributes) || win32::IsItself(handle.get(), *exact);
  }

  bool SameItem(const std::string& a, const std::string& b) override {
    std::optional<std::wstring> first = Exact(a);
    std::optional<std::wstring> second = Exact(b);
    if (!first || !second) return false;
    const std::optional<FileIdentity> one = IdentityOf(*first);
    return one && one == IdentityOf(*second);
  }

  std::optional<std::uint32_t> GetAttributes(const std::string& path) override {
    std::optional<std::wstring> exact = Exact(path);
    if (!exact) return std::nullopt;
    const DWORD attributes = AttributesOf(*exact);
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return Reported(attributes);
  }

  bool CreateFolder(const std::string& path) override {
    std::optional<std::wstring> exact = Exact(path);
    if (!exact) return false;
    if (IsFolder(AttributesOf(*exact))) return true;
    // Every missing level from the innermost existing one down.
    std::vector<std::wstring> missing;
    for (std::wstring level = *exact; !level.empty() && !IsFolder(AttributesOf(level));) {
      missing.push_back(level);
      const std::wstring parent = windows_path::FolderOf(level);
      if (parent == level || parent.size() <= 4) break;
      level = parent;
    }
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
      ::CreateDirectoryW(level->c_str(), nullptr);
    }
    return IsFolder(AttributesOf(*exact));
  }

  bool DeleteFolder(const std::string& path) override {
    std::optional<std::string> real = roots_.Resolve(path);
    if (!real || windows_path::NamesWholeDrive(path) || windows_path::EndsWithSeparator(*real)) return false;
    std::optional<std::wstring> exact = ExactPath(*real);
    if (!exact) return false;
    const DWORD attributes = AttributesOf(*exact);
    if (!IsFolder(attributes)) return false;
    // A link in the folder's place goes as itself; what it leads to stays.
    if (IsLink(attributes)) return ::RemoveDirectoryW(exact->c_str()) != 0;
    if (!win32::IsPlainEntry(*exact)) return false;
    RemoveTree(*exact);
    return AttributesOf(*exact) == INVALID_FILE_ATTRIBUTES;
  }

  bool CopyFile(const std::string& from, const std::string& to) override {
    std::optional<std::wstring> source = Exact(from);
    std::optional<std::wstring> target = Exact(to);
    if (!source || !target || !IsFile(AttributesOf(*source)) || !win32::IsPlainEntry(*source)) return false;
    std::optional<DWORD> kept = WritableTarget(*target, LinkInPlace::kReplaced);
    if (!kept) return false;
    // The copy is made beside the target and moved over it, so that a failed
    // copy leaves the target as it was. A new target keeps the source's
    // attributes, as CopyFile gives them; an old one keeps its own.
    UniqueHandle in(::CreateFileW(source->c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (in.get() == INVALID_HANDLE_VALUE) {
      in.release();
      return false;
    }
    std::string bytes;
    if (!ReadWhole(in.get(), &bytes)) return false;
    if (*kept == 0) {
      FILE_BASIC_INFO info;
      if (::GetFileInformationByHandleEx(in.get(), FileBasicInfo, &info, sizeof info)) {
        kept = info.FileAttributes & kSettableBits;
      }
    }
    in.reset();
    return WriteBeside(*target, bytes, *kept);
  }

  bool MoveFile(const std::string& from, const std::string& to) override {
    std::optional<std::wstring> source = Exact(from);
    std::optional<std::wstring> target = Exact(to);
    if (!source || !target || windows_path::NamesWholeDrive(from) || windows_path::NamesWholeDrive(to)) {
      return false;
    }
    return ::MoveFileExW(source->c_str(), target->c_str(), 0) != 0;
  }

  bool RenameEntry(const FolderEntry& entry, const std::string& new_name) override {
    std::optional<std::wstring> source = EntryPath(entry);
    std::optional<std::wstring> target = EntryPath({entry.folder, new_name});
    return source && target && ::MoveFileExW(source->c_str(), target->c_str(), 0) != 0;
  }

  bool LinkFile(const std::string& from, const std::string& to) override {
    std::optional<std::wstring> source = Exact(from);
    std::optional<std::wstring> target = Exact(to);
    if (!source || !target || windows_path::NamesWholeDrive(to)) return false;
    const DWORD attributes = AttributesOf(*source);
    if (!IsFile(attributes) || IsLink(attributes)) return false;
    if (AttributesOf(*target) != INVALID_FILE_ATTRIBUTES) return false;
    return ::CreateHardLinkW(target->c_str(), source->c_str(), nullptr) != 0;
  }

  bool DeleteFile(const std::string& path) override {
    std::optional<std::wstring> exact = Exact(path);
    if (!exact) return false;
    const DWORD attributes = AttributesOf(*exact);
    // Windows refuses read-only files; checked here as well because Wine
    // run by root would not.
    if (!IsFile(attributes) || (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    // A link goes as itself; a name that Wine resolves elsewhere stays, as
    // its delete would remove what it leads to.
    if (!IsLink(attributes) && !win32::IsPlainEntry(*exact)) return false;
    return ::DeleteFileW(exact->c_str()) != 0;
  }

  bool FileExists(const std::string& path) override {
    std::optional<std::wstring> exact = Exact(path);
    return exact && IsFile(AttributesOf(*exact));
  }

  bool FolderExists(const std::string& path) override {
    std::optional<std::wstring> exact = Exact(path);
    return exact && IsFolder(AttributesOf(*exact));
  }

  std::optional<std::vector<DirEntry>> ListFolder(const std::string& folder) override {
    std::optional<std::wstring> exact = Exact(folder);
    if (!exact) return std::nullopt;
    std::vector<DirEntry> entries;
    const bool listed = ForEachEntry(*exact, [&](const WIN32_FIND_DATAW& found) {
      ReportProgress();
      entries.push_back({win32::Narrow(found.cFileName), Reported(found.dwFileAttributes)});
    });
    if (!listed || (entries.empty() && !IsFolder(AttributesOf(*exact)))) return std::nullopt;
    return entries;
  }

  std::optional<std::vector<std::string>> ListFolderNames(const std::string& folder) override {
    std::optional<std::vector<DirEntry>> entries = ListFolder(folder);
    if (!entries) return std::nullopt;
    std::vector<std::string> names;
    names.reserve(entries->size());
    for (DirEntry& entry : *entries) names.push_back(std::move(entry.name));
    return names;
  }

  ReadResult ReadFile(const std::string& path) override {
    StampedRead read = ReadStamped(path, [](const FileStamp&) { return StampVerdict::kRead; });
    return {read.status, std::move(read.bytes)};
  }

  // One opening of the file gives the stamps and the bytes: each opening
  // costs a round trip to the server under Wine.
  StampedRead ReadStamped(const std::string& path,
                          const std::function<StampVerdict(const FileStamp&)>& look) override {
    StampedRead result;
    std::optional<std::string> real = roots_.Resolve(path);
    std::optional<std::wstring> exact = real ? ExactPath(*real) : std::nullopt;
    if (!exact) return result;
    HANDLE handle = ::CreateFileW(exact->c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS |
                                      FILE_FLAG_SEQUENTIAL_SCAN,
                                  nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) result.status = ReadStatus::kError;
      return result;
    }
    UniqueHandle file(handle);
    DWORD attributes = 0;
    result.before = StampOf(file.get(), *real, &attributes);
    result.status = ReadStatus::kError;
    if (!result.before || IsFolder(attributes) || IsLink(attributes)) return result;
    if (!ToReadAfter(look(*result.before), result)) return result;
    result.bytes.reserve(static_cast<std::size_t>(result.before->size));
    if (!ReadWhole(file.get(), &result.bytes)) {
      result.bytes.clear();
      return result;
    }
    result.status = ReadStatus::kOk;
    const std::optional<FileStamp> after = StampOf(file.get(), *real, nullptr);
    if (after && *after == *result.before && after->size == result.bytes.size()) result.after = after;
    return result;
  }

  bool ReplaceFile(const std::string& path, const std::string& bytes) override {
    return ReplaceFileStamped(path, bytes).replaced;
  }

  Replacement ReplaceFileStamped(const std::string& path, const std::string& bytes) override {
    std::optional<std::string> real = roots_.Resolve(path);
    std::optional<std::wstring> exact = real ? ExactPath(*real) : std::nullopt;
    if (!exact) return {};
    std::optional<DWORD> kept = WritableTarget(*exact);
    if (!kept) return {};
    std::optional<FileStamp> stamp;
    if (!WriteBeside(*exact, bytes, *kept, [&](HANDLE written) { stamp = StampOf(written, *real, nullptr); })) {
      return {};
    }
    return {true, stamp};
  }

  std::optional<FileStamp> Stamp(const std::string& path) override {
    std::optional<std::string> real = roots_.Resolve(path);
    std::optional<std::wstring> exact = real ? ExactPath(*real) : std::nullopt;
    if (!exact) return std::nullopt;
    UniqueHandle file = win32::OpenEntry(*exact, FILE_READ_ATTRIBUTES);
    return file ? StampOf(file.get(), *real, nullptr) : std::nullopt;
  }

  // Only names of exactly the temporary files' form, and only regular files
  // that are themselves (never a link, nor what one leads to), go.
  bool RemoveLeftoverTemporaryFiles(const std::string& folder) override {
    std::optional<std::wstring> exact = Exact(folder);
    if (!exact || !IsFolder(AttributesOf(*exact))) return false;
    const std::wstring& base = *exact;
    bool all_removed = true;
    ForEachEntry(base, [&](const WIN32_FIND_DATAW& found) {
      if (!win32::IsTempName(found.cFileName) || !IsFile(found.dwFileAttributes) ||
          IsLink(found.dwFileAttributes)) {
        return;
      }
      const std::wstring path = windows_path::JoinName(base, std::wstring(found.cFileName));
      if (!RemoveLeftover(path)) all_removed = false;
    });
    return all_removed;
  }

  bool KeepPrivate(const std::string& folder) override {
    std::optional<std::string> real = roots_.Resolve(folder);
    return real && win32::KeepFolderPrivate(*real);
  }

  std::vector<char> Drives() override {
    std::vector<char> letters;
    if (const std::map<char, std::string>* roots = roots_.roots()) {
      for (const auto& [letter, folder] : *roots) {
        std::optional<std::wstring> exact = ExactPath(folder + kSeparator);
        if (exact && IsFolder(AttributesOf(*exact))) letters.push_back(letter);
      }
      return letters;
    }
    const DWORD mask = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
      if ((mask & (1u << i)) != 0) letters.push_back(static_cast<char>('A' + i));
    }
    return letters;
  }

  std::string DesktopPath() override { return desktop_; }

  std::unique_ptr<RecordLock> LockRecords() override { return record_lock_.Acquire(); }

  std::string RecordLockPath() override { return shown_lock_path_; }

  std::string NativePath(const std::string& path) override {
    return roots_.Resolve(path).value_or(std::string());
  }

 private:
  // What tells one file or folder from every other: its volume and number.
  struct FileIdentity {
    DWORD volume = 0;
    std::uint64_t number = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
  };

  // The identity of what the exact path leads to (links followed); nullopt
  // when it leads nowhere.
  static std::optional<FileIdentity> IdentityOf(const std::wstring& exact) {
    HANDLE handle = ::CreateFileW(exact.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const UniqueHandle file(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
    BY_HANDLE_FILE_INFORMATION information{};
    const std::optional<std::uint64_t> number = win32::FileNumber(file.get());
    if (!file || !number || !::GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber, *number};
  }

  // Deletes the leftover temporary file at the exact path through one handle
  // of it, which first loses its read-only mark. What is not the program's
  // own file is left as it is: a link, a name that Wine resolves elsewhere,
  // and a second name of a file (whose marks are that file's, under all its
  // names). False when the file is still there.
  static bool RemoveLeftover(const std::wstring& exact) {
    UniqueHandle file = win32::OpenEntry(exact, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES);
    BY_HANDLE_FILE_INFORMATION names;
    if (!file || !::GetFileInformationByHandle(file.get(), &names)) return false;
    if (!IsFile(names.dwFileAttributes) || !win32::IsItself(file.get(), exact) || names.nNumberOfLinks != 1) {
      return true;
    }
    if ((names.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
      FILE_BASIC_INFO info{};
      // Zero times leave them as they are.
      info.FileAttributes = names.dwFileAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
      if (info.FileAttributes == 0) info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
      if (!::SetFileInformationByHandle(file.get(), FileBasicInfo, &info, sizeof info)) return false;
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    return ::SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition, sizeof disposition) != 0;
  }

  // True when nothing is at the exact path of `path` (its folder may be gone
  // too) on a volume that is there. A missing drive, a root that does not
  // answer, a device that is not ready or an empty root show that the volume
  // is away, and its items come back with it.
  bool IsAbsent(const std::string& path, const std::wstring& exact) const {
    if (AttributesOf(exact) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
    const std::optional<std::wstring> root = Exact(windows_path::DriveRoot(path[0]));
    return root && HoldsAnEntry(*root);
  }

  // True when the folder answers and holds an entry besides "." and "..".
  static bool HoldsAnEntry(const std::wstring& folder) {
    const std::wstring pattern = windows_path::JoinName(folder, std::wstring(kAllEntries));
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool holds = false;
    do {
      holds = !IsDotOrDotDot(found.cFileName);
    } while (!holds && ::FindNextFileW(search, &found));
    ::FindClose(search);
    return holds;
  }

  // The exact-name form of the path's real place; nullopt when it leads
  // nowhere.
  std::optional<std::wstring> Exact(const std::string& path) const {
    std::optional<std::string> real = roots_.Resolve(path);
    if (!real) return std::nullopt;
    return ExactPath(*real);
  }

  // The exact-name form of the entry of exactly that name in the folder;
  // nullopt for a name that cannot be one entry's.
  std::optional<std::wstring> EntryPath(const FolderEntry& entry) const {
    std::optional<std::string> folder = roots_.Resolve(entry.folder);
    if (!folder || !IsOneName(entry.name)) return std::nullopt;
    return ExactPath(windows_path::Join(*folder, entry.name));
  }

  // Makes the attribute set of the entry exactly `attributes` (read-only
  // left out for folders), on the entry itself: a link as the link, and
  // never a file that Wine reaches through a Unix link (its attributes are
  // the target's). False when it is missing or refuses.
  static bool Apply(const std::wstring& exact, std::uint32_t attributes) {
    UniqueHandle entry = win32::OpenEntry(exact, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES);
    FILE_BASIC_INFO info;
    if (!entry || !::GetFileInformationByHandleEx(entry.get(), FileBasicInfo, &info, sizeof info)) return false;
    const DWORD now = info.FileAttributes;
    if (!IsLink(now) && !win32::IsItself(entry.get(), exact)) return false;
    DWORD wanted = attributes & kSettableBits;
    if (IsFolder(now)) wanted &= ~static_cast<DWORD>(kAttrReadOnly);
    if ((now & kSettableBits) == wanted) return true;
    // Zero times and attributes leave them as they are.
    info.CreationTime.QuadPart = info.LastAccessTime.QuadPart = 0;
    info.LastWriteTime.QuadPart = info.ChangeTime.QuadPart = 0;
    info.FileAttributes = (now & ~kSettableBits & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL)) | wanted;
    if (info.FileAttributes == 0) info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(entry.get(), FileBasicInfo, &info, sizeof info) != 0;
  }

  static bool ReadWhole(HANDLE file, std::string* bytes) {
    char buffer[kReadChunk];
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(file, buffer, sizeof buffer, &read, nullptr)) return false;
      if (read == 0) return true;
      bytes->append(buffer, read);
      ReportProgress();
    }
  }

  // The attributes that new content for the entry must keep: the old
  // file's, or none for a new file. nullopt when Windows would refuse the
  // write: a folder or a read-only file in the way, or no folder to hold
  // it; and for a link in the way unless `link_goes` lets the new file
  // replace it (as itself: a link's target never takes the write).
  enum class LinkInPlace { kRefused, kReplaced };
  static std::optional<DWORD> WritableTarget(const std::wstring& exact,
                                             LinkInPlace link_goes = LinkInPlace::kRefused) {
    if (windows_path::EndsWithSeparator(exact)) return std::nullopt;
    const DWORD attributes = AttributesOf(exact);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      if (!IsFolder(AttributesOf(windows_path::FolderOf(exact)))) return std::nullopt;
      return 0;
    }
    if (IsLink(attributes)) {
      if (link_goes == LinkInPlace::kRefused) return std::nullopt;
      return 0;
    }
    if (IsFolder(attributes) || (attributes & FILE_ATTRIBUTE_READONLY) != 0) return std::nullopt;
    if (link_goes == LinkInPlace::kReplaced && !win32::IsPlainEntry(exact)) return 0;
    return attributes & kSettableBits;
  }

  // Writes `bytes` to a new temporary file beside the entry, durably, with
  // the attributes `kept`, and moves it over the entry. The temporary file
  // is made with its name (never one that exists) and written and moved
  // through the one handle that made it; `committed` is shown that handle
  // once the file stands at the entry's name.
  static bool WriteBeside(const std::wstring& exact, const std::string& bytes, DWORD kept,
                          const std::function<void(HANDLE)>& committed = {}) {
    const std::wstring folder = windows_path::FolderOf(exact);
    std::wstring temp;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kTempNameAttempts && handle == INVALID_HANDLE_VALUE; ++attempt) {
      temp = windows_path::JoinName(folder, win32::NewTempName());
      // Hidden and system are given at creation, so that the file never
      // shows without them. Readers may open it once it stands at the
      // entry's name, while this handle still takes its stamp.
      handle = ::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                             kept == 0 ? FILE_ATTRIBUTE_NORMAL : kept, nullptr);
      if (handle == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (handle == INVALID_HANDLE_VALUE) return false;
    UniqueHandle file(handle);
    const bool written = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    ReportProgress();
    if (written && MoveOpenFile(file.get(), exact)) {
      if (committed) committed(file.get());
      return true;
    }
    file.reset();
    if (written && Commit(temp, exact)) return true;
    ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(temp.c_str());
    return false;
  }

  // Moves the open file over the entry by its handle, in one step; false
  // when the system refuses (the name-based move below then tries again).
  static bool MoveOpenFile(HANDLE file, const std::wstring& exact) {
    const std::size_t name_bytes = exact.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name_bytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name_bytes);
    std::memcpy(rename->FileName, exact.c_str(), name_bytes + sizeof(wchar_t));
    return ::SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != 0;
  }

  // Moves the finished temporary file over the entry, durably.
  static bool Commit(const std::wstring& temp, const std::wstring& exact) {
    // A file that another copy of the program is reading at this moment
    // cannot be replaced; such a read takes milliseconds, so try again for a
    // short while before reporting the write as failed.
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
      if (::MoveFileExW(temp.c_str(), exact.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
      }
      const DWORD error = ::GetLastError();
      if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
      ::Sleep(kReplaceRetryMilliseconds);
    }
    return false;
  }

  // From what the system keeps with the open handle (size, times, file
  // number) and the volume's number, asked once per volume: asking the
  // handle for its volume costs more than all the rest (under Wine).
  // `attributes`, when given, receives the entry's attributes.
  std::optional<FileStamp> StampOf(HANDLE file, const std::string& real, DWORD* attributes) {
    FILE_BASIC_INFO basic;
    FILE_STANDARD_INFO standard;
    if (!::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
        !::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard)) {
      return std::nullopt;
    }
    const std::optional<std::uint64_t> number = win32::FileNumber(file);
    if (!number) return std::nullopt;
    if (attributes != nullptr) *attributes = basic.FileAttributes;
    FileStamp stamp;
    stamp.device = VolumeNumber(real);
    stamp.inode = *number;
    stamp.size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
    stamp.modified_ns = basic.LastWriteTime.QuadPart * kNanoSecondsPerTick;
    stamp.changed_ns = basic.ChangeTime.QuadPart * kNanoSecondsPerTick;
    return stamp;
  }

  // The number of the volume that holds the real path, by its drive.
  std::uint64_t VolumeNumber(const std::string& real) {
    const std::string root = windows_path::HasDriveLetter(real) ? windows_path::DriveRoot(real[0]) : std::string();
    const std::lock_guard<std::mutex> lock(volumes_mutex_);
    const auto known = volumes_.find(root);
    if (known != volumes_.end()) return known->second;
    DWORD serial = 0;
    if (!root.empty()) {
      ::GetVolumeInformationW(win32::WidenText(root).c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0);
    }
    volumes_[root] = serial;
    return serial;
  }

  DriveRoots roots_;
  std::mutex volumes_mutex_;
  std::map<std::string, std::uint64_t> volumes_;
  std::string desktop_;
  std::string shown_lock_path_;
  win32::RecordLockFile record_lock_;
};

// The full path of a path, in the program's text, without a trailing
// backslash except on a drive.
std::string FullPath(const std::string& path) {
  std::optional<std::wstring> wide = win32::Widen(path);
  if (!wide) return path;
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = ::GetFullPathNameW(wide->c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = ::GetFullPathNameW(wide->c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  std::string out = (length == 0 || length >= full.size()) ? path : win32::Narrow(full.substr(0, length));
  return windows_path::TrimTrailingSeparators(out);
}

std::string UserDesktop() {
  wchar_t folder[MAX_PATH];
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, folder))) {
    return win32::Narrow(folder);
  }
  return "";
}

std::string WindowsFolder() {
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
  return (length == 0 || length >= MAX_PATH) ? std::string("C:\\WINDOWS")
                                             : win32::Narrow(std::wstring_view(folder, length));
}

void CreateRealFolder(const std::string& path) {
  if (std::optional<std::wstring> exact = ExactPath(path)) ::CreateDirectoryW(exact->c_str(), nullptr);
}

}  // namespace

std::unique_ptr<FileSystem> MakeFileSystem() {
  // The records live in the Windows folder, so their lock does too.
  const std::string lock_path = WindowsFolder() + kSeparator + kRecordLockFile;
  return std::make_unique<Win32FileSystem>(DriveRoots(), UserDesktop(), lock_path, lock_path);
}

std::unique_ptr<FileSystem> MakeFileSystemAt(const std::string& prefix_folder,
                                             const std::string& desktop_folder) {
  const std::string prefix = FullPath(prefix_folder);
  std::map<char, std::string> roots;
  CreateRealFolder(prefix);
  // Every other letter leads to the prefix's folder of its name: a drive
  // that is there while that folder is, as a drive added to the prefix.
  for (char letter = kFirstDriveLetter; letter < kRealDriveLetter; ++letter) {
    roots[letter] =
        windows_path::Join(prefix, kDriveFolderPattern + std::string(1, windows_path::FoldCase(letter)));
  }
  for (char letter : kDefaultDrives) CreateRealFolder(roots[letter]);
  // The letter that reaches the real drive of the prefix, so that any real
  // folder on it has a Windows path here too.
  roots[kRealDriveLetter] = std::string(windows_path::DrivePart(prefix));
  std::string desktop = desktop_folder.empty() ? UserDesktop() : FullPath(desktop_folder);
  if (!windows_path::DrivePart(desktop).empty() && windows_path::DrivePart(desktop) == windows_path::DrivePart(prefix)) {
    desktop = std::string{kRealDriveLetter, windows_path::kDriveColon} + std::string(windows_path::AfterDrive(desktop));
  }
  const std::string lock_path = prefix + kSeparator + kRecordLockFile;
  const std::string shown_lock_path =
      std::string{kRealDriveLetter, windows_path::kDriveColon} + std::string(windows_path::AfterDrive(lock_path));
  return std::make_unique<Win32FileSystem>(DriveRoots(std::move(roots)), desktop, lock_path, shown_lock_path);
}

std::string DefaultPrefixFolder() { return ""; }

}  // namespace platform
