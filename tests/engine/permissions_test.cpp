// The record files hold passwords in plain text: the data folder and every
// record file the program makes belong to the owner alone, whatever the
// umask, and a mode the owner chose survives every rewrite.

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/find_listing.h"
#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "store/errors.h"
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

namespace {

TEST_F(PermissionsTest, HideRestoreAndFindNeverWidenWhoMayChangeAnItem) {
  struct Case {
    mode_t umask;
    mode_t before;  // the item's mode before it is hidden
  };
  const Case cases[] = {{000, 0644}, {000, 0444}, {002, 0644}, {002, 0640}, {022, 0644}, {022, 0400}};
  for (const Case& c : cases) {
    UmaskScope scope(c.umask);
    prefix_ = std::make_unique<TempPrefix>();
    ASSERT_TRUE(store::InitialiseStore(files()));
    fs::create_directories(Native("D:\\Items"));
    const std::string item = "D:\\Items\\item.txt";
    MakeItem(item);
    fs::permissions(Native(item), fs::perms(c.before));
    // Hidden+system and none both clear read-only: the owner may write again,
    // and nobody else gains anything.
    const mode_t after = c.before | S_IWUSR;
    const std::string where = "umask " + std::to_string(c.umask) + ", mode " + std::to_string(c.before);

    ASSERT_EQ(engine::HideItem(files(), "Ann", item), "1") << where;
    EXPECT_EQ(Mode(Native(item)), after) << where << ", hidden";
    EXPECT_EQ(Mode(Native("D:\\Items") + "/.hidden"), 0644u) << where << ": others may read it, never write it";
    engine::Restore(files(), "Ann", {{item, false}});
    EXPECT_EQ(Mode(Native(item)), after) << where << ", restored";
    fs::permissions(Native(item), fs::perms(c.before));
    engine::ShowFolderEntries(files(), "D:\\Items");
    EXPECT_EQ(Mode(Native(item)), after) << where << ", shown by Find";
  }
}

TEST_F(PermissionsTest, ALinkIsMarkedOnItsOwnEntryAndWhatItLeadsToStaysAsItWas) {
  UmaskScope usual_umask(022);
  prefix_ = std::make_unique<TempPrefix>();
  ASSERT_TRUE(store::InitialiseStore(files()));
  fs::create_directories(Native("D:\\Items"));
  fs::create_directories(Native("D:\\Elsewhere"));
  MakeItem("D:\\Elsewhere\\ro.txt");
  fs::permissions(Native("D:\\Elsewhere\\ro.txt"), fs::perms(0444));
  fs::create_symlink("../Elsewhere/ro.txt", Native("D:\\Items") + "/link");

  ASSERT_EQ(engine::HideItem(files(), "Ann", "D:\\Items\\link"), "1");
  EXPECT_TRUE(testing_support::ListedInDotHidden(Native("D:\\Items"), "link"));
  EXPECT_EQ(files().GetAttributes("D:\\Items\\link"), platform::kAttrHidden);
  engine::ShowFolderEntries(files(), "D:\\Items");
  EXPECT_FALSE(testing_support::ListedInDotHidden(Native("D:\\Items"), "link"));
  // The target: still read-only, never marked.
  const std::string target = Native("D:\\Elsewhere\\ro.txt");
  EXPECT_EQ(Mode(target), 0444u);
  EXPECT_EQ(testing_support::DosAttrib(target), "");
  EXPECT_FALSE(testing_support::ListedInDotHidden(Native("D:\\Elsewhere"), "ro.txt"));
}

TEST_F(PermissionsTest, AFolderWhoseDotHiddenCannotBeWrittenIsNamedAndTheItemStaysAsItWas) {
  prefix_ = std::make_unique<TempPrefix>();
  ASSERT_TRUE(store::InitialiseStore(files()));
  fs::create_directories(Native("D:\\Locked"));
  MakeItem("D:\\Locked\\item.txt");
  fs::permissions(Native("D:\\Locked"), fs::perms(0555));

  try {
    engine::HideItem(files(), "Ann", "D:\\Locked\\item.txt");
    ADD_FAILURE() << "no error";
  } catch (const store::WriteError& error) {
    EXPECT_STREQ(error.what(), "Unable to write to D:\\Locked\\.hidden");
  }
  // File managers would still show it: it is neither marked nor recorded.
  EXPECT_TRUE(engine::LoadList(files(), "Ann").empty());
  EXPECT_TRUE(store::IniFile(files(), store::records::kGlobalRecordFile).ReadSection(store::records::kHiddenItemsSection).empty());
  EXPECT_EQ(testing_support::DosAttrib(Native("D:\\Locked\\item.txt")), "");
  fs::permissions(Native("D:\\Locked"), fs::perms(0755));
}

}  // namespace
