#pragma once

// The floors of the benchmarks: the same end state on disk reached with the
// fewest system calls, straight to the kernel and never through the
// program's own layers.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace bench_support::raw {

inline constexpr char kDosAttrib[] = "user.DOSATTRIB";
inline constexpr char kHiddenSystem[] = "0x6";

inline void SetHidden(const std::string& path) {
  ::lsetxattr(path.c_str(), kDosAttrib, kHiddenSystem, sizeof kHiddenSystem - 1, 0);
}

inline void ClearHidden(const std::string& path) { ::lremovexattr(path.c_str(), kDosAttrib); }

// Reads the attribute first, as a change that keeps the form it was
// written in must, then removes it.
inline void ReadAndClearHidden(const std::string& path) {
  char value[64];
  if (::lgetxattr(path.c_str(), kDosAttrib, value, sizeof value) >= 0) ::lremovexattr(path.c_str(), kDosAttrib);
}

// True when nothing stands at the path (the look that finds an item gone).
inline bool Gone(const std::string& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) != 0;
}

inline void WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

// A temporary file beside `path` with `bytes`, flushed to disk when
// `durable`, renamed over `path`, and then the rename flushed too (the
// folder's fsync) when `durable`.
inline void Replace(const std::string& path, const std::string& bytes, bool durable) {
  const std::string temp = path + ".floor";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return;
  WriteAll(fd, bytes);
  if (durable) ::fsync(fd);
  ::close(fd);
  ::rename(temp.c_str(), path.c_str());
  if (!durable) return;
  const std::string folder = path.substr(0, path.find_last_of('/') + 1);
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

// A record file's rewrite: temporary file, fsync, rename, folder fsync.
inline void ReplaceDurably(const std::string& path, const std::string& bytes) { Replace(path, bytes, true); }

// A .hidden file's rewrite: temporary file, rename.
inline void ReplaceCheaply(const std::string& path, const std::string& bytes) { Replace(path, bytes, false); }

// One write at the end of the file (a line more in a .hidden).
inline void Append(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  WriteAll(fd, bytes);
  ::close(fd);
}

// The whole file, read once.
inline std::string Read(const std::string& path) {
  std::string bytes;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return bytes;
  struct stat status;
  if (::fstat(fd, &status) == 0) {
    bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
  }
  ::close(fd);
  return bytes;
}

// The names in a folder, "." and ".." and dot names left out.
inline std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

// What a list of a record file's values costs at the least: each line cut
// at its line end and its "=", the value after it kept, section lines passed
// over. No rule of the record files is applied; it is the bytes' one scan
// and the list's strings that any reader must pay for.
inline std::vector<std::string> ValuesAfterEquals(const std::string& bytes) {
  std::vector<std::string> values;
  const char* at = bytes.data();
  const char* end = at + bytes.size();
  while (at < end) {
    const char* line_end = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
    if (line_end == nullptr) line_end = end;
    const char* equals = static_cast<const char*>(std::memchr(at, '=', static_cast<std::size_t>(line_end - at)));
    if (equals != nullptr) {
      const char* value_end = line_end > equals + 1 && line_end[-1] == '\r' ? line_end - 1 : line_end;
      values.emplace_back(equals + 1, value_end);
    }
    at = line_end + 1;
  }
  return values;
}

}  // namespace bench_support::raw
