#include "platform/posix/folder_ops.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/posix/fd_io.h"

namespace platform::posix {

namespace {

bool IsFolder(const std::string& native_path) {
  struct stat status;
  return ::stat(native_path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsDotOrDotDot(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// The names in the folder open as `dir_fd`, "." and ".." left out;
// nullopt when it cannot be read.
std::optional<std::vector<std::string>> EntryNames(int dir_fd) {
  int own_fd = ::dup(dir_fd);
  if (own_fd < 0) return std::nullopt;
  DIR* dir = ::fdopendir(own_fd);
  if (dir == nullptr) {
    ::close(own_fd);
    return std::nullopt;
  }
  std::vector<std::string> names;
  while (dirent* entry = ::readdir(dir)) {
    if (!IsDotOrDotDot(entry->d_name)) names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

// Empties the folder open as `dir_fd`. The names are read first, so that
// removing entries never disturbs the reading of the folder.
bool RemoveContents(const UniqueFd& dir_fd) {
  std::optional<std::vector<std::string>> names = EntryNames(dir_fd.get());
  if (!names) return false;
  bool all_removed = true;
  for (const std::string& name : *names) {
    if (::unlinkat(dir_fd.get(), name.c_str(), 0) == 0) continue;
    // unlink refuses folders with EISDIR (EPERM on some systems).
    if (errno != EISDIR && errno != EPERM) {
      all_removed = false;
      continue;
    }
    // O_NOFOLLOW keeps a link that took the folder's place from being followed.
    UniqueFd child(::openat(dir_fd.get(), name.c_str(),
                            O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!child.valid() || !RemoveContents(child) ||
        ::unlinkat(dir_fd.get(), name.c_str(), AT_REMOVEDIR) != 0) {
      all_removed = false;
    }
  }
  return all_removed;
}

}  // namespace

std::string NativeJoin(const std::string& native_folder, std::string_view name) {
  std::string out = native_folder;
  if (out.empty() || out.back() != '/') out += '/';
  out += name;
  return out;
}

std::string ParentFolder(const std::string& native_path) {
  std::size_t slash = native_path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : native_path.substr(0, slash);
}

bool MakeFolders(const std::string& native_path, mode_t mode) {
  if (native_path.empty()) return false;
  // The levels that are missing, deepest first: climb until one exists.
  std::vector<std::string> missing;
  std::string level = native_path;
  while (!level.empty() && level != "/" && !IsFolder(level)) {
    missing.push_back(level);
    std::size_t slash = level.find_last_of('/');
    if (slash == std::string::npos) break;
    level.erase(slash == 0 ? 1 : slash);
    while (level.size() > 1 && level.back() == '/') level.pop_back();
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (::mkdir(it->c_str(), mode) != 0 && errno != EEXIST) return false;
  }
  return IsFolder(native_path);
}

bool RemoveTree(const std::string& native_path) {
  UniqueFd fd(::open(native_path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd.valid()) return false;
  const bool emptied = RemoveContents(fd);
  fd.Close();
  return ::rmdir(native_path.c_str()) == 0 && emptied;
}

}  // namespace platform::posix
