#include "platform/handed_path.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "platform/windows_path.h"

namespace platform {

namespace {

constexpr char kSeparator = '/';
constexpr char kWindowsSeparator = '\\';

// The path with links, "." and ".." worked out; "" when it leads nowhere.
std::string RealPath(const std::string& path) {
  const std::unique_ptr<char, decltype(&::free)> real(::realpath(path.c_str(), nullptr), &::free);
  return real ? std::string(real.get()) : std::string();
}

// What follows `folder` in `path` when `path` lies in it or is it ("" then),
// both real; nullopt when it lies elsewhere.
std::optional<std::string> InsideFolder(const std::string& path, const std::string& folder) {
  if (folder == "/") return path.substr(1);
  if (path == folder) return std::string();
  if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
      path[folder.size()] == kSeparator) {
    return path.substr(folder.size() + 1);
  }
  return std::nullopt;
}

}  // namespace

std::string FullHandedPath(const std::string& path) {
  if (path.empty() || path.front() == kSeparator) return path;
  const std::unique_ptr<char, decltype(&::free)> here(::getcwd(nullptr, 0), &::free);
  if (!here) return path;
  return std::string(here.get()) + kSeparator + path;
}

std::optional<HandedItem> ItemOfHandedPath(FileSystem& fs, const std::string& full_path) {
  if (full_path.empty() || full_path.front() != kSeparator) return std::nullopt;
  std::string path = full_path;
  while (path.size() > 1 && path.back() == kSeparator) path.pop_back();
  std::string::size_type slash = path.rfind(kSeparator);
  std::string name = path.substr(slash + 1);
  std::string folder;
  if (name.empty() || name == "." || name == "..") {
    // Nothing of an entry's own: the whole path is a folder to work out.
    const std::string real = RealPath(path);
    if (real.empty()) return std::nullopt;
    slash = real.rfind(kSeparator);
    name = real.substr(slash + 1);
    folder = slash == 0 ? "/" : real.substr(0, slash);
  } else {
    folder = RealPath(slash == 0 ? "/" : path.substr(0, slash));
    if (folder.empty()) return std::nullopt;
  }
  const std::string item = folder == "/" ? "/" + name : folder + kSeparator + name;

  // The drive whose folder holds the item most closely; a drive's own
  // folder is that drive's root.
  std::optional<char> drive;
  std::string drive_folder;
  std::string rest;
  for (const char letter : fs.Drives()) {
    const std::string candidate = RealPath(fs.NativePath(windows_path::DriveRoot(letter)));
    if (candidate.empty() || (drive && candidate.size() <= drive_folder.size())) continue;
    if (candidate == item) return HandedItem{windows_path::DriveRoot(letter), std::nullopt};
    if (const std::optional<std::string> inside = InsideFolder(folder, candidate)) {
      drive = letter;
      drive_folder = candidate;
      rest = *inside;
    }
  }
  if (!drive) return std::nullopt;
  if (rest.find(kWindowsSeparator) != std::string::npos) return std::nullopt;
  std::string windows_folder = windows_path::DriveRoot(*drive);
  for (std::string::size_type start = 0; start < rest.size();) {
    std::string::size_type end = rest.find(kSeparator, start);
    if (end == std::string::npos) end = rest.size();
    windows_folder = windows_path::Join(windows_folder, rest.substr(start, end - start));
    start = end + 1;
  }
  return HandedItem{windows_path::Join(windows_folder, name), FolderEntry{windows_folder, name}};
}

}  // namespace platform
