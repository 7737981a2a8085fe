#include "engine/skin_setting.h"

#include <memory>

#include "engine/records_lock.h"
#include "store/ini_file.h"
#include "store/records.h"

namespace engine {

namespace records = store::records;

StoredSkin ReadStoredSkin(platform::FileSystem& fs) {
  store::IniFile settings(fs, records::kSettingsFile);
  StoredSkin stored;
  stored.has_settings = settings.Exists();
  if (stored.has_settings &&
      settings.ReadString(records::kSkinSection, records::kSkinKey, "") == records::kSkinOne) {
    stored.skin = Skin::kOne;
  }
  return stored;
}

bool StoreSkin(platform::FileSystem& fs, Skin skin) {
  const std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  store::IniFile settings(fs, records::kSettingsFile);
  if (!settings.Exists()) return false;
  settings.WriteString(records::kSkinSection, records::kSkinKey,
                       skin == Skin::kOne ? records::kSkinOne : records::kSkinTwo);
  return true;
}

}  // namespace engine
