#include <string>
#include <vector>

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
  store::IniDocument doc = store::IniFile(fs, store::records::AccountFile(account)).Load();
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
