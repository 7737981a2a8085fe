#include "toolkit/accessible.h"

#include "toolkit/control.h"
#include "toolkit/label.h"
#include "toolkit/speed_button.h"

namespace app {

namespace {

// The caption a graphic control shows, "" for none (pictures, shapes).
std::string CaptionOf(const Control& control) {
  if (const auto* label = dynamic_cast<const Label*>(&control)) return label->Text();
  if (const auto* button = dynamic_cast<const SpeedButton*>(&control)) return button->Caption();
  return {};
}

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

AccessibleItem AccessibleSelf(const WinControl& control) {
  AccessibleItem self;
  self.name = control.accessible.name;
  self.role = control.accessible.role;
  self.bounds = control.Bounds().Local();
  if (self.name.empty() && control.Parent() != nullptr) self.name = LabelLeftOf(control);
  if (self.role == AccessibleRole::kAutomatic && control.Parent() == nullptr) self.role = AccessibleRole::kDialog;
  return self;
}

std::vector<AccessibleItem> AccessibleParts(const WinControl& control) {
  std::vector<AccessibleItem> parts;
  for (Control* child : control.Children()) {
    if (child->IsWindowed() || !child->Visible() || child->MouseTransparent()) continue;
    AccessibleItem part;
    part.name = child->accessible.name.empty() ? CaptionOf(*child) : child->accessible.name;
    part.role = child->accessible.role;
    part.bounds = child->Bounds();
    if (child->on_click) part.action = child->on_click;
    if (part.role == AccessibleRole::kAutomatic) {
      if (part.name.empty()) continue;  // a picture or a shape: nothing to tell
      part.role = part.action ? AccessibleRole::kPushButton : AccessibleRole::kStaticText;
    }
    parts.push_back(std::move(part));
  }
  return parts;
}

}  // namespace app
