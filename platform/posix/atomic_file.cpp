#include "platform/posix/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <random>

#include "platform/posix/dos_attributes.h"
#include "platform/posix/folder_ops.h"

namespace platform::posix {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
// A clash of 64 random bits is not to be expected; a few tries cover a
// leftover of the very same name all the same.
constexpr int kNameTries = 8;
constexpr mode_t kTempMode = 0600;

bool IsLowerHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// A new temporary name: the fixed prefix, random hex digits, the suffix.
std::string RandomTempName() {
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::string name(kTempNamePrefix);
  std::uint64_t bits = random();
  for (std::size_t i = 0; i < kTempNameRandomLength; ++i, bits >>= 4) name += kHexDigits[bits & 0xF];
  name += kTempNameSuffix;
  return name;
}

// Takes over the old file's permissions, owner and user.DOSATTRIB, or gives
// a new file `new_file_mode`. Only a regular file hands anything on: what a
// link in its place leads to is none of the new file's business.
bool CopyMetadata(int fd, const std::string& old_path, mode_t new_file_mode) {
  struct stat old_status;
  if (::lstat(old_path.c_str(), &old_status) != 0 || !S_ISREG(old_status.st_mode)) {
    return ::fchmod(fd, new_file_mode & 07777) == 0;
  }
  struct stat new_status;
  if (::fstat(fd, &new_status) != 0) return false;
  if (old_status.st_uid != new_status.st_uid || old_status.st_gid != new_status.st_gid) {
    // Only a privileged process may give the file away; others keep their
    // own ownership, as any editor would.
    [[maybe_unused]] int ignored = ::fchown(fd, old_status.st_uid, old_status.st_gid);
  }
  if (::fchmod(fd, old_status.st_mode & 07777) != 0) return false;
  if (std::optional<std::string> dos = ReadDosAttrib(old_path)) {
    // A file system without extended attributes loses nothing here.
    [[maybe_unused]] int ignored =
        ::fsetxattr(fd, kDosAttribName, dos->data(), dos->size(), 0);
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // The rename has happened; a folder that cannot be flushed (some file
  // systems refuse) does not undo it.
  if (dir.valid()) ::fsync(dir.get());
}

}  // namespace

bool IsTempName(std::string_view name) {
  if (name.size() != kTempNamePrefix.size() + kTempNameRandomLength + kTempNameSuffix.size() ||
      !name.starts_with(kTempNamePrefix) || !name.ends_with(kTempNameSuffix)) {
    return false;
  }
  const std::string_view random = name.substr(kTempNamePrefix.size(), kTempNameRandomLength);
  return std::all_of(random.begin(), random.end(), IsLowerHex);
}

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Open(const std::string& native_path, mode_t new_file_mode) {
  Discard();
  target_ = native_path;
  const std::string folder = ParentFolder(native_path);
  int fd = -1;
  std::string temp;
  for (int attempt = 0; attempt < kNameTries && fd < 0; ++attempt) {
    temp = NativeJoin(folder, RandomTempName());
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kTempMode);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  fd_ = UniqueFd(fd);
  temp_ = temp;
  if (!CopyMetadata(fd_.get(), target_, new_file_mode)) {
    Discard();
    return false;
  }
  return true;
}

bool AtomicFile::Write(std::string_view bytes) {
  if (!fd_.valid()) return false;
  if (WriteFully(fd_.get(), bytes)) return true;
  Discard();
  return false;
}

bool AtomicFile::Commit(Durability durability) {
  if (!fd_.valid()) return false;
  const bool flushed = durability != Durability::kFlushed || ::fsync(fd_.get()) == 0;
  if (!flushed || !fd_.Close() || ::rename(temp_.c_str(), target_.c_str()) != 0) {
    Discard();
    return false;
  }
  temp_.clear();
  if (durability == Durability::kFlushed) SyncFolder(ParentFolder(target_));
  return true;
}

void AtomicFile::Discard() {
  fd_.Close();
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

}  // namespace platform::posix
