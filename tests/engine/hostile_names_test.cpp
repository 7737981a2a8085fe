// Names that a Linux folder may hold but a Windows path cannot give back:
// each is hidden, restored, shown by Find and renamed as the entry itself,
// or refused before anything changes; the item one level up that a path
// re-split at "\\" would reach is never touched.

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/find_listing.h"
#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "platform/windows_path.h"
#include "tests/support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
namespace records = store::records;
using engine::Unrecordable;
using testing_support::DosAttrib;
using testing_support::ListedInDotHidden;

constexpr char kFolder[] = "D:\\Names";
// Folders deep enough that a path below them is longer than a value reads back.
constexpr int kLongFolders = 10;
constexpr std::size_t kLongFolderName = 220;

struct NameCase {
  std::string name;
  bool deep;                               // the entry lies below kLongFolders long folders
  std::optional<Unrecordable> refused;     // why hiding it is refused; nullopt: it is hidden
};

const NameCase kNames[] = {
    {"..\\victim", false, Unrecordable::kBackslashInName},
    {"x\\..\\..\\victim", false, Unrecordable::kBackslashInName},
    {"trail ", false, Unrecordable::kOuterBlanks},
    {"tab\t", false, Unrecordable::kOuterBlanks},
    {"two\nlines", false, Unrecordable::kLineBreak},
    {"x", true, Unrecordable::kTooLong},
    {" lead", false, std::nullopt},
    {"\"quoted\"", false, std::nullopt},
    {"star*?:", false, std::nullopt},
};

mode_t Mode(const std::string& real) {
  struct stat status {};
  ::stat(real.c_str(), &status);
  return status.st_mode & 07777;
}

class HostileNamesTest : public ::testing::Test {
 protected:
  platform::FileSystem& files() { return prefix_.fs(); }
  std::string Native(const std::string& path) { return files().NativePath(path); }

  // The folder that holds the entry: D:\Names\sub, or far below it.
  std::string FolderFor(const NameCase& row) {
    std::string folder = std::string(kFolder) + "\\sub";
    for (int level = 0; row.deep && level < kLongFolders; ++level) {
      folder += "\\" + std::string(kLongFolderName, static_cast<char>('a' + level));
    }
    fs::create_directories(Native(folder));
    return folder;
  }
  // What must stay as it is, whatever the entry's name says.
  void ExpectVictimUntouched(const std::string& where) {
    const std::string victim = Native(kFolder) + "/victim";
    EXPECT_EQ(Mode(victim), 0444u) << where;
    EXPECT_EQ(DosAttrib(victim), "") << where;
    EXPECT_FALSE(ListedInDotHidden(Native(kFolder), "victim")) << where;
  }
  std::string Counter() {
    return store::IniFile(files(), records::kSettingsFile).ReadString(records::kCounterSection, records::kCounterKey, "");
  }

  testing_support::TempPrefix prefix_;
};

TEST_F(HostileNamesTest, EachNameIsActedOnAsItselfOrRefusedAndNothingElseChanges) {
  ASSERT_TRUE(store::InitialiseStore(files()));
  fs::create_directories(Native(kFolder));
  testing_support::WriteAll(Native(kFolder) + "/victim", "v");
  fs::permissions(Native(kFolder) + "/victim", fs::perms(0444));

  for (const NameCase& row : kNames) {
    const std::string folder = FolderFor(row);
    const std::string real = Native(folder) + "/" + row.name;
    testing_support::WriteAll(real, "x");
    const platform::FolderEntry entry{folder, row.name};
    const std::string path = platform::windows_path::Join(folder, row.name);
    const std::string counter = Counter();

    // Hide and restore.
    if (row.refused) {
      try {
        engine::HideItem(files(), "Ann", path, entry);
        ADD_FAILURE() << row.name << ": not refused";
      } catch (const engine::UnrecordableItem& refused) {
        EXPECT_EQ(refused.reason(), *row.refused) << row.name;
        EXPECT_EQ(refused.path(), path);
      }
      EXPECT_EQ(Counter(), counter) << row.name;
      EXPECT_TRUE(engine::LoadList(files(), "Ann").empty()) << row.name;
      EXPECT_EQ(DosAttrib(real), "") << row.name;
    } else {
      EXPECT_NE(engine::HideItem(files(), "Ann", path, entry), "") << row.name;
      EXPECT_EQ(DosAttrib(real), "0x6") << row.name;
      EXPECT_TRUE(ListedInDotHidden(Native(folder), row.name)) << row.name;
      ASSERT_EQ(engine::LoadList(files(), "Ann"), std::vector<std::string>{path}) << row.name;
      EXPECT_TRUE(engine::Restore(files(), "Ann", {{path, false}}).empty()) << row.name;
      EXPECT_EQ(DosAttrib(real), "") << row.name;
      EXPECT_FALSE(ListedInDotHidden(Native(folder), row.name)) << row.name;
    }
    ExpectVictimUntouched(row.name + ", hide");

    // Find shows the entry itself again (a name starting with "." it passes
    // over, as every dot name).
    files().SetEntryAttributes(entry, platform::kAttrHiddenSystem);
    const std::vector<std::string> shown = engine::ShowFolderEntries(files(), folder);
    const bool dot_name = row.name.front() == '.';
    EXPECT_EQ(std::find(shown.begin(), shown.end(), path) != shown.end(), !dot_name) << row.name;
    EXPECT_EQ(DosAttrib(real), dot_name ? "0x6" : "") << row.name;
    ExpectVictimUntouched(row.name + ", Find");

    // Rename moves the entry itself, inside its folder.
    EXPECT_TRUE(files().RenameEntry(entry, "renamed")) << row.name;
    EXPECT_TRUE(fs::exists(Native(folder) + "/renamed")) << row.name;
    EXPECT_FALSE(fs::exists(real)) << row.name;
    ExpectVictimUntouched(row.name + ", rename");
    fs::remove_all(Native(std::string(kFolder) + "\\sub"));
  }
}

}  // namespace
