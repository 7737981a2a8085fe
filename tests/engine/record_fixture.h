#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/data_store.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/support/file_access.h"
#include "tests/support/temp_prefix.h"

namespace engine_testing {

using Entries = std::vector<std::pair<std::string, std::string>>;

// An initialised store in a temporary prefix, with real items on drive C:.
class RecordFixture : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store::InitialiseStore(fs())); }
  platform::FileSystem& fs() { return prefix_.fs(); }
  std::string Native(const std::string& path) { return fs().NativePath(path); }
  std::string Bytes(const std::string& path) { return testing_support::ReadAll(Native(path)); }
  // The attributes of the item as tests compare them (no archive bit on
  // Windows, which sets it on every file written).
  std::optional<std::uint32_t> Attributes(const std::string& path) {
    return testing_support::Comparable(fs().GetAttributes(path));
  }

  // Makes the file or folder "C:\" + relative and returns its Windows path.
  std::string MakeItem(const std::string& relative, bool folder = false) {
    std::string path = "C:\\" + relative;
    EXPECT_TRUE(fs().CreateFolder(folder ? path : path.substr(0, path.rfind('\\'))));
    if (!folder) {
      EXPECT_TRUE(fs().ReplaceFile(path, "x"));
    }
    return path;
  }

  // The hidden-item entries of a record file, in file order.
  Entries HiddenEntries(const std::string& file) {
    const char* section = store::records::kHiddenItemsSection;
    store::IniDocument doc = store::IniFile(fs(), file).Load();
    Entries out;
    for (const std::string& key : doc.Keys(section)) out.emplace_back(key, *doc.Get(section, key));
    return out;
  }

  testing_support::TempPrefix prefix_;
};

}  // namespace engine_testing
