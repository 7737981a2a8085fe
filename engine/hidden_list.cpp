#include <optional>
#include <string>
#include <vector>

#include "engine/account_names.h"
#include "engine/hidden_items.h"
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
  store::IniDocument doc = store::IniFile(fs, *file).Load();
  std::vector<std::string> paths;
  for (const std::string& key : doc.AllKeys(section)) {
    paths.push_back(doc.Get(section, key).value_or(""));
  }
  return paths;
}

std::string StatusLine(const std::string& account, std::size_t rows) {
  return kStatusAccount + account + kStatusCount + std::to_string(rows) + kStatusUnit;
}

}  // namespace engine
