#pragma once

#include "toolkit/colors.h"

// The colours the controls paint with: the windows' own designed colours,
// or, where the system asks for high contrast, the system's colours
// throughout (every ground its button face, every text its button text,
// the decorative pictures left out), so that nothing of the designed
// colours mixes with the user's.
namespace app {

// The ground of a panel, window or splitter designed in `designed`.
BgrColor GroundColour(BgrColor designed);
// A text designed in `designed`.
BgrColor TextColour(BgrColor designed);
// True while the decorative pictures (title bars, menu strips) are drawn.
bool DecorationShown();

}  // namespace app
