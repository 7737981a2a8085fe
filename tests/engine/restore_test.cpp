#include <string>
#include <vector>

#include "engine/hidden_items.h"
#include "store/errors.h"
#include "tests/engine/record_fixture.h"

namespace {

namespace records = store::records;
using engine::ListRow;
using engine_testing::Entries;
using Paths = std::vector<std::string>;

class RestoreTest : public engine_testing::RecordFixture {};

TEST_F(RestoreTest, UntickedItemsComeBackAndLoseEveryEntryOfTheirPath) {
  std::string x = MakeItem("Data\\X", /*folder=*/true);
  std::string y = MakeItem("Data\\y.txt");
  std::string z = MakeItem("Data\\z.txt");
  for (const auto& [account, path] :
       {std::pair{"Ann", x}, {"Ann", y}, {"Ann", z}, {"name", x}, {"Ann", x}}) {
    engine::HideItem(fs(), account, path);
  }
  fs().SetAttributes(y, platform::kAttrHiddenSystem | platform::kAttrReadOnly);
  std::vector<ListRow> rows = {{x, false}, {y, false}, {z, true}, {x, true}};
  EXPECT_EQ(engine::Restore(fs(), "Ann", rows), Paths{z});

  EXPECT_EQ(HiddenEntries(records::AccountFile("Ann")), (Entries{{"3", z}}));
  EXPECT_EQ(HiddenEntries(records::AccountFile("name")), (Entries{{"4", x}}));
  EXPECT_EQ(HiddenEntries(records::kGlobalRecordFile), (Entries{{"3", z}}));
  EXPECT_EQ(Attributes(x), platform::kAttrDirectory);
  EXPECT_FALSE(testing_support::ListedInDotHidden(Native("C:\\Data"), "X"));
  EXPECT_EQ(Attributes(y), platform::kAttrNone);
  EXPECT_TRUE(testing_support::OwnerMayWrite(Native(y)));
  EXPECT_EQ(Attributes(z), platform::kAttrHiddenSystem);
}

TEST_F(RestoreTest, WritesNoFileWhenNothingIsToBeDeleted) {
  std::string a = MakeItem("Data\\a.txt");
  engine::HideItem(fs(), "Ann", a);
  const Paths files = {records::kSettingsFile, records::AccountFile("Ann"),
                       records::kGlobalRecordFile};
  std::vector<std::optional<platform::FileStamp>> stamps;
  for (const std::string& file : files) stamps.push_back(fs().Stamp(file));

  std::vector<ListRow> rows = {{a, true}};
  EXPECT_EQ(engine::Restore(fs(), "Ann", rows), Paths{a});
  rows.push_back({"C:\\Data\\never-hidden", false});
  EXPECT_EQ(engine::Restore(fs(), "Ann", rows), Paths{a});
  engine::CleanGlobalRecord(fs(), rows);
  EXPECT_TRUE(engine::Restore(fs(), "Bob", {{"C:\\Data\\b", false}}).empty());
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(fs().Stamp(files[i]), stamps[i]) << files[i];
  }
  EXPECT_FALSE(fs().FileExists(records::AccountFile("Bob")));
}

TEST_F(RestoreTest, ListKeepsFileOrderAndStatusLineCountsRows) {
  ASSERT_TRUE(fs().ReplaceFile(records::AccountFile("Ann"),
                               "[weijianyincang]\r\n7=C:\\b\r\n3=C:\\a\r\n12=C:\\b\r\n"));
  EXPECT_EQ(engine::LoadList(fs(), "Ann"), (Paths{"C:\\b", "C:\\a", "C:\\b"}));
  EXPECT_TRUE(engine::LoadList(fs(), "Nobody").empty());
  EXPECT_EQ(engine::StatusLine("Ann", 3), "Present user name:Ann;     Hide:  3 File");
}

TEST_F(RestoreTest, UnwritableGlobalRecordIsReportedAfterTheItemIsShown) {
  std::string item = MakeItem("Data\\a.txt");
  engine::HideItem(fs(), "Ann", item);
  testing_support::MakeReadOnly(Native(records::kGlobalRecordFile));
  EXPECT_THROW(engine::Restore(fs(), "Ann", {{item, false}}), store::WriteError);
  EXPECT_EQ(Attributes(item), platform::kAttrNone);
  // The row stays, so that no global entry outlives it: the next Comeback,
  // once the record takes changes, finishes it.
  EXPECT_EQ(engine::LoadList(fs(), "Ann"), Paths{item});
  ASSERT_TRUE(fs().SetAttributes(records::kGlobalRecordFile, platform::kAttrNone));  // writable again
  EXPECT_TRUE(engine::Restore(fs(), "Ann", {{item, false}}).empty());
  EXPECT_TRUE(HiddenEntries(records::kGlobalRecordFile).empty());
}

