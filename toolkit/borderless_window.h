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
  // Places the window in the centre of the screen, or at a screen position.
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
  std::function<void(const std::vector<std::string>&)> files_dropped_;
};

}  // namespace app
