#pragma once

#include "toolkit/geometry.h"

namespace app::win32 {

// The windows are laid out in the designed pixels of a 96-dpi screen; a
// screen of more dots per inch shows them that many times larger. A Scale
// turns layout coordinates into the screen's pixels and back, where the
// toolkit meets the window system. At 96 dpi both ways are the identity.
class Scale {
 public:
  static constexpr int kDesignedDpi = 96;

  constexpr Scale() = default;
  // Dots per inch below 96 (or unknown, 0) are taken as 96.
  constexpr explicit Scale(int dpi) : dpi_(dpi > kDesignedDpi ? dpi : kDesignedDpi) {}

  constexpr int Dpi() const { return dpi_; }
  constexpr bool IsOne() const { return dpi_ == kDesignedDpi; }
  // True above 1x: pictures are drawn from their double-size pixels.
  constexpr bool AboveOne() const { return dpi_ > kDesignedDpi; }

  // A layout coordinate in screen pixels, rounded to the nearest (halves
  // up), so that two boxes that meet in the layout meet on the screen.
  constexpr int ToScreen(int v) const {
    return FloorDiv(2LL * v * dpi_ + kDesignedDpi, 2LL * kDesignedDpi);
  }
  constexpr Point ToScreen(Point p) const { return Point{ToScreen(p.x), ToScreen(p.y)}; }
  constexpr Size ToScreen(Size s) const { return Size{ToScreen(s.width), ToScreen(s.height)}; }
  // Each edge on its own, so that the box covers exactly the screen pixels
  // of its layout pixels.
  constexpr Rect ToScreen(const Rect& r) const {
    const int left = ToScreen(r.left);
    const int top = ToScreen(r.top);
    return Rect(left, top, ToScreen(r.Right()) - left, ToScreen(r.Bottom()) - top);
  }

  // A screen pixel back in layout coordinates: the layout pixel whose screen
  // pixels hold it (the last v with ToScreen(v) <= p).
  constexpr int ToLayout(int p) const {
    return FloorDiv((2LL * p + 1) * kDesignedDpi - 1, 2LL * dpi_);
  }
  constexpr Point ToLayout(Point p) const { return Point{ToLayout(p.x), ToLayout(p.y)}; }
  constexpr Size ToLayout(Size s) const { return Size{ToLayout(s.width), ToLayout(s.height)}; }
  // The layout box that covers every pixel of the screen box.
  constexpr Rect ToLayout(const Rect& r) const {
    if (r.width <= 0 || r.height <= 0) return Rect(ToLayout(r.left), ToLayout(r.top), 0, 0);
    const int left = ToLayout(r.left);
    const int top = ToLayout(r.top);
    return Rect(left, top, ToLayout(r.Right() - 1) + 1 - left, ToLayout(r.Bottom() - 1) + 1 - top);
  }

 private:
  static constexpr int FloorDiv(long long a, long long b) {
    return static_cast<int>(a >= 0 ? a / b : -((-a + b - 1) / b));
  }

  int dpi_ = kDesignedDpi;
};

}  // namespace app::win32
