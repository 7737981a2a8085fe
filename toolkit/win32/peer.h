#pragma once

#include "toolkit/win32/windows_api.h"

#include <optional>

#include "toolkit/font.h"
#include "toolkit/native.h"
#include "toolkit/win32/scale.h"

namespace app::win32 {

class Win32Backend;
class TopLevelPeer;

// What every Win32 peer shares: its window, the events it reports, and the
// handling of the messages common to all of them (mouse, keys, busy pointer,
// painting for the windows the toolkit paints itself, and the notifications
// of child controls handed back to the control that sent them).
class PeerCore {
 public:
  PeerCore(const PeerCore&) = delete;
  PeerCore& operator=(const PeerCore&) = delete;
  // Destroys the window.
  virtual ~PeerCore();

  HWND Hwnd() const { return hwnd_; }
  NativeEvents& Events() const { return events_; }
  Win32Backend& Backend() const { return backend_; }
  // The scale of the top-level window this window stands in (the dpi of its
  // monitor); the backend's before the window is made.
  Scale GetScale() const { return ScaleIn(backend_, hwnd_); }
  // The scale of the top-level window that `hwnd` stands in, or is; the
  // backend's for no window.
  static Scale ScaleIn(const Win32Backend& backend, HWND hwnd);
  // The peer of a window made by this backend, or nullptr.
  static PeerCore* FromHandle(HWND hwnd);

  // The NativeWindow operations, shared by every kind of peer. Their
  // coordinates are the layout's, scaled here (GetScale()); so are the mouse
  // points reported and the paints asked for. The place and the font given
  // last are kept for Rescaled().
  void Place(const Rect& bounds);
  void Show(bool visible);
  void Repaint(const Rect& rect);
  void Capture(bool capture);
  void Focus();
  void UseFont(const Font& font);

  // A key that the system control did not use: offered to the control
  // (which hands it up to its window), then Enter presses the window's
  // default button. True when someone used it.
  bool RouteKey(Key key);

  // The painted control that has the keyboard focus in this window (its
  // place among NativeAccessibleParts()), -1 for the window itself.
  int FocusedPart() const { return focused_part_; }
  // Gives the keyboard focus to the window and to one of its painted
  // controls (-1: to none), through the toolkit, which shows the focus mark.
  void FocusPart(int part);
  // The toolkit gave the focus to a graphic control on this window: it
  // becomes the focused part, and screen readers are told.
  void ShowFocusedGraphic(Control& graphic);
  // True while this window, or a window inside this system control (a
  // combo box's edit box), has the keyboard focus.
  bool HoldsFocus() const;
  bool Painted() const { return painted_; }

  // Its top-level window's scale changed: the window takes its place and font
  // again at the new scale (and a control its pictures and measures). The
  // caller repaints.
  virtual void Rescaled();

  // A notification (WM_COMMAND or WM_NOTIFY) that this control sent to its
  // parent, handed back to it. True when handled, with the result set.
  virtual bool Reflect(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

 protected:
  // `painted`: the toolkit paints the window through NativePaint and takes
  // its mouse input; otherwise it is a system control, whose mouse input is
  // reported and then left to the control.
  PeerCore(Win32Backend& backend, NativeEvents& events, bool painted);

  // Makes the window: one of this backend's own classes (the window
  // procedure is set up as it is created) or a system class (subclassed).
  HWND Create(DWORD ex_style, const wchar_t* window_class, DWORD style, HWND parent, bool own_class);
  // Destroys the window now (a peer that makes its window again).
  void DestroyOwnWindow();

  // The peer's own messages; the default handles the common ones and then
  // calls CallDefault().
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT CallDefault(UINT message, WPARAM wparam, LPARAM lparam);
  // True when the control itself gives a meaning to the key (Backspace in
  // an edit box, for instance), so that it is not reported.
  virtual bool UsesKey(Key key) const { (void)key; return false; }
  // Paints the part `dirty` through NativePaint into `target` (double
  // buffered).
  void PaintInto(HDC target, const RECT& dirty);

  TopLevelPeer* TopLevel() const;

 private:
  static LRESULT CALLBACK OwnClassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  bool HandleMouse(UINT message, WPARAM wparam, LPARAM lparam);
  bool HandleKeyDown(WPARAM wparam);

  Win32Backend& backend_;
  NativeEvents& events_;
  const bool painted_;
  HWND hwnd_ = nullptr;
  WNDPROC system_proc_ = nullptr;  // the system control's own procedure
  bool tracking_leave_ = false;
  bool holds_capture_ = false;
  bool releasing_capture_ = false;
  bool swallow_char_ = false;
  int focused_part_ = -1;
  std::optional<Rect> placed_;  // in layout pixels
  Font font_ = kDefaultFont;
};

// The NativeWindow operations of a peer, over PeerCore.
template <class Interface>
class Peer : public Interface, public PeerCore {
 public:
  void SetBounds(const Rect& bounds) override { Place(bounds); }
  void SetVisible(bool visible) override { Show(visible); }
  void Invalidate(const Rect& rect) override { Repaint(rect); }
  void CaptureMouse(bool capture) override { Capture(capture); }
  void SetFocus() override { Focus(); }
  void SetFont(const Font& font) override { UseFont(font); }
  bool HasFocus() const override { return HoldsFocus(); }
  void AnnounceFocus(Control& graphic) override { ShowFocusedGraphic(graphic); }

 protected:
  Peer(Win32Backend& backend, NativeEvents& events, bool painted) : PeerCore(backend, events, painted) {}
};

// The class name of the windows the toolkit paints (panels, pages).
inline constexpr wchar_t kPaintedClass[] = L"QuillomarPainted";
// The class name of the program's top-level windows.
inline constexpr wchar_t kTopLevelClass[] = L"QuillomarWindow";
// Registers the backend's own window classes; true when they exist.
bool RegisterWindowClasses(HINSTANCE instance);

// The key of a virtual-key code, kOther for keys without a meaning.
Key KeyOf(WPARAM virtual_key);

}  // namespace app::win32
