#pragma once

#include <string>
#include <string_view>
#include <vector>

// The vocabulary of Windows paths, as every layer of the program uses it:
// letter case, drives, joining, parents and the characters a name cannot
// hold. Pure text work: nothing here touches the file system.
namespace platform::windows_path {

inline constexpr char kSeparator = '\\';
inline constexpr char kDriveColon = ':';
// Characters that no Windows file name holds (control characters neither).
inline constexpr std::string_view kForbiddenNameCharacters = "\\/:*?\"<>|";

// ASCII letters in lower case, every other byte unchanged: file names, INI
// section and key names compare in this form.
// (Inline and by table: every name look-up of the store and the file system
// runs it, for every byte.)
namespace detail {
struct FoldTable {
  char to[256];
  constexpr FoldTable() : to() {
    for (int i = 0; i < 256; ++i) {
      to[i] = static_cast<char>(i >= 'A' && i <= 'Z' ? i - 'A' + 'a' : i);
    }
  }
};
inline constexpr FoldTable kFold{};
}  // namespace detail
inline char FoldCase(char c) { return detail::kFold.to[static_cast<unsigned char>(c)]; }
std::string FoldCase(std::string_view text);

// True when the texts are equal ignoring ASCII letter case.
inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// Orders two texts ignoring ASCII letter case; texts that differ only in
// case are ordered by their bytes, so the order is total.
bool LessIgnoringCase(std::string_view a, std::string_view b);

// True for either separator the file system takes between names: "\" and "/".
bool IsSeparator(char c);

// True when the text begins with a capital drive letter and a colon,
// "A:".."Z:", byte for byte (the form the shell reports for items).
bool StartsWithDrive(std::string_view path);

// True when the text begins with a drive letter of either case and a colon
// ("c:", "C:\x"): the form the file system and the shell views take.
bool HasDriveLetter(std::string_view path);

// The drive letter in upper case: 'c' -> 'C'; other bytes unchanged.
char UpperDriveLetter(char letter);

// True when the text is exactly one of "A:\".."Z:\" (capital letters only):
// the drive roots that hiding refuses and Find shortens.
bool IsDriveRoot(std::string_view path);

// True when the text names a whole drive, the way the file system reads it:
// a letter of either case, a colon, and nothing but separators ("c:", "C:\",
// "d:/"). A drive's own folder is never deleted, renamed or replaced.
bool NamesWholeDrive(std::string_view path);

// The root path of a drive: 'C' -> "C:\".
std::string DriveRoot(char letter);

// The path of an entry inside a folder: "C:\Data" + "x" -> "C:\Data\x";
// a folder that ends with a separator gets none added ("C:\" + "x" -> "C:\x").
std::string Join(std::string_view folder, std::string_view name);

// A folder path in the form the shell views keep it: the drive letter in
// upper case, a drive given as "C:" or "C:\" becomes "C:\", other paths lose
// their trailing backslashes. Paths without a drive letter stay as given.
std::string NormalizeFolder(std::string_view path);

// The parent of a normalized folder path: "C:\Data\x" -> "C:\Data",
// "C:\Data" -> "C:\"; empty for a drive root or a path without a backslash.
std::string Parent(std::string_view path);

// The last name of a path, after its last backslash: "C:\Data\x" -> "x";
// the whole text when it has no backslash.
std::string LastName(std::string_view path);

// The names after the drive of a path, in order, empty ones left out:
// "C:\a\\b\" -> a, b. Only "\" separates.
std::vector<std::string> NamesAfterDrive(std::string_view path);

// The names of `rest` (a path after its drive, or a relative path) into
// `parts`, which it empties first: either separator splits, empty names and
// "." are dropped, ".." takes the name before it away and never goes above
// the start. The views point into `rest`.
void SplitComponents(std::string_view rest, std::vector<std::string_view>& parts);

// "C:" of a path that begins with a drive letter and a colon, and what
// follows it ("C:\a" -> "C:", "\a"); "" and the whole path without a drive.
std::string_view DrivePart(std::string_view path);
std::string_view AfterDrive(std::string_view path);

// True when the path is a drive's own, or a path from its root: a drive
// letter and a colon, then nothing or a separator ("C:", "C:\x"; not
// "C:x", which Windows reads from the drive's current folder).
bool IsRootedAtDrive(std::string_view path);

// Separators and names in text of either width: the same rules serve the
// program's 8-bit paths and the wide exact-name paths of the Windows calls.
template <typename Char>
constexpr bool IsSeparatorOf(Char c) {
  return c == static_cast<Char>(kSeparator) || c == static_cast<Char>('/');
}

// True when the path ends with a separator of either kind.
template <typename Char>
bool EndsWithSeparator(const std::basic_string<Char>& path) {
  return !path.empty() && IsSeparatorOf(path.back());
}

// The path without trailing separators of either kind, where a root keeps
// its own: "C:\a\" -> "C:\a"; "C:\", "\\?\C:\" and "\" stay as they are.
template <typename Char>
std::basic_string<Char> TrimTrailingSeparators(std::basic_string<Char> path) {
  while (path.size() > 1 && IsSeparatorOf(path.back()) &&
         path[path.size() - 2] != static_cast<Char>(kDriveColon)) {
    path.pop_back();
  }
  return path;
}

// The path of an entry inside a folder, in either width: a separator goes
// between them unless the folder ends with one ("\\?\C:\" + "x").
template <typename Char>
std::basic_string<Char> JoinName(const std::basic_string<Char>& folder, const std::basic_string<Char>& name) {
  std::basic_string<Char> out = folder;
  if (!EndsWithSeparator(out)) out += static_cast<Char>(kSeparator);
  return out + name;
}

// The folder that holds the path's last name, separators of either kind:
// "C:\a\b" -> "C:\a", "C:\a" -> "C:\", "\\?\C:\a" -> "\\?\C:\", "\a" -> "\";
// "" for a path without a separator.
template <typename Char>
std::basic_string<Char> FolderOf(const std::basic_string<Char>& path) {
  std::size_t cut = path.size();
  while (cut > 0 && !IsSeparatorOf(path[cut - 1])) --cut;
  if (cut == 0) return {};
  std::basic_string<Char> folder = path.substr(0, cut - 1);
  // A drive's root and the lone root keep their separator.
  if (folder.empty() || folder.back() == static_cast<Char>(kDriveColon)) folder += path[cut - 1];
  return folder;
}

// The last name of a path, after its last separator of either kind: "x" of
// "C:\a/x"; the whole text when it has none.
template <typename Char>
std::basic_string<Char> NameOf(const std::basic_string<Char>& path) {
  std::size_t cut = path.size();
  while (cut > 0 && !IsSeparatorOf(path[cut - 1])) --cut;
  return path.substr(cut);
}

// True when the name holds a character that a Windows file name cannot hold:
// one of kForbiddenNameCharacters or a control character (below 0x20).
bool HoldsForbiddenCharacter(std::string_view name);

}  // namespace platform::windows_path
