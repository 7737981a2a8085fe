#include "tests/support/small_disk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace testing_support {

namespace {
constexpr char kFileSystemType[] = "tmpfs";
constexpr char kSource[] = "quillomar-test";
constexpr char kFillerName[] = "/filler";
constexpr std::size_t kFillChunk = 4096;
}  // namespace

SmallDisk::~SmallDisk() { Unmount(); }

bool SmallDisk::Mount(const std::string& real_folder, std::size_t bytes) {
  if (mounted_ || ::geteuid() != 0) return false;
  std::error_code ignored;
  std::filesystem::create_directories(real_folder, ignored);
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (::mount(kSource, real_folder.c_str(), kFileSystemType, MS_NOSUID | MS_NODEV,
              options.c_str()) != 0) {
    return false;
  }
  folder_ = real_folder;
  mounted_ = true;
  return true;
}

bool SmallDisk::Fill() {
  if (!mounted_) return false;
  const std::string filler = folder_ + kFillerName;
  const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const std::string chunk(kFillChunk, 'f');
  // Writes pieces of `size` bytes until one fails.
  const auto write_until_full = [&](std::size_t size) {
    for (;;) {
      const ssize_t written = ::write(fd, chunk.data(), size);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return;
    }
  };
  // Whole chunks first, then single bytes, so that not even a byte is left.
  write_until_full(kFillChunk);
  write_until_full(1);
  const bool full = errno == ENOSPC;
  ::close(fd);
  return full;
}

void SmallDisk::Free() {
  if (mounted_) ::unlink((folder_ + kFillerName).c_str());
}

void SmallDisk::Unmount() {
  if (!mounted_) return;
  // A lazy unmount as the last resort, so that no test leaves a mount behind.
  if (::umount2(folder_.c_str(), 0) != 0) ::umount2(folder_.c_str(), MNT_DETACH);
  mounted_ = false;
}

}  // namespace testing_support
