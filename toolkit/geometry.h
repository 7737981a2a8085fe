#pragma once

// Points, sizes and rectangles in pixels, the units every window's layout is
// given in. No toolkit types: both front ends convert at their edge.
namespace app {

// Which way a line or a splitter runs: a horizontal splitter's handle is a
// horizontal bar between a pane above and a pane below.
enum class Orientation { kHorizontal, kVertical };

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(Point, Point) = default;
  constexpr Point operator+(Point other) const { return {x + other.x, y + other.y}; }
  constexpr Point operator-(Point other) const { return {x - other.x, y - other.y}; }
};

struct Size {
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(Size, Size) = default;
};

// A rectangle given by its top-left corner and its size; Right() and
// Bottom() lie just outside it.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr Rect() = default;
  constexpr Rect(int l, int t, int w, int h) : left(l), top(t), width(w), height(h) {}
  constexpr Rect(Point at, Size size) : left(at.x), top(at.y), width(size.width), height(size.height) {}
  friend constexpr bool operator==(const Rect&, const Rect&) = default;

  constexpr int Right() const { return left + width; }
  constexpr int Bottom() const { return top + height; }
  constexpr Point TopLeft() const { return {left, top}; }
  constexpr Size GetSize() const { return {width, height}; }
  constexpr Point Centre() const { return {left + width / 2, top + height / 2}; }
  constexpr bool IsEmpty() const { return width <= 0 || height <= 0; }
  constexpr bool Contains(Point p) const {
    return p.x >= left && p.x < Right() && p.y >= top && p.y < Bottom();
  }
  constexpr Rect Translated(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
  constexpr Rect Translated(Point by) const { return Translated(by.x, by.y); }
  // The rectangle at the origin with this one's size.
  constexpr Rect Local() const { return {0, 0, width, height}; }
  // Grown by `dx` on the left and right and `dy` on the top and bottom
  // (shrunk for negative values).
  constexpr Rect Adjusted(int dx, int dy) const {
    return {left - dx, top - dy, width + 2 * dx, height + 2 * dy};
  }
  // The part that lies in both; empty when they do not meet.
  constexpr Rect Intersected(const Rect& other) const {
    const int l = left > other.left ? left : other.left;
    const int t = top > other.top ? top : other.top;
    const int r = Right() < other.Right() ? Right() : other.Right();
    const int b = Bottom() < other.Bottom() ? Bottom() : other.Bottom();
    return (r <= l || b <= t) ? Rect() : Rect(l, t, r - l, b - t);
  }
};

}  // namespace app
