#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace testing_support {

// A fresh drive prefix in its own temporary folder, removed again at the end:
// <root>/prefix with the default drives (C: and D: under it, Z: = "/") and a
// desktop folder <root>/Desktop. Never touches the user's home.
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
  // Gives the prefix a drive E: as a user adds one, with the empty folder
  // DriveE() and, where letters have links, DriveELink() ("" elsewhere).
  void AddDriveE();
  std::string DriveE() const { return prefix_ + "/drive_e"; }
  std::string DriveELink() const;
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
