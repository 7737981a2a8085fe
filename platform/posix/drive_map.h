#pragma once

#include <array>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

// The drive letters of a prefix folder: <prefix>/dosdevices/c: ... z: are
// symbolic links to the folders that serve as the drives.
class DriveMap {
 public:
  // A map over `prefix` (a real folder path). Touches nothing.
  explicit DriveMap(std::string prefix);

  // Creates the prefix when missing and, when it has no dosdevices folder,
  // the default drives: c: -> ../drive_c, d: -> ../drive_d (both folders
  // made) and z: -> /, and places the user guide at C:\WINDOWS\Quillomar.htm
  // unless something of that name is there already. An existing dosdevices
  // folder is left as the user set it up, and nothing is placed then. False
  // when the drives could not be made (the guide does not count).
  bool EnsureDefaults() const;

  // The real path of the drive's folder, links resolved ("/" for Z:); the
  // letter may be upper or lower case. nullopt when the drive does not exist
  // (no link, or a link that does not lead to a folder). A link that the
  // user points elsewhere takes effect at the next call. Safe to call from
  // several threads.
  std::optional<std::string> DriveFolder(char letter) const;

  // True when the drive exists and its volume is there: its folder holds at
  // least one entry. An empty folder is what a mount point shows while its
  // volume is away, so the items of an empty drive count as not there
  // rather than gone.
  bool VolumeIsThere(char letter) const;

  // The letters 'A'..'Z' whose drives exist, in alphabetical order.
  std::vector<char> Drives() const;

  const std::string& prefix() const { return prefix_; }

 private:
  // What one drive link said when its folder was last worked out.
  struct Resolved {
    std::string link_text;
    std::string folder;
  };

  std::string LinkPath(char lower_letter) const;
  // Copies the user guide into the new prefix's C:\WINDOWS; failures are
  // quiet, as the program only offers to open the guide.
  void PlaceGuide() const;

  std::string prefix_;
  // Working out a folder takes a system call per level of its path, and
  // every file operation needs one; reading the link alone shows whether the
  // last answer still holds.
  mutable std::mutex mutex_;
  mutable std::array<std::optional<Resolved>, 26> resolved_;
};

}  // namespace platform::posix
