#pragma once

#include "app/services.h"

namespace app {

// Opens the program's guide (C:\WINDOWS\Quillomar.htm) with the desktop's
// default program, for every Help command. Where the desktop cannot open it
// (no program to open it with, the file gone), a message box says so and
// names the guide's real path, so that the user can open it by hand.
void OpenHelpGuide(Services& services);

}  // namespace app
