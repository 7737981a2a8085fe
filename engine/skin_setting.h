#pragma once

#include "platform/file_system.h"

// The skin choice kept in the settings file.
namespace engine {

// The two colour schemes.
enum class Skin {
  kOne,  // lavender panels under the glossy title picture
  kTwo,  // light-grey panels with flat bevels under the navy title picture
};

// The stored skin, and whether there is a settings file at all (without one
// no skin is applied).
struct StoredSkin {
  bool has_settings = false;
  Skin skin = Skin::kTwo;
};

// Reads the stored skin: exactly "1" is skin 1, anything else (missing,
// empty, "2") skin 2.
StoredSkin ReadStoredSkin(platform::FileSystem& fs);

// Stores `skin` as "1" or "2" in the settings file. Returns false, writing
// nothing, when there is no settings file (the store is not set up).
// Throws store::WriteError when the file cannot be written. Holds the
// records' lock meanwhile.
bool StoreSkin(platform::FileSystem& fs, Skin skin);

}  // namespace engine
