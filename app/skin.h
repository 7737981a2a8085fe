#pragma once

#include <string>

#include "platform/file_system.h"

namespace app {

// The two colour schemes.
enum class Skin {
  kOne,  // lavender panels under the glossy title picture
  kTwo,  // light-grey panels with flat bevels under the navy title picture
};

// How a skin came to be applied: a few colours differ between the two.
enum class SkinOrigin {
  kLogin,    // applied from the settings file (at start or at a login press)
  kCommand,  // chosen with the Skin command
};

// The stored skin: exactly "1" is skin 1, anything else (missing, empty,
// "2") skin 2. nullopt-like false in `has_settings` when the settings file
// does not exist (then nothing is applied).
struct StoredSkin {
  bool has_settings = false;
  Skin skin = Skin::kTwo;
};
StoredSkin ReadStoredSkin(platform::FileSystem& fs);

}  // namespace app
