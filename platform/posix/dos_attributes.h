#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

// How Windows attribute bits live on a Linux file system: hidden, system and
// archive in the extended attribute user.DOSATTRIB, read-only as the lack of
// the owner's write permission.
namespace platform::posix {

// The extended attribute that holds hidden, system and archive.
inline constexpr char kDosAttribName[] = "user.DOSATTRIB";
// The attribute bits that user.DOSATTRIB carries.
inline constexpr std::uint32_t kDosAttribBits = kAttrHidden | kAttrSystem | kAttrArchive;

// The attribute bits in a user.DOSATTRIB value, in either form it comes in:
// - the text form that Wine and this program write: "0x" followed by hex
//   digits, read up to the first byte that is not one (a NUL included);
// - Samba's binary record, the NDR form of its xattr_DOSATTRIB: a
//   NUL-terminated hex string, then the version as a 16-bit little-endian
//   number aligned to 2, the same number again, and that version's
//   information aligned to 4. Versions 1 and 2 hold the 32-bit attribute
//   word first (2 after a flags word); versions 3 to 5 a 32-bit valid-flags
//   word and then the attribute word, which counts whatever the flags say
//   (as smbd reads it); version 0xFFFF keeps the attribute in the hex string.
// nullopt for a value of neither form: such a value counts as no attribute
// at all.
std::optional<std::uint32_t> ParseDosAttrib(std::string_view value);

// The user.DOSATTRIB text for `bits`: "0x" + lower-case hex, no NUL ("0x6").
std::string FormatDosAttrib(std::uint32_t bits);

// The raw user.DOSATTRIB value of the item itself (a symbolic link is not
// followed, and has none). nullopt when it has none or the file system keeps
// no extended attributes.
std::optional<std::string> ReadDosAttrib(const std::string& native_path);

// The user.DOSATTRIB value that gives an item holding `current` the
// attribute set `attributes`; nullopt for no attribute at all. Samba's
// binary record (versions 1 to 5) keeps its form, version, flags and times:
// only its attribute word's hidden, system, archive and read-only bits
// change, and the word is marked valid. Otherwise it is the text form of
// the kDosAttribBits of `attributes` (`current` itself when it says them
// already), or nullopt when none of them is set.
std::optional<std::string> DosAttribValueFor(const std::optional<std::string>& current,
                                             std::uint32_t attributes);

// False when the item's user.DOSATTRIB is DosAttribValueFor() its value.
bool DosAttribNeedsWrite(const std::string& native_path, std::uint32_t attributes);

// Makes the item's user.DOSATTRIB the DosAttribValueFor() its value,
// removing it where that is nullopt. An attribute that already says so is
// left alone. A file system without extended attributes
// counts as success; other failures return false.
bool WriteDosAttrib(const std::string& native_path, std::uint32_t attributes);

// True for names that every Linux file manager hides: a leading ".", except
// for "." and ".." themselves.
bool IsDotName(std::string_view name);

// The Windows attribute set of an item: kAttrDirectory for folders,
// kAttrReadOnly for files without the owner's write permission, and the
// kDosAttribBits of `dos_attrib` (the parsed user.DOSATTRIB). Where the item
// has no such attribute, kAttrHidden comes from `hidden_by_name` (a dot
// name, or listed in the folder's .hidden); where it has one, it decides.
std::uint32_t AttributesOf(const struct stat& status, std::optional<std::uint32_t> dos_attrib,
                           bool hidden_by_name);

// The permission bits that an item of `status` gets when its attribute set
// is made `attributes`. Files: read-only takes away every write permission;
// otherwise the owner gets write permission back, and nobody else gains
// any. Folders keep their permissions: read-only means nothing for them.
mode_t ModeForAttributes(const struct stat& status, std::uint32_t attributes);

}  // namespace platform::posix
