#pragma once

// A store with hidden items and accounts, for the tests that stop a command
// wherever the process may die and check what the records then promise.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tests/support/temp_prefix.h"

namespace engine_testing {

// One item and the account that hid it ("" for whoever is administrator).
struct WatchedItem {
  std::string path;
  std::string account;
};

// A prefix after first run, in which user Ann has hidden D:\Items\a.txt and
// b.txt and the administrator "name" (password "31852") D:\Items\n.txt;
// D:\Items\c.txt is not hidden yet. Or, unset up, a prefix without a store.
class KillScene {
 public:
  static constexpr char kItemA[] = "D:\\Items\\a.txt";
  static constexpr char kItemB[] = "D:\\Items\\b.txt";
  static constexpr char kItemC[] = "D:\\Items\\c.txt";
  static constexpr char kItemN[] = "D:\\Items\\n.txt";

  explicit KillScene(bool set_up);

  platform::FileSystem& fs() { return prefix_.fs(); }
  const std::string& prefix() const { return prefix_.prefix(); }
  std::string Native(const std::string& path) { return fs().NativePath(path); }

  // What the start of the program does to the store before the login: the
  // leftovers of killed commands go, a store that is not set up is reset.
  void NextStart();

  // Every promise that the records do not keep now, one line each ("" when
  // all hold): no item of `watched` carries hidden marks without its entry
  // in its account's file and in the global record; every item of
  // `restored` that shows again is still in Ann's file or in neither file;
  // the settings name an administrator with the old or the new password
  // ("pw") whose file holds n.txt; the store is not set up or complete.
  std::string BrokenPromises(const std::vector<WatchedItem>& watched,
                             const std::vector<std::string>& restored);

  // Temporary files and second names of record files that killed writes
  // left in the data folder, beside the mirror and beside the items.
  std::string Leftovers();

 private:
  // The paths of the hidden-item entries of a record file.
  std::multiset<std::string> Paths(const std::string& file);
  // True when the item carries a hidden mark: the attribute or its .hidden line.
  bool Marked(const std::string& path);

  testing_support::TempPrefix prefix_;
  bool administrator_hid_n_ = false;
};

// Runs `command` in a child process whose file system ends the process just
// before its `n`-th change on disk (1 for the first). True when the child
// was ended so; false when the command ran to its end with fewer changes.
bool StopsBeforeChange(platform::FileSystem& fs,
                       const std::function<void(platform::FileSystem&)>& command, int n);

}  // namespace engine_testing
