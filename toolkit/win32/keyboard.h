#pragma once

#include "toolkit/win32/windows_api.h"

namespace app::win32 {

class PeerCore;

// The keys that reach every command without a mouse, in the window of
// `peer`, which has the focus (or holds the focused field):
// - Tab and Shift+Tab go round the window's stops: each command painted on
//   a window the toolkit paints (a button, a mark, a menu entry: whatever
//   a click runs), and each system control, in the order they were made;
//   the focused command shows the focus mark;
// - Space and Return run the focused command, as a click on it does;
// - the arrow keys go to the previous or next command on the same painted
//   window (the entries of an open menu, a row of buttons).
// True when the key was used.
bool HandleNavigationKey(PeerCore& peer, WPARAM virtual_key);

}  // namespace app::win32
