#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace platform {

// The parsing name of My Computer in the shell namespace.
inline constexpr char kMyComputerParsingName[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
// The display name of My Computer; the folder tree reports it as the node's
// path because the parsing name is not a file-system path.
inline constexpr char kMyComputerName[] = "My Computer";
// The display name of the top of the namespace.
inline constexpr char kDesktopName[] = "Desktop";

// Orders two names without regard to ASCII letter case; names that differ
// only in case are ordered by their bytes, so the order is total.
bool CaseBlindLess(std::string_view a, std::string_view b);

// True when the two texts are equal ignoring ASCII letter case.
bool CaseBlindEqual(std::string_view a, std::string_view b);

// True when a listing entry belongs in a shell view: not "." or "..", and
// without the hidden attribute (dot-names, .hidden lines and DOSATTRIB all
// report it).
bool IsShownEntry(const DirEntry& entry);

// True for "X:\" with a letter X (either case).
bool IsDriveRoot(std::string_view path);

// The root path of a drive: 'C' -> "C:\".
std::string DriveRoot(char letter);

// The display name of a drive: 'C' -> "Local Disk (C:)".
std::string DriveDisplayName(char letter);

// The path of an entry inside a folder: "C:\Data" + "x" -> "C:\Data\x",
// and for a drive root "C:\" + "x" -> "C:\x" (never a double backslash).
std::string JoinShellPath(const std::string& folder, const std::string& name);

// A folder path in the form the views keep: the drive letter in upper case,
// a drive given as "C:" or "C:\" becomes "C:\", and other paths lose their
// trailing backslashes. Paths without a drive letter are returned as given.
std::string NormalizeFolderPath(const std::string& path);

// The parent of a normalized folder path: "C:\Data\x" -> "C:\Data",
// "C:\Data" -> "C:\"; empty for a drive root or a path without a backslash.
std::string ParentFolderPath(const std::string& path);

}  // namespace platform
