#include "engine/account_names.h"

#include <gtest/gtest.h>

#include "engine/readable_name.h"
#include "store/records.h"

#include <string>
#include <vector>

namespace engine {
namespace {

TEST(AccountNamesTest, RefusesNamesThatCannotBeAFileInTheDataFolderOrAKey) {
  const std::vector<std::string> refused = {
      "", "a\\b", "a/b", "C:x", "a*", "a?", "a\"b", "<a", "a>", "a|b", "x=y", "[x", "x]",
      ";x", " x", "x ", ".", "..", "x.", "..\\..\\x", std::string("a\0b", 3), "a\x7f", "a\nb",
      // Device names, in any letter case and with any extension.
      "CON", "con", "Prn", "AUX", "NUL", "nul.txt", "con .x", "COM1", "com9.INI", "LPT1",
      "lpt9", "CONIN$", "conout$",
      // The data folder's own record files.
      "zizodo", "ZIZODO", "biefei", "Biefei"};
  for (const std::string& name : refused) {
    EXPECT_FALSE(IsValidAccountName(name)) << '"' << name << '"';
  }
}

TEST(AccountNamesTest, AcceptsOrdinaryAndUnusualButStorableNames) {
  const std::vector<std::string> accepted = {
      "Ann", "name", "a b", ".x", "x.y", "a;b", "O'Neil", "'quoted'", "#1", "COM10", "COM0",
      "LPT", "console", "nul_x", "conx.txt", "zizodo2", "biefei.old", "Jos\xC3\xA9", "x$"};
  for (const std::string& name : accepted) {
    EXPECT_TRUE(IsValidAccountName(name)) << '"' << name << '"';
  }
}

TEST(AccountNamesTest, ANameMayBeAsLongAsTheAccountFilesPathAllows) {
  // "C:\WINDOWS\zizodo\zizodo123\" + name + ".INI" must stay within 259
  // characters.
  EXPECT_TRUE(IsValidAccountName(std::string(227, 'a')));
  EXPECT_FALSE(IsValidAccountName(std::string(228, 'a')));
}

TEST(AccountNamesTest, APasswordMustReadBackExactlyAsTyped) {
  const std::vector<std::string> refused = {
      "", " secret", "secret ", "'secret'", "\"secret\"", "''", "a\tb", "a\rb",
      std::string(2048, 'p')};
  for (const std::string& password : refused) {
    EXPECT_FALSE(IsValidPassword(password)) << '"' << password << '"';
  }
  const std::vector<std::string> accepted = {
      "31852", "se cret", "'secret", "secret'", "'secret\"", "\"", "'", "=;[]\\/:", "p\xC3\xA4ss",
      std::string(2047, 'p')};
  for (const std::string& password : accepted) {
    EXPECT_TRUE(IsValidPassword(password)) << '"' << password << '"';
  }
}

TEST(AccountNamesTest, OnlyAValidNameGetsAnAccountFile) {
  EXPECT_EQ(AccountFile("Ann"), store::records::AccountFile("Ann"));
  EXPECT_EQ(AccountFile("J\xFCrgen"), "C:\\WINDOWS\\zizodo\\zizodo123\\J\xFCrgen.INI");
  for (const char* name : {"", "..\\..\\x", "a/b", "zizodo", "Biefei", "nul"}) {
    EXPECT_EQ(AccountFile(name), std::nullopt) << '"' << name << '"';
  }
}

TEST(ReadableNameTest, UTF8StaysAndAnythingElseIsReadAsWindows1252) {
  const std::pair<std::string, std::string> cases[] = {
      {"J\xC3\xBCrgen", "J\xC3\xBCrgen"},  // UTF-8 already
      {"J\xFCrgen", "J\xC3\xBCrgen"},  // 8-bit: u with diaeresis
      {"\x80\x81", "\xE2\x82\xAC\xC2\x81"},  // the euro sign; undefined: Latin-1
      {"\xC3", "\xC3\x83"},  // cut short
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},  // overlong "/"
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},  // a surrogate
  };
  for (const auto& [stored, shown] : cases) EXPECT_EQ(ReadableName(stored), shown) << stored;
}

}  // namespace
}  // namespace engine
