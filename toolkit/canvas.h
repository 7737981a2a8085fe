#pragma once

#include <string_view>

#include "toolkit/colors.h"
#include "toolkit/font.h"
#include "toolkit/geometry.h"
#include "toolkit/image.h"

namespace app {

// How a text is placed in its box.
enum class HAlign { kLeft, kCentre, kRight };
enum class VAlign { kTop, kCentre };

struct TextStyle {
  Font font = kDefaultFont;
  BgrColor color = kBlack;
  HAlign h_align = HAlign::kLeft;
  VAlign v_align = VAlign::kTop;
  bool wrap = false;  // break the text into lines at blanks to fit the width
};

// The colours a front end takes from the system's look.
enum class SystemColor {
  kButtonFace,   // the face of push buttons and the button strip
  kButtonText,   // text on buttons
  kWindowText,   // the default text colour of windows
};

// What a push-like button face looks like.
enum class FaceState { kRaised, kSunken };

// Where a control paints: its own coordinates, (0, 0) at its top-left, and
// everything clipped to its box. Each front end provides one for every paint
// (Qt's QPainter, Win32's GDI); the controls' drawing is written once against
// it. Texts are the program's 8-bit strings; the front end shows them (UTF-8
// where valid, else as the 8-bit code page).
class Canvas {
 public:
  Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  virtual ~Canvas() = default;

  // Fills the rectangle.
  virtual void FillRect(const Rect& rect, BgrColor color) = 0;
  // A one-pixel line from `from` to `to`, both ends included; horizontal or
  // vertical.
  virtual void DrawLine(Point from, Point to, BgrColor color) = 0;
  // A one-pixel outline along the inside of the rectangle.
  virtual void FrameRect(const Rect& rect, BgrColor color) = 0;
  // A one-pixel outline of a rounded square inside the rectangle, corners of
  // `radius` pixels; the inside is left as it is.
  virtual void FrameRoundRect(const Rect& rect, int radius, BgrColor color) = 0;
  // The image stretched to fill `target`, blended by its alpha.
  virtual void DrawImage(const Image& image, const Rect& target) = 0;
  // The text in `box`, placed and coloured by `style`, clipped to the box.
  virtual void DrawText(const Rect& box, std::string_view text, const TextStyle& style) = 0;
  // The standard face of a push button filling the rectangle.
  virtual void DrawButtonFace(const Rect& rect, FaceState state) = 0;
  // The keyboard focus mark: a dotted one-pixel outline along the inside of
  // the rectangle, every other pixel marked, as classic desktops draw it.
  virtual void DrawFocusRect(const Rect& rect) {
    for (int x = rect.left; x < rect.Right(); x += 2) {
      FocusDot({x, rect.top});
      FocusDot({x, rect.Bottom() - 1});
    }
    for (int y = rect.top; y < rect.Bottom(); y += 2) {
      FocusDot({rect.left, y});
      FocusDot({rect.Right() - 1, y});
    }
  }

 protected:
  // One dot of the focus mark: dark unless the front end inverts the pixel
  // (seen on every background).
  virtual void FocusDot(Point at) { FillRect(Rect(at.x, at.y, 1, 1), kBlack); }

 public:

  // Moves the origin by `offset` and narrows the clip to `clip` (in the new
  // coordinates) until the matching Restore().
  virtual void Save(Point offset, const Rect& clip) = 0;
  virtual void Restore() = 0;
};

}  // namespace app
