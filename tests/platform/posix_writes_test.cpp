// File replacement, copying and deletion of the Linux backend on real
// permissions, extended attributes and links. The tests run as root too, so
// every refusal here is the backend's own, not the kernel's.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/platform/posix_fixture.h"

namespace {

namespace fs = std::filesystem;
using platform::ReadStatus;
using testing_support::DosAttrib;
using testing_support::ReadAll;
using testing_support::WriteAll;

class PosixWrites : public posix_testing::DataFolderTest {
 protected:
  // The number of entries in the folder, so that a leftover temporary file shows.
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
  static void SetDosAttrib(const std::string& real, const std::string& value) {
    ASSERT_EQ(::setxattr(real.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0), 0);
  }
};

TEST_F(PosixWrites, ReplaceFileKeepsPermissionsAndDosAttrib) {
  WriteAll(Real("zizodo.INI"), "old");
  fs::permissions(Real("zizodo.INI"), fs::perms(0640));
  SetDosAttrib(Real("zizodo.INI"), "0x6");
  ASSERT_TRUE(prefix_.fs().ReplaceFile(Win("ZIZODO.ini"), "new"));
  EXPECT_EQ(ReadAll(Real("zizodo.INI")), "new");
  EXPECT_EQ(Mode(Real("zizodo.INI")), 0640u);
  EXPECT_EQ(DosAttrib(Real("zizodo.INI")), "0x6");

  // New record files and their folders may hold passwords: owner only.
  ASSERT_TRUE(prefix_.fs().ReplaceFile(Win("name.INI"), "[guanlishezhi]\r\n1=1\r\n"));
  EXPECT_EQ(Mode(Real("name.INI")), 0600u);
  EXPECT_EQ(EntryCount(), 2u);
  ASSERT_TRUE(prefix_.fs().CreateFolder("C:\\WINDOWS\\zizodo\\zizodo123"));
  EXPECT_EQ(Mode(prefix_.DriveC() + "/WINDOWS"), 0700u);
  EXPECT_EQ(Mode(prefix_.DriveC() + "/WINDOWS/zizodo/zizodo123"), 0700u);
}

TEST_F(PosixWrites, AnUnwritableFolderRefusesChangesAndKeepsNoTemporaryFile) {
  WriteAll(Real("free.ini"), "free");
  fs::permissions(folder_, fs::perms(0555));
  EXPECT_FALSE(prefix_.fs().ReplaceFile(Win("free.ini"), "x"));
  EXPECT_FALSE(prefix_.fs().ReplaceFile(Win("brand_new.ini"), "x"));
  EXPECT_FALSE(prefix_.fs().MoveFile(Win("free.ini"), Win("moved.ini")));
  EXPECT_FALSE(prefix_.fs().DeleteFile(Win("free.ini")));
  fs::permissions(folder_, fs::perms(0755));
  EXPECT_EQ(ReadAll(Real("free.ini")), "free");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(PosixWrites, ARecordFileThatIsALinkIsNeitherReadNorWrittenThrough) {
  fs::create_directory(prefix_.root() + "/elsewhere");
  const std::string real_file = prefix_.root() + "/elsewhere/record.ini";
  WriteAll(real_file, "old");
  fs::create_symlink(real_file, Real("record.ini"));
  EXPECT_FALSE(prefix_.fs().ReplaceFile(Win("record.ini"), "new"));
  EXPECT_EQ(prefix_.fs().ReadFile(Win("record.ini")).status, ReadStatus::kError);
  EXPECT_TRUE(fs::is_symlink(Real("record.ini")));
  EXPECT_EQ(ReadAll(real_file), "old");
  EXPECT_EQ(EntryCount(), 1u);

  // A link in the mirror's place is replaced by the copy, not written through.
  WriteAll(Real("biefei.INI"), "global");
  fs::remove(Real("record.ini"));
  fs::create_symlink(real_file, Real("record.ini"));
  ASSERT_TRUE(prefix_.fs().CopyFile(Win("biefei.INI"), Win("record.ini")));
  EXPECT_FALSE(fs::is_symlink(Real("record.ini")));
  EXPECT_EQ(ReadAll(Real("record.ini")), "global");
  EXPECT_EQ(ReadAll(real_file), "old");
  // Only a regular file is copied: never what a link leads to.
  fs::remove(Real("biefei.INI"));
  fs::create_symlink(real_file, Real("biefei.INI"));
  EXPECT_FALSE(prefix_.fs().CopyFile(Win("biefei.INI"), Win("record.ini")));
  EXPECT_EQ(ReadAll(Real("record.ini")), "global");
}

TEST_F(PosixWrites, CopyFileKeepsTheTargetsOwnAttributes) {
  WriteAll(Real("biefei.INI"), "global");
  SetDosAttrib(Real("biefei.INI"), "0x20");
  fs::create_directories(prefix_.DriveD());
  WriteAll(prefix_.DriveD() + "/biefei.ini", "stale");
  fs::permissions(prefix_.DriveD() + "/biefei.ini", fs::perms(0640));
  SetDosAttrib(prefix_.DriveD() + "/biefei.ini", "0x6");

  ASSERT_TRUE(prefix_.fs().CopyFile(Win("biefei.ini"), "D:\\biefei.ini"));
  EXPECT_EQ(ReadAll(prefix_.DriveD() + "/biefei.ini"), "global");
  EXPECT_EQ(DosAttrib(prefix_.DriveD() + "/biefei.ini"), "0x6");
  EXPECT_EQ(Mode(prefix_.DriveD() + "/biefei.ini"), 0640u);

  // A new copy gets the bytes only, not the source's attributes.
  ASSERT_TRUE(prefix_.fs().CopyFile(Win("biefei.ini"), Win("copy.ini")));
  EXPECT_EQ(DosAttrib(Real("copy.ini")), "");
}

TEST_F(PosixWrites, DeleteFolderRemovesLinksButNotWhatTheyLeadTo) {
  const std::string outside = prefix_.root() + "/outside";
  fs::create_directories(outside);
  WriteAll(outside + "/keep.txt", "keep");
  fs::create_directories(Real("store/inner"));
  WriteAll(Real("store/inner/a.ini"), "a");
  fs::permissions(Real("store/inner/a.ini"), fs::perms(0400));
  fs::create_directory_symlink(outside, Real("store/inner/link"));
  fs::create_directory_symlink(outside, Real("top_link"));

  EXPECT_TRUE(prefix_.fs().DeleteFolder(Win("store")));
  EXPECT_FALSE(fs::exists(Real("store")));
  EXPECT_TRUE(prefix_.fs().DeleteFolder(Win("top_link")));
  EXPECT_FALSE(fs::is_symlink(Real("top_link")));
  EXPECT_EQ(ReadAll(outside + "/keep.txt"), "keep");

  // A drive's own folder is never deleted.
  EXPECT_FALSE(prefix_.fs().DeleteFolder("C:\\"));
  EXPECT_FALSE(prefix_.fs().DeleteFolder("C:"));
  EXPECT_TRUE(fs::exists(folder_));
}

TEST_F(PosixWrites, ReadFileOfSomethingElseThanAFileFailsWithoutWaiting) {
  ASSERT_EQ(::mkfifo(Real("pipe").c_str(), 0600), 0);
  EXPECT_EQ(prefix_.fs().ReadFile(Win("pipe")).status, ReadStatus::kError);
  EXPECT_FALSE(prefix_.fs().CopyFile(Win("pipe"), Win("copy")));
  fs::create_symlink(Real("nowhere"), Real("dangling"));
  EXPECT_EQ(prefix_.fs().ReadFile(Win("dangling")).status, ReadStatus::kError);
  EXPECT_FALSE(prefix_.fs().FileExists(Win("dangling")));
}

}  // namespace
