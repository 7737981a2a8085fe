#pragma once

#include <QFont>

namespace app {

// The windows' fonts, sized in pixels as the original 96-dpi layout was, so
// that the geometry does not depend on the screen's dpi setting.
QFont SansFont(int point_size, bool bold = false);

}  // namespace app
