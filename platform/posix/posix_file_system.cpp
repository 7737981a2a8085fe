// The file system of the program on Linux: Windows paths mapped through the
// drive links of a prefix folder, Windows attributes kept in extended
// attributes, permissions and .hidden files.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/atomic_file.h"
#include "platform/posix/batch_resolver.h"
#include "platform/posix/dos_attributes.h"
#include "platform/posix/dot_hidden.h"
#include "platform/posix/drive_map.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/folder_ops.h"
#include "platform/posix/path_resolver.h"
#include "platform/posix/record_lock.h"
#include "platform/posix/user_folders.h"
#include "platform/progress.h"
#include "platform/windows_path.h"

namespace platform {

namespace {

using posix::AtomicFile;
using posix::Durability;
using posix::NativeItem;
using posix::UniqueFd;

// A file this program creates may hold passwords: owner only.
constexpr mode_t kNewFileMode = 0600;
// Folders it creates hold the record files: owner only as well.
constexpr mode_t kNewFolderMode = 0700;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kFallbackUmask = 022;
constexpr std::size_t kCopyChunk = 64 * 1024;
constexpr char kProcStatus[] = "/proc/self/status";
// The lock file of the records, in the prefix and outside every drive.
constexpr char kRecordLockFile[] = "quillomar.lock";
constexpr std::string_view kUmaskField = "Umask:";

// The process's umask. umask() can only be read by setting it, which races
// with other threads creating files, so the kernel's report comes first.
mode_t ProcessUmask() {
  UniqueFd fd(::open(kProcStatus, O_RDONLY | O_CLOEXEC));
  if (fd.valid()) {
    if (std::optional<std::string> status = posix::ReadToEnd(fd.get())) {
      std::size_t at = status->find(kUmaskField);
      if (at != std::string::npos) {
        return static_cast<mode_t>(
            std::strtoul(status->c_str() + at + kUmaskField.size(), nullptr, 8));
      }
    }
  }
  mode_t mask = ::umask(kFallbackUmask);
  ::umask(mask);
  return mask;
}

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

// Read-only on this system is the lack of the owner's write permission. It
// is tested here rather than left to the kernel, because a privileged
// process would write anyway where Windows refuses.
bool OwnerMayWrite(const struct stat& status) { return (status.st_mode & S_IWUSR) != 0; }

// True when new entries may be made in (and old ones taken out of) the folder.
bool FolderTakesChanges(const std::string& native_folder) {
  struct stat status;
  return ::stat(native_folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         OwnerMayWrite(status);
}

class PosixFileSystem final : public FileSystem {
 public:
  PosixFileSystem(std::string prefix, std::string desktop)
      : drives_(prefix),
        desktop_(desktop.empty() ? posix::UserDesktopFolder() : std::move(desktop)),
        umask_(ProcessUmask()),
        record_lock_path_(posix::NativeJoin(prefix, kRecordLockFile)),
        record_lock_(record_lock_path_) {}

  std::vector<AttributesResult> SetItemsAttributes(const std::vector<std::string>& paths,
                                                   std::uint32_t attributes,
                                                   LastNameMatch last_name) override {
    posix::BatchResolver resolver(drives_);
    std::vector<std::optional<Target>> items;
    items.reserve(paths.size());
    for (const std::string& path : paths) {
      ReportProgress();
      std::optional<posix::BatchResolver::Item> found = resolver.Resolve(path, last_name == LastNameMatch::kExact);
      if (found) {
        items.push_back(Target{std::move(found->item), found->absent, found->status});
      } else {
        items.emplace_back();
      }
    }
    const std::vector<Marks> marks = MarkAll(items, attributes);
    std::vector<AttributesResult> results(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
      results[i].applied = marks[i].applied;
      // Gone only from a volume that is there: the items of a drive whose
      // volume is away (an empty drive folder) come back with it.
      results[i].absent = marks[i].gone && (!windows_path::HasDriveLetter(paths[i]) ||
                                            drives_.VolumeIsThere(paths[i].front()));
      if (!marks[i].listed) {
        results[i].unlisted_in = windows_path::Join(windows_path::Parent(paths[i]), posix::kDotHiddenName);
      }
    }
    return results;
  }

  std::vector<AttributesResult> SetEntriesAttributes(const std::vector<FolderEntry>& entries,
                                                     std::uint32_t attributes) override {
    posix::BatchResolver resolver(drives_);
    std::vector<std::optional<Target>> items;
    items.reserve(entries.size());
    for (const FolderEntry& entry : entries) {
      ReportProgress();
      std::optional<std::string> folder;
      if (IsOneName(entry.name)) folder = resolver.Folder(entry.folder);
      if (!folder) {
        items.emplace_back();
        continue;
      }
      items.push_back(Target{NativeItem{posix::NativeJoin(*folder, entry.name), *folder, entry.name}, false, std::nullopt});
    }
    const std::vector<Marks> marks = MarkAll(items, attributes);
    std::vector<AttributesResult> results(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (!items[i]) continue;
      results[i].applied = marks[i].applied;
      results[i].absent = marks[i].gone;
      if (!marks[i].listed) {
        results[i].unlisted_in = windows_path::Join(entries[i].folder, posix::kDotHiddenName);
      }
    }
    return results;
  }

  bool SameItem(const std::string& a, const std::string& b) override {
    std::optional<NativeItem> first = Resolve(a);
    std::optional<NativeItem> second = Resolve(b);
    struct stat one;
    struct stat other;
    return first && second && ::stat(first->path.c_str(), &one) == 0 &&
           ::stat(second->path.c_str(), &other) == 0 && one.st_dev == other.st_dev &&
           one.st_ino == other.st_ino;
  }

  std::optional<std::uint32_t> GetAttributes(const std::string& path) override {
    std::optional<NativeItem> item = Resolve(path);
    if (!item) return std::nullopt;
    return AttributesOfItem(*item);
  }

  bool CreateFolder(const std::string& path) override {
    std::optional<NativeItem> item = Resolve(path);
    return item && posix::MakeFolders(item->path, kNewFolderMode);
  }

  bool DeleteFolder(const std::string& path) override {
    std::optional<NativeItem> item = Resolve(path);
    // A drive's own folder is never deleted (Z: is the whole system).
    if (!item || item->name.empty()) return false;
    struct stat status;
    if (::lstat(item->path.c_str(), &status) != 0) return false;
    if (S_ISLNK(status.st_mode)) {
      // A link to a folder goes, not what it leads to.
      struct stat target;
      return ::stat(item->path.c_str(), &target) == 0 && S_ISDIR(target.st_mode) &&
             ::unlink(item->path.c_str()) == 0;
    }
    return S_ISDIR(status.st_mode) && posix::RemoveTree(item->path);
  }

  bool CopyFile(const std::string& from, const std::string& to) override {
    std::optional<NativeItem> source = Resolve(from);
    std::optional<NativeItem> target = Resolve(to);
    if (!source || !target) return false;
    UniqueFd in(::open(source->path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat status;
    if (!in.valid() || ::fstat(in.get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    if (!MayReplace(*target, LinkInPlace::kReplaced)) return false;
    AtomicFile out;
    // A new copy is the owner's alone, like the record file it copies (the
    // mirror of the global record says where the hidden items are); a target
    // that exists keeps its own permissions.
    if (!out.Open(target->path, status.st_mode & S_IRWXU & ~umask_)) return false;
    char buffer[kCopyChunk];
    for (;;) {
      ssize_t n = ::read(in.get(), buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      if (!out.Write(std::string_view(buffer, static_cast<std::size_t>(n)))) return false;
    }
    return out.Commit(Durability::kFlushed);
  }

  bool MoveFile(const std::string& from, const std::string& to) override {
    std::optional<NativeItem> source = Resolve(from);
    std::optional<NativeItem> target = Resolve(to);
    return source && target && Rename(*source, *target);
  }

  bool RenameEntry(const FolderEntry& entry, const std::string& new_name) override {
    std::optional<NativeItem> source = ResolveEntry(entry);
    const bool one_name = IsOneName(new_name) &&
                          std::none_of(new_name.begin(), new_name.end(), windows_path::IsSeparator);
    if (!source || !one_name) return false;
    // Resolved like any path, so that an entry whose name differs only in
    // letter case counts as taken.
    std::optional<NativeItem> target = Resolve(windows_path::Join(entry.folder, new_name));
    return target && Rename(*source, *target);
  }

  bool LinkFile(const std::string& from, const std::string& to) override {
    std::optional<NativeItem> source = Resolve(from);
    std::optional<NativeItem> target = Resolve(to);
    if (!source || !target || source->name.empty() || target->name.empty()) return false;
    struct stat status;
    if (::lstat(source->path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    if (::lstat(target->path.c_str(), &status) == 0) return false;
    if (!FolderTakesChanges(target->folder)) return false;
    return ::link(source->path.c_str(), target->path.c_str()) == 0;
  }

  bool DeleteFile(const std::string& path) override {
    std::optional<NativeItem> item = Resolve(path);
    struct stat status;
    if (!item || item->name.empty() || ::lstat(item->path.c_str(), &status) != 0) return false;
    if (S_ISDIR(status.st_mode)) return false;
    if (S_ISREG(status.st_mode) && !OwnerMayWrite(status)) return false;
    if (!FolderTakesChanges(item->folder)) return false;
    if (::unlink(item->path.c_str()) != 0) return false;
    // A file that is gone is hidden no more: a new file of its name must not
    // come up hidden. Failing that changes nothing about the deletion.
    posix::SetListedInDotHidden(item->folder, {item->name}, false, umask_);
    return true;
  }

  bool FileExists(const std::string& path) override {
    std::optional<NativeItem> item = Resolve(path);
    struct stat status;
    return item && ::stat(item->path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
  }

  bool FolderExists(const std::string& path) override {
    std::optional<NativeItem> item = Resolve(path);
    struct stat status;
    return item && ::stat(item->path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
  }

  std::optional<std::vector<DirEntry>> ListFolder(const std::string& folder) override {
    std::optional<NativeItem> item = Resolve(folder);
    if (!item) return std::nullopt;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(item->path.c_str()));
    if (!dir) return std::nullopt;
    // Read once for the whole listing, not once per entry.
    const std::unordered_set<std::string> listed = posix::ReadDotHiddenNames(item->path);
    std::vector<DirEntry> entries;
    while (dirent* entry = ::readdir(dir.get())) {
      ReportProgress();
      const std::string name = entry->d_name;
      const bool dot_or_dot_dot = name == "." || name == "..";
      const bool hidden_by_name =
          posix::IsDotName(name) || (!dot_or_dot_dot && listed.count(name) != 0);
      std::optional<std::uint32_t> attributes =
          EntryAttributes(posix::NativeJoin(item->path, name), hidden_by_name);
      // An entry gone since the folder was read is left out.
      if (attributes) entries.push_back({name, *attributes});
    }
    return entries;
  }

  std::optional<std::vector<std::string>> ListFolderNames(const std::string& folder) override {
    std::optional<NativeItem> item = Resolve(folder);
    if (!item) return std::nullopt;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(item->path.c_str()));
    if (!dir) return std::nullopt;
    std::vector<std::string> names;
    while (dirent* entry = ::readdir(dir.get())) {
      ReportProgress();
      names.emplace_back(entry->d_name);
    }
    return names;
  }

  ReadResult ReadFile(const std::string& path) override {
    std::optional<NativeItem> item = Resolve(path);
    if (!item) return {};
    // Non-blocking, so that a pipe in the file's place cannot hang the
    // program, and never through a link.
    UniqueFd fd(::open(item->path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid()) {
      if (errno == ENOENT || errno == ENOTDIR) return {};
      return {ReadStatus::kError, {}};
    }
    struct stat status;
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
      return {ReadStatus::kError, {}};
    }
    std::optional<std::string> bytes = posix::ReadToEnd(fd.get());
    ReportProgress();
    if (!bytes) return {ReadStatus::kError, {}};
    return {ReadStatus::kOk, std::move(*bytes)};
  }

  bool ReplaceFile(const std::string& path, const std::string& bytes) override {
    std::optional<NativeItem> item = Resolve(path);
    if (!item || !MayReplace(*item, LinkInPlace::kRefused)) return false;
    AtomicFile file;
    const bool replaced =
        file.Open(item->path, kNewFileMode) && file.Write(bytes) && file.Commit(Durability::kFlushed);
    ReportProgress();
    return replaced;
  }

  std::optional<FileStamp> Stamp(const std::string& path) override {
    std::optional<NativeItem> item = Resolve(path);
    struct stat status;
    if (!item || ::lstat(item->path.c_str(), &status) != 0) return std::nullopt;
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.inode = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    stamp.modified_ns = NanoSeconds(status.st_mtim);
    stamp.changed_ns = NanoSeconds(status.st_ctim);
    return stamp;
  }

  bool RemoveLeftoverTemporaryFiles(const std::string& folder) override {
    std::optional<NativeItem> item = Resolve(folder);
    if (!item) return false;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(item->path.c_str()));
    if (!dir) return false;
    bool all_removed = true;
    while (dirent* entry = ::readdir(dir.get())) {
      if (!posix::IsTempName(entry->d_name)) continue;
      if (::unlinkat(::dirfd(dir.get()), entry->d_name, 0) != 0 && errno != ENOENT) {
        all_removed = false;
      }
    }
    return all_removed;
  }

  std::vector<char> Drives() override { return drives_.Drives(); }

  std::string DesktopPath() override { return posix::ThroughDriveZ(desktop_); }

  std::unique_ptr<RecordLock> LockRecords() override { return record_lock_.Acquire(); }

  std::string RecordLockPath() override { return posix::ThroughDriveZ(record_lock_path_); }

  std::string NativePath(const std::string& path) override {
    std::optional<NativeItem> item = Resolve(path);
    return item ? item->path : std::string();
  }

 private:
  std::optional<NativeItem> Resolve(const std::string& path) const {
    return posix::ResolveWindowsPath(drives_, path);
  }

  // What a change of attributes achieved on one item: its own marks, and
  // its line in the folder's .hidden.
  struct Marks {
    bool applied = false;
    bool listed = true;
    bool gone = false;  // no such item
  };

  // The entry of exactly `entry.name` in the folder; nullopt when the name
  // cannot be one entry's or the folder is not there.
  std::optional<NativeItem> ResolveEntry(const FolderEntry& entry) const {
    if (!IsOneName(entry.name)) return std::nullopt;
    std::optional<NativeItem> folder = Resolve(entry.folder);
    struct stat status;
    if (!folder || ::stat(folder->path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
      return std::nullopt;
    }
    return NativeItem{posix::NativeJoin(folder->path, entry.name), folder->path, entry.name};
  }

  // True for a name that can be one entry of a folder here.
  static bool IsOneName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
  }

  // An item to be marked, with what its resolution learnt of it.
  struct Target {
    NativeItem item;
    bool absent = false;                // known not to be there
    std::optional<struct stat> status;  // its lstat(), when taken already
  };

  // Sets the attribute set of every item that resolved (nullopt ones fail).
  // The folder's .hidden is changed once for all the items of that folder:
  // before they are marked when they are hidden (an item whose line cannot
  // be written stays unmarked), after their marks are cleared when they are
  // shown again. A symbolic link
  // carries no marks of its own but its line in the folder's .hidden:
  // whatever it leads to is left as it is.
  std::vector<Marks> MarkAll(const std::vector<std::optional<Target>>& items,
                             std::uint32_t attributes) {
    std::vector<Marks> marks(items.size());
    std::vector<struct stat> statuses(items.size());
    // Each folder's items, in the order the folders first come.
    std::vector<std::vector<std::size_t>> groups;
    std::unordered_map<std::string_view, std::size_t> group_of;
    const bool hidden = (attributes & kAttrHidden) != 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!items[i]) continue;
      // Hiding an item that is not there changes nothing; showing one again
      // still takes its name out of .hidden (below).
      if (items[i]->absent && hidden) {
        marks[i].gone = true;
        continue;
      }
      auto [slot, added] = group_of.try_emplace(items[i]->item.folder, groups.size());
      if (added) groups.emplace_back();
      groups[slot->second].push_back(i);
    }
    for (const std::vector<std::size_t>& group : groups) {
      std::vector<std::string> names;
      std::vector<std::size_t> present;
      for (std::size_t i : group) {
        ReportProgress();
        const NativeItem& item = items[i]->item;
        bool gone = items[i]->absent;
        if (!gone && items[i]->status) {
          statuses[i] = *items[i]->status;
        } else if (!gone && ::lstat(item.path.c_str(), &statuses[i]) != 0) {
          if (errno != ENOENT) continue;
          gone = true;
        }
        marks[i].gone = gone;
        if (gone && hidden) continue;
        if (!gone) present.push_back(i);
        // A drive's own folder has no folder to be listed in. The line of an
        // item that is gone goes too: a new item of its name must not come
        // up hidden. The change itself still failed.
        if (!item.name.empty()) names.push_back(item.name);
      }
      const std::string& folder = items[group.front()]->item.folder;
      // Hidden: the folder's list first, so that an item whose line could
      // not be written is left as it was, unmarked. Shown again: the marks
      // first, so that an item whose line stays is still hidden to file
      // managers and its row stays.
      bool listed = true;
      if (hidden && !names.empty()) listed = posix::SetListedInDotHidden(folder, names, true, umask_);
      if (listed) {
        for (std::size_t i : present) {
          marks[i].applied =
              S_ISLNK(statuses[i].st_mode) || MarkItself(items[i]->item.path, statuses[i], attributes);
        }
      }
      if (!hidden && !names.empty()) listed = posix::SetListedInDotHidden(folder, names, false, umask_);
      if (listed) continue;
      for (std::size_t i : present) {
        if (!items[i]->item.name.empty()) marks[i] = {false, false};
      }
    }
    return marks;
  }

  // The extended attribute and the permissions of an item that is no link.
  static bool MarkItself(const std::string& native_path, const struct stat& status,
                         std::uint32_t attributes) {
    bool done = true;
    mode_t mode = status.st_mode & kPermissionBits;
    const mode_t wanted = posix::ModeForAttributes(status, attributes);
    // The kernel lets only a writer change user.DOSATTRIB, so an item
    // without the owner's write permission gets it for the change.
    if ((mode & S_IWUSR) == 0 && posix::DosAttribNeedsWrite(native_path, attributes) &&
        ::chmod(native_path.c_str(), mode | S_IWUSR) == 0) {
      mode |= S_IWUSR;
    }
    if (!posix::WriteDosAttrib(native_path, attributes)) done = false;
    if (mode != wanted && ::chmod(native_path.c_str(), wanted) != 0) done = false;
    return done;
  }

  // The attribute set of a resolved item; nullopt when it is not there.
  static std::optional<std::uint32_t> AttributesOfItem(const NativeItem& item) {
    const bool hidden_by_name =
        !item.name.empty() && (posix::IsDotName(item.name) ||
                               posix::ListedInDotHidden(item.folder, item.name));
    return EntryAttributes(item.path, hidden_by_name);
  }

  // The attribute set of the item at a real path. A symbolic link reports
  // itself: hidden only by its name or its .hidden line, a folder when it
  // leads to one, never read-only.
  static std::optional<std::uint32_t> EntryAttributes(const std::string& native_path,
                                                      bool hidden_by_name) {
    struct stat status;
    if (::lstat(native_path.c_str(), &status) != 0) return std::nullopt;
    if (S_ISLNK(status.st_mode)) {
      struct stat target;
      const bool folder = ::stat(native_path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
      return (folder ? kAttrDirectory : kAttrNone) | (hidden_by_name ? kAttrHidden : kAttrNone);
    }
    std::optional<std::uint32_t> dos;
    if (std::optional<std::string> value = posix::ReadDosAttrib(native_path)) {
      dos = posix::ParseDosAttrib(*value);
    }
    return posix::AttributesOf(status, dos, hidden_by_name);
  }

  // Renames one entry to another name, never over an existing entry.
  static bool Rename(const NativeItem& source, const NativeItem& target) {
    if (source.name.empty() || target.name.empty()) return false;
    struct stat status;
    if (::lstat(source.path.c_str(), &status) != 0) return false;
    // The resolution found any entry whose name differs only in case, so
    // this also refuses "NAME.INI" when "name.ini" is there.
    if (::lstat(target.path.c_str(), &status) == 0) return false;
    if (!FolderTakesChanges(source.folder) || !FolderTakesChanges(target.folder)) return false;
    if (::renameat2(AT_FDCWD, source.path.c_str(), AT_FDCWD, target.path.c_str(),
                    RENAME_NOREPLACE) == 0) {
      return true;
    }
    // File systems without the no-replace flag: the target was just found
    // absent, so a plain rename is the best left.
    if (errno != EINVAL && errno != ENOSYS) return false;
    return ::rename(source.path.c_str(), target.path.c_str()) == 0;
  }

  static std::int64_t NanoSeconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
  }

  // Whether new content may take the place of `item`: a regular file the
  // owner may write, or nothing yet (or, where `link_goes` says so, a
  // symbolic link, which the new file replaces rather than writing through
  // it), in a folder that takes changes. Windows would refuse the write in
  // every other case: a folder or a read-only file in the way, or a folder
  // that is missing. A link, pipe or device in a record file's place is
  // never written through.
  enum class LinkInPlace { kRefused, kReplaced };
  static bool MayReplace(const NativeItem& item, LinkInPlace link_goes) {
    if (item.name.empty()) return false;
    struct stat status;
    if (::lstat(item.path.c_str(), &status) == 0) {
      const bool link_replaced = S_ISLNK(status.st_mode) && link_goes == LinkInPlace::kReplaced;
      if (!link_replaced && (!S_ISREG(status.st_mode) || !OwnerMayWrite(status))) return false;
    } else if (errno != ENOENT) {
      return false;
    }
    return FolderTakesChanges(item.folder);
  }

  posix::DriveMap drives_;
  std::string desktop_;
  mode_t umask_;
  std::string record_lock_path_;
  posix::RecordLockFile record_lock_;
};

}  // namespace

std::unique_ptr<FileSystem> MakeFileSystem() { return MakeFileSystemAt(DefaultPrefixFolder()); }

std::unique_ptr<FileSystem> MakeFileSystemAt(const std::string& prefix_folder,
                                             const std::string& desktop_folder) {
  posix::DriveMap drives(prefix_folder);
  // Without its drives the file system still works: every path fails quietly.
  drives.EnsureDefaults();
  return std::make_unique<PosixFileSystem>(drives.prefix(), desktop_folder);
}

std::string DefaultPrefixFolder() { return posix::PrefixFolderFromEnvironment(); }

}  // namespace platform
