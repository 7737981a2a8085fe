#pragma once

// What only a POSIX system can do to the store's files: permission bits and
// a process that runs without privileges.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace store_testing {

// The permission bits of a real path, or 0 when it cannot be read.
inline mode_t Mode(const std::string& real_path) {
  struct stat status {};
  return ::stat(real_path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0;
}

// Runs `body` in a child process without privileges, so that permissions
// bind even when the tests run as root; the folders under `root` are opened
// to everyone first. True when the body returned true.
inline bool RunUnprivileged(const std::string& root, const std::function<bool()>& body) {
  if (::geteuid() != 0) return body();
  namespace fs = std::filesystem;
  fs::permissions(root, fs::perms::all, fs::perm_options::add);
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_directory() && !entry.is_symlink()) {
      fs::permissions(entry.path(), fs::perms::all, fs::perm_options::add);
    }
  }
  constexpr uid_t kNobody = 65534;
  const pid_t child = ::fork();
  if (child == 0) {
    const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
    ::_exit(dropped && body() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace store_testing
