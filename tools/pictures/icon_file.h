#pragma once

#include <string>
#include <vector>

#include "toolkit/image.h"

namespace drawing {

// A Windows icon file (.ico) holding `images`, each as a 32-bit bitmap with
// alpha and the one-bit mask that older Windows versions draw with (set where
// a pixel is fully transparent). Sides of 1 to 256 pixels; an image of
// another size is left out.
std::string IconFile(const std::vector<app::Image>& images);

}  // namespace drawing
