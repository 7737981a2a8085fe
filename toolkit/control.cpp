#include "toolkit/control.h"

#include <algorithm>
#include <utility>

#include "toolkit/borderless_window.h"

namespace app {

namespace {
// The focus mark lies this far inside the focused control's box; one pixel
// in a box too low for a text and a margin (the list strip's buttons).
constexpr int kFocusMarkInset = 2;
constexpr int kLowBoxHeight = 20;
}  // namespace

// Control.

Control::Control(WinControl* parent) : parent_(parent) {
  static unsigned made = 0;
  serial_ = ++made;
  if (parent_ != nullptr) parent_->Adopt(this);
}

Control::~Control() {
  if (parent_ != nullptr) parent_->Forget(this);
}

BorderlessWindow* Control::Window() {
  Control* control = this;
  while (control->parent_ != nullptr) control = control->parent_;
  return control->AsWindow();
}

void Control::SetBounds(const Rect& bounds) {
  if (bounds == bounds_) return;
  const Rect old = bounds_;
  bounds_ = bounds;
  BoundsChanged();
  // A graphic control leaves its old place to whatever lies beneath.
  if (!IsWindowed() && parent_ != nullptr && visible_) parent_->InvalidateRect(old);
}

Point Control::WindowOrigin() const {
  Point origin{0, 0};
  for (const Control* control = this; control->parent_ != nullptr; control = control->parent_) {
    origin = origin + control->bounds_.TopLeft();
  }
  return origin;
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!visible_) {
    // A control that leaves the screen is no longer under the pointer, so
    // it shows no hover look when it comes back.
    if (parent_ != nullptr && parent_->hot_child_ == this) parent_->SetHot(nullptr);
    if (parent_ != nullptr && parent_->pressed_child_ == this) parent_->pressed_child_ = nullptr;
    pressed_ = false;
    if (hot_) {
      hot_ = false;
      MouseLeft();
    }
  }
  VisibilityChanged();
}

bool Control::Showing() const {
  for (const Control* control = this; control != nullptr; control = control->parent_) {
    if (!control->visible_ || !control->ShownByParent()) return false;
  }
  return true;
}

void Control::SetAccessible(AccessibleRole role, std::string name) {
  role_ = role;
  accessible_name_ = std::move(name);
  if (IsWindowed()) static_cast<WinControl*>(this)->Native().SetAccessibleName(AccessibleName());
}

void Control::Activate() {
  if (on_mouse_down) on_mouse_down(MouseButton::kLeft);
  if (on_click) on_click();
}

void Control::SetTabStop(bool tab_stop) {
  tab_stop_ = tab_stop;
  // The window a graphic tab stop lies on takes the focus by the keyboard.
  if (tab_stop && !IsWindowed() && parent_ != nullptr) parent_->native_->SetTabStop(true);
}

void Control::SetFocus() {
  if (BorderlessWindow* window = Window(); window != nullptr && !window->Visible()) window->FocusWhenShown(this);
  if (parent_ != nullptr) parent_->FocusGraphic(this);
}

bool Control::Focused() const { return parent_ != nullptr && parent_->has_focus_ && parent_->LiveFocusChild() == this; }

// GraphicControl.

GraphicControl::GraphicControl(WinControl* parent) : Control(parent) {}

void GraphicControl::Invalidate() {
  if (Parent() != nullptr) Parent()->InvalidateRect(Bounds());
}

void GraphicControl::BoundsChanged() { Invalidate(); }

void GraphicControl::VisibilityChanged() { Invalidate(); }

// WinControl.

WinControl::WinControl(WinControl* parent) : Control(parent) {}

WinControl::~WinControl() {
  // The children go first, the last made first; each forgets this parent so
  // that it does not try to leave a list that is being emptied.
  std::vector<Control*> children = std::move(children_);
  hot_child_ = nullptr;
  pressed_child_ = nullptr;
  focus_child_ = nullptr;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    (*it)->parent_ = nullptr;
    delete *it;
  }
}

void WinControl::AttachNative(std::unique_ptr<NativeWindow> native) {
  native_ = std::move(native);
  native_->SetBounds(Bounds());
  native_->SetVisible(Visible());
}

void WinControl::Invalidate() {
  if (native_) native_->Invalidate(Bounds().Local());
}

void WinControl::InvalidateRect(const Rect& rect) {
  if (native_) native_->Invalidate(rect);
}

Control* WinControl::GraphicAt(Point at) const {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    Control* child = *it;
    if (child->IsWindowed() || !child->Visible() || child->MouseTransparent()) continue;
    if (child->Bounds().Contains(at)) return child;
  }
  return nullptr;
}

void WinControl::BoundsChanged() {
  if (native_) native_->SetBounds(Bounds());
}

void WinControl::VisibilityChanged() {
  if (!Visible()) ResetMouseState();
  if (native_) native_->SetVisible(Visible());
}

