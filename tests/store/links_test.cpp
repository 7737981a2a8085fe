// Links that a user leaves where the store deletes, clears or replaces
// files: in the data folder, as an account file, as the mirror copy. Each
// is acted on as itself; the file or folder it leads to keeps its bytes,
// its marks and its read-only state.

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "store/data_store.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/store/store_fixture.h"
#include "tests/support/file_access.h"

namespace store {
namespace {

namespace r = records;
using testing_support::HiddenMarks;
using testing_support::kHiddenMarks;

constexpr char kTarget[] = "D:\\Elsewhere\\target.txt";
constexpr char kTargetFolder[] = "D:\\Elsewhere\\folder";
constexpr char kInsideTargetFolder[] = "D:\\Elsewhere\\folder\\inside.txt";
constexpr char kTargetBytes[] = "the user's own file";

struct LinkCase {
  const char* what;
  std::string link;  // the Windows path of the link
  bool to_folder;    // it leads to kTargetFolder, else to kTarget
  bool set_up;       // the store is set up first
  std::function<void(platform::FileSystem&)> command;
};

class LinksTest : public store_testing::StoreTest {
 protected:
  std::string Native(const std::string& path) { return fs().NativePath(path); }
  void MakeTargets() {
    testing_support::MakeFolders(Native(kTargetFolder));
    for (const char* file : {kTarget, kInsideTargetFolder}) {
      testing_support::MakeExactFile(Native(file), kTargetBytes);
      ASSERT_TRUE(fs().SetAttributes(file, platform::kAttrHiddenSystem));
    }
    // A read-only file Windows refuses to delete anyway: the one the links
    // lead to is writable, so that only the link's own handling keeps it.
    testing_support::MakeReadOnly(Native(kInsideTargetFolder));
  }
  void ExpectTargetsUntouched(const std::string& where) {
    for (const char* file : {kTarget, kInsideTargetFolder}) {
      EXPECT_EQ(testing_support::ReadExactFile(Native(file)), kTargetBytes) << where << ": " << file;
      EXPECT_EQ(HiddenMarks(Native(file)), kHiddenMarks) << where << ": " << file;
      EXPECT_EQ(testing_support::OwnerMayWrite(Native(file)), file == kTarget) << where << ": " << file;
    }
  }
};

TEST_F(LinksTest, TheStoreActsOnALinkAsItselfAndNeverOnWhatItLeadsTo) {
  const std::string leftover = testing_support::LeftoverName();
  const LinkCase cases[] = {
      {"a leftover's name in the data folder", std::string(r::kDataFolder) + "\\" + leftover, false, true,
       [](platform::FileSystem& files) { RemoveLeftovers(files); }},
      {"a leftover's name beside the mirror", "D:\\" + leftover, false, true,
       [](platform::FileSystem& files) { RemoveLeftovers(files); }},
      {"a file link in a data folder that is reset", std::string(r::kDataFolder) + "\\x.INI", false, false,
       [](platform::FileSystem& files) { ResetStore(files); }},
      {"a folder link in a data folder that is reset", std::string(r::kDataFolder) + "\\sub", true, false,
       [](platform::FileSystem& files) { ResetStore(files); }},
      {"a deleted user's account file", r::AccountFile("Bob"), false, true,
       [](platform::FileSystem& files) { DeleteUserAccount(files, "Bob"); }},
      {"the mirror copy", r::kMirrorFile, false, true,
       [](platform::FileSystem& files) { MakeMirrorCopy(files); }},
      {"a second name of the target under a leftover's name", "D:\\link", false, true,
       [&](platform::FileSystem& files) {
         EXPECT_TRUE(files.LinkFile(kTarget, "D:\\" + leftover));
         RemoveLeftovers(files);
       }},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::RemoveExactTree(prefix_.DriveC() + testing_support::kRealSeparator + "WINDOWS");
    testing_support::RemoveExactTree(Native("D:\\Elsewhere"));
    MakeTargets();
    if (c.set_up) {
      ASSERT_TRUE(InitialiseStore(fs()));
      AddUserEntry(fs(), "Bob", "pw");
    } else {
      testing_support::MakeFolders(Native(r::kDataFolder));
    }
    ASSERT_TRUE(testing_support::MakeLink(Native(c.to_folder ? kTargetFolder : kTarget), Native(c.link)));

    c.command(fs());
    ExpectTargetsUntouched(c.what);
    testing_support::RemoveLink(Native(c.link));
  }
}

TEST_F(LinksTest, TheLeftoverCleanupLeavesAUsersFilesOfSimilarNames) {
  ASSERT_TRUE(InitialiseStore(fs()));
  const std::string leftover = testing_support::LeftoverName();
  // Names of users' files that look like the program's temporary files of
  // either system, or like their older forms.
  const char* const kept[] = {"QLMDATA.TMP",       "qlm0a1b.tmp",       "qlm.tmp",
                              "quillomar.tmp",     ".quillomar-backup", ".hidden.quillomar",
                              ".quillomar-0123456789abcdeF.tmp", ".quillomar-0123456789abcde.tmp"};
  for (const char* folder : {r::kDataFolder, r::kMirrorFolder}) {
    for (const char* name : kept) {
      testing_support::MakeExactFile(Native(std::string(folder) + "\\" + name), kTargetBytes);
    }
    testing_support::MakeExactFile(Native(std::string(folder) + "\\" + leftover), "left over");
  }
  RemoveLeftovers(fs());
  for (const char* folder : {r::kDataFolder, r::kMirrorFolder}) {
    for (const char* name : kept) {
      EXPECT_EQ(testing_support::ReadExactFile(Native(std::string(folder) + "\\" + name)), kTargetBytes)
          << folder << " " << name;
    }
    EXPECT_FALSE(testing_support::ExactExists(Native(std::string(folder) + "\\" + leftover))) << folder;
  }
}

}  // namespace
}  // namespace store
