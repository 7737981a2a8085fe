#include "tests/window_system/x11_view.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace testing_support {

namespace {

// _NET_ACTIVE_WINDOW's source: a pager or task bar, as a user's click.
constexpr long kSourcePager = 2;

Display* AsDisplay(void* display) { return static_cast<Display*>(display); }

// The first 32-bit item of a window property; `fallback` when there is none.
long FirstItem(Display* d, Window window, Atom property, Atom type, long fallback) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long left = 0;
  unsigned char* data = nullptr;
  long value = fallback;
  if (XGetWindowProperty(d, window, property, 0, 1, False, type, &actual, &format, &count, &left, &data) ==
          Success &&
      data != nullptr && count > 0 && format == 32) {
    value = reinterpret_cast<long*>(data)[0];
  }
  if (data != nullptr) XFree(data);
  return value;
}

}  // namespace

X11View::X11View() : display_(XOpenDisplay(nullptr)) {}

X11View::~X11View() {
  if (display_ != nullptr) XCloseDisplay(AsDisplay(display_));
}

bool X11View::ManagerRunning() {
  Display* d = AsDisplay(display_);
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  return FirstItem(d, DefaultRootWindow(d), check, XA_WINDOW, 0) != 0;
}

long X11View::State(unsigned long window) {
  Display* d = AsDisplay(display_);
  const Atom wm_state = XInternAtom(d, "WM_STATE", False);
  return FirstItem(d, window, wm_state, wm_state, kWithdrawn);
}

void X11View::ActivateFromTaskBar(unsigned long window) {
  Display* d = AsDisplay(display_);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = kSourcePager;
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(d);
}

}  // namespace testing_support
