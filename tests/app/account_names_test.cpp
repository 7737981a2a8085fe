#include "app/account_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app {
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

TEST(AccountNamesTest, OnlyNamesWithAPathSeparatorLeaveTheDataFolder) {
  EXPECT_TRUE(AccountFileStaysInDataFolder("Ann"));
  EXPECT_TRUE(AccountFileStaysInDataFolder(".."));  // becomes "...INI"
  EXPECT_TRUE(AccountFileStaysInDataFolder("C:x"));
  EXPECT_FALSE(AccountFileStaysInDataFolder("..\\..\\x"));
  EXPECT_FALSE(AccountFileStaysInDataFolder("a/b"));
}

}  // namespace
}  // namespace app
