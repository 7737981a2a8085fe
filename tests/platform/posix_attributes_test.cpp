// How the Linux backend keeps Windows attributes: user.DOSATTRIB, the
// folder's .hidden file and the owner's write permission.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>


#include <filesystem>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

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

void SetDosAttrib(const std::string& real, const std::string& value) {
  ASSERT_EQ(::setxattr(real.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0), 0);
}

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

TEST_F(PosixAttributes, AnEntryIsNamedExactlyNotByAnotherLetterCase) {
  WriteAll(Real("Entry.txt"), "");
  EXPECT_FALSE(prefix_.fs().SetEntryAttributes({"C:\\Data", "ENTRY.TXT"}, kAttrHiddenSystem).applied);
  EXPECT_EQ(DosAttrib(Real("Entry.txt")), "");
  EXPECT_TRUE(prefix_.fs().SetEntryAttributes({"C:\\Data", "Entry.txt"}, kAttrHiddenSystem).applied);
  EXPECT_EQ(DosAttrib(Real("Entry.txt")), "0x6");
}

TEST_F(PosixAttributes, ReadOnlyIsTheOwnersWritePermission) {
  WriteAll(Real("file"), "");
  fs::permissions(Real("file"), fs::perms(0640));
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("file"), kAttrReadOnly | kAttrHiddenSystem));
  EXPECT_EQ(Mode(Real("file")), 0440u);
  EXPECT_EQ(prefix_.fs().GetAttributes(Win("file")), kAttrReadOnly | kAttrHiddenSystem);

  // Clearing gives the owner write permission back, and nobody else any.
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("file"), kAttrNone));
  EXPECT_EQ(Mode(Real("file")), 0640u);

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

// Locks that someone who may only read a folder can take on it or on its
// .hidden: a flock keeps nothing out; a read lock on .hidden delays our
// change (our copies never change the file past anyone's lock), and one
// kept past the wait fails it, leaving the item as it was.
TEST_F(PosixAttributes, ReadersFlocksKeepNothingOutAndAReadLockKeptTooLongFailsAChange) {
  WriteAll(Real("item"), "");
  WriteAll(Real(".hidden"), "other\n");
  for (const std::string& path : {folder_, Real(".hidden")}) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0) << path;
    EXPECT_TRUE(prefix_.fs().SetAttributes(Win("item"), kAttrHiddenSystem)) << path;
    EXPECT_TRUE(ListedInDotHidden(folder_, "item")) << path;
    EXPECT_TRUE(prefix_.fs().SetAttributes(Win("item"), kAttrNone)) << path;
    ::close(fd);
  }
  const int fd = ::open(Real(".hidden").c_str(), O_RDONLY | O_CLOEXEC);
  struct flock lock {};
  lock.l_type = F_RDLCK;
  ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
  const platform::AttributesResult kept_out = prefix_.fs().SetEntryAttributes({"C:\\Data", "item"}, kAttrHiddenSystem);
  ::close(fd);
  EXPECT_EQ(kept_out.unlisted_in, "C:\\Data\\.hidden");
  EXPECT_EQ(prefix_.fs().GetAttributes(Win("item")), kAttrNone);
  EXPECT_EQ(ReadAll(Real(".hidden")), "other\n");
}

// A .hidden past any list a person keeps is neither read whole nor changed:
// its names count as not listed, an item cannot be hidden there (it is left
// as it was, and the change reports the .hidden), and an item whose name it
// does not hold is shown again without a change of it.
TEST_F(PosixAttributes, AnOversizedDotHiddenIsLeftAloneAndReported) {
  WriteAll(Real("item"), "");
  WriteAll(Real("listed"), "");
  WriteAll(Real(".hidden"), "listed\n");
  ASSERT_EQ(::truncate(Real(".hidden").c_str(), 64 * 1024 * 1024), 0);  // sparse
  const platform::AttributesResult hidden =
      prefix_.fs().SetEntryAttributes({"C:\\Data", "item"}, kAttrHiddenSystem);
  EXPECT_FALSE(hidden.applied);
  EXPECT_EQ(hidden.unlisted_in, "C:\\Data\\.hidden");
  EXPECT_EQ(DosAttrib(Real("item")), "");
  EXPECT_EQ(fs::file_size(Real(".hidden")), 64u * 1024 * 1024);
  EXPECT_EQ(prefix_.fs().GetAttributes(Win("item")), kAttrNone);
  std::optional<std::vector<platform::DirEntry>> listing = prefix_.fs().ListFolder("C:\\Data");
  ASSERT_TRUE(listing.has_value());
  for (const platform::DirEntry& entry : *listing) {
    if (entry.name == "listed") {
      EXPECT_EQ(entry.attributes, kAttrNone);
    }
  }
  ASSERT_EQ(::setxattr(Real("item").c_str(), "user.DOSATTRIB", "0x6", 3, 0), 0);
  const platform::AttributesResult shown = prefix_.fs().SetEntryAttributes({"C:\\Data", "item"}, kAttrNone);
  EXPECT_TRUE(shown.applied);
  EXPECT_EQ(shown.unlisted_in, "");
  EXPECT_EQ(DosAttrib(Real("item")), "");
  EXPECT_EQ(prefix_.fs().SetEntryAttributes({"C:\\Data", "listed"}, kAttrNone).unlisted_in, "C:\\Data\\.hidden");
}

