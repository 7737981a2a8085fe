#pragma once

#include <QFont>

#include "app/toolkit/font.h"

namespace app::qt {

// The Qt font of one of the windows' fonts, sized in pixels as the 96-dpi
// layout was, so that the geometry does not depend on the screen's dpi.
QFont ToQFont(const Font& font);

}  // namespace app::qt
