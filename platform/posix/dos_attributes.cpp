#include "platform/posix/dos_attributes.h"

#include <sys/xattr.h>

#include <cerrno>

namespace platform::posix {

namespace {

constexpr std::string_view kHexPrefix = "0x";
constexpr char kHexDigits[] = "0123456789abcdef";
// Enough for every value this program writes and any that Samba or Wine do.
constexpr std::size_t kMaxDosAttribSize = 256;
// Eight hex digits fill 32 bits; more would overflow.
constexpr std::size_t kMaxHexDigits = 8;
constexpr mode_t kAllWrite = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kGroupOtherRead = S_IRGRP | S_IROTH;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Errors that mean "this file system has no user extended attributes here".
bool NoXattrSupport(int error) { return error == ENOTSUP || error == EOPNOTSUPP; }

}  // namespace

std::uint32_t ParseDosAttrib(std::string_view value) {
  if (value.substr(0, kHexPrefix.size()) != kHexPrefix) return 0;
  std::uint32_t bits = 0;
  std::size_t digits = 0;
  for (char c : value.substr(kHexPrefix.size())) {
    int digit = HexValue(c);
    if (digit < 0 || digits == kMaxHexDigits) break;
    bits = (bits << 4) | static_cast<std::uint32_t>(digit);
    ++digits;
  }
  return bits;
}

std::string FormatDosAttrib(std::uint32_t bits) {
  std::string hex;
  do {
    hex.insert(hex.begin(), kHexDigits[bits & 0xF]);
    bits >>= 4;
  } while (bits != 0);
  return std::string(kHexPrefix) + hex;
}

std::optional<std::string> ReadDosAttrib(const std::string& native_path) {
  char buffer[kMaxDosAttribSize];
  ssize_t n = ::getxattr(native_path.c_str(), kDosAttribName, buffer, sizeof buffer);
  if (n < 0) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(n));
}

bool DosAttribNeedsWrite(const std::string& native_path, std::uint32_t attributes) {
  const std::uint32_t wanted = attributes & kDosAttribBits;
  std::optional<std::string> current = ReadDosAttrib(native_path);
  if (wanted == 0) return current.has_value();
  return !current || ParseDosAttrib(*current) != wanted;
}

bool WriteDosAttrib(const std::string& native_path, std::uint32_t attributes) {
  if (!DosAttribNeedsWrite(native_path, attributes)) return true;
  const std::uint32_t wanted = attributes & kDosAttribBits;
  if (wanted == 0) {
    if (::removexattr(native_path.c_str(), kDosAttribName) == 0) return true;
    return errno == ENODATA || NoXattrSupport(errno);
  }
  const std::string text = FormatDosAttrib(wanted);
  if (::setxattr(native_path.c_str(), kDosAttribName, text.data(), text.size(), 0) == 0) {
    return true;
  }
  return NoXattrSupport(errno);
}

bool IsDotName(std::string_view name) {
  return !name.empty() && name.front() == '.' && name != "." && name != "..";
}

std::uint32_t AttributesOf(const struct stat& status, std::uint32_t dos_attrib,
                           bool hidden_by_name) {
  std::uint32_t attributes = dos_attrib & kDosAttribBits;
  if (S_ISDIR(status.st_mode)) {
    attributes |= kAttrDirectory;
  } else if ((status.st_mode & S_IWUSR) == 0) {
    attributes |= kAttrReadOnly;
  }
  if (hidden_by_name) attributes |= kAttrHidden;
  return attributes;
}

mode_t ModeForAttributes(const struct stat& status, std::uint32_t attributes, mode_t umask) {
  const mode_t mode = status.st_mode & 07777;
  if (S_ISDIR(status.st_mode)) return mode;
  if ((attributes & kAttrReadOnly) != 0) return mode & ~kAllWrite;
  // Owner write is what "not read-only" means, so the umask does not hold it
  // back; group and others may write only where they may read already.
  const mode_t shared_write = ((mode & kGroupOtherRead) >> 1) & ~umask;
  return mode | S_IWUSR | shared_write;
}

}  // namespace platform::posix
