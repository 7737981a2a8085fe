#include "platform/posix/drive_map.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/posix/folder_ops.h"
#include "platform/posix/help_document.h"
#include "platform/posix/path_resolver.h"
#include "platform/windows_path.h"
#include "platform/windows_path.h"

namespace platform::posix {

namespace {

constexpr char kDosDevices[] = "/dosdevices";
constexpr char kDriveSuffix = ':';
// The prefix holds the record files with their passwords: owner only.
constexpr mode_t kPrefixMode = 0700;
constexpr mode_t kFolderMode = 0777;
// C:\WINDOWS will hold the data folder: owner only, as the program makes it.
constexpr mode_t kWindowsFolderMode = 0700;

struct DefaultDrive {
  const char* link;    // name inside dosdevices
  const char* target;  // link text
  const char* folder;  // folder made under the prefix, or nullptr
};
constexpr DefaultDrive kDefaultDrives[] = {
    {"c:", "../drive_c", "/drive_c"},
    {"d:", "../drive_d", "/drive_d"},
    {"z:", "/", nullptr},
};

}  // namespace

DriveMap::DriveMap(std::string prefix) : prefix_(std::move(prefix)) {
  while (prefix_.size() > 1 && prefix_.back() == '/') prefix_.pop_back();
}

bool DriveMap::EnsureDefaults() const {
  if (!MakeFolders(prefix_, kPrefixMode)) return false;
  const std::string devices = prefix_ + kDosDevices;
  if (::mkdir(devices.c_str(), kFolderMode) != 0) {
    // Present already: the user's own set-up (or another start made it).
    return errno == EEXIST;
  }
  bool made = true;
  for (const DefaultDrive& drive : kDefaultDrives) {
    if (drive.folder != nullptr) {
      const std::string folder = prefix_ + drive.folder;
      if (::mkdir(folder.c_str(), kFolderMode) != 0 && errno != EEXIST) made = false;
    }
    const std::string link = devices + "/" + drive.link;
    if (::symlink(drive.target, link.c_str()) != 0 && errno != EEXIST) made = false;
  }
  PlaceGuide();
  return made;
}

void DriveMap::PlaceGuide() const {
  // Through the drive links, so that a drive_c the user made beforehand with
  // a "windows" folder of another letter case gets the guide in that folder.
  const std::optional<NativeItem> guide = ResolveWindowsPath(*this, kHelpDocumentPath);
  if (!guide || !MakeFolders(guide->folder, kWindowsFolderMode)) return;
  PlaceHelpDocument(guide->path);
}

std::optional<std::string> DriveMap::DriveFolder(char letter) const {
  const char lower = windows_path::FoldCase(letter);
  if (lower < 'a' || lower > 'z') return std::nullopt;
  const std::string link = LinkPath(lower);
  char text[PATH_MAX];
  ssize_t length = ::readlink(link.c_str(), text, sizeof text);
  if (length < 0 && errno == EINVAL) {
    // A folder put there in place of a link serves as the drive itself.
    length = 0;
  } else if (length < 0 || static_cast<std::size_t>(length) == sizeof text) {
    return std::nullopt;
  }
  const std::string link_text(text, static_cast<std::size_t>(length));

  std::optional<Resolved>& cached = resolved_[static_cast<std::size_t>(lower - 'a')];
  std::string folder;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (cached && cached->link_text == link_text) folder = cached->folder;
  }
  if (folder.empty()) {
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(link.c_str(), nullptr), &std::free);
    if (!real) return std::nullopt;
    folder = real.get();
    std::lock_guard<std::mutex> lock(mutex_);
    cached = Resolved{link_text, folder};
  }
  struct stat status;
  if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
  return folder;
}

bool DriveMap::VolumeIsThere(char letter) const {
  const std::optional<std::string> folder = DriveFolder(letter);
  if (!folder) return false;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder->c_str()), &::closedir);
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") return true;
  }
  return false;
}

std::vector<char> DriveMap::Drives() const {
  std::vector<char> letters;
  for (char lower = 'a'; lower <= 'z'; ++lower) {
    struct stat status;
    if (::stat(LinkPath(lower).c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
      letters.push_back(windows_path::UpperDriveLetter(lower));
    }
  }
  return letters;
}

std::string DriveMap::LinkPath(char lower_letter) const {
  return prefix_ + kDosDevices + "/" + lower_letter + kDriveSuffix;
}

}  // namespace platform::posix
