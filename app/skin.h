#pragma once

#include "engine/skin_setting.h"

namespace app {

// The two colour schemes; the settings file keeps the choice.
using engine::Skin;

// How a skin came to be applied: a few colours differ between the two.
enum class SkinOrigin {
  kLogin,    // applied from the settings file (at start or at a login press)
  kCommand,  // chosen with the Skin command
};

}  // namespace app
