#pragma once

#include <memory>

#include "platform/dialogs.h"

namespace platform {

// The program's message boxes on Windows: MessageBox captioned with the
// program's title over the active window, the error icon for errors.
std::unique_ptr<Dialogs> MakeWin32Dialogs();

}  // namespace platform
