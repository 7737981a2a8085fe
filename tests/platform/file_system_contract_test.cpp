// What every FileSystem backend must do, written against the interface
// alone so that a second backend runs the same suite.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/memory/memory_file_system.h"
#include "tests/support/temp_prefix.h"

namespace {

using platform::DirEntry;
using platform::FileSystem;
using platform::kAttrArchive;
using platform::kAttrDirectory;
using platform::kAttrHiddenSystem;
using platform::kAttrNone;
using platform::kAttrReadOnly;
using platform::ReadStatus;

// The backend of this build (Linux, or Windows under its own test drives) on
// a fresh temporary prefix, working in C:\work.
class PrefixBackend {
 public:
  PrefixBackend() { prefix_.fs().CreateFolder(kWork); }
  FileSystem& fs() { return prefix_.fs(); }
  static constexpr char kWork[] = "C:\\work";

 private:
  testing_support::TempPrefix prefix_;
};

// The file system in memory, working in C:\work.
class MemoryBackend {
 public:
  MemoryBackend() : fs_(platform::MakeMemoryFileSystem()) { fs_->CreateFolder(kWork); }
  FileSystem& fs() { return *fs_; }
  static constexpr char kWork[] = "C:\\work";

 private:
  std::unique_ptr<FileSystem> fs_;
};

template <typename Backend>
class FileSystemContract : public ::testing::Test {
 protected:
  FileSystem& fs() { return backend_.fs(); }
  // The Windows path of `relative` inside the work folder.
  static std::string At(const std::string& relative) {
    return std::string(Backend::kWork) + "\\" + relative;
  }
  void Write(const std::string& relative, const std::string& bytes) {
    ASSERT_TRUE(fs().ReplaceFile(At(relative), bytes)) << relative;
  }
  // The item's attributes without archive: Windows sets that bit by itself
  // when a file is written (Wine reports it on every file), so the contract
  // leaves it out.
  std::optional<std::uint32_t> Attributes(const std::string& relative) {
    std::optional<std::uint32_t> attributes = fs().GetAttributes(At(relative));
    if (attributes) *attributes &= ~kAttrArchive;
    return attributes;
  }
  // The file's bytes, or a marker that no test expects.
  std::string Read(const std::string& relative) {
    platform::ReadResult result = fs().ReadFile(At(relative));
    return result.status == ReadStatus::kOk ? result.bytes : "<unreadable>";
  }
  // The listing of the folder without names that start with a dot: "." and
  // "..", and the bookkeeping files that a backend may keep (".hidden").
  std::vector<DirEntry> Entries(const std::string& relative) {
    std::vector<DirEntry> out;
    for (const DirEntry& entry : fs().ListFolder(At(relative)).value_or(std::vector<DirEntry>{})) {
      if (entry.name.front() != '.') out.push_back(entry);
    }
    return out;
  }

  Backend backend_;
};

using Backends = ::testing::Types<PrefixBackend, MemoryBackend>;
TYPED_TEST_SUITE(FileSystemContract, Backends);

TYPED_TEST(FileSystemContract, NamesMatchWithoutRegardToLetterCase) {
  ASSERT_TRUE(this->fs().CreateFolder(this->At("Data")));
  this->Write("Data\\name.INI", "one");
  EXPECT_TRUE(this->fs().FileExists(this->At("DATA\\name.ini")));
  EXPECT_EQ(this->Read("data\\NAME.Ini"), "one");

  // Writing under another spelling replaces the one file; it keeps its name.
  this->Write("dAtA\\NAME.ini", "two");
  std::vector<DirEntry> entries = this->Entries("Data");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "name.INI");
  EXPECT_EQ(this->Read("Data\\name.INI"), "two");
}

TYPED_TEST(FileSystemContract, AttributeSetsAreMadeExactAndReadBack) {
  this->Write("file.txt", "x");
  ASSERT_TRUE(this->fs().CreateFolder(this->At("Folder")));

  ASSERT_TRUE(this->fs().SetAttributes(this->At("file.txt"), kAttrHiddenSystem));
  ASSERT_TRUE(this->fs().SetAttributes(this->At("Folder"), kAttrHiddenSystem));
  EXPECT_EQ(this->Attributes("file.txt"), kAttrHiddenSystem);
  EXPECT_EQ(this->Attributes("Folder"), kAttrHiddenSystem | kAttrDirectory);

  ASSERT_TRUE(this->fs().SetAttributes(this->At("file.txt"), kAttrReadOnly));
  EXPECT_EQ(this->Attributes("file.txt"), kAttrReadOnly);
  // Folders never report read-only.
  this->fs().SetAttributes(this->At("Folder"), kAttrReadOnly);
  EXPECT_EQ(this->Attributes("Folder"), kAttrDirectory);

  ASSERT_TRUE(this->fs().SetAttributes(this->At("file.txt"), kAttrNone));
  ASSERT_TRUE(this->fs().SetAttributes(this->At("Folder"), kAttrNone));
  EXPECT_EQ(this->Attributes("file.txt"), kAttrNone);
  EXPECT_EQ(this->Attributes("Folder"), kAttrDirectory);

  EXPECT_FALSE(this->fs().SetAttributes(this->At("missing"), kAttrHiddenSystem));
  EXPECT_EQ(this->Attributes("missing"), std::nullopt);
}

