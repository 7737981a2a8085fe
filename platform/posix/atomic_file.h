#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <cstddef>

#include "platform/posix/fd_io.h"

namespace platform::posix {

// Whether a replacement is flushed to disk before and after the rename.
enum class Durability {
  kFlushed,  // record files: the new content survives a crash once committed
  kCheap,    // files that are cheap to lose (.hidden): no fsync
};

// The name of every temporary file that a replacement makes: this prefix,
// kTempNameRandomLength random lower-case hex digits and this suffix
// (".quillomar-0f3a9c1e5b7d4e26.tmp"), a form that no user's file has by
// accident. It starts with a dot, so that file managers and the program's
// own listings pass over it while it exists.
inline constexpr std::string_view kTempNamePrefix = ".quillomar-";
inline constexpr std::size_t kTempNameRandomLength = 16;
inline constexpr std::string_view kTempNameSuffix = ".tmp";

// True for a name of exactly that form.
bool IsTempName(std::string_view name);

// Replaces one file's content in one step: the bytes go to a new temporary
// file in the same folder, which takes over the old file's permissions,
// owner and user.DOSATTRIB and is then renamed over it. A symbolic link in
// the file's place is replaced itself, never followed. Until Commit()
// succeeds the old file is untouched; a replacement that is given up (or
// destroyed uncommitted) removes its temporary file.
class AtomicFile {
 public:
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();

  // Starts replacing the file at `native_path` (an existing file or a new
  // name in an existing folder). `new_file_mode` is the permission set used
  // when no regular file exists there yet. False when the temporary file
  // cannot be created (missing folder, no permission).
  bool Open(const std::string& native_path, mode_t new_file_mode);

  // Appends bytes to the new content. False on a write error.
  bool Write(std::string_view bytes);

  // Gives the new file the old one's permissions and attributes, flushes it
  // as `durability` says and renames it over the old file. False (and the
  // temporary file removed) on any failure, the old file staying as it was.
  bool Commit(Durability durability);

 private:
  void Discard();

  std::string target_;
  std::string temp_;
  UniqueFd fd_;
};

}  // namespace platform::posix
