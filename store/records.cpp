#include "store/records.h"

namespace store::records {

namespace {
constexpr char kSeparator[] = "\\";
constexpr char kAccountExtension[] = ".INI";
constexpr char kAccountProbeExtension[] = ".ini";
}  // namespace

std::string AccountFile(const std::string& account) {
  return std::string(kDataFolder) + kSeparator + account + kAccountExtension;
}

std::string AccountFileProbe(const std::string& account) {
  return std::string(kDataFolder) + kSeparator + account + kAccountProbeExtension;
}

}  // namespace store::records
