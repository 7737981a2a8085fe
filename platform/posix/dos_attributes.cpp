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
// Samba's binary record is the NDR form of its xattr_DOSATTRIB: a
// NUL-terminated hex string, the version (a 16-bit number aligned to 2), the
// union's switch (the version again), then that version's information
// aligned to 4. Offsets align from the start of the value.
constexpr std::size_t kVersionBytes = 2;
constexpr std::size_t kVersionAlignment = 2;
constexpr std::size_t kInfoAlignment = 4;
constexpr std::size_t kWord = 4;
constexpr std::uint16_t kVersionOne = 1;
constexpr std::uint16_t kVersionTwo = 2;
constexpr std::uint16_t kFirstValidFlagsVersion = 3;
constexpr std::uint16_t kLastValidFlagsVersion = 5;
constexpr std::uint16_t kHexStringVersion = 0xFFFF;
// The valid-flags bit that marks the attribute word as valid.
constexpr std::uint32_t kAttributeValid = 0x1;
// The bits of a binary record's attribute word that an attribute change
// sets; the others (the directory bit, for one) stay as Samba keeps them.
constexpr std::uint32_t kRecordManagedBits = kDosAttribBits | kAttrReadOnly;

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

// Where a binary record keeps its version and words.
struct SambaRecordLayout {
  std::uint16_t version = 0;
  std::size_t attrib_at = 0;
  std::optional<std::size_t> valid_flags_at;  // versions 3 to 5 only
};

std::size_t AlignUp(std::size_t at, std::size_t alignment) {
  return (at + alignment - 1) / alignment * alignment;
}

// Where a binary record keeps its words; nullopt when `value` is not one
// (no NUL, a version that is not repeated, a version we do not know, or a
// record too short for its attribute word).
std::optional<SambaRecordLayout> SambaLayout(std::string_view value) {
  const std::size_t nul = value.find('\0');
  if (nul == std::string_view::npos) return std::nullopt;
  const std::size_t at = AlignUp(nul + 1, kVersionAlignment);
  const std::optional<std::uint32_t> version = LittleEndian(value, at, kVersionBytes);
  if (!version || LittleEndian(value, at + kVersionBytes, kVersionBytes) != version) return std::nullopt;
  SambaRecordLayout layout;
  layout.version = static_cast<std::uint16_t>(*version);
  const std::size_t info = AlignUp(at + 2 * kVersionBytes, kInfoAlignment);
  if (layout.version == kVersionOne) {
    layout.attrib_at = info;
  } else if (layout.version == kVersionTwo) {
    layout.attrib_at = info + kWord;
  } else if (layout.version >= kFirstValidFlagsVersion && layout.version <= kLastValidFlagsVersion) {
    layout.valid_flags_at = info;
    layout.attrib_at = info + kWord;
  } else if (layout.version != kHexStringVersion) {
    return std::nullopt;
  }
  if (layout.version != kHexStringVersion && !LittleEndian(value, layout.attrib_at, kWord)) {
    return std::nullopt;
  }
  return layout;
}

// The attribute word of a binary record; nullopt when `value` is not one.
// The word decides whatever the valid-flags say, as smbd reads it, so that
// an item shows here as it shows on the share.
std::optional<std::uint32_t> ParseSambaRecord(std::string_view value) {
  const std::optional<SambaRecordLayout> layout = SambaLayout(value);
  if (!layout) return std::nullopt;
  if (layout->version == kHexStringVersion) return ParseHexText(value.substr(0, value.find('\0')));
  return LittleEndian(value, layout->attrib_at, kWord);
}

void PutLittleEndian(std::string& data, std::size_t at, std::uint32_t number) {
  for (std::size_t i = 0; i < kWord; ++i) {
    data[at + i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  }
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

std::optional<std::string> DosAttribValueFor(const std::optional<std::string>& current,
                                             std::uint32_t attributes) {
  if (current) {
    const std::optional<SambaRecordLayout> layout = SambaLayout(*current);
    if (layout && layout->version != kHexStringVersion) {
      std::string record = *current;
      // The word is what smbd shows, marked valid or not: its other bits stay.
      std::uint32_t word = *LittleEndian(record, layout->attrib_at, kWord);
      if (layout->valid_flags_at) {
        const std::uint32_t valid = *LittleEndian(record, *layout->valid_flags_at, kWord);
        PutLittleEndian(record, *layout->valid_flags_at, valid | kAttributeValid);
      }
      word = (word & ~kRecordManagedBits) | (attributes & kRecordManagedBits);
      PutLittleEndian(record, layout->attrib_at, word);
      return record;
    }
  }
  const std::uint32_t wanted = attributes & kDosAttribBits;
  if (wanted == 0) return std::nullopt;
  // A text that says the same bits in another spelling stays as it is.
  if (current && ParseDosAttrib(*current) == wanted) return current;
  return FormatDosAttrib(wanted);
}

bool DosAttribNeedsWrite(const std::string& native_path, std::uint32_t attributes) {
  const std::optional<std::string> current = ReadDosAttrib(native_path);
  return DosAttribValueFor(current, attributes) != current;
}

bool WriteDosAttrib(const std::string& native_path, std::uint32_t attributes) {
  const std::optional<std::string> current = ReadDosAttrib(native_path);
  const std::optional<std::string> wanted = DosAttribValueFor(current, attributes);
  if (wanted == current) return true;
  if (!wanted) {
    if (::lremovexattr(native_path.c_str(), kDosAttribName) == 0) return true;
    return errno == ENODATA || NoXattrSupport(errno);
  }
  if (::lsetxattr(native_path.c_str(), kDosAttribName, wanted->data(), wanted->size(), 0) == 0) {
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