// The restore one entry at a time: the account file's keys are listed once;
// each unticked row, from the last, loses its account entries key by key,
// then the global record is cleaned over the keys it holds at that moment
// for every unticked row still in the list.
void RestoreEntryByEntry(platform::FileSystem& fs, std::vector<ListRow> list) {
  const char* section = records::kHiddenItemsSection;
  store::IniFile account(fs, records::AccountFile("Ann"));
  store::IniFile global(fs, records::kGlobalRecordFile);
  const Paths account_keys = account.ReadSection(section);
  for (std::size_t i = list.size(); i-- > 0;) {
    if (list[i].ticked) continue;
    for (const std::string& key : account_keys) {
      if (account.ReadString(section, key, "") == list[i].path) account.DeleteKey(section, key);
    }
    const Paths global_keys = global.ReadSection(section);
    for (std::size_t j = list.size(); j-- > 0;) {
      if (list[j].ticked) continue;
      for (const std::string& key : global_keys) {
        if (global.ReadString(section, key, "") == list[j].path) global.DeleteKey(section, key);
      }
    }
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

TEST_F(RestoreTest, EndsWhereTheOneEntryAtATimeWalkEnds) {
  // Hand-edited files: key names standing twice (also in another letter
  // case), paths differing only in letter case, other accounts' entries.
  const std::string account_bytes =
      "[guanlishezhi]\r\n1=1\r\n[weijianyincang]\r\n1=C:\\A\r\n2=C:\\B\r\n2=C:\\A\r\n"
      "3=C:\\a\r\n4=C:\\B\r\nK=C:\\C\r\nk=C:\\B\r\n5=C:\\C\r\n6=C:\\A\r\n6=C:\\A\r\n";
  const std::string global_bytes =
      "[weijianyincang]\r\n1=C:\\A\r\n9=C:\\B\r\n9=C:\\C\r\n9=C:\\A\r\n3=C:\\a\r\n"
      "7=C:\\C\r\n2=C:\\B\r\n2=C:\\A\r\n6=C:\\A\r\n6=C:\\C\r\n6=C:\\A\r\n";
  const Paths paths = {"C:\\C", "C:\\A", "C:\\B", "C:\\a", "C:\\B"};
  testing_support::TempPrefix reference;
  // Bit i of a pattern ticks row i.
  for (unsigned ticks : {0b00000u, 0b11111u, 0b10101u, 0b01010u, 0b00110u, 0b11001u, 0b01111u}) {
    std::vector<ListRow> rows;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      rows.push_back({paths[i], ((ticks >> i) & 1) != 0});
    }
    for (platform::FileSystem* each : {&fs(), &reference.fs()}) {
      ASSERT_TRUE(each->CreateFolder(records::kDataFolder));
      ASSERT_TRUE(each->ReplaceFile(records::AccountFile("Ann"), account_bytes));
      ASSERT_TRUE(each->ReplaceFile(records::kGlobalRecordFile, global_bytes));
    }
    RestoreEntryByEntry(reference.fs(), rows);
    EXPECT_EQ(engine::Restore(fs(), "Ann", rows), engine::LoadList(reference.fs(), "Ann"));
    for (const std::string& file :
         {records::AccountFile("Ann"), std::string(records::kGlobalRecordFile)}) {
      EXPECT_EQ(Bytes(file), testing_support::ReadAll(reference.fs().NativePath(file))) << ticks;
    }
  }
}

}  // namespace

namespace {

TEST_F(RestoreTest, EveryEntryListsAndComesBackPastTheKeyListingLimit) {
  // 5,000 entries take far more than the 16 KB of a key listing.
  constexpr int kEntries = 5000;
  Paths paths;
  for (const std::string& file : {records::AccountFile("Ann"), std::string(records::kGlobalRecordFile)}) {
    store::IniFile(fs(), file).Update([&](store::IniDocument& doc) {
      for (int i = 1; i <= kEntries; ++i) {
        doc.Set(records::kHiddenItemsSection, std::to_string(i), "C:\\Data\\item" + std::to_string(i));
      }
    });
  }
  for (int i = 1; i <= kEntries; ++i) paths.push_back("C:\\Data\\item" + std::to_string(i));
  EXPECT_EQ(engine::LoadList(fs(), "Ann"), paths);
  EXPECT_EQ(engine::StatusLine("Ann", engine::LoadList(fs(), "Ann").size()),
            "Present user name:Ann;     Hide:  5000 File");

  std::vector<ListRow> rows;
  for (const std::string& path : paths) rows.push_back({path, false});
  EXPECT_TRUE(engine::Restore(fs(), "Ann", rows).empty());
  EXPECT_TRUE(HiddenEntries(records::AccountFile("Ann")).empty());
  EXPECT_TRUE(HiddenEntries(records::kGlobalRecordFile).empty());
}

}  // namespace
