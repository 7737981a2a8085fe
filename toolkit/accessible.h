#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/geometry.h"

namespace app {

class WinControl;

// What a control is to assistive technology (screen readers), beside its
// caption: the windows set it where the caption alone does not say it
// (a mark drawn as a symbol, a button with a picture only, a menu).
enum class AccessibleRole {
  kAutomatic,    // by the control's kind: a clickable one is a push button,
                 // a text is static text, a windowed one a pane
  kPushButton,
  kMenuBar,
  kMenuItem,
  kMenuPopup,
  kStaticText,
  kFrame,        // a top-level window that is the program's main one
  kDialog,       // any other top-level window
};

struct AccessibleName {
  std::string name;  // empty: the control's caption (or, for a box, its label)
  AccessibleRole role = AccessibleRole::kAutomatic;
};

// One control as assistive technology sees it, its role settled.
struct AccessibleItem {
  std::string name;
  AccessibleRole role = AccessibleRole::kAutomatic;
  Rect bounds;                   // in the coordinates of the windowed control it lies on
  std::function<void()> action;  // runs what a click runs; empty when a click does nothing
};

// The windowed control itself: its name (set, or the text of the label just
// left of it on its parent) and its role.
AccessibleItem AccessibleSelf(const WinControl& control);
// The graphic controls that lie on `control` and show (texts, buttons,
// marks, menu entries), in the order they were made.
std::vector<AccessibleItem> AccessibleParts(const WinControl& control);

}  // namespace app