TYPED_TEST(FileSystemContract, AnEntryIsActedOnByItsExactNameOnly) {
  this->Write("Entry.txt", "x");
  const platform::FolderEntry entry{TypeParam::kWork, "Entry.txt"};
  platform::AttributesResult result = this->fs().SetEntryAttributes(entry, kAttrHiddenSystem);
  EXPECT_TRUE(result.applied);
  EXPECT_EQ(result.unlisted_in, "");
  EXPECT_EQ(this->Attributes("Entry.txt"), kAttrHiddenSystem);
  // A name is one name: it never leads through a separator to another entry.
  EXPECT_FALSE(this->fs().SetEntryAttributes({TypeParam::kWork, "..\\work\\Entry.txt"}, kAttrNone).applied);
  EXPECT_EQ(this->Attributes("Entry.txt"), kAttrHiddenSystem);
  EXPECT_TRUE(this->fs().SetEntryAttributes(entry, kAttrNone).applied);
  EXPECT_EQ(this->Attributes("Entry.txt"), kAttrNone);

  // Renaming keeps it in its folder and never overwrites.
  this->Write("taken.txt", "t");
  EXPECT_FALSE(this->fs().RenameEntry(entry, "TAKEN.txt"));
  EXPECT_FALSE(this->fs().RenameEntry(entry, "sub\\moved.txt"));
  EXPECT_TRUE(this->fs().RenameEntry(entry, "renamed.txt"));
  EXPECT_EQ(this->Read("renamed.txt"), "x");
  EXPECT_FALSE(this->fs().FileExists(this->At("Entry.txt")));
}

TYPED_TEST(FileSystemContract, ManyItemsChangeInOneCallEachAsItWouldAlone) {
  ASSERT_TRUE(this->fs().CreateFolder(this->At("one")));
  ASSERT_TRUE(this->fs().CreateFolder(this->At("two")));
  for (const char* file : {"one\\a.txt", "one\\B.txt", "two\\c.txt"}) this->Write(file, "x");
  // Two folders, another letter case, a path twice, a missing item and a
  // missing folder: one result for each, in order.
  const std::vector<std::string> paths = {this->At("one\\a.txt"), this->At("ONE\\b.TXT"), this->At("two\\c.txt"),
                                          this->At("one\\a.txt"), this->At("one\\missing"), this->At("gone\\x")};
  EXPECT_EQ(this->fs().SetAttributesOfItems(paths, kAttrHiddenSystem),
            (std::vector<bool>{true, true, true, true, false, false}));
  for (const char* file : {"one\\a.txt", "one\\B.txt", "two\\c.txt"}) {
    EXPECT_EQ(this->Attributes(file), kAttrHiddenSystem) << file;
  }

  const std::vector<platform::AttributesResult> results = this->fs().SetEntriesAttributes(
      {{this->At("one"), "a.txt"}, {this->At("two"), "c.txt"}, {this->At("one"), "none.txt"}}, kAttrNone);
  ASSERT_EQ(results.size(), 3u);
  EXPECT_TRUE(results[0].applied);
  EXPECT_TRUE(results[1].applied);
  EXPECT_FALSE(results[2].applied);
  EXPECT_EQ(this->Attributes("one\\a.txt"), kAttrNone);
  EXPECT_EQ(this->Attributes("two\\c.txt"), kAttrNone);
  EXPECT_EQ(this->Attributes("one\\B.txt"), kAttrHiddenSystem);
  EXPECT_TRUE(this->fs().SetAttributesOfItems({}, kAttrNone).empty());
}

