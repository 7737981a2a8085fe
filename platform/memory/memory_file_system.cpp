#include "platform/memory/memory_file_system.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/windows_path.h"

namespace platform {

namespace {

constexpr char kDrives[] = {'C', 'D'};
constexpr char kDesktop[] = "C:\\Desktop";
// Where the lock file would be: this file system keeps no lock between processes.
constexpr char kLockPath[] = "C:\\WINDOWS\\quillomar.lock";
constexpr std::string_view kCurrent = ".";
constexpr std::string_view kParent = "..";
constexpr std::uint32_t kSettable = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
// Device numbers of memory file systems, far from any real device's.
constexpr std::uint64_t kFirstDevice = std::uint64_t{1} << 62;

std::atomic<std::uint64_t> next_device{kFirstDevice};

using windows_path::EqualIgnoringCase;
using windows_path::IsSeparator;

struct Node {
  bool folder = false;
  std::uint32_t attributes = 0;  // kSettable bits (read-only never on folders)
  std::string bytes;             // a file's content
  std::uint64_t inode = 0;
  std::int64_t modified = 0;
  std::int64_t changed = 0;
  // A folder's entries, in the order they were made.
  std::vector<std::pair<std::string, std::shared_ptr<Node>>> entries;
};
using NodePtr = std::shared_ptr<Node>;

// Where a path leads: the folder that holds it and its name there (the
// name on disk, or as given when absent); `node` when it is there.
struct Place {
  NodePtr folder;  // null for a drive's own folder
  std::string name;
  NodePtr node;
};

class NoLock final : public RecordLock {};

class MemoryFileSystem final : public FileSystem {
 public:
  MemoryFileSystem() : device_(next_device++) {
    for (char letter : kDrives) drives_.emplace_back(letter, NewNode(true));
    CreateFolder(kDesktop);
  }

  std::vector<AttributesResult> SetItemsAttributes(const std::vector<std::string>& paths,
                                                   std::uint32_t attributes,
                                                   LastNameMatch) override {
    std::vector<AttributesResult> results(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
      std::optional<Place> place = Resolve(paths[i]);
      results[i].applied = place && place->node && Apply(*place->node, attributes);
      results[i].absent = place && !place->node;
    }
    return results;
  }

  std::vector<AttributesResult> SetEntriesAttributes(const std::vector<FolderEntry>& entries,
                                                     std::uint32_t attributes) override {
    std::vector<AttributesResult> results(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const NodePtr node = EntryNode(entries[i]);
      results[i].applied = node && Apply(*node, attributes);
    }
    return results;
  }

  bool SameItem(const std::string& a, const std::string& b) override {
    std::optional<Place> first = Resolve(a);
    std::optional<Place> second = Resolve(b);
    return first && second && first->node && first->node == second->node;
  }

  std::optional<std::uint32_t> GetAttributes(const std::string& path) override {
    std::optional<Place> place = Resolve(path);
    if (!place || !place->node) return std::nullopt;
    return Reported(*place->node);
  }

  bool CreateFolder(const std::string& path) override {
    const std::vector<std::string_view>* parts = Split(path);
    if (parts == nullptr) return false;
    NodePtr folder = Drive(path[0]);
    for (std::string_view part : *parts) {
      std::size_t at = Find(*folder, part);
      if (at == kNone) {
        folder->entries.emplace_back(std::string(part), NewNode(true));
        Touch(*folder);
        at = folder->entries.size() - 1;
      }
      folder = folder->entries[at].second;
      if (!folder->folder) return false;
    }
    return true;
  }

  bool DeleteFolder(const std::string& path) override {
    std::optional<Place> place = Resolve(path);
    if (!place || !place->folder || !place->node || !place->node->folder) return false;
    return Remove(*place);
  }

  bool CopyFile(const std::string& from, const std::string& to) override {
    std::optional<Place> source = Resolve(from);
    std::optional<Place> target = Resolve(to);
    if (!source || !source->node || source->node->folder || !target || !MayReplace(*target)) return false;
    if (target->node) {
      target->node->bytes = source->node->bytes;
      Touch(*target->node);
      return true;
    }
    NodePtr copy = NewNode(false);
    copy->bytes = source->node->bytes;
    copy->attributes = source->node->attributes & kAttrReadOnly;
    Add(*target, copy);
    return true;
  }

