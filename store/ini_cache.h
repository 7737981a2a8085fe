#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <functional>
#include <string>
#include <unordered_map>

#include "platform/file_system.h"
#include "store/ini_document.h"

namespace store {

// One parsed record file as it stood when it was read or written.
struct CachedIni {
  platform::FileStamp stamp;         // the file's stamp at that moment
  std::shared_ptr<IniDocument> doc;  // its content
  // The file's bytes while the stamp alone cannot yet prove the entry current
  // (see StampIsSettled); null once it can.
  std::shared_ptr<const std::string> bytes;
  bool settled = false;  // true: an equal stamp proves the content unchanged
};

// The process-wide cache of parsed record files, keyed by the file's
// identity (device and inode), so that every spelling of a path and every
// prefix finds its own file without resolving the path again. An entry
// answers only for the exact stamp it holds. It keeps a handful of files;
// the least recently used one goes first. Safe to use from several threads.
class IniCache {
 public:
  // The one cache of the process.
  static IniCache& Instance();

  // A copy of the entry of the file that `stamp` identifies (sharing its
  // document), whatever version of the file it holds; nullopt when none.
  std::optional<CachedIni> Find(const platform::FileStamp& stamp);

  // Removes that entry and hands it over, or nullopt.
  std::optional<CachedIni> Take(const platform::FileStamp& stamp);

  // Stores the entry under its stamp's file, replacing an earlier one.
  void Put(CachedIni entry);

  // Drops every entry (a benchmark measuring a cold read uses it).
  void Clear();

 private:
  static constexpr std::size_t kMaxFiles = 16;

  struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
  };
  struct FileIdHash {
    std::size_t operator()(const FileId& id) const { return std::hash<std::uint64_t>()(id.inode * 31 + id.device); }
  };
  struct Slot {
    CachedIni entry;
    std::uint64_t last_use = 0;
  };

  static FileId IdOf(const platform::FileStamp& stamp) { return {stamp.device, stamp.inode}; }

  std::mutex mutex_;
  std::unordered_map<FileId, Slot, FileIdHash> slots_;
  std::uint64_t clock_ = 0;
};

// How far a file's timestamps must lie back before an equal stamp proves its
// content unchanged. File systems stamp changes with a coarse clock (a timer
// tick, or two seconds on FAT), so a change that follows a read closely can
// leave size and times as they were.
inline constexpr std::chrono::seconds kStampGranularity{2};

// True when the file, stamped `stamp` and read no earlier than `read_at`,
// cannot have changed since without its stamp changing too.
bool StampIsSettled(const platform::FileStamp& stamp, std::chrono::system_clock::time_point read_at);

}  // namespace store