void WinControl::ResetMouseState() {
  if (pressed_child_ != nullptr) pressed_child_->pressed_ = false;
  pressed_child_ = nullptr;
  self_pressed_ = false;
  SetHot(nullptr);
  for (Control* child : children_) {
    if (child->IsWindowed()) static_cast<WinControl*>(child)->ResetMouseState();
  }
}

void WinControl::SetFocus() {
  if (BorderlessWindow* window = Window(); window != nullptr && !window->Visible()) window->FocusWhenShown(this);
  native_->SetFocus();
}

bool WinControl::Focused() const { return native_ && native_->HasFocus(); }

std::vector<Control*> WinControl::AccessibleGraphics() const {
  std::vector<Control*> graphics;
  for (Control* child : children_) {
    if (!child->IsWindowed() && child->Visible() && child->Role() != AccessibleRole::kNone) graphics.push_back(child);
  }
  return graphics;
}

Control* WinControl::NextGraphicStop(Control* from, bool forward, bool wrap) const {
  const auto count = static_cast<std::ptrdiff_t>(children_.size());
  const auto found = std::find(children_.begin(), children_.end(), from);
  // Where the walk starts: just past `from` (which may have left the screen
  // meanwhile), or at the first or last child.
  std::ptrdiff_t start = forward ? 0 : count - 1;
  if (found != children_.end()) start = (found - children_.begin()) + (forward ? 1 : -1);
  const std::ptrdiff_t step = forward ? 1 : -1;
  for (std::ptrdiff_t walked = 0; walked < count; ++walked) {
    std::ptrdiff_t index = start + step * walked;
    if (index < 0 || index >= count) {
      if (!wrap) return nullptr;
      index = (index % count + count) % count;
    }
    Control* child = children_[static_cast<std::size_t>(index)];
    if (!child->IsWindowed() && child->TabStop() && child->Visible()) return child;
  }
  return nullptr;
}

void WinControl::FocusGraphic(Control* child) {
  Control* old = focus_child_;
  focus_child_ = child;
  if (old != nullptr && old != child) old->Invalidate();
  if (!has_focus_) {
    // The focus arrives through NativeFocusIn, which shows the child.
    native_->SetFocus();
    return;
  }
  child->Invalidate();
  native_->AnnounceFocus(*child);
  if (child->on_focus) child->on_focus();
}

Control* WinControl::LiveFocusChild() const {
  Control* child = focus_child_;
  if (child == nullptr || child->Visible()) return child;
  // A focused button that left the screen hands the focus to the one shown
  // in its place (the pairs of the list's strip), else to the next stop.
  for (Control* other : children_) {
    if (other != child && !other->IsWindowed() && other->TabStop() && other->Visible() &&
        other->Bounds() == child->Bounds()) {
      return other;
    }
  }
  return NextGraphicStop(child, true, true);
}

bool WinControl::StopsInAColumn() const {
  int left = -1;
  for (const Control* child : children_) {
    if (child->IsWindowed() || !child->TabStop() || !child->Visible()) continue;
    if (left >= 0 && child->Left() != left) return false;
    left = child->Left();
  }
  return true;
}

bool WinControl::NativeFocusIn(FocusReason reason) {
  has_focus_ = true;
  if (reason != FocusReason::kOther) {
    if (BorderlessWindow* window = Window()) window->ShowKeyboardCues();
  }
  Control* target = LiveFocusChild();
  if (reason != FocusReason::kOther || target == nullptr || !target->TabStop()) {
    target = NextGraphicStop(nullptr, reason != FocusReason::kTabBackward, false);
  }
  // Nothing here to focus: reached by Tab, the front end moves on.
  if (target == nullptr) return reason == FocusReason::kOther;
  FocusGraphic(target);
  return true;
}

void WinControl::NativeFocusOut() {
  has_focus_ = false;
  if (focus_child_ != nullptr) focus_child_->Invalidate();
}

bool WinControl::NativeTab(bool forward) {
  BorderlessWindow* window = Window();
  return window != nullptr && window->MoveFocusByTab(forward);
}

bool WinControl::KeyPressed(Key key) {
  Control* focused = has_focus_ ? LiveFocusChild() : nullptr;
  if (focused != nullptr) {
    focus_child_ = focused;
    switch (key) {
      case Key::kEnter:
      case Key::kSpace:
        focused->Activate();
        return true;
      case Key::kUp:
      case Key::kLeft:
      case Key::kDown:
      case Key::kRight: {
        // The arrows along the line the stops lie on move the focus; the
        // others go on (a menu's Left and Right reach the window).
        const bool vertical_key = key == Key::kUp || key == Key::kDown;
        if (vertical_key != StopsInAColumn()) break;
        if (BorderlessWindow* window = Window()) window->ShowKeyboardCues();
        const bool forward = key == Key::kDown || key == Key::kRight;
        if (Control* next = NextGraphicStop(focused, forward, true)) FocusGraphic(next);
        return true;
      }
      case Key::kEscape:
      case Key::kBackspace:
      case Key::kF2:
      case Key::kF5:
      case Key::kTab:
      case Key::kBackTab:
      case Key::kNextPage:
      case Key::kPreviousPage:
      case Key::kOther:
        break;
    }
  }
  return Parent() != nullptr && Parent()->KeyPressed(key);
}

