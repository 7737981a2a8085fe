#include "toolkit/system_colours.h"

#include "toolkit/backend.h"

namespace app {

BgrColor GroundColour(BgrColor designed) {
  Backend& backend = CurrentBackend();
  return backend.HighContrast() ? backend.SystemColour(SystemColor::kButtonFace) : designed;
}

BgrColor TextColour(BgrColor designed) {
  Backend& backend = CurrentBackend();
  return backend.HighContrast() ? backend.SystemColour(SystemColor::kButtonText) : designed;
}

bool DecorationShown() { return !CurrentBackend().HighContrast(); }

}  // namespace app