// A user's item is the entry of exactly its recorded name: showing "ABC"
// again when only its twin "abc" is there leaves the twin hidden, reports
// "ABC" gone, and takes the gone name's line out of .hidden, so that a new
// "ABC" is not born hidden. The program's own files keep finding any case.
TEST_F(PosixAttributes, ALetterCaseTwinIsAnotherItem) {
  WriteAll(Real("abc"), "");
  WriteAll(Real("ABC"), "");
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("abc"), kAttrHiddenSystem));
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("ABC"), kAttrHiddenSystem));
  fs::remove(Real("ABC"));
  const std::vector<platform::AttributesResult> shown =
      prefix_.fs().SetItemsAttributes({Win("ABC")}, kAttrNone, platform::LastNameMatch::kExact);
  EXPECT_TRUE(shown[0].absent);
  EXPECT_FALSE(ListedInDotHidden(folder_, "ABC"));
  EXPECT_TRUE(ListedInDotHidden(folder_, "abc"));
  EXPECT_EQ(DosAttrib(Real("abc")), "0x6");
  EXPECT_TRUE(prefix_.fs().SetAttributes(Win("ABC"), kAttrNone)) << "the program's files: any case";
  EXPECT_EQ(DosAttrib(Real("abc")), "");
}

// What a replacement of .hidden killed part-way left in the folder goes at
// the next change of that .hidden: regular files of exactly the program's
// temporary form, never anything a link leads to.
TEST_F(PosixAttributes, LeftoverTemporaryFilesGoAtTheNextChangeOfDotHidden) {
  const std::string leftover = ".quillomar-0123456789abcdef.tmp";
  const std::string lookalike = ".quillomar-0123456789ABCDEF.tmp";
  const std::string link = ".quillomar-fedcba9876543210.tmp";
  const std::string elsewhere = prefix_.root() + "/elsewhere";
  WriteAll(Real("item"), "");
  WriteAll(Real(leftover), "other\n");
  WriteAll(Real(lookalike), "");
  WriteAll(elsewhere, "");
  fs::create_symlink(elsewhere, Real(link));
  ASSERT_TRUE(prefix_.fs().SetAttributes(Win("item"), kAttrHiddenSystem));
  EXPECT_FALSE(fs::exists(Real(leftover)));
  EXPECT_TRUE(fs::exists(Real(lookalike)));
  EXPECT_TRUE(fs::is_symlink(Real(link)));
  EXPECT_TRUE(fs::exists(elsewhere));
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

namespace {

// Samba's binary record as NDR lays it out: the hex string and its NUL, a
// pad to 2, the version twice, a pad to 4, then the version's words, each
// little-endian.
std::string SambaRecord(std::uint16_t version, std::initializer_list<std::uint32_t> words,
                        const std::string& hex = "") {
  std::string value = hex + '\0';
  if (value.size() % 2 != 0) value += '\0';
  for (int twice = 0; twice < 2; ++twice) {
    value += static_cast<char>(version & 0xFF);
    value += static_cast<char>(version >> 8);
  }
  while (value.size() % 4 != 0) value += '\0';
  for (std::uint32_t word : words) {
    for (int shift = 0; shift < 32; shift += 8) value += static_cast<char>((word >> shift) & 0xFF);
  }
  return value;
}

TEST_F(PosixAttributes, DosAttribInEveryFormDecidesWhereItIsPresent) {
  struct Case {
    const char* what;
    std::string value;  // "" for none
    std::uint32_t expected;
  };
  using std::string_literals::operator""s;
  const Case cases[] = {
      {"text", "0x6", kAttrHiddenSystem},
      {"text with a NUL", "0x22\0"s, kAttrHidden | kAttrArchive},
      {"text clearing hidden", "0x20", kAttrArchive},
      // What Samba 4.17's "setmode +hs" leaves on a folder, byte for byte.
      {"Samba 4.17, version 5",
       "\0\0\x05\0\x05\0\0\0\x11\0\0\0\x16\0\0\0\x80\x3e\xd5\xde\xb1\x9d\x01\x00"s,
       kAttrHiddenSystem},
      {"version 5 after a hex string", SambaRecord(5, {0x11, 0x06, 0, 0}, "0x20"), kAttrHiddenSystem},
      {"version 5, hidden cleared", SambaRecord(5, {0x11, 0x20, 0, 0}), kAttrArchive},
      {"version 4", SambaRecord(4, {0x1, 0x02, 0, 0, 0, 0}), kAttrHidden},
      {"version 3", SambaRecord(3, {0x1, 0x04, 0, 0, 0, 0, 0, 0}), platform::kAttrSystem},
      {"version 2", SambaRecord(2, {0x0, 0x06, 0, 0}), kAttrHiddenSystem},
      {"version 1", SambaRecord(1, {0x06, 0, 0}), kAttrHiddenSystem},
      {"version 0xFFFF keeps the hex string", "0x2"s + SambaRecord(0xFFFF, {}), kAttrHidden},
      // smbd reads the word whatever the valid-flags say.
      {"attribute not marked valid", SambaRecord(5, {0x10, 0x00, 0, 0}), platform::kAttrNone},
      {"hidden, not marked valid", SambaRecord(5, {0x10, 0x06, 0, 0}), kAttrHiddenSystem},
      {"version 4, not marked valid", SambaRecord(4, {0x0, 0x04, 0, 0, 0, 0}), platform::kAttrSystem},
      // No form at all: as if there were none.
      {"versions that differ", "\0\x05\x00\x04\x00\x01\0\0\0\0\0\0\0"s, kAttrHidden},
      {"cut short", SambaRecord(5, {0x11}), kAttrHidden},
      {"unknown version", SambaRecord(9, {0x1, 0x0}), kAttrHidden},
      {"none", "", kAttrHidden},
  };
  // Every item is listed in .hidden too: the attribute, where it has one,
  // decides over that line.
  WriteAll(Real("item"), "");
  WriteAll(Real(".hidden"), "item\n");
  for (const Case& c : cases) {
    ::removexattr(Real("item").c_str(), "user.DOSATTRIB");
    if (!c.value.empty()) SetDosAttrib(Real("item"), c.value);
    EXPECT_EQ(prefix_.fs().GetAttributes(Win("item")), c.expected) << c.what;
  }
}

// A change keeps Samba's record in its own form: only the attribute word's
// hidden, system, archive and read-only bits change, and it is marked valid.
TEST_F(PosixAttributes, AChangeRewritesSambasRecordInItsOwnForm) {
  struct Case {
    const char* what;
    std::string before;
    std::uint32_t attributes;
    std::string after;  // "" for no attribute
  };
  const Case cases[] = {
      {"version 5 hidden", SambaRecord(5, {0x11, 0x20, 0xAABBCCDD, 0x01D9}), kAttrHiddenSystem,
       SambaRecord(5, {0x11, 0x06, 0xAABBCCDD, 0x01D9})},
      {"version 5 shown, a folder's bit kept", SambaRecord(5, {0x11, 0x16, 7, 8}), platform::kAttrNone,
       SambaRecord(5, {0x11, 0x10, 7, 8})},
      {"a word not marked valid made valid, a folder's bit kept", SambaRecord(5, {0x10, 0x37, 7, 8}),
       kAttrHiddenSystem, SambaRecord(5, {0x11, 0x16, 7, 8})},
      {"version 4 after a hex string", SambaRecord(4, {0x1, 0x21, 1, 2, 3, 4, 5, 6}, "0x21"),
       platform::kAttrNone, SambaRecord(4, {0x1, 0x00, 1, 2, 3, 4, 5, 6}, "0x21")},
      {"version 1", SambaRecord(1, {0x20, 9, 9}), kAttrHiddenSystem, SambaRecord(1, {0x06, 9, 9})},
      {"text", "0x20", kAttrHiddenSystem, "0x6"},
      {"text cleared", "0x6", platform::kAttrNone, ""},
  };
  WriteAll(Real("item"), "");
  for (const Case& c : cases) {
    SetDosAttrib(Real("item"), c.before);
    ASSERT_TRUE(prefix_.fs().SetAttributes(Win("item"), c.attributes)) << c.what;
    EXPECT_EQ(DosAttrib(Real("item")), c.after) << c.what;
    EXPECT_EQ(prefix_.fs().GetAttributes(Win("item")), c.attributes) << c.what;
  }
}

}  // namespace

namespace {

// One call over many items of one folder: its .hidden changes once, and
// each name is found as the item-by-item resolution would find it.
TEST_F(PosixAttributes, ManyItemsOfAFolderChangeItsDotHiddenAtOnce) {
  for (const char* name : {"a", "b", "c", "Mixed", "mixed"}) WriteAll(Real(name), name);
  WriteAll(Real(".hidden"), "keep\na\r\nb\nb\n");
  const ino_t before = Status(Real(".hidden")).st_ino;
  const std::vector<std::string> paths = {Win("a"), Win("B"), Win("c"), Win("c"), Win("mixed"), Win("gone")};

  // Hiding appends each name that is missing once ("a\r" is another
  // name), in one write: the file stays the same file.
  EXPECT_EQ(prefix_.fs().SetAttributesOfItems(paths, kAttrHiddenSystem),
            (std::vector<bool>{true, true, true, true, true, false}));
  EXPECT_EQ(ReadAll(Real(".hidden")), "keep\na\r\nb\nb\na\nc\nmixed\n");
  EXPECT_EQ(Status(Real(".hidden")).st_ino, before);
  // The exact name first: "Mixed" is another item and stays as it was.
  EXPECT_EQ(DosAttrib(Real("mixed")), "0x6");
  EXPECT_EQ(DosAttrib(Real("Mixed")), "");

  // Showing takes every line of each name (and no other) in one replacement.
  EXPECT_EQ(prefix_.fs().SetAttributesOfItems(paths, kAttrNone),
            (std::vector<bool>{true, true, true, true, true, false}));
  EXPECT_EQ(ReadAll(Real(".hidden")), "keep\na\r\n");
  for (const char* name : {"a", "b", "c", "mixed"}) EXPECT_EQ(DosAttrib(Real(name)), "") << name;
}

// Lines of items that are gone go when they are shown again or deleted, so
// that a new item of that name does not come up hidden; hiding a gone item
// adds nothing.
TEST_F(PosixAttributes, ItemsThatAreGoneLeaveNoLineInDotHidden) {
  WriteAll(Real("victim"), "v");
  WriteAll(Real(".hidden"), "keep\ngone\nvictim\n");
  EXPECT_EQ(prefix_.fs().SetAttributesOfItems({Win("never"), Win("other")}, kAttrHiddenSystem),
            (std::vector<bool>{false, false}));
  EXPECT_EQ(prefix_.fs().SetAttributesOfItems({Win("gone")}, kAttrNone), (std::vector<bool>{false}));
  EXPECT_EQ(ReadAll(Real(".hidden")), "keep\nvictim\n");
  ASSERT_TRUE(prefix_.fs().DeleteFile(Win("victim")));
  EXPECT_EQ(ReadAll(Real(".hidden")), "keep\n");
}

// A .hidden that cannot be changed names itself for every entry of its
// folder, and the entries of other folders are not held back by it.
TEST_F(PosixAttributes, AnUnchangeableDotHiddenFailsItsOwnFolderOnly) {
  fs::create_directory(Real("Other"));
  for (const char* name : {"a", "b", "Other/c"}) WriteAll(Real(name), "x");
  fs::create_directory(Real(".hidden"));  // not a regular file: never written
  const std::vector<platform::AttributesResult> results = prefix_.fs().SetEntriesAttributes(
      {{"C:\\Data", "a"}, {"C:\\Data\\Other", "c"}, {"C:\\Data", "b"}}, kAttrHiddenSystem);
  ASSERT_EQ(results.size(), 3u);
  EXPECT_FALSE(results[0].applied);
  EXPECT_EQ(results[0].unlisted_in, "C:\\Data\\.hidden");
  EXPECT_TRUE(results[1].applied);
  EXPECT_EQ(results[1].unlisted_in, "");
  EXPECT_EQ(results[2].unlisted_in, "C:\\Data\\.hidden");
  EXPECT_TRUE(ListedInDotHidden(Real("Other"), "c"));
}

}  // namespace
