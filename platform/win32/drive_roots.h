#pragma once

#include <map>
#include <optional>
#include <string>

namespace platform::win32 {

// Where Windows paths lead on this machine. Without roots every path is taken
// as it is; with roots (a test prefix) each drive letter leads to its own real
// folder and letters without a root lead nowhere.
class DriveRoots {
 public:
  // Paths as they are: the program's own file system.
  DriveRoots() = default;
  // Letter ('A'..'Z') -> real folder without a trailing backslash.
  explicit DriveRoots(std::map<char, std::string> roots) : roots_(std::move(roots)) {}

  // The real path of a Windows path "X:\a\b" (or "X:/a/b"), with backslashes
  // only and no trailing one except on a bare drive ("C:\"), "." and ".."
  // applied and every other name kept exactly (trailing dots and blanks
  // too); nullopt when the path has no drive letter, holds a NUL or leads to
  // no root.
  std::optional<std::string> Resolve(const std::string& path) const;

  // The letters that have a root, or nullopt when paths are taken as they are.
  const std::map<char, std::string>* roots() const { return roots_.empty() ? nullptr : &roots_; }

 private:
  std::map<char, std::string> roots_;
};

}  // namespace platform::win32
