#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/accessible.h"
#include "toolkit/canvas.h"
#include "toolkit/geometry.h"
#include "toolkit/native.h"

// The controls the windows are built from, written once for both front
// ends. Two kinds exist, as in the classic desktop toolkits:
// - graphic controls (labels, pictures, shapes, flat buttons, bevel lines)
//   have no window of their own: the windowed control they lie on paints
//   them over its background, in the order they were made, and hands them
//   the mouse events over their box;
// - windowed controls (panels, windows, edit boxes, lists, trees) have a
//   native window, made by the front end (toolkit/native.h); on one
//   parent they stack above every graphic control, in the order made.
// All coordinates are in pixels, relative to the parent's client area.
namespace app {

class WinControl;
class BorderlessWindow;

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  WinControl* Parent() const { return parent_; }
  // Counts the controls in the order they were made, program-wide.
  unsigned Serial() const { return serial_; }
  // The window this control lies on (itself for a window).
  BorderlessWindow* Window();

  const Rect& Bounds() const { return bounds_; }
  void SetBounds(const Rect& bounds);
  void Move(Point to) { SetBounds(Rect(to, bounds_.GetSize())); }
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  // Where the control's top-left corner lies in its window's client area.
  Point WindowOrigin() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // True when it and every control it lies on are visible (and, on tab
  // pages, lie on the current page).
  bool Showing() const;
  // False where the control it lies on keeps it off the screen however
  // visible it is (a tab page that is not the current one).
  virtual bool ShownByParent() const { return true; }

  // Mouse events as the windows' handlers use them. A click is a press and
  // a release of the left button over the same control.
  std::function<void()> on_click;
  std::function<void(MouseButton)> on_mouse_down;
  std::function<void()> on_mouse_move;

  // A control transparent to the mouse is never hit: events go to what lies
  // beneath. One that passes the mouse on takes the events itself and then
  // hands them to the control it lies on as well.
  void SetMouseTransparent(bool transparent) { mouse_transparent_ = transparent; }
  bool MouseTransparent() const { return mouse_transparent_; }
  void SetPassesMouseOn(bool passes) { passes_mouse_on_ = passes; }
  bool PassesMouseOn() const { return passes_mouse_on_; }

  // True while the pointer is over the control (graphic controls), for the
  // hover edges of flat buttons.
  bool Hot() const { return hot_; }
  // True while the left button went down on it and is still held there.
  bool Pressed() const { return pressed_ && hot_; }

  virtual bool IsWindowed() const = 0;
  // Asks for the control to be painted again.
  virtual void Invalidate() = 0;

  // Accessibility: the role and name a screen reader gives the control. A
  // control without a name of its own is named by its caption or text.
  void SetAccessible(AccessibleRole role, std::string name = std::string());
  AccessibleRole Role() const { return role_; }
  virtual std::string AccessibleName() const { return accessible_name_; }
  // Runs what a left click on the control runs (its press handler, then its
  // click handler): the action of the keyboard and of screen readers.
  void Activate();

  // Keyboard focus. A tab stop is reached with Tab (windowed controls of
  // the system's kinds are tab stops from the start); a graphic tab stop
  // shows a dotted focus mark inside its box while it has the focus and the
  // window shows keyboard cues, unless told to show none (menu entries
  // show their bar instead).
  void SetTabStop(bool tab_stop);
  bool TabStop() const { return tab_stop_; }
  void SetShowsFocusMark(bool shows) { shows_focus_mark_ = shows; }
  bool ShowsFocusMark() const { return shows_focus_mark_; }
  // Gives the control the keyboard focus (shown when it is on screen); on a
  // hidden window, the focus goes there when the window shows next.
  virtual void SetFocus();
  virtual bool Focused() const;
  // The control took the keyboard focus.
  std::function<void()> on_focus;

 protected:
  // A control on `parent` (nullptr only for top-level windows).
  explicit Control(WinControl* parent);

  // What happens on the toolkit's side before the handlers run; controls
  // override these to change their look (a button's edge, for instance).
  virtual void MouseEntered() {}
  virtual void MouseLeft() {}
  virtual void BoundsChanged() {}
  virtual void VisibilityChanged() {}
  // The control as a top-level window: itself for a window, else nullptr.
  virtual BorderlessWindow* AsWindow() { return nullptr; }

 private:
  friend class WinControl;

  WinControl* parent_;
  unsigned serial_;
  Rect bounds_;
  bool visible_ = true;
  bool mouse_transparent_ = false;
  bool passes_mouse_on_ = false;
  bool hot_ = false;
  bool pressed_ = false;
  AccessibleRole role_ = AccessibleRole::kNone;
  std::string accessible_name_;
  bool tab_stop_ = false;
  bool shows_focus_mark_ = true;
};

// A control without a window of its own, painted by the windowed control it
// lies on.
class GraphicControl : public Control {
 public:
  bool IsWindowed() const override { return false; }
  void Invalidate() override;
  // Draws the control in its own coordinates.
  virtual void Paint(Canvas& canvas) = 0;

