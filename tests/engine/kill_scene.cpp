#include "tests/engine/kill_scene.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "engine/hidden_items.h"
#include "store/data_store.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "tests/support/file_access.h"

namespace engine_testing {

namespace {
namespace fs = std::filesystem;
namespace records = store::records;

constexpr char kOldPassword[] = "31852";
constexpr char kNewPassword[] = "pw";
}  // namespace

KillScene::KillScene(bool set_up) {
  fs::create_directories(Native("D:\\Items"));
  for (const char* item : {kItemA, kItemB, kItemC, kItemN}) testing_support::WriteAll(Native(item), "x");
  if (!set_up) return;
  administrator_hid_n_ = true;
  EXPECT_TRUE(store::InitialiseStore(fs()));
  store::AddUserEntry(fs(), "Ann", "annpw");
  store::CreateAccountFile(fs(), "Ann");
  engine::HideItem(fs(), "Ann", kItemA);
  engine::HideItem(fs(), "Ann", kItemB);
  engine::HideItem(fs(), "name", kItemN);
}

void KillScene::NextStart() {
  store::RemoveLeftovers(fs());
  store::HideStoreFolders(fs());
  if (store::ReadStoreState(fs()) == store::StoreState::kNotInitialised) store::ResetStore(fs());
}

std::multiset<std::string> KillScene::Paths(const std::string& file) {
  const store::IniDocument doc = store::IniFile(fs(), file).Load();
  std::multiset<std::string> paths;
  for (const std::string& key : doc.AllKeys(records::kHiddenItemsSection)) {
    paths.insert(doc.Get(records::kHiddenItemsSection, key).value_or(""));
  }
  return paths;
}

bool KillScene::Marked(const std::string& path) { return !testing_support::HiddenMarks(Native(path)).empty(); }

std::string KillScene::BrokenPromises(const std::vector<WatchedItem>& watched,
                                      const std::vector<std::string>& restored) {
  std::string broken;
  std::string administrator;
  switch (store::ReadStoreState(fs())) {
    case store::StoreState::kNotInitialised:
      break;
    case store::StoreState::kUnreadable:
      broken += "the settings cannot be read\n";
      break;
    case store::StoreState::kInitialised: {
      const std::vector<std::string> administrators = store::AdministratorNames(fs());
      if (administrators.empty()) {
        broken += "set up without an administrator\n";
        break;
      }
      administrator = administrators.back();
      const std::string password = store::AdministratorPassword(fs(), administrator);
      if (password != kOldPassword && password != kNewPassword) broken += "no password logs in\n";
      if (!fs().FileExists(records::AccountFile(administrator))) {
        broken += "the administrator " + administrator + " has no account file\n";
      } else if (administrator_hid_n_ && Paths(records::AccountFile(administrator)).count(kItemN) == 0) {
        broken += "the administrator's file lost its list\n";
      }
      break;
    }
  }
  const std::multiset<std::string> global = Paths(records::kGlobalRecordFile);
  for (const WatchedItem& item : watched) {
    const std::string account = item.account.empty() ? administrator : item.account;
    if (Marked(item.path) &&
        (global.count(item.path) == 0 || Paths(records::AccountFile(account)).count(item.path) == 0)) {
      broken += item.path + " is hidden without both entries\n";
    }
  }
  const std::multiset<std::string> ann = Paths(records::AccountFile("Ann"));
  for (const std::string& path : restored) {
    if (!Marked(path) && ann.count(path) == 0 && global.count(path) != 0) {
      broken += path + " shows again with a global entry that nothing will remove\n";
    }
  }
  return broken;
}

std::string KillScene::Leftovers() {
  std::string found;
  for (const char* folder : {records::kDataFolder, records::kMirrorFolder, "D:\\Items"}) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(Native(folder), error)) {
      const std::string name = entry.path().filename().string();
      if (testing_support::IsTemporaryName(name)) found += name + " in " + folder + "\n";
      if (testing_support::NamesOfFile(entry.path().string()) > 1) {
        found += name + " is a second name of a record file\n";
      }
    }
  }
  return found;
}

}  // namespace engine_testing
