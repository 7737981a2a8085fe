#pragma once

#include "toolkit/win32/windows_api.h"

namespace app::win32 {

class PeerCore;

// The keys that reach every command without a mouse, in the window of
// `peer`, which has the focus (or holds the focused field):
// - Tab and Shift+Tab go round the window's stops as the toolkit walks them
//   on every front end (BorderlessWindow::TabStops); the focused command
//   shows the focus mark;
// - Space and Return run the focused command, as a click on it does;
// - the arrow keys go to the previous or next command on the same painted
//   window (the entries of an open menu, a row of buttons); Down on a menu
//   title opens its menu.
// True when the key was used.
bool HandleNavigationKey(PeerCore& peer, WPARAM virtual_key);

// The menu keys of a window with a painted menu bar (a window whose role is
// the menu bar, toolkit/accessible.h): Alt+letter runs the menu title that
// starts with the letter and takes the focus to the first entry of the menu
// it opened; Alt or F10 alone (WM_SYSKEYUP) takes the focus to the first
// title, where Down opens its menu. True when the key was used.
bool HandleMenuKey(PeerCore& peer, UINT message, WPARAM virtual_key);

}  // namespace app::win32
