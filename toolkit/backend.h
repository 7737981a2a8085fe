#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/native.h"

namespace app {

// Which picture the shell shows for an item of its namespace.
enum class ShellPicture { kDesktop, kMyComputer, kDrive, kFolder, kFile };

// One entry of a pop-up menu; an entry with an empty text is a separator.
struct MenuItem {
  std::string text;
  bool enabled = true;
};

// One front end: makes the native windows of the controls and gives the
// services of the window system. Exactly one exists while the program runs
// (the Qt one on Linux, the Win32 one on Windows); controls reach it through
// CurrentBackend(). Everything runs on the user-interface thread except
// Post(), which any thread may call.
class Backend {
 public:
  Backend() = default;
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;
  virtual ~Backend() = default;

  // Native windows. A child's `parent` is the native window of the control
  // it lies on; every window reports to `events`. New windows are hidden and
  // stack above the parent's earlier children.
  virtual std::unique_ptr<NativeTopLevel> CreateTopLevel(NativeEvents& events, Size client) = 0;
  // A window the toolkit paints itself (panels, splitters, pages).
  virtual std::unique_ptr<NativeWindow> CreatePainted(NativeWindow& parent, NativeEvents& events) = 0;
  virtual std::unique_ptr<NativeEdit> CreateEdit(NativeWindow& parent, NativeEvents& events) = 0;
  virtual std::unique_ptr<NativeComboBox> CreateComboBox(NativeWindow& parent, NativeEvents& events) = 0;
  virtual std::unique_ptr<NativePushButton> CreatePushButton(NativeWindow& parent, NativeEvents& events) = 0;
  virtual std::unique_ptr<NativeTabs> CreateTabs(NativeWindow& parent, NativeEvents& events) = 0;
  virtual std::unique_ptr<NativeReportList> CreateReportList(NativeWindow& parent, NativeEvents& events) = 0;
  virtual std::unique_ptr<NativeTree> CreateTree(NativeWindow& parent, NativeEvents& events) = 0;

  // The size that `text` takes in `font`, one line.
  virtual Size MeasureText(const std::string& text, const Font& font) = 0;
  virtual BgrColor SystemColour(SystemColor which) = 0;
  // True while the system asks for high contrast (Windows' high-contrast
  // setting, the desktop's high-contrast theme).
  virtual bool HighContrast() { return false; }
  // The screen's size in pixels.
  virtual Size ScreenSize() = 0;
  // The shell's picture for a kind of item, 16 x 16.
  virtual const Image& ShellIcon(ShellPicture which) = 0;

  // Shows a pop-up menu of `items` at a point of `owner` (own coordinates)
  // and returns the index of the entry chosen, or -1 when the menu was
  // dismissed.
  virtual int PopupMenu(NativeWindow& owner, Point at, const std::vector<MenuItem>& items) = 0;
  // Takes every top-level window of the program that is on screen off it
  // together (the application minimised as a whole); when the user brings
  // any of them back, the others come back with it.
  virtual void MinimiseAll() = 0;
  // True when a top-level window hidden and shown again comes back where it
  // was; false where the window system places every window that is shown
  // anew and the program cannot place it (Wayland).
  virtual bool HiddenWindowsKeepTheirPlace() { return true; }

  // Runs `task` soon on the user-interface thread. Safe from any thread.
  virtual void Post(std::function<void()> task) = 0;
  // Calls `tick` every `milliseconds` (once when `repeat` is false) until
  // the returned timer is destroyed.
  virtual std::unique_ptr<NativeTimer> StartTimer(int milliseconds, bool repeat,
                                                  std::function<void()> tick) = 0;
  // Shows the busy pointer (hourglass) over the program's windows until
  // told otherwise; calls nest.
  virtual void PushBusyPointer() = 0;
  virtual void PopBusyPointer() = 0;
  // Runs the event loop until Quit().
  virtual int Run() = 0;
  virtual void Quit() = 0;
};

// The front end of the running program (or of the running test).
Backend& CurrentBackend();
// Installs the front end; the caller keeps it alive while controls exist.
void SetCurrentBackend(Backend* backend);

}  // namespace app
