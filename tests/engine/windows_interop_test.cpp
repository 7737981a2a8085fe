// The Linux build reading what the Windows build left on disk, and leaving
// what the Windows build reads next. scripts/wine_tests.sh runs the Windows
// build under Wine on a Wine prefix, then this test on the same folder; run
// alone it has nothing to read and is skipped.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/hidden_items.h"
#include "platform/file_system.h"

namespace {

// The Wine prefix, the account, the item the Windows build hid, and the item
// this test hides for the Windows build to find.
constexpr char kPrefixVariable[] = "QUILLOMAR_INTEROP_PREFIX";
constexpr char kAccountVariable[] = "QUILLOMAR_INTEROP_ACCOUNT";
constexpr char kHiddenVariable[] = "QUILLOMAR_INTEROP_HIDDEN";
constexpr char kSecondVariable[] = "QUILLOMAR_INTEROP_SECOND";

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

TEST(WindowsInterop, ItemsHiddenByTheWindowsBuildReadAsHiddenHereAndBack) {
  const std::string prefix = Variable(kPrefixVariable);
  if (prefix.empty()) GTEST_SKIP() << "run by scripts/wine_tests.sh";
  const std::string account = Variable(kAccountVariable);
  const std::string hidden = Variable(kHiddenVariable);
  const std::string second = Variable(kSecondVariable);
  std::unique_ptr<platform::FileSystem> fs = platform::MakeFileSystemAt(prefix);

  // Wine keeps hidden+system in user.DOSATTRIB, as this build does. The item
  // is a folder.
  EXPECT_EQ(fs->GetAttributes(hidden), platform::kAttrHiddenSystem | platform::kAttrDirectory);
  EXPECT_EQ(engine::LoadList(*fs, account), std::vector<std::string>{hidden});

  // The next hide takes the counter the Windows build left.
  EXPECT_EQ(engine::HideItem(*fs, account, second), "2");
  EXPECT_EQ(engine::LoadList(*fs, account), (std::vector<std::string>{hidden, second}));
}

}  // namespace
