#pragma once

#include <string>

namespace app {

// The program's title: the caption of every message box and of the task bar.
inline constexpr char kApplicationTitle[] = "Quillomar";

// What a screen reader calls a window ("Quillomar - Login"): the title,
// which every window shares, and which window it is. The titles the window
// system shows stay the program's title alone.
inline std::string AccessibleWindowName(const char* window) { return std::string(kApplicationTitle) + " - " + window; }

}  // namespace app
