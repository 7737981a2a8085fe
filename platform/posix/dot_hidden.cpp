#include "platform/posix/dot_hidden.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

#include "platform/posix/atomic_file.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/folder_ops.h"

namespace platform::posix {

namespace {

constexpr char kLineEnd = '\n';
// Readable by file managers of every user, writable by its owner alone.
constexpr mode_t kNewFileMode = 0644;
// Holders keep the lock for one small read and write; a lock held this long
// is held by something that is not coming back soon.
constexpr std::chrono::seconds kLongestWait{5};
constexpr std::chrono::milliseconds kFirstPause{1};
constexpr std::chrono::milliseconds kLongestPause{20};
// How much of a .hidden too large to be read whole is read at a time.
constexpr std::size_t kScanChunk = 64 * 1024;
// No name of an entry is longer (NAME_MAX, in bytes).
constexpr std::size_t kLongestName = 255;

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

// The bytes of an open .hidden; nullopt when they cannot be read or are
// more than kMaxDotHiddenSize (a file of that size is no list of names that
// a person keeps, and reading it whole would cost its size in memory).
std::optional<std::string> ReadBounded(int fd) {
  struct stat status;
  if (::fstat(fd, &status) != 0 || status.st_size > static_cast<off_t>(kMaxDotHiddenSize)) {
    return std::nullopt;
  }
  std::optional<std::string> content = ReadToEnd(fd);
  if (content && content->size() > kMaxDotHiddenSize) return std::nullopt;
  return content;
}

// The file's bytes: "" when there is none, nullopt when it cannot be read.
std::optional<std::string> ReadContent(const std::string& path) {
  UniqueFd fd = OpenRegular(path, O_RDONLY);
  if (!fd.valid()) {
    if (errno == ENOENT) return std::string();
    return std::nullopt;
  }
  return ReadBounded(fd.get());
}

// Takes the lock that guards the .hidden at `path`: a write lock on the
// file itself (an open-file-description lock), which every copy of the
// program takes, whatever its prefix, before it reads, changes or replaces
// the file. A lock that anyone else holds on it, read or write, delays us
// up to kLongestWait and then fails the change: someone who may merely read
// the file can make our change fail, never make two of our copies change
// it at once. The file is made first when `create` says so. Returns the
// file, open for reading and appending and locked; an invalid descriptor
// with errno ENOENT when there is no .hidden (and none was to be made), or
// another errno when it cannot be opened or the lock was held past the
// wait. A file system without such locks keeps nobody out: the file is
// returned unlocked there.
UniqueFd LockDotHidden(const std::string& path, bool create, mode_t create_mode) {
  const int flags = O_RDWR | O_APPEND | (create ? O_CREAT : 0);
  const auto give_up = std::chrono::steady_clock::now() + kLongestWait;
  auto pause = kFirstPause;
  for (;;) {
    UniqueFd fd = OpenRegular(path, flags, create_mode);
    if (!fd.valid()) return fd;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd.get(), F_OFD_SETLK, &lock) != 0) {
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EACCES) return fd;
    } else {
      // The holder before us may have replaced the file or removed it:
      // only the file that is there now guards the folder's names.
      struct stat held;
      struct stat there;
      if (::fstat(fd.get(), &held) == 0 && ::lstat(path.c_str(), &there) == 0 &&
          held.st_dev == there.st_dev && held.st_ino == there.st_ino) {
        return fd;
      }
    }
    if (std::chrono::steady_clock::now() >= give_up) {
      errno = EWOULDBLOCK;
      return UniqueFd();
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, kLongestPause);
  }
}

