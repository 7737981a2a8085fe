#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace testing_support {

// The ways a drive goes away while its items stay on it: its letter goes,
// its link leads nowhere, or its folder is there but empty (a volume that
// is not mounted).
enum class DriveLoss { kNoLetter, kDanglingLink, kEmptyFolder };

// A fresh drive prefix in its own temporary folder, removed again at the end:
// <root>/prefix with the default drives (C: and D: under it, Z: = "/"), a
// drive E: of its own and a desktop folder <root>/Desktop. Never touches the
// user's home.
class TempPrefix {
 public:
  TempPrefix();
  ~TempPrefix();
  TempPrefix(const TempPrefix&) = delete;
  TempPrefix& operator=(const TempPrefix&) = delete;

  platform::FileSystem& fs() { return *fs_; }
  const std::string& root() const { return root_; }          // the temporary folder
  const std::string& prefix() const { return prefix_; }      // the drive prefix
  const std::string& desktop() const { return desktop_; }    // the real desktop folder
  // Real folder of drive C: and D:.
  std::string DriveC() const { return prefix_ + "/drive_c"; }
  std::string DriveD() const { return prefix_ + "/drive_d"; }
  // Takes drive E: away in the given way, its items kept aside, and brings
  // it back as it was.
  void TakeDriveE(DriveLoss how);
  void BringDriveEBack(DriveLoss how);
  // The Windows path of a real path, through Z: ("/tmp/x" -> "Z:\tmp\x").
  static std::string ThroughZ(const std::string& real_path);

 private:
  std::string root_;
  std::string prefix_;
  std::string desktop_;
  std::unique_ptr<platform::FileSystem> fs_;
};

// Small file helpers on real paths for tests.
std::string ReadAll(const std::string& real_path);
void WriteAll(const std::string& real_path, const std::string& bytes);
// The user.DOSATTRIB value of a real path, or "" when absent.
std::string DosAttrib(const std::string& real_path);
// True when `name` is a line of the .hidden file in `real_folder`.
bool ListedInDotHidden(const std::string& real_folder, const std::string& name);

}  // namespace testing_support
