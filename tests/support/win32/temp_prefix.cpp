// The temporary drive prefix of the Windows test build: a fresh folder under
// the system's temporary folder whose drives C: and D: are its subfolders,
// so that no test touches the machine's real C:.

#include "tests/support/temp_prefix.h"

#include "platform/win32/exact_path.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {
constexpr char kNamePrefix[] = "qlt";
constexpr char kDotHidden[] = "\\.hidden";
constexpr DWORD kDosBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// A new, empty folder with a unique name in the temporary folder.
std::string MakeTempFolder() {
  char base[MAX_PATH];
  char name[MAX_PATH];
  if (::GetTempPathA(sizeof base, base) == 0 || ::GetTempFileNameA(base, kNamePrefix, 0, name) == 0) {
    throw std::runtime_error("no temporary folder");
  }
  // GetTempFileName reserved the name with a file; a folder takes its place.
  ::DeleteFileA(name);
  if (!::CreateDirectoryA(name, nullptr)) throw std::runtime_error("CreateDirectory failed");
  return name;
}
}  // namespace

TempPrefix::TempPrefix() {
  root_ = MakeTempFolder();
  prefix_ = root_ + "\\prefix";
  desktop_ = root_ + "\\Desktop";
  std::filesystem::create_directories(desktop_);
  fs_ = platform::MakeFileSystemAt(prefix_, desktop_);
}

// Each letter of the prefix is the folder of its name, while that is there.
void TempPrefix::AddDriveE() { std::filesystem::create_directory(DriveE()); }
std::string TempPrefix::DriveELink() const { return ""; }

TempPrefix::~TempPrefix() {
  std::error_code ignored;
  // Read-only entries would stop the removal.
  for (auto it = std::filesystem::recursive_directory_iterator(root_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    ::SetFileAttributesA(it->path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  std::filesystem::remove_all(root_, ignored);
}

std::string TempPrefix::ThroughZ(const std::string& real_path) {
  // Z: reaches the drive that holds the prefix.
  std::string out = "Z:";
  for (char c : real_path.substr(real_path.size() >= 2 && real_path[1] == ':' ? 2 : 0)) {
    out += (c == '/') ? '\\' : c;
  }
  return out;
}

namespace {
// The path as the program's own calls take it (UTF-8, else the code page).
std::filesystem::path Wide(const std::string& real_path) {
  return std::filesystem::path(platform::win32::ExactPath(real_path).value_or(platform::win32::WidenText(real_path)));
}
}  // namespace

std::string ReadAll(const std::string& real_path) {
  std::ifstream in(Wide(real_path), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteAll(const std::string& real_path, const std::string& bytes) {
  std::ofstream(Wide(real_path), std::ios::binary | std::ios::trunc) << bytes;
}

std::string DosAttrib(const std::string& real_path) {
  // The hidden and system bits in the form the Linux build keeps them.
  const DWORD attributes = ::GetFileAttributesW(Wide(real_path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kDosBits) == 0) return "";
  std::ostringstream out;
  out << "0x" << std::hex << (attributes & kDosBits);
  return out.str();
}

bool ListedInDotHidden(const std::string& real_folder, const std::string& name) {
  std::istringstream lines(ReadAll(real_folder + kDotHidden));
  for (std::string line; std::getline(lines, line);) {
    if (line == name) return true;
  }
  return false;
}

}  // namespace testing_support