 protected:
  explicit GraphicControl(WinControl* parent);
  void BoundsChanged() override;
  void VisibilityChanged() override;
};

// A control with a native window, which may carry other controls.
class WinControl : public Control, protected NativeEvents {
 public:
  ~WinControl() override;

  bool IsWindowed() const override { return true; }
  void Invalidate() override;
  void InvalidateRect(const Rect& rect);

  // The controls that lie on this one, in the order they were made.
  const std::vector<Control*>& Children() const { return children_; }
  // The graphic control under a point of the client area (topmost first,
  // skipping hidden and mouse-transparent ones), or nullptr.
  Control* GraphicAt(Point at) const;

  NativeWindow& Native() const { return *native_; }
  void SetFocus() override;
  bool Focused() const override;

  // The graphic child with the keyboard focus inside this window (shown
  // only while the window has the focus), or nullptr.
  Control* FocusedGraphic() const { return LiveFocusChild(); }
  // The graphic children a screen reader sees: visible ones with a role.
  std::vector<Control*> AccessibleGraphics() const;

 protected:
  // `parent` is nullptr for a top-level window; call AttachNative() from the
  // constructor of the concrete control, before anything else uses it.
  explicit WinControl(WinControl* parent);
  void AttachNative(std::unique_ptr<NativeWindow> native);

  // Paints the control's own background; the graphic children follow.
  virtual void PaintBackground(Canvas& canvas) { (void)canvas; }
  // A key that the focused native window did not use itself: Enter and
  // Space run the focused graphic child, the arrows along the line of the
  // graphic tab stops move the focus among them; other keys go on to the
  // control this one lies on. True when it was used.
  virtual bool KeyPressed(Key key);
  // Alt and a letter (0: Alt alone); by default it goes on to the control
  // this one lies on.
  virtual bool MnemonicPressed(char letter);

  // Mouse events over the control's own background (no graphic child hit).
  virtual void BackgroundMouseDown(Point at, MouseButton button) { (void)at, (void)button; }
  virtual void BackgroundMouseMove(Point at) { (void)at; }
  virtual void BackgroundMouseUp(Point at, MouseButton button) { (void)at, (void)button; }

  void BoundsChanged() override;
  void VisibilityChanged() override;
  // Forgets the pointer and any held button here and on every windowed
  // control below (the window left the screen, or the window system took
  // the pointer over: no release or leave follows).
  void ResetMouseState();

  // NativeEvents: painting and mouse dispatch to the graphic children.
  void NativePaint(Canvas& canvas, const Rect& dirty) override;
  void NativeMouseMove(Point at) override;
  void NativeMouseDown(Point at, MouseButton button) override;
  void NativeMouseUp(Point at, MouseButton button) override;
  void NativeMouseLeave() override;
  void NativeCaptureLost() override;
  bool NativeKey(Key key) override { return KeyPressed(key); }
  bool NativeFocusIn(FocusReason reason) override;
  void NativeFocusOut() override;
  bool NativeTab(bool forward) override;
  bool NativeMnemonic(char letter) override { return MnemonicPressed(letter); }
  Control* NativeOwner() override { return this; }
  AccessibleItem NativeAccessibleSelf() override { return AccessibleSelf(*this); }
  std::vector<AccessibleItem> NativeAccessibleParts() override { return AccessibleParts(*this); }

 private:
  friend class Control;

  // Gives the focus to a graphic child (a tab stop of this window).
  void FocusGraphic(Control* child);
  // The graphic child that has the focus now: the one given it, or when
  // that one left the screen, the one that took its place.
  Control* LiveFocusChild() const;
  // True when the graphic tab stops on screen stand one above the other
  // (Up and Down walk them), false when side by side (Left and Right).
  bool StopsInAColumn() const;
  // The next graphic tab stop on screen after `from` (nullptr: the first),
  // or before it going backward; nullptr when there is none. `wrap` goes
  // round from the last to the first.
  Control* NextGraphicStop(Control* from, bool forward, bool wrap) const;

  void Adopt(Control* child);
  void Forget(Control* child);
  // Makes `target` the control under the pointer, telling the old and the
  // new one.
  void SetHot(Control* target);
  // Runs the handlers of a press or move on `target` (a graphic child or this
  // control itself), and on the controls it passes the mouse on to.
  void DeliverDown(Control* target, Point at, MouseButton button);
  void DeliverMove(Control* target, Point at);

  std::unique_ptr<NativeWindow> native_;
  std::vector<Control*> children_;
  Control* hot_child_ = nullptr;      // graphic child under the pointer
  Control* pressed_child_ = nullptr;  // graphic child that took the last press
  bool self_pressed_ = false;          // the last press hit the background
  Control* focus_child_ = nullptr;    // graphic child with the keyboard focus
  bool has_focus_ = false;             // the native window has the focus
};

}  // namespace app
