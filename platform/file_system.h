#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Windows file attribute bits, as SetFileAttributes and FindFirstFile use them.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
// The attribute set that hides an item: exactly hidden plus system.
inline constexpr std::uint32_t kAttrHiddenSystem = kAttrHidden | kAttrSystem;
// The empty attribute set: shows an item again and clears read-only and archive.
inline constexpr std::uint32_t kAttrNone = 0x00;

// One entry of a folder listing.
struct DirEntry {
  std::string name;          // the entry's own name, as the directory holds it
  std::uint32_t attributes;  // its Windows attribute bits (kAttrDirectory for folders)
};

// One entry of a folder as a listing gave it: the folder's Windows path and
// the entry's own name, byte for byte. The name is never split at "\": an
// entry is acted on as itself, whatever its name holds.
struct FolderEntry {
  std::string folder;
  std::string name;
};

// What a change of an entry's attributes achieved.
struct AttributesResult {
  bool applied = false;  // the entry carries the attribute set now
  // There is no such item (its drive and the volume behind it are there,
  // but nothing of that name in that folder, or no such folder): nothing of
  // it carries marks any more. An item of a drive that is missing, or whose
  // volume is away (a dangling drive link, an empty drive folder, a root
  // that does not answer), is not absent: it comes back with its volume.
  bool absent = false;
  // The Windows path of the folder's list of hidden names (".hidden" on
  // Linux) when the change could not be made there, so that file managers
  // still show (or still hide) the entry; "" otherwise.
  std::string unlisted_in;
};

// How the last name of a Windows path finds its entry on a system whose
// names differ by letter case (Linux); Windows has its own rule for both.
enum class LastNameMatch {
  // As every name of a path: the exact name, else one that differs only in
  // letter case. For the program's own files.
  kIgnoringCase,
  // The exact name only: a user's item is the entry whose name was
  // recorded, and a letter-case twin of it is another item.
  kExact,
};

// What identifies one version of a file's content: equal stamps mean that
// the file was not changed in between (used to prove a cache current).
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modified_ns = 0;
  std::int64_t changed_ns = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Outcome of reading a whole file.
enum class ReadStatus {
  kOk,      // the bytes were read in full
  kAbsent,  // no file at that path (a missing folder on the way counts too)
  kError,   // the file is there but could not be read (permission, I/O, a folder)
};

struct ReadResult {
  ReadStatus status = ReadStatus::kAbsent;
  std::string bytes;  // the file's bytes when status is kOk
};

// What a reader of a file decides once it sees the file's stamp.
enum class StampVerdict {
  kRead,      // read the whole file
  kKnown,     // the reader holds this content already: read nothing
  kTooLarge,  // more than the reader takes: read nothing, report kError
};

// A whole file read together with its stamps (see FileSystem::ReadStamped).
struct StampedRead {
  ReadStatus status = ReadStatus::kAbsent;
  std::string bytes;  // the file's bytes when status is kOk and it was read
  // The stamp the reader was shown; set whenever the file was there.
  std::optional<FileStamp> before;
  // The stamp after the read; set only when the file held still while it
  // was read (equal to `before`), so that `bytes` belong to that stamp.
  std::optional<FileStamp> after;
  bool known = false;  // the reader answered kKnown: `bytes` are empty
};

// For backends of FileSystem::ReadStamped: settles `read` (whose `before`
// is set) by the reader's verdict. True when the file is to be read.
bool ToReadAfter(StampVerdict verdict, StampedRead& read);

// What a replacement of a file left behind.
struct Replacement {
  bool replaced = false;
  // The new file's stamp right after the replacement, when it can be told.
  std::optional<FileStamp> stamp;
};

// Holds the records' lock while it lives (see FileSystem::LockRecords).
class RecordLock {
 public:
  RecordLock() = default;
  RecordLock(const RecordLock&) = delete;
  RecordLock& operator=(const RecordLock&) = delete;
  virtual ~RecordLock() = default;
};

// The file-system calls of the program, on Windows paths ("C:\WINDOWS\x.INI").
// Every path argument is a Windows path; the implementation maps it onto the
// real file system. No method throws: each reports success in its result and
// callers ignore it where the program does not look at it.
class FileSystem {
 public:
  FileSystem() = default;
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;
  virtual ~FileSystem() = default;

