#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/file_system.h"

namespace testing_support {

// A file system that passes every call to a real one, and lets a test act
// between two steps of a routine: `before_replace` runs before each file
// replacement with the Windows path about to be written, `after_replace`
// right after it (for example to delete a record file at that moment),
// `before_change` before every call that changes something on disk, with
// the call's name and path (for example to end the process there), and
// `after_change` once such a call has returned.
class HookedFileSystem final : public platform::FileSystem {
 public:
  explicit HookedFileSystem(platform::FileSystem& inner) : inner_(inner) {}

  std::function<void(const std::string& path)> before_replace;
  std::function<void(const std::string& path)> after_replace;
  std::function<void(const std::string& call, const std::string& path)> before_change;
  std::function<void(const std::string& call, const std::string& path)> after_change;

  std::vector<platform::AttributesResult> SetItemsAttributes(const std::vector<std::string>& paths,
                                                             std::uint32_t attributes,
                                                             platform::LastNameMatch last_name) override {
    const std::string first = paths.empty() ? std::string() : paths.front();
    return Change("SetAttributesOfItems", first, [&] { return inner_.SetItemsAttributes(paths, attributes, last_name); });
  }
  std::vector<platform::AttributesResult> SetEntriesAttributes(
      const std::vector<platform::FolderEntry>& entries, std::uint32_t attributes) override {
    const std::string folder = entries.empty() ? std::string() : entries.front().folder;
    return Change("SetEntriesAttributes", folder, [&] { return inner_.SetEntriesAttributes(entries, attributes); });
  }
  bool CanMarkItself(const platform::FolderEntry& entry) override { return inner_.CanMarkItself(entry); }
  bool SameItem(const std::string& a, const std::string& b) override { return inner_.SameItem(a, b); }
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override {
    return inner_.GetAttributes(path);
  }
  bool CreateFolder(const std::string& path) override {
    return Change("CreateFolder", path, [&] { return inner_.CreateFolder(path); });
  }
  bool DeleteFolder(const std::string& path) override {
    return Change("DeleteFolder", path, [&] { return inner_.DeleteFolder(path); });
  }
  bool CopyFile(const std::string& from, const std::string& to) override {
    return Change("CopyFile", to, [&] { return inner_.CopyFile(from, to); });
  }
  bool MoveFile(const std::string& from, const std::string& to) override {
    return Change("MoveFile", to, [&] { return inner_.MoveFile(from, to); });
  }
  bool RenameEntry(const platform::FolderEntry& entry, const std::string& new_name) override {
    const std::string renamed = entry.folder + "\\" + new_name;
    return Change("RenameEntry", renamed, [&] { return inner_.RenameEntry(entry, new_name); });
  }
  bool LinkFile(const std::string& from, const std::string& to) override {
    return Change("LinkFile", to, [&] { return inner_.LinkFile(from, to); });
  }
  bool DeleteFile(const std::string& path) override {
    return Change("DeleteFile", path, [&] { return inner_.DeleteFile(path); });
  }
  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  bool FolderExists(const std::string& path) override { return inner_.FolderExists(path); }
  std::optional<std::vector<platform::DirEntry>> ListFolder(const std::string& folder) override {
    return inner_.ListFolder(folder);
  }
  std::optional<std::vector<std::string>> ListFolderNames(const std::string& folder) override {
    return inner_.ListFolderNames(folder);
  }
  platform::ReadResult ReadFile(const std::string& path) override { return inner_.ReadFile(path); }
  bool ReplaceFile(const std::string& path, const std::string& bytes) override {
    return Change("ReplaceFile", path, [&] {
      if (before_replace) before_replace(path);
      const bool replaced = inner_.ReplaceFile(path, bytes);
      if (after_replace) after_replace(path);
      return replaced;
    });
  }
  std::optional<platform::FileStamp> Stamp(const std::string& path) override {
    return inner_.Stamp(path);
  }
  bool RemoveLeftoverTemporaryFiles(const std::string& folder) override {
    return Change("RemoveLeftoverTemporaryFiles", folder,
                  [&] { return inner_.RemoveLeftoverTemporaryFiles(folder); });
  }
  bool KeepPrivate(const std::string& folder) override {
    return Change("KeepPrivate", folder, [&] { return inner_.KeepPrivate(folder); });
  }
  std::vector<char> Drives() override { return inner_.Drives(); }
  std::string DesktopPath() override { return inner_.DesktopPath(); }
  std::unique_ptr<platform::RecordLock> LockRecords() override { return inner_.LockRecords(); }
  std::string RecordLockPath() override { return inner_.RecordLockPath(); }
  std::string NativePath(const std::string& path) override { return inner_.NativePath(path); }

 private:
  template <typename Call>
  std::invoke_result_t<Call> Change(const char* call, const std::string& path, Call inner_call) {
    if (before_change) before_change(call, path);
    auto result = inner_call();
    if (after_change) after_change(call, path);
    return result;
  }

  platform::FileSystem& inner_;
};

}  // namespace testing_support