TYPED_TEST(FileSystemContract, ASecondNameLeadsToTheSameFileAndNeverOverwrites) {
  this->Write("name.INI", "list");
  this->Write("taken.INI", "other");
  ASSERT_TRUE(this->fs().LinkFile(this->At("name.INI"), this->At("Boss.INI")));
  EXPECT_EQ(this->Read("boss.ini"), "list");
  EXPECT_EQ(this->fs().Stamp(this->At("Boss.INI"))->inode, this->fs().Stamp(this->At("name.INI"))->inode);
  EXPECT_FALSE(this->fs().LinkFile(this->At("name.INI"), this->At("TAKEN.ini")));
  EXPECT_FALSE(this->fs().LinkFile(this->At("absent.INI"), this->At("new.INI")));
  EXPECT_EQ(this->Read("taken.INI"), "other");
  EXPECT_TRUE(this->fs().DeleteFile(this->At("name.INI")));
  EXPECT_EQ(this->Read("Boss.INI"), "list");
}

TYPED_TEST(FileSystemContract, LeftoverTemporaryFilesGoAndNothingElse) {
  this->Write("keep.ini", "k");
  // A replacement that is under way leaves nothing behind once done.
  this->Write("keep.ini", "kept");
  EXPECT_TRUE(this->fs().RemoveLeftoverTemporaryFiles(TypeParam::kWork));
  std::vector<std::string> names;
  for (const DirEntry& entry : this->Entries("")) names.push_back(entry.name);
  EXPECT_EQ(names, std::vector<std::string>{"keep.ini"});
  EXPECT_EQ(this->Read("keep.ini"), "kept");
}

TYPED_TEST(FileSystemContract, ReadOnlyFilesRefuseChangesUntilCleared) {
  this->Write("locked.ini", "old");
  this->Write("source.ini", "new");
  ASSERT_TRUE(this->fs().SetAttributes(this->At("locked.ini"), kAttrReadOnly));

  EXPECT_FALSE(this->fs().ReplaceFile(this->At("locked.ini"), "new"));
  EXPECT_FALSE(this->fs().CopyFile(this->At("source.ini"), this->At("locked.ini")));
  EXPECT_FALSE(this->fs().DeleteFile(this->At("locked.ini")));
  EXPECT_EQ(this->Read("locked.ini"), "old");

  ASSERT_TRUE(this->fs().SetAttributes(this->At("locked.ini"), kAttrNone));
  EXPECT_TRUE(this->fs().ReplaceFile(this->At("locked.ini"), "new"));
  EXPECT_EQ(this->Read("locked.ini"), "new");
}

TYPED_TEST(FileSystemContract, ReplaceFileKeepsAttributesAndNeedsItsFolder) {
  this->Write("record.ini", "v1");
  ASSERT_TRUE(this->fs().SetAttributes(this->At("record.ini"), kAttrHiddenSystem));
  this->Write("record.ini", "v2");
  EXPECT_EQ(this->Read("record.ini"), "v2");
  EXPECT_EQ(this->Attributes("record.ini"), kAttrHiddenSystem);

  EXPECT_FALSE(this->fs().ReplaceFile(this->At("missing\\record.ini"), "x"));
  EXPECT_FALSE(this->fs().FolderExists(this->At("missing")));
  // A folder in the file's place is not replaced.
  ASSERT_TRUE(this->fs().CreateFolder(this->At("taken")));
  EXPECT_FALSE(this->fs().ReplaceFile(this->At("taken"), "x"));
  EXPECT_TRUE(this->fs().FolderExists(this->At("taken")));
}

TYPED_TEST(FileSystemContract, ReadFileTellsAbsentFromUnreadable) {
  this->Write("empty.ini", "");
  ASSERT_TRUE(this->fs().CreateFolder(this->At("folder.ini")));
  EXPECT_EQ(this->fs().ReadFile(this->At("empty.ini")).status, ReadStatus::kOk);
  EXPECT_EQ(this->fs().ReadFile(this->At("absent.ini")).status, ReadStatus::kAbsent);
  EXPECT_EQ(this->fs().ReadFile(this->At("no\\such\\absent.ini")).status, ReadStatus::kAbsent);
  EXPECT_EQ(this->fs().ReadFile(this->At("folder.ini")).status, ReadStatus::kError);
}

TYPED_TEST(FileSystemContract, MoveFileRenamesButNeverOverwrites) {
  this->Write("a.ini", "a");
  this->Write("name.ini", "taken");
  EXPECT_TRUE(this->fs().MoveFile(this->At("a.ini"), this->At("b.INI")));
  EXPECT_FALSE(this->fs().FileExists(this->At("a.ini")));
  EXPECT_EQ(this->Read("b.INI"), "a");

  EXPECT_FALSE(this->fs().MoveFile(this->At("b.INI"), this->At("name.ini")));
  EXPECT_FALSE(this->fs().MoveFile(this->At("b.INI"), this->At("NAME.INI")));
  EXPECT_FALSE(this->fs().MoveFile(this->At("gone.ini"), this->At("c.ini")));
  EXPECT_EQ(this->Read("b.INI"), "a");
  EXPECT_EQ(this->Read("name.ini"), "taken");
  EXPECT_FALSE(this->fs().FileExists(this->At("c.ini")));
}

