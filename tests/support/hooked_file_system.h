#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace testing_support {

// A file system that passes every call to a real one, and lets a test act
// between two steps of a routine: `before_replace` runs before each file
// replacement with the Windows path about to be written, `after_replace`
// right after it (for example to delete a record file at that moment), and
// `before_change` before every call that changes something on disk, with
// the call's name and path (for example to end the process there).
class HookedFileSystem final : public platform::FileSystem {
 public:
  explicit HookedFileSystem(platform::FileSystem& inner) : inner_(inner) {}

  std::function<void(const std::string& path)> before_replace;
  std::function<void(const std::string& path)> after_replace;
  std::function<void(const std::string& call, const std::string& path)> before_change;

  bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
    Changing("SetAttributes", path);
    return inner_.SetAttributes(path, attributes);
  }
  platform::AttributesResult SetEntryAttributes(const platform::FolderEntry& entry,
                                                std::uint32_t attributes) override {
    Changing("SetEntryAttributes", entry.folder + "\\" + entry.name);
    return inner_.SetEntryAttributes(entry, attributes);
  }
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override {
    return inner_.GetAttributes(path);
  }
  bool CreateFolder(const std::string& path) override {
    Changing("CreateFolder", path);
    return inner_.CreateFolder(path);
  }
  bool DeleteFolder(const std::string& path) override {
    Changing("DeleteFolder", path);
    return inner_.DeleteFolder(path);
  }
  bool CopyFile(const std::string& from, const std::string& to) override {
    Changing("CopyFile", to);
    return inner_.CopyFile(from, to);
  }
  bool MoveFile(const std::string& from, const std::string& to) override {
    Changing("MoveFile", to);
    return inner_.MoveFile(from, to);
  }
  bool RenameEntry(const platform::FolderEntry& entry, const std::string& new_name) override {
    Changing("RenameEntry", entry.folder + "\\" + new_name);
    return inner_.RenameEntry(entry, new_name);
  }
  bool LinkFile(const std::string& from, const std::string& to) override {
    Changing("LinkFile", to);
    return inner_.LinkFile(from, to);
  }
  bool DeleteFile(const std::string& path) override {
    Changing("DeleteFile", path);
    return inner_.DeleteFile(path);
  }
  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  bool FolderExists(const std::string& path) override { return inner_.FolderExists(path); }
  std::optional<std::vector<platform::DirEntry>> ListFolder(const std::string& folder) override {
    return inner_.ListFolder(folder);
  }
  platform::ReadResult ReadFile(const std::string& path) override { return inner_.ReadFile(path); }
  bool ReplaceFile(const std::string& path, const std::string& bytes) override {
    Changing("ReplaceFile", path);
    if (before_replace) before_replace(path);
    const bool replaced = inner_.ReplaceFile(path, bytes);
    if (after_replace) after_replace(path);
    return replaced;
  }
  std::optional<platform::FileStamp> Stamp(const std::string& path) override {
    return inner_.Stamp(path);
  }
  bool RemoveLeftoverTemporaryFiles(const std::string& folder) override {
    Changing("RemoveLeftoverTemporaryFiles", folder);
    return inner_.RemoveLeftoverTemporaryFiles(folder);
  }
  std::vector<char> Drives() override { return inner_.Drives(); }
  std::string DesktopPath() override { return inner_.DesktopPath(); }
  std::unique_ptr<platform::RecordLock> LockRecords() override { return inner_.LockRecords(); }
  std::string NativePath(const std::string& path) override { return inner_.NativePath(path); }

 private:
  void Changing(const char* call, const std::string& path) {
    if (before_change) before_change(call, path);
  }

  platform::FileSystem& inner_;
};

}  // namespace testing_support
