// Record files read once and held once: answers do not depend on whether a
// section's keys were indexed yet or the document took its written bytes as
// its own, and a file too large to hold is refused rather than cut.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/ini_document.h"
#include "store/ini_file.h"
#include "tests/store/store_fixture.h"

namespace store {
namespace {

using namespace std::string_literals;

// Keys standing twice, bare keys of the same name, letter case and quotes.
constexpr char kRecord[] = "[s]\r\n1=a\r\n2=b\r\n1=c\r\nbare\r\n2=\"d\"\r\nBARE=e\r\n3=f\r\n; end\r\n";
const std::vector<std::string> kProbes = {"1", "2", "3", "bare", "BARE", "4", " 1 "};

std::vector<std::string> Answers(const IniDocument& doc) {
  std::vector<std::string> answers;
  for (const std::string& key : kProbes) answers.push_back(doc.Get("s", key).value_or("<absent>"));
  return answers;
}

TEST(LargeRecordTest, IndexedAndReadThroughLookUpsGiveTheSameAnswers) {
  IniDocument read_through = IniDocument::Parse(kRecord);
  IniDocument indexed = IniDocument::Parse(kRecord);
  // Enough look-ups to index the section of the second document.
  for (int i = 0; i < 20; ++i) Answers(indexed);
  // Deleting a key that stands twice lets its next line answer; a key
  // added afterwards is found by both.
  for (const char* deleted : {"1", "bare", "2", "1"}) {
    SCOPED_TRACE(deleted);
    EXPECT_EQ(read_through.DeleteKey("s", deleted), indexed.DeleteKey("s", deleted));
    EXPECT_EQ(Answers(read_through), Answers(indexed));
    EXPECT_EQ(read_through.AllValues("s"), indexed.AllValues("s"));
  }
  read_through.Set("s", "New", "g");
  indexed.Set("s", "New", "g");
  EXPECT_EQ(read_through.Get("s", "NEW"), "g");
  EXPECT_EQ(indexed.Get("s", "NEW"), "g");
  EXPECT_EQ(read_through.Serialize(), indexed.Serialize());
}

TEST(LargeRecordTest, ValuesOfAWholeListReadAsSingleReads) {
  // Increasing numbers as the program writes them, and near misses: a
  // number that stands twice or goes down, a leading zero, a bare key.
  for (const char* record : {kRecord, "[s]\r\n1=a\r\n2= \"b\" \r\n=x\r\n10=c\r\n", "[s]\r\n1=a\r\n2=b\r\n2=c\r\n",
                             "[s]\r\n1=a\r\n10=b\r\n9=c\r\n", "[s]\r\n1=a\r\n01=b\r\n", "[s]\r\n3\r\n3=a\r\n4=b\r\n"}) {
    SCOPED_TRACE(record);
    const IniDocument any = IniDocument::Parse(record);
    std::vector<std::string> each;
    for (const std::string& key : any.AllKeys("s")) each.push_back(any.Get("s", key).value_or(""));
    EXPECT_EQ(any.AllValues("s"), each);
  }
  const IniDocument doc = IniDocument::Parse(kRecord);
  std::vector<std::string> one_by_one;
  for (const std::string& key : doc.AllKeys("s")) one_by_one.push_back(doc.Get("s", key).value_or(""));
  EXPECT_EQ(doc.AllValues("s"), one_by_one);
  // Each line's own value, even where an earlier line of its name answers.
  std::vector<std::string> own;
  doc.ForEachEntry("s", [&](std::string_view, std::string_view value) { own.emplace_back(value); });
  EXPECT_EQ(own, (std::vector<std::string>{"a", "b", "c", "d", "e", "f"}));
}

TEST(LargeRecordTest, AFlattenedDocumentHoldsWhatItWouldWrite) {
  IniDocument doc = IniDocument::Parse("\xEF\xBB\xBF"s + kRecord);
  doc.DeleteKey("s", "2");
  doc.Set("s", "9", "nine");
  doc.Set("t", "k", "v");
  const std::vector<std::string> before = Answers(doc);
  const std::string bytes = doc.Serialize();
  EXPECT_EQ(*doc.Flatten(), bytes);
  EXPECT_EQ(doc.Bytes() == nullptr ? "" : *doc.Bytes(), bytes);
  EXPECT_EQ(Answers(doc), before);
  EXPECT_EQ(doc.Get("t", "k"), "v");
  EXPECT_EQ(doc.Serialize(), bytes);
  // Changes after flattening go on from there.
  EXPECT_TRUE(doc.DeleteKey("s", "9"));
  EXPECT_EQ(doc.Get("s", "9"), std::nullopt);
  EXPECT_EQ(doc.Serialize().find("9=nine"), std::string::npos);
}

class LargeRecordFileTest : public store_testing::StoreTest {};

TEST_F(LargeRecordFileTest, AFilePastWhatADocumentHoldsIsRefusedNotCut) {
  MakeDataFolder();
  const std::string real = InData("biefei.INI");
  testing_support::WriteAll(real, "[weijianyincang]\r\n1=C:\\x\r\n");
  // Zeros up to one byte past the limit, without writing them.
  std::filesystem::resize_file(real, IniDocument::kMaxBytes + 1);
  IniFile file(fs(), "C:\\WINDOWS\\zizodo\\zizodo123\\biefei.INI");
  EXPECT_EQ(file.ReadString("weijianyincang", "1", "<unread>"), "<unread>");
  EXPECT_NE(store_testing::WriteErrorText([&] { file.WriteString("weijianyincang", "2", "C:\\y"); }), "");
  EXPECT_EQ(std::filesystem::file_size(real), IniDocument::kMaxBytes + 1);
}

}  // namespace
}  // namespace store
