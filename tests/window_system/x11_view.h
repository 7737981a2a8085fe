#pragma once

// The window manager's side of the program's windows, read and driven
// through an X connection of its own. Kept apart from Qt: Xlib's macros
// clash with Qt's and GoogleTest's names.
namespace testing_support {

// ICCCM's WM_STATE values.
inline constexpr long kWithdrawn = 0;
inline constexpr long kNormal = 1;
inline constexpr long kIconic = 3;

class X11View {
 public:
  X11View();   // opens the display named by DISPLAY
  ~X11View();  // and closes it
  X11View(const X11View&) = delete;
  X11View& operator=(const X11View&) = delete;

  bool Usable() const { return display_ != nullptr; }
  // True once a window manager runs on the display.
  bool ManagerRunning();
  // The WM_STATE that the window manager gives the top-level window;
  // kWithdrawn when it gives none.
  long State(unsigned long window);
  // What a task bar does when the user clicks the window's button.
  void ActivateFromTaskBar(unsigned long window);

 private:
  void* display_;  // Display*
};

}  // namespace testing_support
