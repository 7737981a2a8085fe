// Every command that writes more than one file, stopped at each change it
// makes on disk as a killed process would be: the records keep their
// promises right then and after the next start, which leaves nothing of the
// killed command behind.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/engine/kill_scene.h"

namespace engine_testing {
namespace {

namespace records = store::records;
using Command = std::function<void(platform::FileSystem&)>;
using K = KillScene;

struct KillCase {
  const char* name;
  bool set_up;                          // the scene has a store
  std::function<void(KillScene&)> before;  // makes the scene what the command needs
  Command command;
  std::vector<WatchedItem> watched;
  std::vector<std::string> restored;
};

const std::vector<WatchedItem> kAllItems = {
    {K::kItemA, "Ann"}, {K::kItemB, "Ann"}, {K::kItemC, "Ann"}, {K::kItemN, ""}};

const KillCase kCases[] = {
    {"hide", true, nullptr, [](platform::FileSystem& fs) { engine::HideItem(fs, "Ann", K::kItemC); },
     kAllItems, {}},
    {"restore", true, nullptr,
     [](platform::FileSystem& fs) {
       engine::Restore(fs, "Ann", {{K::kItemA, false}, {K::kItemB, true}});
     },
     kAllItems, {K::kItemA}},
    {"first run", false, nullptr, [](platform::FileSystem& fs) { store::InitialiseStore(fs); }, {}, {}},
    {"store reset", true,
     [](KillScene& scene) {
       // A marker other than "2": the store counts as not set up.
       store::IniFile(scene.fs(), records::kSettingsFile)
           .WriteString(records::kFirstRunSection, records::kFirstRunKey, "1");
     },
     [](platform::FileSystem& fs) { store::ResetStore(fs); }, {}, {}},
    {"administrator rename", true, nullptr,
     [](platform::FileSystem& fs) { store::RenameAdministrator(fs, "name", "Boss", "pw"); }, kAllItems, {}},
    {"new user", true, nullptr,
     [](platform::FileSystem& fs) {
       store::AddUserEntry(fs, "Bob", "bobpw");
       store::CreateAccountFile(fs, "Bob");
     },
     kAllItems, {}},
    // A deleted user's items stay hidden and in the global record on purpose.
    {"delete user", true, nullptr, [](platform::FileSystem& fs) { store::DeleteUserAccount(fs, "Ann"); },
     {{K::kItemN, ""}}, {}},
};

TEST(KillPointsTest, EveryCommandKeepsThePromisesWhereverItIsKilled) {
  for (const KillCase& kill : kCases) {
    int stops = 0;
    for (int n = 1;; ++n) {
      KillScene scene(kill.set_up);
      if (kill.before) kill.before(scene);
      const bool stopped = StopsBeforeChange(scene.fs(), kill.command, n);
      const std::string where = std::string(kill.name) + ", before change " + std::to_string(n);
      EXPECT_EQ(scene.BrokenPromises(kill.watched, kill.restored), "") << where;
      scene.NextStart();
      EXPECT_EQ(scene.BrokenPromises(kill.watched, kill.restored), "") << where << ", after the next start";
      EXPECT_EQ(scene.Leftovers(), "") << where << ", after the next start";
      if (!stopped) break;
      ++stops;
    }
    EXPECT_GE(stops, 1) << kill.name << " changes nothing on disk";
  }
}

}  // namespace
}  // namespace engine_testing
