#pragma once

#include <string>

namespace testing_support {

// A small file system of its own (tmpfs), mounted over an empty folder for a
// test of a full disk. Mounting needs root; a test without it skips. The
// file system is unmounted when the object goes, whatever the test did.
class SmallDisk {
 public:
  // The text a test that cannot mount skips with.
  static constexpr char kNeedsRoot[] = "needs root to mount a small file system";

  SmallDisk() = default;
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  ~SmallDisk();

  // Mounts a file system of `bytes` bytes on `real_folder` (made when
  // missing). False when not root or the mount is refused.
  bool Mount(const std::string& real_folder, std::size_t bytes);

  // Fills the disk with a filler file until no byte more fits.
  // False when the disk did not fill up.
  bool Fill();

  // Removes the filler file again.
  void Free();

  // Unmounts now (also done on destruction).
  void Unmount();

 private:
  std::string folder_;
  bool mounted_ = false;
};

}  // namespace testing_support
