#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/geometry.h"

namespace app {

class Control;
class WinControl;

// What a control is to a screen reader. kNone keeps it out of the
// accessible tree (pictures, shapes, lines: decoration).
enum class AccessibleRole {
  kNone,
  kFrame,       // a main window
  kDialog,      // any other window
  kPanel,       // a panel carrying controls
  kPushButton,
  kMenuBar,     // the panel of the menus' titles
  kMenu,        // a title of the menu bar, opening its drop-down menu
  kPopupMenu,   // a drop-down menu, holding its entries
  kMenuItem,
  kLabel,       // a line or block of text
  kText,        // an edit box
  kComboBox,
  kList,
  kTree,
  kPageTabs,
};

// True for the roles that carry the press action (what a click runs): the
// keyboard and screen readers run a command through it.
bool IsPressable(AccessibleRole role);

// One control as assistive technology sees it, its role settled.
struct AccessibleItem {
  std::string name;
  AccessibleRole role = AccessibleRole::kNone;
  Rect bounds;                   // in the coordinates of the windowed control it lies on
  std::function<void()> action;  // runs what a click runs; empty when a click does nothing
};

// The windowed control itself: its name (set, or the text of the label just
// left of it on its parent) and its role.
AccessibleItem AccessibleSelf(const WinControl& control);
// The graphic controls that lie on `control` and show (texts, buttons,
// marks, menu entries), in the order they were made.
std::vector<AccessibleItem> AccessibleParts(const WinControl& control);
// The controls of AccessibleParts(control), in the same order.
std::vector<Control*> AccessiblePartControls(const WinControl& control);

}  // namespace app
