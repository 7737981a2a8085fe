#include "platform/posix/dot_hidden.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/posix/atomic_file.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/folder_lock.h"
#include "platform/posix/folder_ops.h"

namespace platform::posix {

namespace {

constexpr char kLineEnd = '\n';
// Readable by file managers of every user, writable by its owner alone.
constexpr mode_t kNewFileMode = 0644;

// Calls `visit(line, line_with_end)` for each line of `content`.
template <typename Visit>
void ForEachLine(std::string_view content, Visit visit) {
  while (!content.empty()) {
    std::size_t end = content.find(kLineEnd);
    std::size_t next = (end == std::string_view::npos) ? content.size() : end + 1;
    visit(content.substr(0, end == std::string_view::npos ? content.size() : end),
          content.substr(0, next));
    content.remove_prefix(next);
  }
}

// True for a .hidden that is the folder's own: a regular file with no other
// name (a second name could be any file of the system).
bool IsOwnRegularFile(const struct stat& status) {
  return S_ISREG(status.st_mode) && status.st_nlink <= 1;
}

// Opens the regular file at `path` with `flags`, never through a link and
// never waiting on a pipe; an invalid descriptor (errno set) otherwise,
// ENOENT when nothing is there.
UniqueFd OpenRegular(const std::string& path, int flags, mode_t create_mode = 0) {
  struct stat status;
  if (::lstat(path.c_str(), &status) == 0 && !IsOwnRegularFile(status)) {
    errno = EINVAL;
    return UniqueFd();
  }
  UniqueFd fd(::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, create_mode));
  // What was checked above may have been swapped meanwhile.
  if (fd.valid() && (::fstat(fd.get(), &status) != 0 || !IsOwnRegularFile(status))) {
    errno = EINVAL;
    return UniqueFd();
  }
  return fd;
}

// Whether the owner's write permission allows the change, as Windows would
// decide it: a privileged process must not write where the owner may not.
// A new .hidden needs a folder that takes changes, a line more needs a
// .hidden that takes them, and a replacement needs both.
bool OwnerMayWrite(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) != 0;
}
bool MayChange(const std::string& native_folder, const std::string& path, bool listed) {
  struct stat status;
  const bool exists = ::lstat(path.c_str(), &status) == 0;
  if (exists && (status.st_mode & S_IWUSR) == 0) return false;
  if (listed && exists) return true;
  return OwnerMayWrite(native_folder);
}

// The file's bytes: "" when there is none, nullopt when it cannot be read.
std::optional<std::string> ReadContent(const std::string& path) {
  UniqueFd fd = OpenRegular(path, O_RDONLY);
  if (!fd.valid()) {
    if (errno == ENOENT) return std::string();
    return std::nullopt;
  }
  return ReadToEnd(fd.get());
}

// Appends `name` as a line, in one write.
bool AppendLine(const std::string& path, std::string_view content, std::string_view name,
                mode_t umask) {
  std::string line;
  if (!content.empty() && content.back() != kLineEnd) line += kLineEnd;
  line.append(name);
  line += kLineEnd;
  UniqueFd fd = OpenRegular(path, O_WRONLY | O_APPEND | O_CREAT, kNewFileMode & ~umask);
  return fd.valid() && WriteFully(fd.get(), line) && fd.Close();
}

// Replaces the file with `updated`, or removes it when nothing is left.
bool Rewrite(const std::string& path, const std::string& updated) {
  if (updated.empty()) return ::unlink(path.c_str()) == 0 || errno == ENOENT;
  AtomicFile file;
  return file.Open(path, kNewFileMode, kDotHiddenTempName) && file.Write(updated) &&
         file.Commit(Durability::kCheap);
}

}  // namespace

bool HasLine(std::string_view content, std::string_view name) {
  bool found = false;
  ForEachLine(content, [&](std::string_view line, std::string_view) {
    if (line == name) found = true;
  });
  return found;
}

std::string WithLine(std::string_view content, std::string_view name) {
  std::string out(content);
  if (!out.empty() && out.back() != kLineEnd) out += kLineEnd;
  out += name;
  out += kLineEnd;
  return out;
}

std::string WithoutLine(std::string_view content, std::string_view name) {
  std::string out;
  out.reserve(content.size());
  ForEachLine(content, [&](std::string_view line, std::string_view whole) {
    if (line != name) out += whole;
  });
  return out;
}

std::unordered_set<std::string> ReadDotHiddenNames(const std::string& native_folder) {
  std::unordered_set<std::string> names;
  std::optional<std::string> content = ReadContent(NativeJoin(native_folder, kDotHiddenName));
  if (!content) return names;
  ForEachLine(*content, [&](std::string_view line, std::string_view) {
    names.emplace(line);
  });
  return names;
}

bool ListedInDotHidden(const std::string& native_folder, std::string_view name) {
  std::optional<std::string> content = ReadContent(NativeJoin(native_folder, kDotHiddenName));
  return content && HasLine(*content, name);
}

bool SetListedInDotHidden(const std::string& native_folder, const std::string& name,
                          bool listed, mode_t umask) {
  // A name with a line feed would list two other names instead of itself.
  if (name.empty() || name.find(kLineEnd) != std::string::npos) return true;
  const FolderLock lock(native_folder);
  if (!lock.usable()) return false;
  const std::string path = NativeJoin(native_folder, kDotHiddenName);
  std::optional<std::string> content = ReadContent(path);
  if (!content) return false;
  if (HasLine(*content, name) == listed) return true;
  if (!MayChange(native_folder, path, listed)) return false;
  if (listed) return AppendLine(path, *content, name, umask);
  return Rewrite(path, WithoutLine(*content, name));
}

bool RemoveLeftoverDotHidden(const std::string& native_folder) {
  const std::string temp = NativeJoin(native_folder, kDotHiddenTempName);
  struct stat status;
  if (::lstat(temp.c_str(), &status) != 0) return true;
  const FolderLock lock(native_folder);
  if (!lock.usable()) return false;
  return ::unlink(temp.c_str()) == 0 || errno == ENOENT;
}

}  // namespace platform::posix
