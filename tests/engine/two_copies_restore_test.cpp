// A copy that restores while another hides: both finish, and no entry of
// either is lost.

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/hidden_items.h"
#include "tests/engine/two_copies_fixture.h"

namespace engine_testing {
namespace {

namespace records = store::records;

TEST_F(TwoCopiesTest, RestoresInOneCopyAndHidesInAnotherLoseNoEntry) {
  constexpr int kWorkerHides = 300;
  constexpr int kOwnItems = 40;
  constexpr int kPerRestore = 2;
  MakeItems("w", kWorkerHides);
  MakeItems("own", kOwnItems);
  auto own_item = [](int i) { return std::string(kItemsFolder) + "\\own-" + std::to_string(i); };
  for (int i = 0; i < kOwnItems; ++i) ASSERT_EQ(engine::HideItem(fs(), "name", own_item(i)), std::to_string(i + 1));

  auto worker = StartWorker(prefix_.prefix(), "name", "w", kWorkerHides);
  // Start restoring once the other copy is hiding, so that the two meet.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::stol(Counter()) == kOwnItems && std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  // Each restore is one command over the list as it stands, unticking the
  // next few of the own items with an even number.
  std::set<std::string> restored;
  int restores_while_hiding = 0;
  for (int first = 0; first < kOwnItems; first += 2 * kPerRestore) {
    std::set<std::string> untick;
    for (int i = first; i < first + 2 * kPerRestore && i < kOwnItems; i += 2) untick.insert(own_item(i));
    std::vector<engine::ListRow> rows;
    for (const std::string& path : engine::LoadList(fs(), "name")) rows.push_back({path, !untick.count(path)});
    if (worker->Running()) ++restores_while_hiding;
    engine::Restore(fs(), "name", rows);
    restored.insert(untick.begin(), untick.end());
  }
  ASSERT_EQ(worker->Wait(), 0);
  EXPECT_GT(restores_while_hiding, 0) << "the restores did not meet the hides";

  const Entries account = HiddenEntries(records::AccountFile("name"));
  EXPECT_EQ(HiddenEntries(records::kGlobalRecordFile), account);
  std::set<std::string> paths;
  for (const auto& [number, path] : account) paths.insert(path);
  EXPECT_EQ(account.size(), paths.size());
  for (int i = 0; i < kWorkerHides; ++i) {
    EXPECT_TRUE(paths.count(std::string(kItemsFolder) + "\\w-" + std::to_string(i))) << "lost hide w-" << i;
  }
  for (int i = 0; i < kOwnItems; ++i) {
    const bool was_restored = restored.count(own_item(i)) != 0;
    EXPECT_EQ(paths.count(own_item(i)) == 0, was_restored) << own_item(i);
    EXPECT_EQ(Attributes(own_item(i)).value_or(0xFF) == platform::kAttrNone, was_restored) << own_item(i);
  }
  EXPECT_EQ(account.size(), static_cast<std::size_t>(kWorkerHides + kOwnItems) - restored.size());
  EXPECT_EQ(Counter(), std::to_string(kWorkerHides + kOwnItems));
}

}  // namespace
}  // namespace engine_testing
