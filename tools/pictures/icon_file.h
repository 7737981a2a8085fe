#pragma once

#include <string>
#include <vector>

#include "toolkit/image.h"

namespace drawing {

// One image of an icon file: its pixels and, where the file keeps it as a
// PNG (as Windows does for its 256-pixel images), those pixels as a PNG file.
struct IconImage {
  app::Image image;
  std::string png;  // empty: kept as a bitmap
};

// A Windows icon file (.ico) holding `images` in their order: each one with a
// PNG as that PNG, every other one as a 32-bit bitmap with alpha and the
// one-bit mask that older Windows versions draw with (set where a pixel is
// fully transparent). Sides of 1 to 256 pixels; an image of another size is
// left out.
std::string IconFile(const std::vector<IconImage>& images);

}  // namespace drawing
