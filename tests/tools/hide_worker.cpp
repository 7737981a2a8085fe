// A second copy of the program's hide command, for the tests of two copies
// working on one prefix at once: hides `count` items named
// <folder>\<tag>-<i> under `account`, each as one locked command; with
// "show", shows each item again right after its hide (as Find would); with
// "comeback", brings every odd-numbered item back by a Comeback right after
// its hide, so that the even-numbered ones stay hidden.
//   hide_worker <prefix> <account> <windows folder> <tag> <count> [show|comeback]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/hidden_items.h"
#include "platform/file_system.h"
#include "store/errors.h"

int main(int argc, char* argv[]) {
  const std::string mode = argc == 7 ? argv[6] : "";
  if ((argc != 6 && argc != 7) || (argc == 7 && mode != "show" && mode != "comeback")) {
    std::fputs("usage: hide_worker <prefix> <account> <folder> <tag> <count> [show|comeback]\n", stderr);
    return 2;
  }
  auto fs = platform::MakeFileSystemAt(argv[1]);
  const std::string account = argv[2];
  const std::string folder = argv[3];
  const std::string tag = argv[4];
  const int count = std::atoi(argv[5]);
  for (int i = 0; i < count; ++i) {
    try {
      const std::string item = folder + "\\" + tag + "-" + std::to_string(i);
      engine::HideItem(*fs, account, item);
      if (mode == "show") fs->SetAttributes(item, platform::kAttrNone);
      if (mode == "comeback" && i % 2 == 1) {
        std::vector<engine::ListRow> rows;
        for (const std::string& path : engine::LoadList(*fs, account)) rows.push_back({path, path != item});
        engine::Restore(*fs, account, rows);
      }
    } catch (const store::Error& error) {
      std::fprintf(stderr, "%s\n", error.what());
      return 1;
    }
  }
  return 0;
}
