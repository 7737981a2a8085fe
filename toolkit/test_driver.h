#pragma once

#include <string>
#include <vector>

#include "toolkit/borderless_window.h"
#include "toolkit/image.h"
#include "toolkit/native.h"

namespace app {

// Drives a front end as a user would, for the window tests: input goes in
// through the window system's own path (events on Qt, messages on Win32) at
// pixel places of a window's client area, and pictures come back from the
// window's own drawing. The same test sources run on both front ends.
class TestDriver {
 public:
  TestDriver() = default;
  TestDriver(const TestDriver&) = delete;
  TestDriver& operator=(const TestDriver&) = delete;
  virtual ~TestDriver() = default;

  // Runs everything that is queued (paints, posted tasks, timers due).
  virtual void ProcessEvents() = 0;

  // The pointer moving to a point of the window's client area (the control
  // there gets it: a native child window or the painted window beneath).
  virtual void MouseMove(BorderlessWindow& window, Point at) = 0;
  virtual void MousePress(BorderlessWindow& window, Point at, MouseButton button) = 0;
  virtual void MouseRelease(BorderlessWindow& window, Point at, MouseButton button) = 0;
  virtual void DoubleClick(BorderlessWindow& window, Point at) = 0;
  // A key typed into the window's focused control.
  virtual void KeyPress(BorderlessWindow& window, Key key) = 0;
  // Text typed into the window's focused control.
  virtual void TypeText(BorderlessWindow& window, const std::string& text) = 0;
  // Files and folders (their paths as the system gives them) dragged from
  // the desktop and dropped at a point of the window, as a file manager
  // drops them there.
  virtual void DropFiles(BorderlessWindow& window, Point at, const std::vector<std::string>& paths) = 0;

  // The window's client area as it is drawn now.
  virtual Image Grab(BorderlessWindow& window) = 0;

  // True while the program's windows show the busy pointer (hourglass).
  virtual bool BusyPointerShown() = 0;

  // The system's colours of a dark desktop theme (light text on dark
  // faces and windows) for windows made from now on, or (false) the ones
  // the front end started with.
  virtual void UseDarkSystemColours(bool dark) = 0;
  // The system asks for high contrast (true) or not.
  virtual void UseHighContrast(bool high) = 0;
};

// The test driver of the front end the tests are built with.
TestDriver& CurrentTestDriver();

}  // namespace app
