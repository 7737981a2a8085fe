#pragma once

#include <memory>

#include "platform/shell.h"

namespace platform {

// The Windows shell: ShellExecuteA "open" and SHChangeNotify.
std::unique_ptr<Shell> MakeWin32Shell();

}  // namespace platform
