// Prints "x y" of the first pixel (topmost, then leftmost) of the X screen
// that has the colour given as RRGGBB; exits 1 when there is none, 2 when
// the display named by DISPLAY cannot be read.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: find_colour RRGGBB\n");
    return 2;
  }
  const unsigned long wanted = std::strtoul(argv[1], nullptr, 16);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 2;
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  int found = 1;
  for (int y = 0; image != nullptr && y < attributes.height && found != 0; ++y) {
    for (int x = 0; x < attributes.width; ++x) {
      if ((XGetPixel(image, x, y) & 0xffffffUL) == wanted) {
        std::printf("%d %d\n", x, y);
        found = 0;
        break;
      }
    }
  }
  if (image != nullptr) XDestroyImage(image);
  XCloseDisplay(display);
  return found;
}
