// The Linux side of the tests' file access: POSIX permission bits.

#include "tests/support/file_access.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/posix/atomic_file.h"
#include "tests/support/temp_prefix.h"

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

// The temporary files of the record files and of a folder's .hidden all
// start so; a test counts any such name as left over.
bool IsTemporaryName(const std::string& name) { return name.rfind(platform::posix::kTempNamePrefix, 0) == 0; }

std::string LeftoverName() {
  return std::string(platform::posix::kTempNamePrefix) + std::string(platform::posix::kTempNameRandomLength, 'a') +
         std::string(platform::posix::kTempNameSuffix);
}

std::uint64_t NamesOfFile(const std::string& real_path) {
  struct stat status {};
  if (::lstat(real_path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
  return status.st_nlink;
}

bool MakeLink(const std::string& target_path, const std::string& link_path) {
  std::error_code error;
  std::filesystem::create_symlink(target_path, link_path, error);
  return !error;
}

void RemoveLink(const std::string& link_path) {
  std::error_code ignored;
  std::filesystem::remove(link_path, ignored);
}

std::string ListedForm(const std::string& eight_bit) { return eight_bit; }

const char kRealSeparator = '/';
const char kHiddenMarks[] = "0x6 .hidden";

void MakeFolders(const std::string& real_path) { std::filesystem::create_directories(real_path); }

void MakeExactFile(const std::string& real_path, const std::string& bytes) { WriteAll(real_path, bytes); }

std::string ReadExactFile(const std::string& real_path) { return ReadAll(real_path); }

bool ExactExists(const std::string& real_path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(real_path, ignored));
}

void RemoveExactTree(const std::string& real_path) {
  std::error_code ignored;
  std::filesystem::remove_all(real_path, ignored);
}

std::string HiddenMarks(const std::string& real_path) {
  const std::filesystem::path path(real_path);
  std::string marks = DosAttrib(real_path);
  if (ListedInDotHidden(path.parent_path().string(), path.filename().string())) marks += " .hidden";
  return marks;
}

}  // namespace testing_support
