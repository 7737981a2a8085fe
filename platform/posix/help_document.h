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

// Brings the guide at `native_path` up to date before Help opens it. The
// installed guide is the file at `installed_path` (the one the package puts
// beside the program). When nothing is at `native_path`, or a regular file
// older than the installed guide, it becomes a copy of the installed guide
// that keeps the installed guide's modification time, so that it counts as
// current until the next update of the package. A newer file (a guide the
// user edited), a link, a folder or anything else is left alone. Without an
// installed guide (a program run from its build folder) the compiled-in
// guide is placed where nothing is. The folder must exist. True when a
// regular file is at `native_path` afterwards.
bool UpdateHelpDocument(const std::string& native_path, const std::string& installed_path);

}  // namespace platform::posix