TYPED_TEST(FileSystemContract, CopyFileReplacesTheTargetOnlyFromAFile) {
  this->Write("biefei.INI", "global");
  this->Write("mirror.ini", "stale");
  EXPECT_TRUE(this->fs().CopyFile(this->At("biefei.ini"), this->At("mirror.ini")));
  EXPECT_TRUE(this->fs().CopyFile(this->At("biefei.ini"), this->At("new.ini")));
  EXPECT_EQ(this->Read("mirror.ini"), "global");
  EXPECT_EQ(this->Read("new.ini"), "global");
  EXPECT_EQ(this->Read("biefei.INI"), "global");

  ASSERT_TRUE(this->fs().CreateFolder(this->At("folder")));
  EXPECT_FALSE(this->fs().CopyFile(this->At("absent.ini"), this->At("mirror.ini")));
  EXPECT_FALSE(this->fs().CopyFile(this->At("folder"), this->At("mirror.ini")));
  EXPECT_EQ(this->Read("mirror.ini"), "global");
}

TYPED_TEST(FileSystemContract, CopyFileOntoAHiddenTargetKeepsItHidden) {
  // The mirror of the global record is hidden and refreshed by copying.
  this->Write("biefei.INI", "global");
  this->Write("mirror.ini", "stale");
  ASSERT_TRUE(this->fs().SetAttributes(this->At("mirror.ini"), kAttrHiddenSystem));
  EXPECT_TRUE(this->fs().CopyFile(this->At("biefei.INI"), this->At("mirror.ini")));
  EXPECT_EQ(this->Read("mirror.ini"), "global");
  EXPECT_EQ(this->Attributes("mirror.ini"), kAttrHiddenSystem);
  EXPECT_EQ(this->Attributes("biefei.INI"), kAttrNone);
}

TYPED_TEST(FileSystemContract, DeletionTellsFilesFromFolders) {
  ASSERT_TRUE(this->fs().CreateFolder(this->At("store\\inner\\deeper")));
  this->Write("store\\a.ini", "a");
  this->Write("store\\inner\\deeper\\b.ini", "b");
  ASSERT_TRUE(this->fs().SetAttributes(this->At("store\\a.ini"), kAttrReadOnly | kAttrHiddenSystem));

  EXPECT_FALSE(this->fs().DeleteFile(this->At("store\\inner")));
  EXPECT_FALSE(this->fs().DeleteFolder(this->At("store\\inner\\deeper\\b.ini")));
  EXPECT_TRUE(this->fs().DeleteFile(this->At("store\\inner\\deeper\\b.ini")));
  EXPECT_FALSE(this->fs().DeleteFile(this->At("store\\inner\\deeper\\b.ini")));

  EXPECT_TRUE(this->fs().DeleteFolder(this->At("STORE")));
  EXPECT_FALSE(this->fs().FolderExists(this->At("store")));
  EXPECT_FALSE(this->fs().DeleteFolder(this->At("store")));
}

TYPED_TEST(FileSystemContract, ListFolderGivesEveryEntryWithItsAttributes) {
  ASSERT_TRUE(this->fs().CreateFolder(this->At("list\\sub")));
  this->Write("list\\file.txt", "x");
  ASSERT_TRUE(this->fs().SetAttributes(this->At("list\\file.txt"), kAttrHiddenSystem));

  std::optional<std::vector<DirEntry>> listing = this->fs().ListFolder(this->At("list"));
  ASSERT_TRUE(listing.has_value());
  std::map<std::string, std::uint32_t> seen;
  for (const DirEntry& entry : *listing) {
    if (entry.name.front() != '.' || entry.name == "." || entry.name == "..") {
      seen[entry.name] = entry.attributes & ~kAttrArchive;
    }
  }
  EXPECT_EQ(seen, (std::map<std::string, std::uint32_t>{{".", kAttrDirectory},
                                                        {"..", kAttrDirectory},
                                                        {"file.txt", kAttrHiddenSystem},
                                                        {"sub", kAttrDirectory}}));
  EXPECT_EQ(this->fs().ListFolder(this->At("absent")), std::nullopt);
  EXPECT_EQ(this->fs().ListFolder(this->At("list\\file.txt")), std::nullopt);
  // The names alone, in the same order.
  std::vector<std::string> names;
  for (const DirEntry& entry : *listing) names.push_back(entry.name);
  EXPECT_EQ(this->fs().ListFolderNames(this->At("list")), names);
  EXPECT_EQ(this->fs().ListFolderNames(this->At("absent")), std::nullopt);
}

