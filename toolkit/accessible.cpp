#include "toolkit/accessible.h"

#include "toolkit/control.h"
#include "toolkit/label.h"

namespace app {

namespace {

// The text of the label that names a box: a showing label on the same
// parent that ends left of the box, on the box's line, the nearest first.
std::string LabelLeftOf(const WinControl& box) {
  const Label* nearest = nullptr;
  const Rect& at = box.Bounds();
  for (const Control* sibling : box.Parent()->Children()) {
    const auto* label = dynamic_cast<const Label*>(sibling);
    if (label == nullptr || !label->Visible() || label->Text().empty()) continue;
    const Rect& r = label->Bounds();
    const bool on_line = r.top < at.top + at.height && at.top < r.top + r.height;
    if (!on_line || r.left + r.width > at.left) continue;
    if (nearest == nullptr || r.left > nearest->Bounds().left) nearest = label;
  }
  return nearest != nullptr ? nearest->Text() : std::string();
}

}  // namespace

bool IsPressable(AccessibleRole role) {
  return role == AccessibleRole::kPushButton || role == AccessibleRole::kMenu || role == AccessibleRole::kMenuItem;
}

AccessibleItem AccessibleSelf(const WinControl& control) {
  AccessibleItem self;
  self.name = control.AccessibleName();
  self.role = control.Role();
  self.bounds = control.Bounds().Local();
  if (self.name.empty() && control.Parent() != nullptr) self.name = LabelLeftOf(control);
  if (self.role == AccessibleRole::kNone && control.Parent() == nullptr) self.role = AccessibleRole::kDialog;
  return self;
}

// The graphic controls a screen reader sees, with the action the keyboard
// and screen readers share (what a click runs) where a click does anything.
std::vector<AccessibleItem> AccessibleParts(const WinControl& control) {
  std::vector<AccessibleItem> parts;
  for (Control* child : AccessiblePartControls(control)) {
    AccessibleItem part;
    part.name = child->AccessibleName();
    part.role = child->Role();
    part.bounds = child->Bounds();
    if (IsPressable(part.role)) part.action = [child] { child->Activate(); };
    parts.push_back(std::move(part));
  }
  return parts;
}

std::vector<Control*> AccessiblePartControls(const WinControl& control) {
  std::vector<Control*> controls;
  for (Control* child : control.AccessibleGraphics()) {
    if (child->MouseTransparent()) continue;
    if (child->AccessibleName().empty() && !IsPressable(child->Role())) continue;  // nothing to tell
    controls.push_back(child);
  }
  return controls;
}

}  // namespace app
