#include "app/skin.h"

#include "store/ini_file.h"
#include "store/records.h"

namespace app {

StoredSkin ReadStoredSkin(platform::FileSystem& fs) {
  namespace records = store::records;
  store::IniFile settings(fs, records::kSettingsFile);
  StoredSkin stored;
  stored.has_settings = settings.Exists();
  if (stored.has_settings &&
      settings.ReadString(records::kSkinSection, records::kSkinKey, "") == records::kSkinOne) {
    stored.skin = Skin::kOne;
  }
  return stored;
}

}  // namespace app
