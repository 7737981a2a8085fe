// The file system of the program on Windows: the Windows calls themselves,
// on paths as they are, or on drives mapped onto folders for tests and tools.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/progress.h"
#include "platform/win32/drive_roots.h"
#include "platform/win32/record_lock_file.h"
#include "platform/windows_path.h"

namespace platform {

namespace {

// How long a replace waits for a reader of the old file to let go.
constexpr int kReplaceAttempts = 50;
constexpr DWORD kReplaceRetryMilliseconds = 10;

using win32::DriveRoots;

// The bits this program sets and reads.
constexpr DWORD kSettableBits = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
constexpr DWORD kReportedBits = kSettableBits | kAttrDirectory;
constexpr DWORD kReadChunk = 64 * 1024;
using windows_path::kSeparator;
constexpr char kAllEntries[] = "\\*";
// GetTempFileName names its files this prefix, four hex digits and ".TMP".
constexpr char kTempPrefix[] = "qlm";
constexpr char kLeftoverPattern[] = "\\qlm????.tmp";
// A path in this form reaches an entry by its exact name: Windows drops
// neither trailing dots nor blanks from it.
constexpr char kVerbatimPrefix[] = "\\\\?\\";
constexpr char kRecordLockFile[] = "quillomar.lock";
constexpr char kDriveFolderPattern[] = "drive_";
// The drives a test prefix is made with, and the letter that reaches the real
// drive that holds the prefix (as Z: reaches "/" on Linux).
constexpr char kDefaultDrives[] = {'C', 'D'};
constexpr char kRealDriveLetter = 'Z';
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

// True for a name that can be one entry of a folder: no separator, nothing
// a Windows name cannot hold, not "." or "..".
bool IsOneName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         !windows_path::HoldsForbiddenCharacter(name);
}

// Folders have no read-only state in this program (on Windows the bit only
// marks customised folders), so it is neither set nor reported on them.
std::uint32_t Reported(DWORD attributes) {
  std::uint32_t bits = attributes & kReportedBits;
  if ((bits & kAttrDirectory) != 0) bits &= ~kAttrReadOnly;
  return bits;
}

std::int64_t NanoSeconds(const FILETIME& time) {
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return static_cast<std::int64_t>(ticks) * kNanoSecondsPerTick;
}

struct HandleCloser {
  void operator()(void* handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

UniqueHandle Open(const std::string& path, DWORD access, DWORD disposition, DWORD flags) {
  HANDLE handle = ::CreateFileA(path.c_str(), access,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                disposition, flags, nullptr);
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
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

// Removes what the shell left of a folder: every entry, read-only ones too.
bool RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder + kAllEntries).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + kSeparator + name;
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(path);
      } else {
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  return ::RemoveDirectoryA(folder.c_str()) != 0;
}

class Win32FileSystem final : public FileSystem {
 public:
  Win32FileSystem(DriveRoots roots, std::string desktop, std::string lock_path)
      : roots_(std::move(roots)), desktop_(std::move(desktop)), record_lock_(std::move(lock_path)) {}

