// The Linux side of the tests' file access: POSIX permission bits.

#include "tests/support/file_access.h"

#include <sys/stat.h>

#include <filesystem>

namespace testing_support {

void MakeReadOnly(const std::string& real_path) {
  using std::filesystem::perms;
  std::filesystem::permissions(real_path, perms::owner_write | perms::group_write | perms::others_write,
                               std::filesystem::perm_options::remove);
}

bool OwnerMayWrite(const std::string& real_path) {
  struct stat info {};
  return ::stat(real_path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) != 0;
}

std::optional<std::uint32_t> Comparable(std::optional<std::uint32_t> attributes) { return attributes; }

bool KeepsDotHiddenLists() { return true; }

}  // namespace testing_support