// Removes the temporary files that replacements of the folder's .hidden
// killed part-way left there: regular files of exactly the program's own
// temporary form, never followed through a link. Called while the .hidden's
// lock is held, so that no copy of the program is replacing it.
void RemoveLeftovers(const std::string& native_folder) {
  UniqueFd folder(::open(native_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder.valid()) return;
  DIR* dir = ::fdopendir(::dup(folder.get()));
  if (dir == nullptr) return;
  while (dirent* entry = ::readdir(dir)) {
    if (!IsTempName(entry->d_name)) continue;
    struct stat status;
    if (::fstatat(folder.get(), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode)) {
      ::unlinkat(folder.get(), entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

// True when the file at `path` has a line among `wanted`, read a piece at a
// time (for a file too large to be read whole); nullopt when it cannot be read.
std::optional<bool> ListsAnyOf(const std::string& path, const std::unordered_set<std::string_view>& wanted) {
  UniqueFd fd = OpenRegular(path, O_RDONLY);
  if (!fd.valid()) {
    if (errno == ENOENT) return false;
    return std::nullopt;
  }
  std::string line;
  char buffer[kScanChunk];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return wanted.count(line) != 0;
    for (std::string_view rest(buffer, static_cast<std::size_t>(n)); !rest.empty();) {
      const std::size_t end = rest.find(kLineEnd);
      // A line longer than any name cannot be one.
      if (line.size() <= kLongestName) line.append(rest.substr(0, std::min(end, rest.size())));
      if (end == std::string_view::npos) break;
      if (wanted.count(line) != 0) return true;
      line.clear();
      rest.remove_prefix(end + 1);
    }
  }
}

// Appends `names` as lines to the locked file, in one write.
bool AppendLines(int fd, std::string_view content, const std::vector<std::string_view>& names) {
  std::string lines;
  if (!content.empty() && content.back() != kLineEnd) lines += kLineEnd;
  for (std::string_view name : names) {
    lines.append(name);
    lines += kLineEnd;
  }
  return WriteFully(fd, lines);
}

// Replaces the locked file with `updated`, or removes it when nothing is left.
bool Rewrite(const std::string& path, const std::string& updated) {
  if (updated.empty()) return ::unlink(path.c_str()) == 0 || errno == ENOENT;
  AtomicFile file;
  return file.Open(path, kNewFileMode) && file.Write(updated) && file.Commit(Durability::kCheap);
}

// The lines of `content` that stay when `wanted` are taken out (`listed`
// false), and which of `wanted` it lists.
struct Lines {
  std::string kept;
  std::unordered_set<std::string_view> present;
};
Lines Sort(std::string_view content, const std::unordered_set<std::string_view>& wanted, bool listed) {
  Lines lines;
  ForEachLine(content, [&](std::string_view line, std::string_view whole) {
    const bool named = wanted.count(line) != 0;
    if (named) lines.present.insert(line);
    if (!listed && !named) lines.kept += whole;
  });
  return lines;
}

// The names of `names` (in their order, each once) that `present` lacks.
std::vector<std::string_view> Missing(const std::vector<std::string>& names,
                                      const std::unordered_set<std::string_view>& wanted,
                                      std::unordered_set<std::string_view> present) {
  std::vector<std::string_view> missing;
  for (const std::string& name : names) {
    if (wanted.count(name) != 0 && present.insert(name).second) missing.push_back(name);
  }
  return missing;
}

}  // namespace

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
  if (!content) return false;
  bool found = false;
  ForEachLine(*content, [&](std::string_view line, std::string_view) {
    if (line == name) found = true;
  });
  return found;
}

bool SetListedInDotHidden(const std::string& native_folder, const std::vector<std::string>& names,
                          bool listed, mode_t umask) {
  // A name with a line feed would list two other names instead of itself.
  std::unordered_set<std::string_view> wanted;
  for (const std::string& name : names) {
    if (!name.empty() && name.find(kLineEnd) == std::string::npos) wanted.insert(name);
  }
  if (wanted.empty()) return true;
  const std::string path = NativeJoin(native_folder, kDotHiddenName);
  // A first look without the lock: a file that needs no change is neither
  // locked nor made, which a folder we may only read allows too.
  std::optional<std::string> content = ReadContent(path);
  if (!content) {
    // A .hidden too large to be changed needs no change when it lists none
    // of the names that are to go.
    return !listed && ListsAnyOf(path, wanted) == false;
  }
  {
    const Lines lines = Sort(*content, wanted, listed);
    const bool unchanged = listed ? Missing(names, wanted, lines.present).empty() : lines.present.empty();
    if (unchanged) return true;
  }
  if (!MayChange(native_folder, path, listed)) return false;

  // Read again under the lock: another writer may have changed it since.
  UniqueFd locked = LockDotHidden(path, listed, kNewFileMode & ~umask);
  if (!locked.valid()) return !listed && errno == ENOENT;
  RemoveLeftovers(native_folder);
  content = ReadBounded(locked.get());
  if (!content) return false;
  const Lines lines = Sort(*content, wanted, listed);
  if (listed) {
    const std::vector<std::string_view> missing = Missing(names, wanted, lines.present);
    return missing.empty() || (AppendLines(locked.get(), *content, missing) && locked.Close());
  }
  return lines.present.empty() || Rewrite(path, lines.kept);
}

}  // namespace platform::posix