  // Windows keeps attributes in the entry itself and resolves letter case
  // by itself: one call per item is all there is to it.
  std::vector<AttributesResult> SetItemsAttributes(const std::vector<std::string>& paths,
                                                   std::uint32_t attributes) override {
    std::vector<AttributesResult> results(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
      ReportProgress();
      std::optional<std::string> real = roots_.Resolve(paths[i]);
      results[i].applied = real && Apply(*real, attributes);
      const DWORD error = ::GetLastError();
      results[i].absent = real && !results[i].applied &&
                          (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
    }
    return results;
  }

  std::vector<AttributesResult> SetEntriesAttributes(const std::vector<FolderEntry>& entries,
                                                     std::uint32_t attributes) override {
    std::vector<AttributesResult> results(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      ReportProgress();
      std::optional<std::string> real = EntryPath(entries[i]);
      results[i].applied = real && Apply(*real, attributes);
    }
    return results;
  }

  bool SameItem(const std::string& a, const std::string& b) override {
    std::optional<std::string> first = roots_.Resolve(a);
    std::optional<std::string> second = roots_.Resolve(b);
    if (!first || !second) return false;
    const std::optional<FileIdentity> one = IdentityOf(*first);
    return one && one == IdentityOf(*second);
  }

  std::optional<std::uint32_t> GetAttributes(const std::string& path) override {
    std::optional<std::string> real = roots_.Resolve(path);
    if (!real) return std::nullopt;
    const DWORD attributes = ::GetFileAttributesA(real->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return Reported(attributes);
  }

  bool CreateFolder(const std::string& path) override {
    std::optional<std::string> real = roots_.Resolve(path);
    if (!real) return false;
    // Every level from the drive down; each may exist already.
    for (std::size_t at = real->find(kSeparator, 3); ; at = real->find(kSeparator, at + 1)) {
      const std::string level = real->substr(0, at);
      if (!IsFolder(::GetFileAttributesA(level.c_str()))) ::CreateDirectoryA(level.c_str(), nullptr);
      if (at == std::string::npos) break;
    }
    return IsFolder(::GetFileAttributesA(real->c_str()));
  }

  bool DeleteFolder(const std::string& path) override {
    std::optional<std::string> real = roots_.Resolve(path);
    if (!real || windows_path::NamesWholeDrive(path) || real->back() == kSeparator) return false;
    if (!IsFolder(::GetFileAttributesA(real->c_str()))) return false;
    // The shell's delete wants a list ending in two NULs.
    std::string from = *real;
    from.append(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&operation);
    // Whatever the shell refused (read-only entries on some systems) goes too.
    if (::GetFileAttributesA(real->c_str()) != INVALID_FILE_ATTRIBUTES) RemoveTree(*real);
    return ::GetFileAttributesA(real->c_str()) == INVALID_FILE_ATTRIBUTES;
  }

  bool CopyFile(const std::string& from, const std::string& to) override {
    std::optional<std::string> source = roots_.Resolve(from);
    std::optional<std::string> target = roots_.Resolve(to);
    const DWORD source_attributes = source ? ::GetFileAttributesA(source->c_str()) : 0;
    if (!source || !target || !IsFile(source_attributes) || IsLink(source_attributes)) return false;
    std::optional<DWORD> kept = WritableTarget(*target, LinkInPlace::kReplaced);
    if (!kept) return false;
    // The copy is made beside the target and moved over it, so that a failed
    // copy leaves the target as it was. A new target keeps the source's
    // attributes, as CopyFile gives them; an old one keeps its own.
    std::string temp;
    if (!MakeTempBeside(*target, &temp)) return false;
    if (!::CopyFileA(source->c_str(), temp.c_str(), FALSE)) {
      ::DeleteFileA(temp.c_str());
      return false;
    }
    return Commit(temp, *target, *kept);
  }

  bool MoveFile(const std::string& from, const std::string& to) override {
    std::optional<std::string> source = roots_.Resolve(from);
    std::optional<std::string> target = roots_.Resolve(to);
    if (!source || !target || windows_path::NamesWholeDrive(from) || windows_path::NamesWholeDrive(to)) {
      return false;
    }
    return ::MoveFileA(source->c_str(), target->c_str()) != 0;
  }

  bool RenameEntry(const FolderEntry& entry, const std::string& new_name) override {
    std::optional<std::string> source = EntryPath(entry);
    std::optional<std::string> target = EntryPath({entry.folder, new_name});
    return source && target && ::MoveFileA(source->c_str(), target->c_str()) != 0;
  }

  bool LinkFile(const std::string& from, const std::string& to) override {
    std::optional<std::string> source = roots_.Resolve(from);
    std::optional<std::string> target = roots_.Resolve(to);
    if (!source || !target || windows_path::NamesWholeDrive(to)) return false;
    const DWORD attributes = ::GetFileAttributesA(source->c_str());
    if (!IsFile(attributes) || IsLink(attributes)) return false;
    if (::GetFileAttributesA(target->c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    return ::CreateHardLinkA(target->c_str(), source->c_str(), nullptr) != 0;
  }

  bool DeleteFile(const std::string& path) override {
    std::optional<std::string> real = roots_.Resolve(path);
    if (!real) return false;
    const DWORD attributes = ::GetFileAttributesA(real->c_str());
    // Windows refuses read-only files; checked here as well because Wine
    // run by root would not.
    if (!IsFile(attributes) || (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    return ::DeleteFileA(real->c_str()) != 0;
  }

  bool FileExists(const std::string& path) override {
    std::optional<std::string> real = roots_.Resolve(path);
    return real && IsFile(::GetFileAttributesA(real->c_str()));
  }

  bool FolderExists(const std::string& path) override {
    std::optional<std::string> real = roots_.Resolve(path);
    return real && IsFolder(::GetFileAttributesA(real->c_str()));
  }

  std::optional<std::vector<DirEntry>> ListFolder(const std::string& folder) override {
    std::optional<std::string> real = roots_.Resolve(folder);
    if (!real || !IsFolder(::GetFileAttributesA(real->c_str()))) return std::nullopt;
    std::string pattern = *real;
    if (pattern.back() == kSeparator) pattern.pop_back();
    pattern += kAllEntries;
    std::vector<DirEntry> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      // An empty drive has not even "." and "..".
      if (::GetLastError() == ERROR_FILE_NOT_FOUND) return entries;
      return std::nullopt;
    }
    do {
      ReportProgress();
      entries.push_back({found.cFileName, Reported(found.dwFileAttributes)});
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
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
    std::optional<std::string> real = roots_.Resolve(path);
    if (!real) return {};
    const DWORD attributes = ::GetFileAttributesA(real->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
      return {ReadStatus::kError, {}};
    }
    if (IsFolder(attributes) || IsLink(attributes)) return {ReadStatus::kError, {}};
    UniqueHandle file = Open(*real, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
    if (!file) return {ReadStatus::kError, {}};
    std::string bytes;
    char buffer[kReadChunk];
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
        return {ReadStatus::kError, {}};
      }
      if (read == 0) break;
      bytes.append(buffer, read);
      ReportProgress();
    }
    return {ReadStatus::kOk, std::move(bytes)};
  }

  bool ReplaceFile(const std::string& path, const std::string& bytes) override {
    std::optional<std::string> real = roots_.Resolve(path);
    if (!real) return false;
    std::optional<DWORD> kept = WritableTarget(*real);
    if (!kept) return false;
    std::string temp;
    if (!MakeTempBeside(*real, &temp)) return false;
    bool written = false;
    {
      UniqueHandle file = Open(temp, GENERIC_WRITE, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL);
      written = file && WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    }
    ReportProgress();
    if (!written) {
      ::DeleteFileA(temp.c_str());
      return false;
    }
    return Commit(temp, *real, *kept);
  }

  std::optional<FileStamp> Stamp(const std::string& path) override {
    std::optional<std::string> real = roots_.Resolve(path);
    if (!real) return std::nullopt;
    UniqueHandle file =
        Open(*real, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT);
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    FileStamp stamp;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.modified_ns = NanoSeconds(info.ftLastWriteTime);
    // Windows keeps no change time; the creation time stands in for it.
    stamp.changed_ns = NanoSeconds(info.ftCreationTime);
    return stamp;
  }

  bool RemoveLeftoverTemporaryFiles(const std::string& folder) override {
    std::optional<std::string> real = roots_.Resolve(folder);
    if (!real || !IsFolder(::GetFileAttributesA(real->c_str()))) return false;
    std::string base = *real;
    if (base.back() == kSeparator) base.pop_back();
    bool all_removed = true;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((base + kLeftoverPattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    do {
      const std::string path = base + kSeparator + found.cFileName;
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!::DeleteFileA(path.c_str())) all_removed = false;
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return all_removed;
  }

  std::vector<char> Drives() override {
    std::vector<char> letters;
    if (const std::map<char, std::string>* roots = roots_.roots()) {
      for (const auto& [letter, folder] : *roots) {
        if (IsFolder(::GetFileAttributesA((folder + kSeparator).c_str()))) letters.push_back(letter);
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

  std::string NativePath(const std::string& path) override {
    return roots_.Resolve(path).value_or(std::string());
  }

 private:
  // Makes the attribute set of the item at the real path exactly
  // `attributes` (read-only left out for folders); false when it is missing
  // or refuses.
  // What tells one file or folder from every other: its volume and index.
  struct FileIdentity {
    DWORD volume = 0;
    DWORD index_high = 0;
    DWORD index_low = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
  };

  // The identity of what the real path leads to (links followed); nullopt
  // when it leads nowhere.
  static std::optional<FileIdentity> IdentityOf(const std::string& real) {
    HANDLE file = ::CreateFileA(real.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = ::GetFileInformationByHandle(file, &information) != 0;
    ::CloseHandle(file);
    if (!known) return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
  }

  static bool Apply(const std::string& real, std::uint32_t attributes) {
    const DWORD now = ::GetFileAttributesA(real.c_str());
    if (now == INVALID_FILE_ATTRIBUTES) return false;
    DWORD wanted = attributes & kSettableBits;
    if (IsFolder(now)) wanted &= ~static_cast<DWORD>(kAttrReadOnly);
    return ::SetFileAttributesA(real.c_str(), wanted == 0 ? FILE_ATTRIBUTE_NORMAL : wanted) != 0;
  }

  // The real path of the entry of exactly that name in the folder, in the
  // verbatim form for a folder on a drive; nullopt for a name that cannot
  // be one entry's.
  std::optional<std::string> EntryPath(const FolderEntry& entry) const {
    std::optional<std::string> folder = roots_.Resolve(entry.folder);
    if (!folder || !IsOneName(entry.name)) return std::nullopt;
    std::string path = windows_path::Join(*folder, entry.name);
    if (windows_path::HasDriveLetter(path)) path = kVerbatimPrefix + path;
    return path;
  }

  // The attributes that new content for `real` must keep: the old file's,
  // or none for a new file. nullopt when Windows would refuse the write: a
  // folder or a read-only file in the way, or no folder to hold it; and for
  // a link in the way unless `link_goes` lets the new file replace it.
  enum class LinkInPlace { kRefused, kReplaced };
  static std::optional<DWORD> WritableTarget(const std::string& real,
                                             LinkInPlace link_goes = LinkInPlace::kRefused) {
    if (real.back() == kSeparator) return std::nullopt;
    const DWORD attributes = ::GetFileAttributesA(real.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      if (!IsFolder(::GetFileAttributesA(windows_path::Parent(real).c_str()))) return std::nullopt;
      return 0;
    }
    if (IsLink(attributes)) {
      if (link_goes == LinkInPlace::kRefused) return std::nullopt;
      return 0;
    }
    if (IsFolder(attributes) || (attributes & FILE_ATTRIBUTE_READONLY) != 0) return std::nullopt;
    return attributes & kSettableBits;
  }

  // Makes an empty, uniquely named file in the folder of `real`.
  static bool MakeTempBeside(const std::string& real, std::string* temp) {
    char name[MAX_PATH];
    if (::GetTempFileNameA(windows_path::Parent(real).c_str(), kTempPrefix, 0, name) == 0) return false;
    *temp = name;
    return true;
  }

  // Moves the finished temporary file over `real`, durably. `kept` are the
  // old file's attributes (0 for a new file: then the temporary's own stay).
  static bool Commit(const std::string& temp, const std::string& real, DWORD kept) {
    // Hidden and system are taken over before the move, so that the file
    // never shows without them.
    if (kept != 0) ::SetFileAttributesA(temp.c_str(), kept);
    // A file that another copy of the program is reading at this moment
    // cannot be replaced; such a read takes milliseconds, so try again for a
    // short while before reporting the write as failed.
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
      if (::MoveFileExA(temp.c_str(), real.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
      }
      const DWORD error = ::GetLastError();
      if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
      ::Sleep(kReplaceRetryMilliseconds);
    }
    ::SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(temp.c_str());
    return false;
  }

  DriveRoots roots_;
  std::string desktop_;
  win32::RecordLockFile record_lock_;
};

std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  std::string out = (length == 0 || length >= sizeof full) ? path : std::string(full, length);
  if (out.size() > 3 && out.back() == kSeparator) out.pop_back();
  return out;
}

std::string UserDesktop() {
  char folder[MAX_PATH];
  if (SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, folder))) {
    return folder;
  }
  return "";
}

std::string WindowsFolder() {
  char folder[MAX_PATH];
  const UINT length = ::GetWindowsDirectoryA(folder, sizeof folder);
  return (length == 0 || length >= sizeof folder) ? std::string("C:\\WINDOWS")
                                                  : std::string(folder, length);
}

}  // namespace

std::unique_ptr<FileSystem> MakeFileSystem() {
  // The records live in the Windows folder, so their lock does too.
  return std::make_unique<Win32FileSystem>(DriveRoots(), UserDesktop(),
                                           WindowsFolder() + kSeparator + kRecordLockFile);
}

std::unique_ptr<FileSystem> MakeFileSystemAt(const std::string& prefix_folder,
                                             const std::string& desktop_folder) {
  const std::string prefix = FullPath(prefix_folder);
  std::map<char, std::string> roots;
  ::CreateDirectoryA(prefix.c_str(), nullptr);
  for (char letter : kDefaultDrives) {
    const std::string folder = prefix + kSeparator + kDriveFolderPattern +
                               static_cast<char>(letter - 'A' + 'a');
    ::CreateDirectoryA(folder.c_str(), nullptr);
    roots[letter] = folder;
  }
  // The letter that reaches the real drive of the prefix, so that any real
  // folder on it has a Windows path here too.
  roots[kRealDriveLetter] = prefix.substr(0, 2);
  std::string desktop = desktop_folder.empty() ? UserDesktop() : FullPath(desktop_folder);
  if (desktop.size() >= 2 && desktop.compare(0, 2, prefix, 0, 2) == 0) {
    desktop = std::string{kRealDriveLetter, ':'} + desktop.substr(2);
  }
  return std::make_unique<Win32FileSystem>(DriveRoots(std::move(roots)), desktop,
                                           prefix + kSeparator + kRecordLockFile);
}

std::string DefaultPrefixFolder() { return ""; }

}  // namespace platform
