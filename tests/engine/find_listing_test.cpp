#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "engine/find_listing.h"
#include "tests/engine/record_fixture.h"

namespace {

namespace records = store::records;
using engine::ShowFolderEntries;
using Rows = std::vector<std::string>;

class FindListingTest : public engine_testing::RecordFixture {
 protected:
  // "/a/b" as "\\a\\b".
  static std::string ToWindows(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }
  bool Hidden(const std::string& path) {
    return (fs().GetAttributes(path).value_or(0) & platform::kAttrHidden) != 0;
  }
};

TEST_F(FindListingTest, DriveRootIsShortenedAndGivesRowsWithOneBackslash) {
  for (const char* same : {"c:\\", "C:\\Data", "C:", "", "C:\\\\"}) {
    EXPECT_EQ(engine::ShortenDriveRoot(same), same);
  }
  EXPECT_EQ(engine::ShortenDriveRoot("Z:\\"), "Z:");
  std::string data = MakeItem("Data", /*folder=*/true);
  MakeItem("boot.ini");
  fs().SetAttributes(data, platform::kAttrHiddenSystem);
  Rows rows = ShowFolderEntries(fs(), engine::ShortenDriveRoot("C:\\"));
  EXPECT_THAT(rows, testing::IsSupersetOf({"C:\\Data", "C:\\WINDOWS", "C:\\boot.ini"}));
  EXPECT_THAT(rows, testing::Each(testing::Not(testing::HasSubstr("\\\\"))));
  EXPECT_EQ(Attributes(data), platform::kAttrDirectory);
}

TEST_F(FindListingTest, DataFoldersAreExcludedHoweverTheyAreReached) {
  store::HideStoreFolders(fs());
  fs().SetAttributes(records::kSettingsFile, platform::kAttrHiddenSystem);
  std::vector<std::string> aliases = {
      records::kDataParentFolder, records::kDataFolder,
      "c:\\windows\\zizodo\\zizodo123", "C:\\Windows\\zizodo",
      "C:\\WINDOWS\\zizodo\\zizodo123\\", "C:\\WINDOWS\\zizodo\\\\",
      "C:\\WINDOWS\\.\\zizodo\\.\\zizodo123", "C:\\WINDOWS\\zizodo\\zizodo123\\..\\zizodo123",
      "C:\\Data\\..\\WINDOWS\\zizodo"};
#ifndef _WIN32
  // Through drive Z:, which is the whole system, and through a link.
  aliases.push_back("Z:" + ToWindows(Native(records::kDataFolder)));
  std::filesystem::create_directory_symlink(Native(records::kDataFolder), Native("C:\\") + "/Shortcut");
  aliases.push_back("C:\\Shortcut");
#endif
  for (const std::string& alias : aliases) {
    EXPECT_TRUE(ShowFolderEntries(fs(), alias).empty()) << alias;
  }
  EXPECT_TRUE(Hidden(records::kDataFolder) && Hidden(records::kSettingsFile));

  // The folder above them is no data folder: its entries show again.
  EXPECT_THAT(ShowFolderEntries(fs(), "C:\\WINDOWS"), testing::Contains("C:\\WINDOWS\\zizodo"));
  EXPECT_FALSE(Hidden(records::kDataParentFolder));
  EXPECT_TRUE(Hidden(records::kDataFolder));
}

TEST_F(FindListingTest, WhatCannotBeEnumeratedGivesNothing) {
  std::string file = MakeItem("Data\\a.txt");
  fs().SetAttributes(file, platform::kAttrHiddenSystem);
  for (const std::string& folder :
       {std::string(), std::string("My Computer"), std::string("C:\\missing"), file}) {
    EXPECT_TRUE(ShowFolderEntries(fs(), folder).empty()) << folder;
  }
  EXPECT_EQ(Attributes(file), platform::kAttrHiddenSystem);
}

TEST_F(FindListingTest, ClearsEveryAttributeOfDirectEntriesOnly) {
  std::string sub = MakeItem("Box\\sub", /*folder=*/true);
  std::string nested = MakeItem("Box\\sub\\nested", /*folder=*/true);
  std::string dotted = MakeItem("Box\\.secret");
  std::string locked = MakeItem("Box\\locked.txt");
  for (const std::string& path : {sub, nested, dotted}) {
    fs().SetAttributes(path, platform::kAttrHiddenSystem);
  }
  fs().SetAttributes(locked,
                     platform::kAttrReadOnly | platform::kAttrArchive | platform::kAttrHidden);

  Rows expected;  // directory order, dot names left out
  std::optional<std::vector<platform::DirEntry>> entries = fs().ListFolder("C:\\Box");
  ASSERT_TRUE(entries.has_value());
  for (const platform::DirEntry& entry : *entries) {
    if (entry.name[0] != '.') expected.push_back("C:\\Box\\" + entry.name);
  }
  ASSERT_EQ(expected.size(), 2u);
  EXPECT_EQ(ShowFolderEntries(fs(), "C:\\Box"), expected);

  EXPECT_EQ(Attributes(sub), platform::kAttrDirectory);
  EXPECT_EQ(Attributes(locked), platform::kAttrNone);
  EXPECT_EQ(testing_support::DosAttrib(Native(nested)), "0x6");
  EXPECT_EQ(testing_support::DosAttrib(Native(dotted)), "0x6");
}

}  // namespace
