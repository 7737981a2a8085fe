#pragma once

// The one typeface of the windows (MS Sans Serif, as laid out on a 96-dpi
// screen) in the sizes and weights they use. Each front end maps it onto the
// font it loaded; text is measured in pixels, never in the screen's dpi.
namespace app {

struct Font {
  int points = 8;  // 8 points: the 13-pixel cell every layout was made for
  bool bold = false;
  friend constexpr bool operator==(const Font&, const Font&) = default;
};

// The default font of every control.
inline constexpr Font kDefaultFont{};

// The pixel height that `points` take on a 96-dpi screen, rounded.
constexpr int PixelsOf(int points) { return (points * 96 + 36) / 72; }

}  // namespace app
