// Names that a folder may hold but that a plain Windows path, the records or
// a re-split path would not give back: each is hidden, restored, shown by
// Find and renamed as the entry itself, or refused before anything
// changes; its look-alike beside it (the name a plain path or an 8-bit
// listing would turn it into) and the item one level up that a path
// re-split at "\\" would reach are never touched. One table for both
// systems; a row that only one system can hold says so.

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/find_listing.h"
#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "platform/record_text.h"
#include "platform/windows_path.h"
#include "tests/support/file_access.h"
#include "tests/support/temp_prefix.h"

namespace {

namespace records = store::records;
using engine::Unrecordable;
using testing_support::HiddenMarks;
using testing_support::kHiddenMarks;

constexpr char kFolder[] = "D:\\Names";
constexpr char kVictim[] = "victim";
constexpr char kBytes[] = "x";
constexpr char kVictimBytes[] = "v";
// Folders of this length below D:\Names\sub make a path of about 2,000
// characters (kNearLimit) or one past what a value reads back (kPastLimit).
constexpr std::size_t kLongFolderName = 220;
constexpr int kNearLimit = 9;
constexpr int kPastLimit = 10;
// Nine folders of 120 "é" instead: 1,103 characters, 2,183 UTF-8 bytes.
constexpr int kAccentedNearLimit = -9;

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// Where a row stands: on both systems, or only where Linux can hold it.
enum class Systems { kBoth, kLinuxOnly };
// An entry of the row's name is a file or a folder.
enum class Kind { kFile, kFolder };

struct NameCase {
  std::string name;
  std::string look_alike;  // an entry beside it that must stay as it is; "" for none
  std::optional<Unrecordable> refused_on_linux;    // why hiding it is refused there; nullopt: hidden
  std::optional<Unrecordable> refused_on_windows;
  int long_folders;  // long folders above the entry
  Kind kind;
  Systems systems;
};

constexpr std::nullopt_t kHidden = std::nullopt;
constexpr Systems kBoth = Systems::kBoth;
constexpr Systems kLinuxOnly = Systems::kLinuxOnly;
constexpr Kind kFile = Kind::kFile;
constexpr Unrecordable kNotInCodePage = Unrecordable::kNotInCodePage;

const NameCase kNames[] = {
    // What a plain Windows path cleans up: trailing dots and blanks, devices.
    {"a.", "a", kHidden, kHidden, 0, kFile, kBoth},
    {"c..", "c", kHidden, kHidden, 0, kFile, kBoth},
    {"d. .", "d", kHidden, kHidden, 0, kFile, kBoth},
    {"f.", "f", kHidden, kHidden, 0, Kind::kFolder, kBoth},
    {"CON", "", kHidden, kHidden, 0, kFile, kBoth},
    {"NUL.txt", "", kHidden, kHidden, 0, kFile, kBoth},
    {"aux", "", kHidden, kHidden, 0, kFile, kBoth},
    {"com1.log", "", kHidden, kHidden, 0, kFile, kBoth},
    {"prn .x", "prn", kHidden, kHidden, 0, kFile, kBoth},
    {"LPT1", "", kHidden, kHidden, 0, kFile, kBoth},
    // What an 8-bit listing maps onto plain letters: fullwidth "a", "con"
    // and backslash. A Western code page has no place for them.
    {"\xEF\xBD\x81" "bc", "abc", kHidden, kNotInCodePage, 0, kFile, kBoth},
    {"\xEF\xBD\x83\xEF\xBD\x8F\xEF\xBD\x8E", "con", kHidden, kNotInCodePage, 0, kFile, kBoth},
    {"a\xEF\xBC\xBC" "b", "a", kHidden, kNotInCodePage, 0, kFile, kBoth},
    {"caf\xC3\xA9", "cafe", kHidden, kNotInCodePage, 0, kFile, kBoth},
    // An emoji has no place in any 8-bit code page.
    {"smile\xF0\x9F\x98\x80", "smile", kHidden, kNotInCodePage, 0, kFile, kBoth},
    {" lead", "lead", kHidden, kHidden, 0, kFile, kBoth},
    {"trail ", "trail", Unrecordable::kOuterBlanks, Unrecordable::kOuterBlanks, 0, kFile, kBoth},
    {"x", "", kHidden, kHidden, kNearLimit, kFile, kBoth},
    {"x", "", Unrecordable::kTooLong, Unrecordable::kTooLong, kPastLimit, kFile, kBoth},
    {"x", "", kHidden, kNotInCodePage, kAccentedNearLimit, kFile, kBoth},
    // What only Linux holds: "\\", control characters, "\"", "*?:".
    {"..\\victim", "", Unrecordable::kBackslashInName, kHidden, 0, kFile, kLinuxOnly},
    {"x\\..\\..\\victim", "", Unrecordable::kBackslashInName, kHidden, 0, kFile, kLinuxOnly},
    {"tab\t", "", Unrecordable::kOuterBlanks, kHidden, 0, kFile, kLinuxOnly},
    {"two\nlines", "", Unrecordable::kLineBreak, kHidden, 0, kFile, kLinuxOnly},
    {"\"quoted\"", "", kHidden, kHidden, 0, kFile, kLinuxOnly},
    {"star*?:", "", kHidden, kHidden, 0, kFile, kLinuxOnly},
};

// Why hiding the row's item at `path` is refused here. The records' code
// page is the system's: one that holds the characters (an East Asian one
// holds the fullwidth letters, a Western one "é") records them.
std::optional<Unrecordable> Refusal(const NameCase& row, const std::string& path) {
  if (!kWindows) return row.refused_on_linux;
  if (row.refused_on_windows == kNotInCodePage && platform::ToRecordText(path)) return std::nullopt;
  return row.refused_on_windows;
}

class HostileNamesTest : public ::testing::Test {
 protected:
  platform::FileSystem& files() { return prefix_.fs(); }
  std::string Native(const std::string& path) { return files().NativePath(path); }
  // The real path of the entry `name` of a folder, the name never split.
  std::string Real(const std::string& folder, const std::string& name) {
    return Native(folder) + testing_support::kRealSeparator + name;
  }

