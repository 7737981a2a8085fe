#include "store/ini_document.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace store {
namespace {

using namespace std::string_literals;

std::string Value(const IniDocument& doc, std::string_view section, std::string_view key) {
  return doc.Get(section, key).value_or("<absent>");
}

TEST(IniDocumentTest, NamesMatchWithoutCaseAndBlanksAreIgnored) {
  const IniDocument doc = IniDocument::Parse(
      "  [ Accounts ]  \r\n"
      "  Ann  =  secret  \r\n"
      "\tBOB=\tpw\t\r\n"
      "[second]x=1\r\n"  // text after "]" is ignored
      "k=v\r\n"
      "bare\r\n");  // a key without a value: reads as absent, not listed
  EXPECT_EQ(Value(doc, "accounts", "ANN"), "secret");
  EXPECT_EQ(Value(doc, "ACCOUNTS", "bob"), "pw");
  EXPECT_EQ(Value(doc, " Accounts ", " ann "), "secret");
  EXPECT_EQ(Value(doc, "second", "k"), "v");
  EXPECT_EQ(Value(doc, "second", "x"), "<absent>");
  EXPECT_EQ(Value(doc, "second", "bare"), "<absent>");
  EXPECT_EQ(doc.Keys("second"), (std::vector<std::string>{"k"}));
  EXPECT_EQ(doc.Keys("accounts"), (std::vector<std::string>{"Ann", "BOB"}));
  EXPECT_TRUE(doc.HasSection("SECOND"));
  EXPECT_FALSE(doc.HasSection("third"));
}

TEST(IniDocumentTest, ValuesLoseOnePairOfEnclosingQuotes) {
  const IniDocument doc = IniDocument::Parse(
      "[q]\na=\"x y\"\nb='z'\nc=\"\nd='x\"\ne=\"\"\nf= \" padded \" \ng=\"\"in\"\"\nh=\n");
  const std::pair<const char*, const char*> expected[] = {
      {"a", "x y"}, {"b", "z"}, {"c", "\""}, {"d", "'x\""}, {"e", ""}, {"f", " padded "}, {"g", "\"in\""}, {"h", ""}};
  for (const auto& [key, value] : expected) EXPECT_EQ(Value(doc, "q", key), value) << key;
}

TEST(IniDocumentTest, EveryLineEndIsReadAndWrittenAsCrLf) {
  const std::string expected = "[s]\r\na=1\r\n; note\r\nb=2\r\n";
  for (const char* bytes : {"[s]\na=1\n; note\nb=2\n", "[s]\ra=1\r; note\rb=2\r",
                            "[s]\r\na=1\n; note\rb=2", "[s]\r\na=1\r\n; note\r\nb=2\r\n"}) {
    SCOPED_TRACE(bytes);
    const IniDocument doc = IniDocument::Parse(bytes);
    EXPECT_EQ(Value(doc, "s", "a"), "1");
    EXPECT_EQ(Value(doc, "s", "b"), "2");
    EXPECT_EQ(doc.Serialize(), expected);
  }
  // LF CR is two line ends, so it keeps an empty line between.
  EXPECT_EQ(IniDocument::Parse("[s]\n\ra=1").Serialize(), "[s]\r\n\r\na=1\r\n");
  EXPECT_EQ(IniDocument::Parse("").Serialize(), "");

  // A UTF-8 byte-order mark is no part of the first line, and stays.
  IniDocument marked = IniDocument::Parse("\xEF\xBB\xBF[s]\r\na=1\r\n");
  marked.Set("s", "b", "2");
  EXPECT_EQ(marked.Serialize(), "\xEF\xBB\xBF[s]\r\na=1\r\nb=2\r\n");
}

TEST(IniDocumentTest, UnchangedLinesStayByteForByte) {
  const std::string original =
      "; header comment \t\r\n"
      "stray line before any section\r\n"
      "  [ Mixed ]   ; trailing\r\n"
      "  Key   =   \"quoted value\"   \r\n"
      "\r\n"
      "other = x\r\n"
      "[b]\r\n"
      "z=\x01\xff\xfe\r\n";
  IniDocument doc = IniDocument::Parse(original);
  doc.Set("MIXED", "key", "\"quoted value\"");  // the value it has: nothing changes
  EXPECT_EQ(doc.Serialize(), original);

  doc.Set("mixed", "OTHER", "y");  // replaced in place, the file's spelling of the name kept
  EXPECT_EQ(doc.Serialize(),
            "; header comment \t\r\n"
            "stray line before any section\r\n"
            "  [ Mixed ]   ; trailing\r\n"
            "  Key   =   \"quoted value\"   \r\n"
            "\r\n"
            "other=y\r\n"
            "[b]\r\n"
            "z=\x01\xff\xfe\r\n");
}

TEST(IniDocumentTest, SetReplacesInPlaceAppendsKeysAfterLastKeyAndSectionsAtEnd) {
  IniDocument doc = IniDocument::Parse(
      "[a]\r\n"
      "1=one\r\n"
      "2=two\r\n"
      "\r\n"
      "; end of a\r\n"
      "[b]\r\n"
      "x=1\r\n");
  doc.Set("A", "1", "uno");
  doc.Set("a", "3", "three");
  doc.Set("empty", "k", "v");
  doc.Set("b", "y", "2");
  EXPECT_EQ(doc.Serialize(),
            "[a]\r\n"
            "1=uno\r\n"
            "2=two\r\n"
            "3=three\r\n"
            "\r\n"
            "; end of a\r\n"
            "[b]\r\n"
            "x=1\r\n"
            "y=2\r\n"
            "[empty]\r\n"
            "k=v\r\n");
  EXPECT_EQ(doc.Keys("a"), (std::vector<std::string>{"1", "2", "3"}));

  // A section without keys gets its first key right after the header.
  IniDocument bare = IniDocument::Parse("[s]\r\n; only a comment\r\n[t]\r\n");
  bare.Set("s", "k", "v");
  EXPECT_EQ(bare.Serialize(), "[s]\r\nk=v\r\n; only a comment\r\n[t]\r\n");
}

TEST(IniDocumentTest, FirstOfTwoKeysOrSectionsCountsUntilDeleted) {
  IniDocument doc = IniDocument::Parse(
      "[s]\r\nk=first\r\nK=second\r\n"
      "[S]\r\nk=other section\r\nonly=here\r\n");
  EXPECT_EQ(Value(doc, "s", "k"), "first");
  EXPECT_EQ(Value(doc, "s", "only"), "<absent>");
  EXPECT_EQ(doc.Keys("s"), (std::vector<std::string>{"k", "K"}));

  doc.Set("s", "k", "changed");  // changes the first only
  EXPECT_EQ(Value(doc, "s", "k"), "changed");
  EXPECT_TRUE(doc.DeleteKey("s", "K"));
  EXPECT_EQ(Value(doc, "s", "k"), "second");
  EXPECT_TRUE(doc.DeleteKey("s", "k"));
  EXPECT_EQ(Value(doc, "s", "k"), "<absent>");
  EXPECT_FALSE(doc.DeleteKey("s", "k"));

  // Erasing a name removes every section of that name, so none of its keys
  // survives to be read.
  EXPECT_TRUE(doc.EraseSection("s"));
  EXPECT_FALSE(doc.HasSection("s"));
  EXPECT_EQ(doc.Serialize(), "");
}

TEST(IniDocumentTest, EraseSectionRemovesHeaderButDeletingEveryKeyKeepsIt) {
  IniDocument doc = IniDocument::Parse("[a]\r\nx=1\r\n[b]\r\ny=2\r\n; b's note\r\n[c]\r\nz=3\r\n");
  EXPECT_TRUE(doc.EraseSection("B"));
  EXPECT_EQ(doc.Serialize(), "[a]\r\nx=1\r\n[c]\r\nz=3\r\n");
  EXPECT_EQ(Value(doc, "c", "z"), "3");  // later sections still found after the removal

  EXPECT_TRUE(doc.DeleteKey("a", "x"));
  EXPECT_EQ(doc.Serialize(), "[a]\r\n[c]\r\nz=3\r\n");
  EXPECT_TRUE(doc.HasSection("a"));
  EXPECT_TRUE(doc.Keys("a").empty());
  doc.Set("a", "new", "v");
  EXPECT_EQ(doc.Serialize(), "[a]\r\nnew=v\r\n[c]\r\nz=3\r\n");
}

TEST(IniDocumentTest, ReadLimitsCutValuesAndKeyListings) {
  IniDocument doc;
  doc.Set("s", "long", std::string(3000, 'v'));
  EXPECT_EQ(Value(doc, "s", "long").size(), IniDocument::kMaxValueLength);
  EXPECT_NE(doc.Serialize().find(std::string(3000, 'v')), std::string::npos);  // stored whole

  // 16,384 bytes: 1,638 names of 9 bytes + their terminators take 16,380;
  // one final byte leaves room for one more name of at most 2 characters.
  IniDocument many;
  for (int i = 0; i < 1638; ++i) many.Set("k", std::to_string(100000000 + i), "x");
  many.Set("k", "abc", "x");
  many.Set("k", "ab", "x");
  std::vector<std::string> keys = many.Keys("k");
  ASSERT_EQ(keys.size(), 1638u);  // "abc" does not fit; the listing ends there
  many.DeleteKey("k", "abc");
  keys = many.Keys("k");
  ASSERT_EQ(keys.size(), 1639u);
  EXPECT_EQ(keys.back(), "ab");
}

TEST(IniDocumentTest, TextThatWouldNotReadBackIsRefused) {
  IniDocument doc = IniDocument::Parse("[s]\r\na=1\r\n");
  const std::string before = doc.Serialize();
  doc.Set("s", "a", "1\r\n[guanlishezhiname]\r\nintruder=1");
  doc.Set("s", "x\ny", "1");
  doc.Set("s]x", "k", "1");
  doc.Set("s", "k=v", "1");
  doc.Set("s", "; comment", "1");
  doc.Set("s", "[t]", "1");
  doc.Set("s", "  ", "1");
  EXPECT_EQ(doc.Refusals(), 7u);
  EXPECT_EQ(doc.Serialize(), before);
  EXPECT_FALSE(doc.HasSection("guanlishezhiname"));

  // Blanks, quotes and odd bytes are fine: they cannot disturb other lines.
  EXPECT_TRUE(IniDocument::IsStorable("s", " k ", " 'v' "));
  EXPECT_TRUE(IniDocument::IsStorable("", "k;[]", "a\0b="s));
}

TEST(IniDocumentTest, LargeDocumentStaysIndexedThroughInsertsAndDeletes) {
  IniDocument doc;
  constexpr int kEntries = 20000;
  for (int i = 1; i <= kEntries; ++i) doc.Set("weijianyincang", std::to_string(i), "C:\\item" + std::to_string(i));
  doc.Set("other", "k", "v");
  for (int i = 1; i <= kEntries; i += 2) ASSERT_TRUE(doc.DeleteKey("weijianyincang", std::to_string(i)));
  doc.Set("weijianyincang", "new", "last");

  IniDocument reread = IniDocument::Parse(doc.Serialize());
  for (const IniDocument* d : {&doc, &reread}) {
    for (int i = 1; i <= kEntries; ++i) {
      const auto value = d->Get("weijianyincang", std::to_string(i));
      if (i % 2 == 1) {
        ASSERT_FALSE(value.has_value()) << i;
      } else {
        ASSERT_EQ(value.value_or(""), "C:\\item" + std::to_string(i));
      }
    }
    const std::vector<std::string> keys = d->Keys("weijianyincang");
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys.front(), "2");
    EXPECT_EQ(Value(*d, "other", "k"), "v");
  }
  EXPECT_EQ(Value(reread, "weijianyincang", "new"), "last");
  EXPECT_EQ(reread.Serialize(), doc.Serialize());
}

