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
// Samba's binary record: after the hex string, the version twice.
constexpr std::size_t kVersionBytes = 2;
constexpr std::uint16_t kVersionOne = 1;
constexpr std::uint16_t kVersionTwo = 2;
constexpr std::uint16_t kFirstValidFlagsVersion = 3;
constexpr std::uint16_t kLastValidFlagsVersion = 5;
constexpr std::uint16_t kHexStringVersion = 0xFFFF;
// The valid-flags bit that marks the attribute word as valid.
constexpr std::uint32_t kAttributeValid = 0x1;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Errors that mean "this file system has no user extended attributes here".
bool NoXattrSupport(int error) { return error == ENOTSUP || error == EOPNOTSUPP; }

// The text form: "0x" and hex digits; nullopt without the "0x".
std::optional<std::uint32_t> ParseHexText(std::string_view value) {
  if (value.substr(0, kHexPrefix.size()) != kHexPrefix) return std::nullopt;
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

// A little-endian number of `bytes` bytes at `at`; nullopt past the end.
std::optional<std::uint32_t> LittleEndian(std::string_view data, std::size_t at, std::size_t bytes) {
  if (at > data.size() || data.size() - at < bytes) return std::nullopt;
  std::uint32_t number = 0;
  for (std::size_t i = bytes; i-- > 0;) {
    number = (number << 8) | static_cast<unsigned char>(data[at + i]);
  }
  return number;
}

// Samba's binary record; nullopt when `value` is not one, or its attribute
// word is not valid.
std::optional<std::uint32_t> ParseSambaRecord(std::string_view value) {
  const std::size_t nul = value.find('\0');
  if (nul == std::string_view::npos) return std::nullopt;
  const std::size_t at = nul + 1;
  const std::optional<std::uint32_t> version = LittleEndian(value, at, kVersionBytes);
  if (!version || LittleEndian(value, at + kVersionBytes, kVersionBytes) != version) return std::nullopt;
  const std::size_t info = at + 2 * kVersionBytes;
  constexpr std::size_t kWord = 4;
  if (*version == kVersionOne) return LittleEndian(value, info, kWord);
  if (*version == kVersionTwo) return LittleEndian(value, info + kWord, kWord);
  if (*version == kHexStringVersion) return ParseHexText(value.substr(0, nul));
  if (*version < kFirstValidFlagsVersion || *version > kLastValidFlagsVersion) return std::nullopt;
  const std::optional<std::uint32_t> valid = LittleEndian(value, info, kWord);
  if (!valid || (*valid & kAttributeValid) == 0) return std::nullopt;
  return LittleEndian(value, info + kWord, kWord);
}

}  // namespace

std::optional<std::uint32_t> ParseDosAttrib(std::string_view value) {
  if (std::optional<std::uint32_t> bits = ParseSambaRecord(value)) return bits;
  return ParseHexText(value);
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
  ssize_t n = ::lgetxattr(native_path.c_str(), kDosAttribName, buffer, sizeof buffer);
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
    if (::lremovexattr(native_path.c_str(), kDosAttribName) == 0) return true;
    return errno == ENODATA || NoXattrSupport(errno);
  }
  const std::string text = FormatDosAttrib(wanted);
  if (::lsetxattr(native_path.c_str(), kDosAttribName, text.data(), text.size(), 0) == 0) {
    return true;
  }
  return NoXattrSupport(errno);
}

bool IsDotName(std::string_view name) {
  return !name.empty() && name.front() == '.' && name != "." && name != "..";
}

std::uint32_t AttributesOf(const struct stat& status, std::optional<std::uint32_t> dos_attrib,
                           bool hidden_by_name) {
  std::uint32_t attributes = dos_attrib.value_or(0) & kDosAttribBits;
  if (S_ISDIR(status.st_mode)) {
    attributes |= kAttrDirectory;
  } else if ((status.st_mode & S_IWUSR) == 0) {
    attributes |= kAttrReadOnly;
  }
  if (!dos_attrib && hidden_by_name) attributes |= kAttrHidden;
  return attributes;
}

mode_t ModeForAttributes(const struct stat& status, std::uint32_t attributes) {
  const mode_t mode = status.st_mode & 07777;
  if (S_ISDIR(status.st_mode)) return mode;
  if ((attributes & kAttrReadOnly) != 0) return mode & ~kAllWrite;
  // "Not read-only" is the owner's write permission and nothing more: who
  // else may change the file stays as its owner set it.
  return mode | S_IWUSR;
}

}  // namespace platform::posix
