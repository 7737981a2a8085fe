#include "tests/app/qt/handed_names.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/hidden_items.h"
#include "platform/windows_path.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/support/file_access.h"

namespace testing_support {

const std::vector<HandedName>& HandedNames() {
  static const std::vector<HandedName> names = {
      {"a blank", true, true},
      {"-lead", false, true},
      {"--help", false, true},
      {"\"quoted\" 'too'", true, true},
      {"two\nlines", false, false},
      {"caf\xE9 \xFF", false, true},
  };
  return names;
}

std::vector<std::string> MakeHandedNames(const std::string& real_folder) {
  MakeFolders(real_folder);
  std::vector<std::string> paths;
  for (const HandedName& handed : HandedNames()) {
    const std::string path = real_folder + kRealSeparator + handed.name;
    handed.folder ? MakeFolders(path) : MakeExactFile(path, "x");
    paths.push_back(path);
  }
  return paths;
}

void ExpectHandedNames(platform::FileSystem& fs, const std::string& account, const std::string& windows_folder,
                       const std::string& real_folder, bool hidden) {
  std::vector<std::string> expected;
  for (const HandedName& handed : HandedNames()) {
    const bool marked = hidden && handed.recorded;
    if (marked) expected.push_back(platform::windows_path::Join(windows_folder, handed.name));
    EXPECT_EQ(HiddenMarks(real_folder + kRealSeparator + handed.name), marked ? kHiddenMarks : "") << handed.name;
  }
  EXPECT_EQ(engine::LoadList(fs, account), expected);
  const std::vector<std::string> numbers = store::IniFile(fs, store::records::AccountFile(account))
                                               .ReadSection(store::records::kHiddenItemsSection);
  EXPECT_EQ(std::set<std::string>(numbers.begin(), numbers.end()).size(), expected.size());
}

}  // namespace testing_support