TEST(IniDocumentTest, HostileBytesParseAndSettleAfterOneRewrite) {
  std::string huge(1 << 20, 'x');
  huge[500000] = '=';
  const std::string samples[] = {
      "[s]\0\r\nk\0ey=va\0lue\r\n"s,
      "[s]\r\n" + huge,
      "\xC3\x28[\xFF\xFE]\r\n\xE2\x82=\xF0\x9F\r\n",
      "[[[]]]\r\n]]]=[[[\r\n=\r\n==\r\n;\r\n[\r\n",
  };
  for (const std::string& bytes : samples) {
    const IniDocument doc = IniDocument::Parse(bytes);
    const std::string once = doc.Serialize();
    EXPECT_EQ(IniDocument::Parse(once).Serialize(), once);
  }
  EXPECT_EQ(IniDocument::Parse(samples[1]).Get("s", huge.substr(0, 500000))->size(),
            IniDocument::kMaxValueLength);

  // Random bytes drawn mostly from the characters that matter to the parser.
  std::mt19937 random(20240607);
  const std::string alphabet = "[]=;'\" \t\r\nab\0\xff"s;
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 200, ' ');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    IniDocument doc = IniDocument::Parse(bytes);
    doc.Set("a", "b", "c");
    doc.DeleteKey("b", "a");
    doc.EraseSection("");
    const std::string once = doc.Serialize();
    const IniDocument again = IniDocument::Parse(once);
    ASSERT_EQ(again.Serialize(), once);
    ASSERT_EQ(again.Get("a", "b").value_or(""), doc.Get("a", "b").value_or(""));
    ASSERT_EQ(again.Keys("a"), doc.Keys("a"));
  }
}

}  // namespace
}  // namespace store