  bool MoveFile(const std::string& from, const std::string& to) override {
    std::optional<Place> source = Resolve(from);
    std::optional<Place> target = Resolve(to);
    // Files only: the program moves nothing else, and a folder moved below
    // itself would be lost.
    if (!source || !source->node || source->node->folder || !source->folder || !target || target->node ||
        !target->folder) {
      return false;
    }
    const NodePtr node = source->node;
    Remove(*source);
    Add(*target, node);
    return true;
  }

  bool RenameEntry(const FolderEntry& entry, const std::string& new_name) override {
    std::optional<Place> folder = Resolve(entry.folder);
    if (!folder || !folder->node || !folder->node->folder || !IsOneName(entry.name) || !IsOneName(new_name)) {
      return false;
    }
    Node& parent = *folder->node;
    const std::size_t at = FindExact(parent, entry.name);
    if (at == kNone || Find(parent, new_name) != kNone) return false;
    parent.entries[at].first = new_name;
    Touch(parent);
    return true;
  }

  bool LinkFile(const std::string& from, const std::string& to) override {
    std::optional<Place> source = Resolve(from);
    std::optional<Place> target = Resolve(to);
    if (!source || !source->node || source->node->folder || !target || target->node || !target->folder) {
      return false;
    }
    Add(*target, source->node);
    return true;
  }

  bool DeleteFile(const std::string& path) override {
    std::optional<Place> place = Resolve(path);
    if (!place || !place->node || place->node->folder || (place->node->attributes & kAttrReadOnly) != 0) {
      return false;
    }
    return Remove(*place);
  }

  bool FileExists(const std::string& path) override {
    std::optional<Place> place = Resolve(path);
    return place && place->node && !place->node->folder;
  }

  bool FolderExists(const std::string& path) override {
    std::optional<Place> place = Resolve(path);
    return place && place->node && place->node->folder;
  }

  std::optional<std::vector<DirEntry>> ListFolder(const std::string& folder) override {
    std::optional<Place> place = Resolve(folder);
    if (!place || !place->node || !place->node->folder) return std::nullopt;
    std::vector<DirEntry> entries = {{".", kAttrDirectory}, {"..", kAttrDirectory}};
    for (const auto& [name, node] : place->node->entries) entries.push_back({name, Reported(*node)});
    return entries;
  }

  std::optional<std::vector<std::string>> ListFolderNames(const std::string& folder) override {
    std::optional<std::vector<DirEntry>> entries = ListFolder(folder);
    if (!entries) return std::nullopt;
    std::vector<std::string> names;
    for (DirEntry& entry : *entries) names.push_back(std::move(entry.name));
    return names;
  }

  ReadResult ReadFile(const std::string& path) override {
    std::optional<Place> place = Resolve(path);
    if (!place || !place->node) return {};
    if (place->node->folder) return {ReadStatus::kError, {}};
    return {ReadStatus::kOk, place->node->bytes};
  }

  bool ReplaceFile(const std::string& path, const std::string& bytes) override {
    std::optional<Place> place = Resolve(path);
    if (!place || !MayReplace(*place)) return false;
    // A new file under the old name, as a rename over it would leave it.
    NodePtr file = NewNode(false);
    file->bytes = bytes;
    if (place->node) {
      file->attributes = place->node->attributes;
      Remove(*place);
    }
    Add(*place, file);
    return true;
  }

  std::optional<FileStamp> Stamp(const std::string& path) override {
    std::optional<Place> place = Resolve(path);
    if (!place || !place->node) return std::nullopt;
    const Node& node = *place->node;
    FileStamp stamp;
    stamp.device = device_;
    stamp.inode = node.inode;
    stamp.size = node.bytes.size();
    stamp.modified_ns = node.modified;
    stamp.changed_ns = node.changed;
    return stamp;
  }

  bool RemoveLeftoverTemporaryFiles(const std::string& folder) override { return FolderExists(folder); }

  std::vector<char> Drives() override {
    std::vector<char> letters;
    for (const auto& [letter, node] : drives_) letters.push_back(letter);
    return letters;
  }

  std::string DesktopPath() override { return kDesktop; }

  std::unique_ptr<RecordLock> LockRecords() override { return std::make_unique<NoLock>(); }

  std::string RecordLockPath() override { return kLockPath; }