TYPED_TEST(FileSystemContract, CreateFolderSucceedsWhenTheFolderIsThere) {
  EXPECT_TRUE(this->fs().CreateFolder(this->At("x\\y\\z")));
  EXPECT_TRUE(this->fs().FolderExists(this->At("X\\Y\\Z")));
  EXPECT_TRUE(this->fs().CreateFolder(this->At("x\\y")));
  this->Write("x\\file", "");
  EXPECT_FALSE(this->fs().CreateFolder(this->At("x\\file")));
  EXPECT_FALSE(this->fs().CreateFolder(this->At("x\\file\\below")));
  EXPECT_FALSE(this->fs().FileExists(this->At("x\\y")));
}

TYPED_TEST(FileSystemContract, StampChangesWhenTheContentDoes) {
  EXPECT_EQ(this->fs().Stamp(this->At("s.ini")), std::nullopt);
  this->Write("s.ini", "1");
  std::optional<platform::FileStamp> first = this->fs().Stamp(this->At("s.ini"));
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(this->fs().Stamp(this->At("S.INI")), first);
  this->Write("s.ini", "2");
  EXPECT_NE(this->fs().Stamp(this->At("s.ini")), first);
}

// A replacement tells the stamp the file then shows, and a stamped read
// reads nothing when its reader knows the stamp or refuses the size.
TYPED_TEST(FileSystemContract, StampedReadsAndReplacementsAgreeOnTheStamp) {
  using platform::StampVerdict;
  const platform::Replacement written = this->fs().ReplaceFileStamped(this->At("s.ini"), "12345");
  ASSERT_TRUE(written.replaced);
  ASSERT_TRUE(written.stamp.has_value());
  EXPECT_EQ(this->fs().Stamp(this->At("s.ini")), written.stamp);

  const auto answer = [](StampVerdict verdict) {
    return [verdict](const platform::FileStamp&) { return verdict; };
  };
  const platform::StampedRead read = this->fs().ReadStamped(this->At("s.ini"), answer(StampVerdict::kRead));
  EXPECT_EQ(read.status, ReadStatus::kOk);
  EXPECT_EQ(read.bytes, "12345");
  EXPECT_EQ(read.before, written.stamp);
  EXPECT_EQ(read.after, written.stamp);

  const platform::StampedRead known = this->fs().ReadStamped(this->At("S.INI"), answer(StampVerdict::kKnown));
  EXPECT_TRUE(known.known);
  EXPECT_EQ(known.status, ReadStatus::kOk);
  EXPECT_EQ(known.bytes, "");
  const platform::StampedRead refused = this->fs().ReadStamped(this->At("s.ini"), answer(StampVerdict::kTooLarge));
  EXPECT_EQ(refused.status, ReadStatus::kError);
  EXPECT_EQ(refused.bytes, "");
  EXPECT_EQ(this->fs().ReadStamped(this->At("none.ini"), answer(StampVerdict::kRead)).status, ReadStatus::kAbsent);
  this->fs().CreateFolder(this->At("folder"));
  EXPECT_EQ(this->fs().ReadStamped(this->At("folder"), answer(StampVerdict::kRead)).status, ReadStatus::kError);
  EXPECT_FALSE(this->fs().ReplaceFileStamped(this->At("folder"), "x").replaced);
}

TYPED_TEST(FileSystemContract, PathsWithoutADriveFailQuietly) {
  this->Write("x.ini", "x");
  // Both separators work, as on Windows.
  EXPECT_EQ(this->fs().ReadFile(std::string(TypeParam::kWork) + "/x.ini").bytes, "x");
  for (const std::string path : {"\\\\server\\share\\x.ini", "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
                                 "\\x.ini", ""}) {
    EXPECT_FALSE(this->fs().ReplaceFile(path, "x")) << path;
    EXPECT_EQ(this->fs().ListFolder(path), std::nullopt) << path;
    EXPECT_EQ(this->fs().ReadFile(path).status, ReadStatus::kAbsent) << path;
  }
  EXPECT_FALSE(this->fs().FileExists(this->At(std::string("x.ini\0tail", 10))));
}

}  // namespace
