// A second copy of the program's hide command, for the tests of two copies
// working on one prefix at once: hides `count` items named
// <folder>\<tag>-<i> under `account`, each as one locked command; with
// "show", shows each item again right after its hide (as Find would).
//   hide_worker <prefix> <account> <windows folder> <tag> <count> [show]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/hidden_items.h"
#include "platform/file_system.h"
#include "store/errors.h"

int main(int argc, char* argv[]) {
  if (argc != 6 && !(argc == 7 && std::string(argv[6]) == "show")) {
    std::fputs("usage: hide_worker <prefix> <account> <folder> <tag> <count> [show]\n", stderr);
    return 2;
  }
  auto fs = platform::MakeFileSystemAt(argv[1]);
  const std::string account = argv[2];
  const std::string folder = argv[3];
  const std::string tag = argv[4];
  const int count = std::atoi(argv[5]);
  const bool show = argc == 7;
  for (int i = 0; i < count; ++i) {
    try {
      const std::string item = folder + "\\" + tag + "-" + std::to_string(i);
      engine::HideItem(*fs, account, item);
      if (show) fs->SetAttributes(item, platform::kAttrNone);
    } catch (const store::Error& error) {
      std::fprintf(stderr, "%s\n", error.what());
      return 1;
    }
  }
  return 0;
}
