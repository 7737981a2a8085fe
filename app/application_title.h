#pragma once

namespace app {

// The program's title: the caption of every message box and of the task bar.
inline constexpr char kApplicationTitle[] = "Quillomar";

}  // namespace app