  // The folder that holds the entry: D:\Names\sub, or far below it.
  std::string FolderFor(const NameCase& row) {
    std::string folder = std::string(kFolder) + "\\sub";
    for (int level = 0; level < std::abs(row.long_folders); ++level) {
      std::string name;
      while (row.long_folders < 0 && name.size() < 240) name += "\xC3\xA9";
      if (name.empty()) name.assign(kLongFolderName, static_cast<char>('a' + level));
      folder += "\\" + name;
    }
    testing_support::MakeFolders(Native(folder));
    return folder;
  }
  // What must stay as it is, whatever the entry's name says.
  void ExpectUntouched(const std::string& real, const std::string& where) {
    EXPECT_EQ(testing_support::ReadExactFile(real), kVictimBytes) << where;
    EXPECT_FALSE(testing_support::OwnerMayWrite(real)) << where;
    EXPECT_EQ(HiddenMarks(real), "") << where;
  }
  void MakeVictim(const std::string& real) {
    testing_support::MakeExactFile(real, kVictimBytes);
    testing_support::MakeReadOnly(real);
  }
  std::string Counter() {
    return store::IniFile(files(), records::kSettingsFile).ReadString(records::kCounterSection, records::kCounterKey, "");
  }

  testing_support::TempPrefix prefix_;
};

TEST_F(HostileNamesTest, EachNameIsActedOnAsItselfOrRefusedAndNothingElseChanges) {
  ASSERT_TRUE(store::InitialiseStore(files()));
  testing_support::MakeFolders(Native(kFolder));
  const std::string victim = Real(kFolder, kVictim);
  MakeVictim(victim);

  for (const NameCase& row : kNames) {
    if (kWindows && row.systems == Systems::kLinuxOnly) continue;
    const std::string folder = FolderFor(row);
    const std::string real = Real(folder, row.name);
    if (row.kind == Kind::kFolder) {
      testing_support::MakeFolders(real);
    } else {
      testing_support::MakeExactFile(real, kBytes);
    }
    const std::string look_alike = row.look_alike.empty() ? "" : Real(folder, row.look_alike);
    if (!look_alike.empty()) MakeVictim(look_alike);
    const auto expect_nothing_else_changed = [&](const std::string& where) {
      ExpectUntouched(victim, row.name + ", " + where);
      if (!look_alike.empty()) ExpectUntouched(look_alike, row.name + ", " + where + ", look-alike");
    };
    const platform::FolderEntry entry{folder, row.name};
    const std::string path = platform::windows_path::Join(folder, row.name);
    const std::string counter = Counter();

    // Hide and restore.
    if (const std::optional<Unrecordable> refused = Refusal(row, path)) {
      try {
        engine::HideItem(files(), "Ann", path, entry);
        ADD_FAILURE() << row.name << ": not refused";
      } catch (const engine::UnrecordableItem& refusal) {
        EXPECT_EQ(refusal.reason(), *refused) << row.name;
        EXPECT_EQ(refusal.path(), path);
      }
      EXPECT_EQ(Counter(), counter) << row.name;
      EXPECT_TRUE(engine::LoadList(files(), "Ann").empty()) << row.name;
      EXPECT_EQ(HiddenMarks(real), "") << row.name;
    } else {
      EXPECT_NE(engine::HideItem(files(), "Ann", path, entry), "") << row.name;
      EXPECT_EQ(HiddenMarks(real), kHiddenMarks) << row.name;
      ASSERT_EQ(engine::LoadList(files(), "Ann"), std::vector<std::string>{path}) << row.name;
      EXPECT_TRUE(engine::Restore(files(), "Ann", {{path, false}}).empty()) << row.name;
      EXPECT_EQ(HiddenMarks(real), "") << row.name;
    }
    expect_nothing_else_changed("hide");

    // Find shows the entry itself again (a name starting with "." it passes
    // over, as every dot name), and every other entry of its folder.
    files().SetEntryAttributes(entry, platform::kAttrHiddenSystem);
    const std::vector<std::string> shown = engine::ShowFolderEntries(files(), folder);
    const bool dot_name = row.name.front() == '.';
    EXPECT_EQ(std::find(shown.begin(), shown.end(), path) != shown.end(), !dot_name) << row.name;
    EXPECT_EQ(HiddenMarks(real), dot_name ? kHiddenMarks : "") << row.name;
    ExpectUntouched(victim, row.name + ", Find");
    if (!look_alike.empty()) MakeVictim(look_alike);

    // Rename moves the entry itself, inside its folder.
    EXPECT_TRUE(files().RenameEntry(entry, "renamed")) << row.name;
    EXPECT_TRUE(testing_support::ExactExists(Real(folder, "renamed"))) << row.name;
    EXPECT_FALSE(testing_support::ExactExists(real)) << row.name;
    expect_nothing_else_changed("rename");
    testing_support::RemoveExactTree(Native(std::string(kFolder) + "\\sub"));
  }
}

}  // namespace
