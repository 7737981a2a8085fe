#include "tests/support/temp_prefix.h"

#include <sys/xattr.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {
constexpr char kTemplate[] = "/quillomar-test-XXXXXX";
constexpr char kDosAttribName[] = "user.DOSATTRIB";
constexpr char kDotHidden[] = "/.hidden";

std::string TempBase() {
  const char* tmp = std::getenv("TMPDIR");
  return (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
}
}  // namespace

TempPrefix::TempPrefix() {
  std::string pattern = TempBase() + kTemplate;
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = std::filesystem::canonical(pattern).string();
  prefix_ = root_ + "/prefix";
  desktop_ = root_ + "/Desktop";
  std::filesystem::create_directories(desktop_);
  fs_ = platform::MakeFileSystemAt(prefix_, desktop_);
}

void TempPrefix::AddDriveE() {
  std::filesystem::create_directory(DriveE());
  std::filesystem::create_symlink("../drive_e", DriveELink());
}

std::string TempPrefix::DriveELink() const { return prefix_ + "/dosdevices/e:"; }

TempPrefix::~TempPrefix() {
  std::error_code ignored;
  // Give back write permission that a test may have taken away, then remove.
  for (auto it = std::filesystem::recursive_directory_iterator(
           root_, std::filesystem::directory_options::skip_permission_denied, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_symlink(ignored)) {
      it.disable_recursion_pending();
      continue;
    }
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::remove_all(root_, ignored);
}

std::string TempPrefix::ThroughZ(const std::string& real_path) {
  std::string out = "Z:";
  for (char c : real_path) out += (c == '/') ? '\\' : c;
  return out;
}

std::string ReadAll(const std::string& real_path) {
  std::ifstream in(real_path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteAll(const std::string& real_path, const std::string& bytes) {
  std::ofstream out(real_path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string DosAttrib(const std::string& real_path) {
  char buffer[256];
  ssize_t n = lgetxattr(real_path.c_str(), kDosAttribName, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

bool ListedInDotHidden(const std::string& real_folder, const std::string& name) {
  std::ifstream in(real_folder + kDotHidden, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (line == name) return true;
  }
  return false;
}

}  // namespace testing_support
