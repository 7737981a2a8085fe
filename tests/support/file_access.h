#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace testing_support {

// What the tests do to real files that the two systems do differently.

// Takes away every write permission of the real file, so that writes to it
// fail: the write bits on Linux, the read-only attribute on Windows.
void MakeReadOnly(const std::string& real_path);

// True when the real file may be written to by its owner.
bool OwnerMayWrite(const std::string& real_path);

// The attribute set as tests compare it. Windows sets the archive bit on
// every file it writes, so there it is left out; on Linux nothing changes.
std::optional<std::uint32_t> Comparable(std::optional<std::uint32_t> attributes);

// True where hidden items are also listed in their folder's .hidden file
// (the Linux backend); Windows file managers go by the attribute alone.
bool KeepsDotHiddenLists();

// Entries at real paths whose names may be anything the system holds
// (trailing dots and blanks, device names, look-alike characters), made,
// read and removed by their exact names; the real path's separator.
extern const char kRealSeparator;
void MakeFolders(const std::string& real_path);
void MakeExactFile(const std::string& real_path, const std::string& bytes);
std::string ReadExactFile(const std::string& real_path);  // "" when unreadable
bool ExactExists(const std::string& real_path);
void RemoveExactTree(const std::string& real_path);

// The hidden marks an entry carries, as one text: "" for none, kHiddenMarks
// for those of a hidden item (the attribute, and on Linux its folder's
// .hidden line), anything else for a part of them.
extern const char kHiddenMarks[];
std::string HiddenMarks(const std::string& real_path);

// Makes a symbolic link at `link_path` that leads to `target_path` (real
// paths): under Wine a Unix link, as a Linux user would leave one. False
// when the system could not make it.
bool MakeLink(const std::string& target_path, const std::string& link_path);

// Removes the link that MakeLink made, never what it leads to.
void RemoveLink(const std::string& link_path);

// The name that the file system's listings give for an entry made under
// the 8-bit name `eight_bit` (Latin-1 on Linux, where names are bytes; the
// system's code page on Windows, where the program's names are UTF-8).
std::string ListedForm(const std::string& eight_bit);

// True for a name of the temporary files that the file system's writes
// make (and a killed write leaves behind).
bool IsTemporaryName(const std::string& name);

// A name of the form of the temporary files that the file system's writes
// make, which the leftover cleanup removes.
std::string LeftoverName();

// How many names the real file has (1 for a file without second names).
std::uint64_t NamesOfFile(const std::string& real_path);

}  // namespace testing_support
