// The Windows build's hide command and list, on the machine's own paths, for
// checking that the Windows and Linux builds agree on what is on disk:
//   win_hide hide <account> <windows path>    prints the sequence number
//   win_hide list <account>                   prints the account's hidden paths
//   win_hide restore <account> <windows path> brings the item back (its row
//                                             unticked), printing what is left
//   win_hide attributes <windows path>        prints the item's attributes (hex)
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/hidden_items.h"
#include "platform/file_system.h"
#include "store/data_store.h"
#include "store/errors.h"

namespace {
constexpr char kUsage[] =
    "usage: win_hide hide <account> <path> | list <account> | restore <account> <path> | attributes <path>\n";
}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string command = argv[1];
  auto fs = platform::MakeFileSystem();
  try {
    if (command == "hide" && argc == 4) {
      if (!store::InitialiseStore(*fs)) return 1;
      const std::string number = engine::HideItem(*fs, argv[2], argv[3]);
      std::printf("%s\n", number.c_str());
      return number.empty() ? 1 : 0;
    }
    if (command == "restore" && argc == 4) {
      for (const std::string& path : engine::Restore(*fs, argv[2], {{argv[3], false}})) {
        std::printf("%s\n", path.c_str());
      }
      return 0;
    }
    if (command == "list" && argc == 3) {
      for (const std::string& path : engine::LoadList(*fs, argv[2])) std::printf("%s\n", path.c_str());
      return 0;
    }
    if (command == "attributes" && argc == 3) {
      const std::optional<std::uint32_t> attributes = fs->GetAttributes(argv[2]);
      if (!attributes) return 1;
      std::printf("0x%x\n", static_cast<unsigned>(*attributes));
      return 0;
    }
  } catch (const store::Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::fputs(kUsage, stderr);
  return 2;
}
