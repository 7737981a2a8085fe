#include "platform/posix/user_folders.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <optional>

#include "platform/posix/fd_io.h"
#include "platform/windows_path.h"

namespace platform::posix {

namespace {

constexpr char kPrefixVariable[] = "QUILLOMAR_PREFIX";
constexpr char kDataHomeVariable[] = "XDG_DATA_HOME";
constexpr char kConfigHomeVariable[] = "XDG_CONFIG_HOME";
constexpr char kHomeVariable[] = "HOME";
constexpr char kPrefixName[] = "/quillomar";
constexpr char kDefaultDataHome[] = "/.local/share";
constexpr char kDefaultConfigHome[] = "/.config";
constexpr char kUserDirsFile[] = "/user-dirs.dirs";
constexpr char kDefaultDesktop[] = "/Desktop";
constexpr std::string_view kDesktopKey = "XDG_DESKTOP_DIR";
constexpr std::string_view kHomeReference = "$HOME";
constexpr char kDriveZ[] = "Z:";

// The variable's value when it is set to an absolute path.
std::optional<std::string> AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return std::nullopt;
  return std::string(value);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// A shell-quoted value: the text between double quotes with backslash
// escapes undone; an unquoted value as it stands.
std::string Unquote(std::string_view value) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
  value = value.substr(1, value.size() - 2);
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;
    out += value[i];
  }
  return out;
}

std::string ReadSmallFile(const std::string& path) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return std::string();
  return ReadToEnd(fd.get()).value_or(std::string());
}

}  // namespace

std::string HomeFolder() {
  const char* home = std::getenv(kHomeVariable);
  if (home != nullptr && home[0] != '\0') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
}

std::string PrefixFolderFromEnvironment() {
  const char* prefix = std::getenv(kPrefixVariable);
  if (prefix != nullptr && prefix[0] != '\0') return prefix;
  if (std::optional<std::string> data_home = AbsoluteVariable(kDataHomeVariable)) {
    return *data_home + kPrefixName;
  }
  return HomeFolder() + kDefaultDataHome + kPrefixName;
}

std::string DesktopFolderFromUserDirs(std::string_view user_dirs, const std::string& home) {
  std::string found;
  while (!user_dirs.empty()) {
    std::size_t end = user_dirs.find('\n');
    std::string_view line = Trim(user_dirs.substr(0, end));
    user_dirs.remove_prefix(end == std::string_view::npos ? user_dirs.size() : end + 1);
    if (line.substr(0, kDesktopKey.size()) != kDesktopKey) continue;
    std::string_view rest = Trim(line.substr(kDesktopKey.size()));
    if (rest.empty() || rest.front() != '=') continue;
    std::string value = Unquote(Trim(rest.substr(1)));
    if (value.compare(0, kHomeReference.size(), kHomeReference) == 0 &&
        (value.size() == kHomeReference.size() || value[kHomeReference.size()] == '/')) {
      value = home + value.substr(kHomeReference.size());
    }
    // Like the shell that sources the file, the last assignment wins.
    if (!value.empty() && value.front() == '/') found = value;
  }
  return found;
}

std::string UserDesktopFolder() {
  const std::string home = HomeFolder();
  const std::string config =
      AbsoluteVariable(kConfigHomeVariable).value_or(home + kDefaultConfigHome);
  std::string desktop = DesktopFolderFromUserDirs(ReadSmallFile(config + kUserDirsFile), home);
  if (desktop.empty()) desktop = home + kDefaultDesktop;
  return desktop;
}

std::string ThroughDriveZ(const std::string& native_path) {
  std::string absolute = native_path;
  if (absolute.empty() || absolute.front() != '/') {
    char buffer[PATH_MAX];
    std::string working = ::getcwd(buffer, sizeof buffer) != nullptr ? buffer : "/";
    absolute = working + "/" + absolute;
  }
  // Each name of the native path, joined on drive Z: as the Windows path
  // vocabulary joins them (runs of slashes and a trailing one give no name).
  std::string out = kDriveZ;
  std::size_t start = 0;
  while (start <= absolute.size()) {
    std::size_t end = absolute.find('/', start);
    if (end == std::string::npos) end = absolute.size();
    if (end > start) out = windows_path::Join(out, std::string_view(absolute).substr(start, end - start));
    start = end + 1;
  }
  return out;
}

}  // namespace platform::posix
