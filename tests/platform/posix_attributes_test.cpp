// How the Linux backend keeps Windows attributes: user.DOSATTRIB, the
// folder's .hidden file and the owner's write permission.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <filesystem>
#include <map>
#include <string>

#include "tests/platform/posix_fixture.h"

namespace {

namespace fs = std::filesystem;
using platform::kAttrArchive;
using platform::kAttrHidden;
using platform::kAttrHiddenSystem;
using platform::kAttrNone;
using platform::kAttrReadOnly;
using testing_support::DosAttrib;
using testing_support::ListedInDotHidden;
using testing_support::ReadAll;
using testing_support::WriteAll;

using PosixAttributes = posix_testing::DataFolderTest;

TEST_F(PosixAttributes, HidingWritesDosAttribAndDotHiddenAndShowingTakesBoth) {
  WriteAll(Real("Private"), "p");
  fs::create_directory(Real("Folder"));
  WriteAll(Real(".hidden"), "keep me\nPrivate\r\nother");

  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("private"), kAttrHiddenSystem));
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("Folder"), kAttrHiddenSystem));
  EXPECT_EQ(DosAttrib(Real("Private")), "0x6");
  EXPECT_EQ(DosAttrib(Real("Folder")), "0x6");
  // The name on disk is listed, after the lines that were there.
  EXPECT_EQ(ReadAll(Real(".hidden")), "keep me\nPrivate\r\nother\nPrivate\nFolder\n");

  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("Private"), kAttrNone));
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("Folder"), kAttrArchive));
  EXPECT_EQ(DosAttrib(Real("Private")), "");
  EXPECT_EQ(DosAttrib(Real("Folder")), "0x20");
  EXPECT_EQ(ReadAll(Real(".hidden")), "keep me\nPrivate\r\nother\n");

  // A .hidden that only this program wrote goes away with its last name.
  fs::create_directory(Real("Sub"));
  WriteAll(Real("Sub/x"), "");
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("Sub\\x"), kAttrHiddenSystem));
  EXPECT_TRUE(ListedInDotHidden(Real("Sub"), "x"));
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("Sub\\x"), kAttrNone));
  EXPECT_FALSE(fs::exists(Real("Sub/.hidden")));
}

TEST_F(PosixAttributes, HiddenIsReadFromEverySource) {
  for (const char* name : {"by_xattr", "by_list", ".dotfile", "plain"}) WriteAll(Real(name), "");
  ASSERT_EQ(::setxattr(Real("by_xattr").c_str(), "user.DOSATTRIB", "0x22\0", 5, 0), 0);
  WriteAll(Real(".hidden"), "by_list\n");
  // A hidden folder's "." entry is the folder itself; ".." is not hidden by its name.
  ASSERT_EQ(::setxattr(folder_.c_str(), "user.DOSATTRIB", "0x2", 3, 0), 0);

  EXPECT_EQ(prefix_.fs().GetAttributes(Win("by_xattr")), kAttrHidden | kAttrArchive);
  EXPECT_EQ(prefix_.fs().GetAttributes(Win("by_list")), kAttrHidden);
  EXPECT_EQ(prefix_.fs().GetAttributes(Win(".dotfile")), kAttrHidden);
  EXPECT_EQ(prefix_.fs().GetAttributes(Win("plain")), kAttrNone);

  const auto listing = prefix_.fs().ListFolder("C:\\Data");
  ASSERT_TRUE(listing.has_value());
  std::map<std::string, std::uint32_t> seen;
  for (const platform::DirEntry& entry : *listing) {
    seen[entry.name] = entry.attributes;
  }
  EXPECT_EQ(seen, (std::map<std::string, std::uint32_t>{
                      {".", platform::kAttrDirectory | kAttrHidden},
                      {"..", platform::kAttrDirectory},
                      {".hidden", kAttrHidden},
                      {".dotfile", kAttrHidden},
                      {"by_list", kAttrHidden},
                      {"by_xattr", kAttrHidden | kAttrArchive},
                      {"plain", kAttrNone}}));
}

TEST_F(PosixAttributes, ReadOnlyIsTheOwnersWritePermission) {
  WriteAll(Real("file"), "");
  fs::permissions(Real("file"), fs::perms(0640));
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("file"), kAttrReadOnly | kAttrHiddenSystem));
  EXPECT_EQ(Mode(Real("file")), 0440u);
  EXPECT_EQ(prefix_.fs().GetAttributes(Win("file")), kAttrReadOnly | kAttrHiddenSystem);

  // Clearing gives the owner write permission back, and the group too where
  // it may read and the umask allows; others, who may not read, get none.
  const mode_t umask_now = ::umask(0);
  ::umask(umask_now);
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("file"), kAttrNone));
  EXPECT_EQ(Mode(Real("file")), (0640u | (0020u & ~umask_now)));

  // Folders keep their permissions whatever is asked.
  fs::permissions(Real("."), fs::perms(0750));
  ASSERT_TRUE(prefix_.fs().SetAttributes("C:\\Data", kAttrReadOnly));
  ASSERT_TRUE(prefix_.fs().SetAttributes("C:\\Data", kAttrNone));
  EXPECT_EQ(Mode(folder_), 0750u);
}

TEST_F(PosixAttributes, SettingTheSameSetAgainWritesNothing) {
  WriteAll(Real("item"), "");
  WriteAll(Real(".hidden"), "first\n");
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("item"), kAttrHiddenSystem));
  const struct stat item_before = Status(Real("item"));
  const struct stat list_before = Status(Real(".hidden"));

  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("item"), kAttrHiddenSystem));
  const struct stat item_after = Status(Real("item"));
  const struct stat list_after = Status(Real(".hidden"));
  // No chmod or xattr write changes the change time; no rewrite of .hidden
  // makes a new file.
  EXPECT_EQ(item_after.st_ctim.tv_sec, item_before.st_ctim.tv_sec);
  EXPECT_EQ(item_after.st_ctim.tv_nsec, item_before.st_ctim.tv_nsec);
  EXPECT_EQ(list_after.st_ino, list_before.st_ino);
}

TEST_F(PosixAttributes, NamesThatCannotBeALineStayOutOfDotHidden) {
  const std::string name = "two\nlines";
  WriteAll(Real(name), "");
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win(name), kAttrHiddenSystem));
  EXPECT_EQ(DosAttrib(Real(name)), "0x6");
  EXPECT_FALSE(fs::exists(Real(".hidden")));
  EXPECT_EQ(prefix_.fs().GetAttributes(Win(name)), kAttrHiddenSystem);
}

}  // namespace
