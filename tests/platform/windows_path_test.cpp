#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace platform::windows_path {
namespace {

TEST(WindowsPathTest, DriveFormsKeepTheirOwnMeanings) {
  struct Case {
    const char* path;
    bool starts_with_drive;  // capital letter and colon, as the shell reports
    bool drive_root;         // exactly "X:\" with a capital letter
    bool whole_drive;        // any case, then separators only
  };
  const Case cases[] = {
      {"C:\\", true, true, true},      {"c:\\", false, false, true},
      {"C:", true, false, true},       {"C:/", true, false, true},
      {"C:\\\\", true, false, true},   {"C:\\Data", true, false, false},
      {"::{20D0}", false, false, false}, {"\\\\server\\share", false, false, false},
      {"", false, false, false},       {"1:\\", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(StartsWithDrive(c.path), c.starts_with_drive);
    EXPECT_EQ(IsDriveRoot(c.path), c.drive_root);
    EXPECT_EQ(NamesWholeDrive(c.path), c.whole_drive);
  }
}

TEST(WindowsPathTest, JoinNormalizeAndParentAgree) {
  EXPECT_EQ(Join("C:\\", "x"), "C:\\x");
  EXPECT_EQ(Join("C:", "x"), "C:\\x");
  EXPECT_EQ(Join("C:\\Data", "x"), "C:\\Data\\x");
  EXPECT_EQ(NormalizeFolder("c:"), "C:\\");
  EXPECT_EQ(NormalizeFolder("d:\\Data\\\\"), "D:\\Data");
  EXPECT_EQ(NormalizeFolder("My Computer"), "My Computer");
  EXPECT_EQ(Parent("C:\\Data\\x"), "C:\\Data");
  EXPECT_EQ(Parent("C:\\Data"), "C:\\");
  EXPECT_EQ(Parent("C:\\"), "");
  EXPECT_EQ(Parent("Desktop"), "");
}

// The folder and name of a path, in both widths: the wide form is the
// exact-name form of the Windows calls.
TEST(WindowsPathTest, FolderNameAndTrimSplitAtEitherSeparator) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
    const char* trimmed;
  };
  const Case cases[] = {
      {"C:\\a\\b", "C:\\a", "b", "C:\\a\\b"},       {"C:\\a", "C:\\", "a", "C:\\a"},
      {"C:\\a/b\\", "C:\\a/b", "", "C:\\a/b"},       {"C:\\", "C:\\", "", "C:\\"},
      {"\\\\?\\C:\\x.", "\\\\?\\C:\\", "x.", "\\\\?\\C:\\x."}, {"\\a", "\\", "a", "\\a"},
      {"C:name", "", "C:name", "C:name"},        {"name", "", "name", "name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const std::string path = c.path;
    EXPECT_EQ(FolderOf(path), c.folder);
    EXPECT_EQ(NameOf(path), c.name);
    EXPECT_EQ(TrimTrailingSeparators(path), c.trimmed);
    const std::wstring wide(path.begin(), path.end());
    EXPECT_EQ(FolderOf(wide), std::wstring(c.folder, c.folder + std::char_traits<char>::length(c.folder)));
  }
  EXPECT_EQ(JoinName(std::wstring(L"\\\\?\\C:\\"), std::wstring(L"*")), L"\\\\?\\C:\\*");
  EXPECT_EQ(JoinName(std::string("C:\\a"), std::string("x")), "C:\\a\\x");
  EXPECT_EQ(DrivePart("c:\\x"), "c:");
  EXPECT_EQ(AfterDrive("c:\\x"), "\\x");
  EXPECT_EQ(AfterDrive("\\x"), "\\x");
  EXPECT_TRUE(IsRootedAtDrive("C:") && IsRootedAtDrive("c:/x"));
  EXPECT_FALSE(IsRootedAtDrive("C:x") || IsRootedAtDrive("\\C:"));
}

TEST(WindowsPathTest, CaseFoldsAsciiLettersOnly) {
  EXPECT_EQ(FoldCase("NaMe.INI\xC4"), "name.ini\xC4");
  EXPECT_TRUE(EqualIgnoringCase("biefei.INI", "BIEFEI.ini"));
  EXPECT_FALSE(EqualIgnoringCase("\xC4", "\xE4"));
  EXPECT_TRUE(LessIgnoringCase("apple", "Banana"));
  EXPECT_TRUE(LessIgnoringCase("A", "a"));  // a total order: bytes break ties
  EXPECT_FALSE(LessIgnoringCase("a", "A"));
}

TEST(WindowsPathTest, ForbiddenCharactersAreThoseNoFileNameHolds) {
  for (const std::string& name : std::initializer_list<std::string>{"a\\b", "a/b", "a:b", "a*", "a?", "\"a\"", "<a>", "a|b",
                                 "a\nb", "a\x01"}) {
    EXPECT_TRUE(HoldsForbiddenCharacter(name)) << name;
  }
  for (const std::string& name : std::initializer_list<std::string>{"plain", "with blank", "J\xFCrgen", "a=b", ".hidden"}) {
    EXPECT_FALSE(HoldsForbiddenCharacter(name)) << name;
  }
}

}  // namespace
}  // namespace platform::windows_path
