#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace app {

// The parsing name of My Computer in the shell namespace.
inline constexpr char kMyComputerParsingName[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
// The display name of My Computer; the folder tree reports it as the node's
// path because the parsing name is not a file-system path.
inline constexpr char kMyComputerName[] = "My Computer";
// The display name of the top of the namespace.
inline constexpr char kDesktopName[] = "Desktop";

// True when a listing entry belongs in a shell view: not "." or "..", and
// without the hidden attribute (dot-names, .hidden lines and DOSATTRIB all
// report it).
bool IsShownEntry(const platform::DirEntry& entry);

// The display name of a drive: 'C' -> "Local Disk (C:)".
std::string DriveDisplayName(char letter);

}  // namespace app