  // Makes the attribute set of every item in `paths` exactly `attributes`
  // (kAttrReadOnly, kAttrHidden, kAttrSystem, kAttrArchive; other bits are
  // ignored). Clearing read-only gives back the owner's write permission
  // only, never anyone else's. A symbolic link is marked on its own entry,
  // never through to what it leads to. It is one call for many items, whose
  // cost grows with their number and not with the size of their folders:
  // the paths are resolved as their folders stand when the call begins (a
  // folder's names read at most once, and only when a name is not found as
  // written), and each folder's list of hidden names (".hidden" on Linux)
  // is read once and replaced once. A path may come more than once. Returns,
  // for each path in order, what the change achieved: applied when that item
  // carries the set now, absent when there is no such item, and the list of
  // hidden names that could not be changed.
  // `last_name` says how each path's last name finds its entry (folders on
  // the way are always found ignoring letter case).
  virtual std::vector<AttributesResult> SetItemsAttributes(const std::vector<std::string>& paths,
                                                           std::uint32_t attributes,
                                                           LastNameMatch last_name) = 0;

  // SetItemsAttributes, telling for each path whether that item carries the
  // set now (false for no such item, or no permission).
  std::vector<bool> SetAttributesOfItems(const std::vector<std::string>& paths, std::uint32_t attributes) {
    std::vector<bool> applied;
    for (const AttributesResult& result : SetItemsAttributes(paths, attributes, LastNameMatch::kIgnoringCase)) {
      applied.push_back(result.applied);
    }
    return applied;
  }

  // The same for entries as listings gave them: each the entry of exactly
  // its name in its folder, never another one and never a path re-split at
  // ""; applied is false for a name that no entry of the folder carries.
  // Returns one result for each entry, in order.
  virtual std::vector<AttributesResult> SetEntriesAttributes(
      const std::vector<FolderEntry>& entries, std::uint32_t attributes) = 0;

  // One item: SetAttributesOfItems with the path alone.
  bool SetAttributes(const std::string& path, std::uint32_t attributes) {
    return SetAttributesOfItems({path}, attributes).front();
  }

  // One entry: SetEntriesAttributes with the entry alone.
  AttributesResult SetEntryAttributes(const FolderEntry& entry, std::uint32_t attributes) {
    return SetEntriesAttributes({entry}, attributes).front();
  }

  // False when the entry is a link that cannot carry marks of its own: one
  // that the system shows as what it leads to (under Wine, a Unix link), so
  // that a mark would land there or nowhere. True for anything else, a
  // missing entry included, and for a link that is marked as itself (its
  // folder's .hidden line on Linux, its own attributes on Windows).
  virtual bool CanMarkItself(const FolderEntry& entry) {
    (void)entry;
    return true;
  }

  // True when both paths lead to one and the same item, however they are
  // spelt (letter case, separators, "." and "..") and through whichever
  // drive or link (a link counts as what it leads to); false when either
  // leads nowhere.
  virtual bool SameItem(const std::string& a, const std::string& b) = 0;

  // The attribute set of the item, with kAttrDirectory for a folder;
  // nullopt when there is no such item.
  virtual std::optional<std::uint32_t> GetAttributes(const std::string& path) = 0;

  // Creates the folder with every missing level. Returns true when the folder
  // exists afterwards (also when it existed before).
  virtual bool CreateFolder(const std::string& path) = 0;

  // Deletes the folder and everything below it, silently and permanently.
  // Returns false when the folder was absent or something could not be removed.
  // A drive's own folder ("C:\") is never deleted.
  virtual bool DeleteFolder(const std::string& path) = 0;

  // Copies the bytes of `from` onto `to`, replacing `to` if it exists (which
  // keeps its own permissions and attributes); a new `to` gets the owner's
  // permissions of `from` and none for anyone else. Only a regular file is
  // copied, never what a link leads to; a symbolic link in `to`'s place is
  // replaced by the copy, not written through. On failure (source missing
  // or not a regular file, target not writable) returns false, leaving `to`
  // as it was.
  virtual bool CopyFile(const std::string& from, const std::string& to) = 0;

  // Renames `from` to `to`. Never overwrites: fails when `to` exists or
  // `from` is missing. Returns true on success.
  virtual bool MoveFile(const std::string& from, const std::string& to) = 0;

  // Renames the entry inside its folder to `new_name`, which must be one
  // name (no separator). Never overwrites: fails when an entry of that name
  // (ignoring letter case) exists or the entry is missing. True on success.
  virtual bool RenameEntry(const FolderEntry& entry, const std::string& new_name) = 0;

  // Gives the regular file `from` a second name `to` in the same drive (one
  // file, two names). Never overwrites: fails when `to` exists, `from` is
  // missing or not a regular file, or the file system keeps no such names.
  virtual bool LinkFile(const std::string& from, const std::string& to) = 0;

  // Deletes one file. Returns false when it is missing or cannot be deleted.
  virtual bool DeleteFile(const std::string& path) = 0;

  // True when a file (not a folder) exists at the path.
  virtual bool FileExists(const std::string& path) = 0;

  // True when a folder exists at the path.
  virtual bool FolderExists(const std::string& path) = 0;

