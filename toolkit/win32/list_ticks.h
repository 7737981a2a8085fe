#pragma once

#include <windows.h>
#include <commctrl.h>

namespace app::win32 {

// The tick boxes of a list's rows. The list draws its rows on demand and
// its owner holds the ticks, so a tick is changed by asking the owner.

// The state images of a row's tick box.
inline constexpr UINT kUntickedImage = 1;
inline constexpr UINT kTickedImage = 2;

// Sent to a list with tick boxes: ticks or unticks row `wparam` as Space or
// a click on its box would, telling the list's control.
inline constexpr UINT kToggleRowMessage = WM_APP + 2;

}  // namespace app::win32
