#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "store/ini_document.h"

namespace store {

// One record file, named by its Windows path. Opening touches no file; every
// operation reads the file afresh (or from a cache proven current) and every
// write is in the file, durably, when it returns. No state is kept between
// operations, so what one operation writes the next one reads. Every write
// (including a key deletion) reads and rewrites the file; the caller holds
// the records' lock (FileSystem::LockRecords, taken once per command at the
// engine's entry point), so that another copy of the program never changes
// the file in between.
class IniFile {
 public:
  IniFile(platform::FileSystem& fs, std::string path);

  const std::string& path() const { return path_; }

  // True when the file exists.
  bool Exists() const;

  // The value, or `default_value` when the file, section or key is absent.
  // Never creates a file.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value) const;

  // Creates what is missing (file, section, key) and sets the value. Folders
  // are not created. Throws WriteError on failure, leaving the file as it was:
  // also when the file exists but cannot be read or is read-only, and when
  // the text cannot be stored so that it reads back (IniDocument::IsStorable).
  // Writing the value that the key already has writes nothing.
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value);

  // The key names of the section in file order; empty when absent.
  std::vector<std::string> ReadSection(const std::string& section) const;

  // Removes the entry; nothing happens when it is absent. A failure to
  // rewrite the file is not reported.
  void DeleteKey(const std::string& section, const std::string& key);

  // Removes the section with its entries. Throws WriteError on failure.
  void EraseSection(const std::string& section);

  // Applies several changes with one rewrite of the file: `edit` gets the
  // current content and changes it; the result is written once (nothing is
  // written when `edit` changed nothing). Throws WriteError on failure,
  // leaving the file as it was; the failures are those of WriteString, and a
  // Set that the document refused fails the whole update. An exception from
  // `edit` passes through and nothing is written.
  void Update(const std::function<void(IniDocument&)>& edit);

  // The current content (a copy), read the same way as ReadString.
  IniDocument Load() const;

  // The same without the copy: the content as read, shared with the store's
  // cache. It never changes: a write makes a new one. Files past
  // IniDocument::kMaxBytes read as unreadable, that is as empty here and in
  // every read, and every write to them fails.
  std::shared_ptr<const IniDocument> Snapshot() const;

 private:
  platform::FileSystem& fs_;
  std::string path_;
};

}  // namespace store
