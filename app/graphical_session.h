#pragma once

#include <string>

// The Linux program's display, checked before Qt is started: Qt ends the
// process at once when the display it was told to use cannot be reached,
// and the program says so in its own words instead.
namespace app {

// What the environment names and whether it answers.
struct GraphicalSession {
  bool named = false;      // DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set
  bool reachable = false;  // a display that was named accepts a connection
  // The one Qt platform to use when exactly one of X11 ("xcb") and Wayland
  // ("wayland") answers and no platform was chosen; empty otherwise.
  std::string only_platform;
  std::string described;   // the displays that were tried, for the message
};

// Tries the displays that DISPLAY and WAYLAND_DISPLAY name (a local X
// server's socket or its TCP port, the Wayland socket in XDG_RUNTIME_DIR)
// as far as QT_QPA_PLATFORM allows them; a platform other than those two
// (offscreen, for instance) counts as reachable.
GraphicalSession FindGraphicalSession();

// The displays FindGraphicalSession tries, as its `described` names them,
// found from the environment alone (nothing is connected to).
std::string NamedDisplays();

}  // namespace app
