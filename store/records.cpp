#include "store/records.h"

#include "platform/windows_path.h"

namespace store::records {

namespace {
constexpr char kAccountExtension[] = ".INI";
constexpr char kAccountProbeExtension[] = ".ini";
}  // namespace

std::string AccountFile(const std::string& account) {
  return platform::windows_path::Join(kDataFolder, account + kAccountExtension);
}

std::string AccountFileProbe(const std::string& account) {
  return platform::windows_path::Join(kDataFolder, account + kAccountProbeExtension);
}

}  // namespace store::records