bool WinControl::MnemonicPressed(char letter) {
  return Parent() != nullptr && Parent()->MnemonicPressed(letter);
}

void WinControl::NativePaint(Canvas& canvas, const Rect& dirty) {
  PaintBackground(canvas);
  for (Control* child : children_) {
    if (child->IsWindowed() || !child->Visible()) continue;
    const Rect box = child->Bounds();
    if (box.Intersected(dirty).IsEmpty()) continue;
    canvas.Save(box.TopLeft(), box.Local());
    static_cast<GraphicControl*>(child)->Paint(canvas);
    canvas.Restore();
  }
  // The focus mark, inside the focused child's box, once the keyboard has
  // been used in the window (a window at rest shows none).
  const BorderlessWindow* window = Window();
  const Control* focused = LiveFocusChild();
  if (has_focus_ && focused != nullptr && focused->ShowsFocusMark() && window != nullptr && window->KeyboardCues()) {
    const int inset = focused->Height() < kLowBoxHeight ? 1 : kFocusMarkInset;
    canvas.DrawFocusRect(focused->Bounds().Adjusted(-inset, -inset));
  }
}

void WinControl::SetHot(Control* target) {
  Control* old = hot_child_;
  if (old == target) return;
  hot_child_ = target;
  if (old != nullptr && old->hot_) {
    old->hot_ = false;
    old->MouseLeft();
    if (old->pressed_) old->Invalidate();
  }
  if (target != nullptr && !target->hot_) {
    target->hot_ = true;
    target->MouseEntered();
    if (target->pressed_) target->Invalidate();
  }
}

void WinControl::DeliverDown(Control* target, Point at, MouseButton button) {
  if (target != this) {
    if (target->on_mouse_down) target->on_mouse_down(button);
    if (!target->PassesMouseOn()) return;
  }
  if (on_mouse_down) on_mouse_down(button);
  BackgroundMouseDown(at, button);
}

void WinControl::DeliverMove(Control* target, Point at) {
  if (target != this) {
    if (target->on_mouse_move) target->on_mouse_move();
    if (!target->PassesMouseOn()) return;
  }
  if (on_mouse_move) on_mouse_move();
  BackgroundMouseMove(at);
}

void WinControl::NativeMouseMove(Point at) {
  // While a button is held, the control that took the press keeps getting
  // the pointer's movements, as the window system's implicit grab does.
  if (pressed_child_ != nullptr) {
    Control* pressed = pressed_child_;
    SetHot(pressed->Bounds().Contains(at) ? pressed : nullptr);
    DeliverMove(pressed, at);
    return;
  }
  if (self_pressed_) {
    DeliverMove(this, at);
    return;
  }
  Control* target = GraphicAt(at);
  SetHot(target != nullptr ? target : this);
  DeliverMove(target != nullptr ? target : this, at);
}

void WinControl::NativeMouseDown(Point at, MouseButton button) {
  Control* target = GraphicAt(at);
  if (target == nullptr) target = this;
  SetHot(target);
  if (button == MouseButton::kLeft) {
    if (target == this) {
      self_pressed_ = true;
    } else {
      pressed_child_ = target;
      target->pressed_ = true;
      target->Invalidate();
    }
    native_->CaptureMouse(true);
  }
  DeliverDown(target, at, button);
}

void WinControl::NativeMouseUp(Point at, MouseButton button) {
  if (button != MouseButton::kLeft) return;
  Control* pressed = pressed_child_;
  const bool self = self_pressed_;
  pressed_child_ = nullptr;
  self_pressed_ = false;
  if (native_) native_->CaptureMouse(false);
  if (pressed != nullptr) {
    pressed->pressed_ = false;
    pressed->Invalidate();
    if (pressed->Bounds().Contains(at) && pressed->on_click) pressed->on_click();
  } else if (self) {
    BackgroundMouseUp(at, button);
    if (Bounds().Local().Contains(at) && on_click) on_click();
  }
}

void WinControl::NativeMouseLeave() { SetHot(nullptr); }

void WinControl::NativeCaptureLost() {
  if (pressed_child_ != nullptr) {
    pressed_child_->pressed_ = false;
    pressed_child_->Invalidate();
    pressed_child_ = nullptr;
  }
  self_pressed_ = false;
  SetHot(nullptr);
}

void WinControl::Adopt(Control* child) { children_.push_back(child); }

void WinControl::Forget(Control* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
  if (hot_child_ == child) hot_child_ = nullptr;
  if (pressed_child_ == child) pressed_child_ = nullptr;
  if (focus_child_ == child) focus_child_ = nullptr;
}

}  // namespace app
