#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/colors.h"
#include "toolkit/control.h"

namespace app {

// A top-level window without a system frame or title bar, of a fixed client
// size, filled with its window colour; it draws its own title bar. Created
// hidden.
class BorderlessWindow : public WinControl {
 public:
  BorderlessWindow(int width, int height);
  ~BorderlessWindow() override;

  // The window colour (0x00BBGGRR).
  void SetColor(BgrColor color);
  BgrColor Color() const { return color_; }

  void SetTitle(const std::string& title);
  // Places the window in the centre of the screen, or at a screen position
  // (moved inside the screen's work area as far as it fits).
  void PlaceInScreenCentre();
  void MoveTo(Point screen_position);
  // Where the window is now (it may have been dragged since it was placed).
  Point ScreenPosition() const;

  // Hides the window after running Closing(); the window stays alive.
  void Close();
  // Shows the window and returns when EndModal() ends its modal run; other
  // windows take no input meanwhile.
  void RunModal();
  void EndModal();
  bool InModalRun() const { return modal_; }

  bool IsMinimised() const;
  void Restore();
  // Starts the window system's move with the button just pressed.
  void StartSystemMove();

  NativeTopLevel& TopNative() const { return *top_native_; }

  // Files and folders dropped on the window from the desktop go to
  // `dropped` (their paths as the system gives them); before this call the
  // window takes no drop.
  void AcceptFileDrops(std::function<void(const std::vector<std::string>&)> dropped);

  // Keyboard cues (focus marks, the menus' underlined letters) show once
  // the keyboard has moved the focus or opened a menu in the window, and
  // from then on; a window used with the mouse alone shows none.
  void ShowKeyboardCues();
  bool KeyboardCues() const { return keyboard_cues_; }
  // The innermost windowed control with the keyboard focus, or nullptr.
  WinControl* FocusedControl();

  // The keyboard's walk, the same on both front ends: every tab stop on
  // screen (the system's edit boxes, combo boxes, lists, trees, buttons
  // and tab bars, and the graphic tab stops), in the order their windowed
  // controls were made (a panel's graphic stops where the panel was made,
  // in their own order); only the current tab page's.
  std::vector<Control*> TabStops();
  // The stop with the keyboard focus (a graphic one where its panel has the
  // focus), or nullptr.
  Control* FocusedStop();
  // Tab and Shift+Tab: the focus goes to the next (previous) stop, from the
  // last round to the first. False when the window has no stop.
  bool MoveFocusByTab(bool forward);
  // The control that takes the focus when the window shows next (asked
  // for while it was hidden); without one, a window's first showing gives
  // the focus to its first stop.
  void FocusWhenShown(Control* control) { focus_when_shown_ = control; }

 protected:
  // The window is closing (Close(), or the window system asked); the
  // window is hidden right after.
  virtual void Closing() {}
  // A modal run has begun: the window is on screen, its loop not yet
  // running. EndModal() from here ends the run before it waits.
  virtual void ModalRunStarting() {}
  // A key that no control of the window used. True when it was used.
  bool KeyPressed(Key key) override { (void)key; return false; }
  bool MnemonicPressed(char letter) override { (void)letter; return false; }
  BorderlessWindow* AsWindow() override { return this; }

  void PaintBackground(Canvas& canvas) override;
  void VisibilityChanged() override;
  void NativeCloseRequest() override { Close(); }
  void NativeKeyboardUsed() override { ShowKeyboardCues(); }
  void NativeFilesDropped(const std::vector<std::string>& paths) override;

 private:
  NativeTopLevel* top_native_ = nullptr;
  BgrColor color_ = kCream;
  bool modal_ = false;
  bool keyboard_cues_ = false;
  Control* focus_when_shown_ = nullptr;
  bool shown_before_ = false;
  std::function<void(const std::vector<std::string>&)> files_dropped_;
};

}  // namespace app
