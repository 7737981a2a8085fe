// The record files hold passwords in plain text: the data folder and every
// record file the program makes belong to the owner alone, whatever the
// umask, and a mode the owner chose survives every rewrite.

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
namespace records = store::records;
using testing_support::TempPrefix;

constexpr mode_t kOwnerOnlyFile = 0600;
constexpr mode_t kOwnerOnlyFolder = 0700;

mode_t Mode(const std::string& real_path) {
  struct stat status {};
  return ::stat(real_path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 07777;
}

// Sets the process umask for one test and puts the old one back afterwards.
class UmaskScope {
 public:
  explicit UmaskScope(mode_t mask) : old_(::umask(mask)) {}
  ~UmaskScope() { ::umask(old_); }
  UmaskScope(const UmaskScope&) = delete;
  UmaskScope& operator=(const UmaskScope&) = delete;

 private:
  mode_t old_;
};

class PermissionsTest : public ::testing::Test {
 protected:
  std::string Native(const std::string& path) { return prefix_->fs().NativePath(path); }
  platform::FileSystem& files() { return prefix_->fs(); }
  void MakeItem(const std::string& path) { testing_support::WriteAll(Native(path), "x"); }

  // Made after the umask is set, since the file system reads it once.
  std::unique_ptr<TempPrefix> prefix_;
};

TEST_F(PermissionsTest, TheStoreIsTheOwnersAloneEvenWithAnOpenUmask) {
  UmaskScope open_umask(0);
  prefix_ = std::make_unique<TempPrefix>();

  ASSERT_TRUE(store::InitialiseStore(files()));
  for (const char* folder : {"C:\\WINDOWS", "C:\\WINDOWS\\zizodo", records::kDataFolder}) {
    EXPECT_EQ(Mode(Native(folder)), kOwnerOnlyFolder) << folder;
  }
  EXPECT_EQ(Mode(Native(records::kSettingsFile)), kOwnerOnlyFile);
  EXPECT_EQ(Mode(Native(records::AccountFile("name"))), kOwnerOnlyFile);

  store::AddUserEntry(files(), "Ann", "annpw");
  store::CreateAccountFile(files(), "Ann");
  EXPECT_EQ(Mode(Native(records::AccountFile("Ann"))), kOwnerOnlyFile);

  MakeItem("D:\\item.txt");
  ASSERT_EQ(engine::HideItem(files(), "Ann", "D:\\item.txt"), "1");
  store::MakeMirrorCopy(files());
  for (const auto& entry : fs::directory_iterator(Native(records::kDataFolder))) {
    if (entry.path().filename() == ".hidden") continue;  // names only, as file managers need it
    EXPECT_EQ(Mode(entry.path()), kOwnerOnlyFile) << entry.path();
  }
  EXPECT_EQ(Mode(Native(records::kMirrorFile)), kOwnerOnlyFile);
  EXPECT_EQ(Mode(prefix_->prefix() + "/quillomar.lock"), kOwnerOnlyFile);
}

TEST_F(PermissionsTest, ModesTheOwnerChoseSurviveRewritesAndANewMirrorIsPrivate) {
  UmaskScope usual_umask(022);
  prefix_ = std::make_unique<TempPrefix>();
  ASSERT_TRUE(store::InitialiseStore(files()));
  store::CreateAccountFile(files(), "Ann");
  MakeItem("D:\\a.txt");
  MakeItem("D:\\b.txt");
  ASSERT_EQ(engine::HideItem(files(), "Ann", "D:\\a.txt"), "1");

  // Shared with the owner's group on purpose: kept by every later rewrite.
  const std::string settings = Native(records::kSettingsFile);
  const std::string ann = Native(records::AccountFile("Ann"));
  const std::string global = Native(records::kGlobalRecordFile);
  fs::permissions(settings, fs::perms(0640));
  fs::permissions(ann, fs::perms(0640));
  fs::permissions(global, fs::perms(0644));
  ASSERT_EQ(engine::HideItem(files(), "Ann", "D:\\b.txt"), "2");
  engine::Restore(files(), "Ann", {{"D:\\a.txt", false}, {"D:\\b.txt", true}});
  store::AddUserEntry(files(), "Bob", "pw");
  EXPECT_EQ(Mode(settings), 0640u);
  EXPECT_EQ(Mode(ann), 0640u);
  EXPECT_EQ(Mode(global), 0644u);
  EXPECT_EQ(files().GetAttributes(records::AccountFile("Ann")), platform::kAttrHiddenSystem);

  // The rename keeps the administrator's file as it was.
  fs::permissions(Native(records::AccountFile("name")), fs::perms(0640));
  ASSERT_TRUE(store::RenameAdministrator(files(), "name", "Boss", "pw"));
  EXPECT_EQ(Mode(Native(records::AccountFile("Boss"))), 0640u);

  // A new mirror holds where the hidden items are: the owner's alone, even
  // when the global record was opened to others. An existing mirror keeps
  // the mode its owner gave it.
  store::MakeMirrorCopy(files());
  const std::string mirror = Native(records::kMirrorFile);
  EXPECT_EQ(testing_support::ReadAll(mirror), testing_support::ReadAll(global));
  EXPECT_EQ(Mode(mirror), kOwnerOnlyFile);
  fs::permissions(mirror, fs::perms(0640));
  store::MakeMirrorCopy(files());
  EXPECT_EQ(Mode(mirror), 0640u);
}

}  // namespace
