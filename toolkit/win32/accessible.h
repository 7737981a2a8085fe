#pragma once

#include "toolkit/win32/windows_api.h"

#include <optional>

namespace app::win32 {

class PeerCore;

// The answer to WM_GETOBJECT for the client area of a peer's window, or
// nothing when the system's own answer stands:
// - a window the toolkit paints answers with its own IAccessible: the
//   window itself (a pane, a menu bar or menu, or for a top-level window a
//   dialog or frame with the window's title), its child windows, then the
//   controls painted on it (texts, buttons, marks, menu entries), each with
//   its name, role, state and place, whose default action runs what a click
//   on it runs;
// - a system control keeps the system's IAccessible, with the role of its
//   class where the system tells none, and a box is named by its label.
std::optional<LRESULT> AnswerGetObject(PeerCore& peer, bool painted, WPARAM wparam, LPARAM lparam);

// Tells screen readers that the keyboard focus went to a control painted on
// the window (its place among the window's parts), or to the window (-1).
void AnnounceFocus(HWND hwnd, int part);

}  // namespace app::win32
