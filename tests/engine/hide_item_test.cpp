#include <string>

#include "engine/conversion_error.h"
#include "engine/hidden_items.h"
#include "engine/hide_counter.h"
#include "store/errors.h"
#include "tests/engine/record_fixture.h"

namespace {

namespace records = store::records;
using engine::HideItem;
using engine_testing::Entries;
using testing_support::ListedInDotHidden;

class HideItemTest : public engine_testing::RecordFixture {
 protected:
  void SetCounter(const std::string& text) {
    store::IniFile(fs(), records::kSettingsFile)
        .WriteString(records::kCounterSection, records::kCounterKey, text);
  }
};

TEST_F(HideItemTest, RejectedPathsChangeNothing) {
  std::string item = MakeItem("Data\\a.txt");
  const std::string settings = Bytes(records::kSettingsFile);
  for (char drive = 'A'; drive <= 'Z'; ++drive) {
    EXPECT_EQ(HideItem(fs(), "Ann", std::string{drive, ':', '\\'}), "");
  }
  for (const char* path : {"", "c:\\Data\\a.txt", "Data\\a.txt", "::{20D04FE0-3AEA-1069}",
                           "\\\\server\\share"}) {
    EXPECT_EQ(HideItem(fs(), "Ann", path), "") << path;
  }
  EXPECT_EQ(Bytes(records::kSettingsFile), settings);
  EXPECT_FALSE(fs().FileExists(records::AccountFile("Ann")));
  EXPECT_FALSE(fs().FileExists(records::kGlobalRecordFile));
  EXPECT_EQ(Attributes(item), platform::kAttrNone);
  EXPECT_EQ(testing_support::DosAttrib(prefix_.DriveC()), "");
}

TEST_F(HideItemTest, EveryHideOfAnyAccountTakesTheNextNumberInBothFiles) {
  std::string item = MakeItem("Data\\Private", /*folder=*/true);
  EXPECT_EQ(HideItem(fs(), "Ann", item), "1");
  EXPECT_EQ(Attributes(item), platform::kAttrHiddenSystem | platform::kAttrDirectory);
  EXPECT_EQ(ListedInDotHidden(Native("C:\\Data"), "Private"), testing_support::KeepsDotHiddenLists());

  SetCounter("9");
  std::string missing = "C:\\Data\\gone.txt";
  EXPECT_EQ(HideItem(fs(), "name", missing), "10");
  EXPECT_EQ(HideItem(fs(), "Ann", item), "11");
  EXPECT_EQ(HiddenEntries(records::AccountFile("Ann")), (Entries{{"1", item}, {"11", item}}));
  EXPECT_EQ(HiddenEntries(records::AccountFile("name")), (Entries{{"10", missing}}));
  EXPECT_EQ(HiddenEntries(records::kGlobalRecordFile),
            (Entries{{"1", item}, {"10", missing}, {"11", item}}));
  EXPECT_FALSE(fs().GetAttributes(missing).has_value());
}

TEST(HideCounterTest, WritesTheSumInGeneralNumberFormat) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", "1"}, {"9", "10"}, {"+4", "5"}, {"-1", "0"}, {"-1.5", "-0.5"}, {"2.5", "3.5"},
      {"1e3", "1001"}, {"007", "8"}, {"5.", "6"}, {".5", "1.5"},
      {"999999999999998", "999999999999999"}, {"999999999999999", "1E15"}, {"1.5E20", "1.5E20"},
      {"-0.9999847412109375", "0.0000152587890625"}, {"-0.99999237060546875", "7.62939453125E-6"}};
  for (const auto& [text, next] : cases) EXPECT_EQ(engine::NextCounterText(text), next) << text;

  for (const char* text : {"", "abc", "1 2", "1.2.3", "0x10", "inf", "nan", "1e", "--1", ".", "1,5",
                           "1e999"}) {
    try {
      engine::NextCounterText(text);
      ADD_FAILURE() << text;
    } catch (const engine::ConversionError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid floating point value");
    }
  }
}

TEST_F(HideItemTest, CounterThatIsNotANumberLeavesItemAndFilesAlone) {
  std::string item = MakeItem("Data\\a.txt");
  SetCounter("abc");
  const std::string settings = Bytes(records::kSettingsFile);
  EXPECT_THROW(HideItem(fs(), "Ann", item), engine::ConversionError);
  EXPECT_EQ(Attributes(item), platform::kAttrNone);
  EXPECT_FALSE(ListedInDotHidden(Native("C:\\Data"), "a.txt"));
  EXPECT_EQ(Bytes(records::kSettingsFile), settings);
  EXPECT_FALSE(fs().FileExists(records::AccountFile("Ann")));
}

TEST_F(HideItemTest, AFailedRecordWriteLeavesTheItemAsItWas) {
  std::string first = MakeItem("Data\\first.txt");
  ASSERT_EQ(HideItem(fs(), "Ann", first), "1");
  testing_support::MakeReadOnly(Native(records::kGlobalRecordFile));
  std::string second = MakeItem("Data\\second.txt");
  const std::uint32_t before = platform::kAttrReadOnly | platform::kAttrArchive;
  fs().SetAttributes(second, before);
  try {
    HideItem(fs(), "Ann", second);
    ADD_FAILURE() << "no error";
  } catch (const store::WriteError& error) {
    EXPECT_STREQ(error.what(), "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\biefei.INI");
  }
  EXPECT_EQ(Attributes(second), testing_support::Comparable(before));
  EXPECT_FALSE(ListedInDotHidden(Native("C:\\Data"), "second.txt"));
  // What was written before the failure stays.
  EXPECT_EQ(HiddenEntries(records::AccountFile("Ann")), (Entries{{"1", first}, {"2", second}}));
  EXPECT_EQ(HiddenEntries(records::kGlobalRecordFile), (Entries{{"1", first}}));

  ASSERT_EQ(chmod(Native(records::AccountFile("Ann")).c_str(), 0444), 0);
  EXPECT_THROW(HideItem(fs(), "Ann", second), store::WriteError);
  EXPECT_EQ(Attributes(second), testing_support::Comparable(before));
  EXPECT_EQ(Attributes(first), platform::kAttrHiddenSystem);
}

}  // namespace
