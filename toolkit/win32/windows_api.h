#pragma once

// The Windows headers as the Win32 backend uses them. windows.h defines
// DrawText as a macro (DrawTextA/DrawTextW), which would rename the
// toolkit's Canvas::DrawText wherever both are seen; the backend calls
// ::DrawTextW by its own name.
#include <windows.h>
#include <commctrl.h>

#undef DrawText