  // The entries of the folder in the order the directory returns them, "."
  // and ".." included, each with its attributes. nullopt when the folder
  // cannot be enumerated (missing, not a folder, access denied).
  virtual std::optional<std::vector<DirEntry>> ListFolder(const std::string& folder) = 0;

  // The names of the folder's entries in the order the directory returns
  // them, "." and ".." included: ListFolder without the attributes, which
  // cost a look at every entry. nullopt when the folder cannot be enumerated.
  virtual std::optional<std::vector<std::string>> ListFolderNames(const std::string& folder) = 0;

  // Reads the whole file. Anything but a regular file in the path's place (a
  // symbolic link, a pipe, a device, a folder) reads as kError and is never
  // opened in a way that could wait or read through a link.
  virtual ReadResult ReadFile(const std::string& path) = 0;

  // Replaces the file's content atomically and durably: the new bytes go to a
  // temporary file in the same folder, are flushed to disk, take over the old
  // file's permissions and attributes, and are renamed over the old file. A
  // crash leaves the old content or the new one, never a mix. The folder must
  // exist. Anything but a regular file in the path's place (a symbolic link
  // included) is never written through. Returns false on failure, leaving
  // the old file as it was.
  virtual bool ReplaceFile(const std::string& path, const std::string& bytes) = 0;

  // The stamp of the file's current content; nullopt when it is absent. A
  // symbolic link in the path's place is stamped itself, not followed.
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;

  // Reads the file as ReadFile does, and shows `look` its stamp first: the
  // reader may already hold that content, or refuse a file of that size,
  // and then nothing is read. Where the system allows, the stamps and the
  // read come from one opening of the file.
  virtual StampedRead ReadStamped(const std::string& path,
                                  const std::function<StampVerdict(const FileStamp&)>& look);

  // ReplaceFile, telling the new file's stamp as well. Where the system
  // allows, the stamp comes from the handle that wrote the file.
  virtual Replacement ReplaceFileStamped(const std::string& path, const std::string& bytes);

  // Removes from the folder the temporary files that replacements killed
  // part-way left there (they never reach a listing of the program). Call it
  // while holding the records' lock, so that no replacement of this prefix
  // is under way. False when one could not be removed.
  virtual bool RemoveLeftoverTemporaryFiles(const std::string& folder) = 0;

  // Makes the folder and what it holds readable and writable only by those
  // who run the program as its owners: on Windows, Administrators and SYSTEM
  // (the program runs elevated), with an access list of the folder's own
  // that its files inherit. Nothing is written when that holds already.
  // Where the prefix is its user's alone (Linux keeps it 0700), there is
  // nothing to do. True when it holds afterwards.
  virtual bool KeepPrivate(const std::string& folder) {
    (void)folder;
    return true;
  }

  // The drive letters ('A'..'Z') that exist now, in alphabetical order.
  virtual std::vector<char> Drives() = 0;

  // The Windows path of the user's desktop directory (for example
  // "Z:\home\ann\Desktop"), without a trailing backslash.
  virtual std::string DesktopPath() = 0;

  // Waits until no other copy of the program works on the records, then
  // holds the lock until the returned object is destroyed. Every command that
  // reads and writes record files holds it, so that two copies never lose a
  // hide or reuse a sequence number. Taken again by the same process while
  // held, it is simply held once more. nullptr, at once, when the lock
  // cannot be taken (its file cannot be made or opened, or something that is
  // no regular file stands at its name): the command must then change
  // nothing, and never goes on unlocked.
  virtual std::unique_ptr<RecordLock> LockRecords() = 0;

  // The Windows path of the records' lock file, to name it when the lock
  // cannot be taken.
  virtual std::string RecordLockPath() = 0;

  // The real file-system path that a Windows path resolves to, for handing a
  // document to the desktop and for tests; "" when the path leads nowhere
  // (a missing drive, a network or shell-namespace path).
  virtual std::string NativePath(const std::string& path) = 0;
};

// The file system of the running program: drives under the prefix named by
// QUILLOMAR_PREFIX, or else $XDG_DATA_HOME/quillomar (~/.local/share/quillomar).
std::unique_ptr<FileSystem> MakeFileSystem();

// A file system whose drives live under the given prefix folder (created with
// its default drives when missing). `desktop_folder` is the real folder that
// serves as the desktop; empty means the user's desktop directory
// (XDG_DESKTOP_DIR from user-dirs.dirs, else ~/Desktop). For tests and tools.
std::unique_ptr<FileSystem> MakeFileSystemAt(const std::string& prefix_folder,
                                             const std::string& desktop_folder = "");

// The prefix folder that MakeFileSystem() uses.
std::string DefaultPrefixFolder();

}  // namespace platform
