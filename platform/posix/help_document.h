#pragma once

#include <string>
#include <string_view>

namespace platform::posix {

// The program's user guide, an HTML page. A new prefix gets a copy at
// C:\WINDOWS\Quillomar.htm, where the program's Help opens it, as a Windows
// installer would have placed it.
inline constexpr char kHelpDocumentPath[] = "C:\\WINDOWS\\Quillomar.htm";

// The guide's bytes, compiled into the program from docs/Quillomar.htm.
std::string_view HelpDocument();

// Creates the file at `native_path` with the guide's bytes. Never replaces
// anything: when an entry of that name exists already (a guide the user
// edited, or anything else) it is left alone and the result is false. The
// folder must exist. The file appears whole or not at all. False on any
// failure.
bool PlaceHelpDocument(const std::string& native_path);

}  // namespace platform::posix
