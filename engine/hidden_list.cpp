#include <optional>
#include <string>
#include <vector>

#include "engine/account_names.h"
#include "engine/hidden_items.h"
#include "platform/record_text.h"
#include "store/ini_document.h"
#include "store/ini_file.h"
#include "store/records.h"

namespace engine {

namespace {
constexpr char kStatusAccount[] = "Present user name:";
constexpr char kStatusCount[] = ";     Hide:  ";
constexpr char kStatusUnit[] = " File";
}  // namespace

std::vector<std::string> LoadList(platform::FileSystem& fs, const std::string& account) {
  const char* section = store::records::kHiddenItemsSection;
  const std::optional<std::string> file = AccountFile(account);
  if (!file) return {};
  std::vector<std::string> paths = store::IniFile(fs, *file).Snapshot()->AllValues(section);
  if (!platform::RecordTextIsProgramText()) {
    for (std::string& path : paths) path = platform::FromRecordText(path);
  }
  return paths;
}

std::string StatusLine(const std::string& account, std::size_t rows) {
  return kStatusAccount + account + kStatusCount + std::to_string(rows) + kStatusUnit;
}

}  // namespace engine