  std::string NativePath(const std::string&) override { return ""; }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  NodePtr NewNode(bool folder) {
    auto node = std::make_shared<Node>();
    node->folder = folder;
    node->inode = ++inodes_;
    Touch(*node);
    return node;
  }

  // Counts a change of the node; the count stands in for its times.
  void Touch(Node& node) { node.modified = node.changed = ++clock_; }

  NodePtr Drive(char letter) const {
    for (const auto& [drive, node] : drives_) {
      if (drive == windows_path::UpperDriveLetter(letter)) return node;
    }
    return nullptr;
  }

  // The names after the drive, "." dropped and ".." applied; nullopt for a
  // path that names nothing here (no such drive, no drive at all, a NUL).
  // (Kept in one vector for every call: a fuzzer runs this very often.)
  const std::vector<std::string_view>* Split(std::string_view path) const {
    if (!windows_path::HasDriveLetter(path) || !Drive(path[0]) || path.find('\0') != std::string_view::npos) {
      return nullptr;
    }
    windows_path::SplitComponents(path.substr(2), parts_);
    return &parts_;
  }

  // The entry of exactly that name, else the first equal to it ignoring case.
  static std::size_t Find(const Node& folder, std::string_view name) {
    const std::size_t exact = FindExact(folder, name);
    if (exact != kNone) return exact;
    for (std::size_t i = 0; i < folder.entries.size(); ++i) {
      if (EqualIgnoringCase(folder.entries[i].first, name)) return i;
    }
    return kNone;
  }

  static std::size_t FindExact(const Node& folder, std::string_view name) {
    for (std::size_t i = 0; i < folder.entries.size(); ++i) {
      if (folder.entries[i].first == name) return i;
    }
    return kNone;
  }

  std::optional<Place> Resolve(std::string_view path) const {
    const std::vector<std::string_view>* parts = Split(path);
    if (parts == nullptr) return std::nullopt;
    Place place{nullptr, "", Drive(path[0])};
    for (std::string_view part : *parts) {
      place.folder = place.node && place.node->folder ? place.node : nullptr;
      // Below something that is not a folder nothing can be made.
      if (!place.folder) return std::nullopt;
      const std::size_t at = Find(*place.folder, part);
      place.name = at == kNone ? std::string(part) : place.folder->entries[at].first;
      place.node = at == kNone ? nullptr : place.folder->entries[at].second;
    }
    return place;
  }

  NodePtr EntryNode(const FolderEntry& entry) const {
    std::optional<Place> folder = Resolve(entry.folder);
    if (!folder || !folder->node || !folder->node->folder || !IsOneName(entry.name)) return nullptr;
    const std::size_t at = FindExact(*folder->node, entry.name);
    return at == kNone ? nullptr : folder->node->entries[at].second;
  }

  static bool IsOneName(const std::string& name) {
    return !name.empty() && name != kCurrent && name != kParent &&
           !windows_path::HoldsForbiddenCharacter(name);
  }

  // Whether new content may take the place: nothing there yet, or a file
  // that is not read-only, in a folder.
  static bool MayReplace(const Place& place) {
    if (!place.folder) return false;
    return !place.node || (!place.node->folder && (place.node->attributes & kAttrReadOnly) == 0);
  }

  bool Apply(Node& node, std::uint32_t attributes) {
    std::uint32_t wanted = attributes & kSettable;
    if (node.folder) wanted &= ~kAttrReadOnly;
    if (node.attributes != wanted) {
      node.attributes = wanted;
      node.changed = ++clock_;
    }
    return true;
  }

  static std::uint32_t Reported(const Node& node) {
    return node.attributes | (node.folder ? kAttrDirectory : kAttrNone);
  }

  void Add(const Place& place, NodePtr node) {
    place.folder->entries.emplace_back(place.name, std::move(node));
    Touch(*place.folder);
  }

  bool Remove(const Place& place) {
    auto& entries = place.folder->entries;
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const auto& entry) { return entry.first == place.name; });
    if (it == entries.end()) return false;
    entries.erase(it);
    Touch(*place.folder);
    return true;
  }

  std::uint64_t device_;
  std::uint64_t inodes_ = 0;
  std::int64_t clock_ = 0;
  std::vector<std::pair<char, NodePtr>> drives_;
  mutable std::vector<std::string_view> parts_;
};

}  // namespace

std::unique_ptr<FileSystem> MakeMemoryFileSystem() { return std::make_unique<MemoryFileSystem>(); }

}  // namespace platform
