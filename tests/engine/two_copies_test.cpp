#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/hidden_items.h"
#include "tests/engine/two_copies_fixture.h"

namespace engine_testing {
namespace {

namespace records = store::records;

TEST_F(TwoCopiesTest, TwoCopiesHidingAtOnceLoseNothingAndNeverShareANumber) {
  MakeItems("a", kPerCopy);
  MakeItems("b", kPerCopy);
  auto first = StartWorker(prefix_.prefix(), "name", "a", kPerCopy);
  auto second = StartWorker(prefix_.prefix(), "name", "b", kPerCopy);
  ASSERT_EQ(first->Wait(), 0);
  ASSERT_EQ(second->Wait(), 0);

  const Entries account = HiddenEntries(records::AccountFile("name"));
  const Entries global = HiddenEntries(records::kGlobalRecordFile);
  EXPECT_EQ(account.size(), 2u * kPerCopy);
  EXPECT_EQ(global, account);
  std::set<std::string> numbers;
  std::set<std::string> paths;
  for (const auto& [number, path] : account) {
    numbers.insert(number);
    paths.insert(path);
  }
  EXPECT_EQ(numbers.size(), 2u * kPerCopy);
  EXPECT_EQ(paths.size(), 2u * kPerCopy);
  EXPECT_EQ(Counter(), std::to_string(2 * kPerCopy));
  for (const std::string& path : paths) {
    EXPECT_EQ(fs().GetAttributes(path).value_or(0) & platform::kAttrHiddenSystem,
              platform::kAttrHiddenSystem)
        << path;
  }
}

TEST_F(TwoCopiesTest, AKilledCopyLeavesWholeFilesAndNoNumberIsUsedTwice) {
  constexpr int kLongSeries = 100000;
  MakeItems("k", 0);
  for (int round = 0; round < 3; ++round) {
    auto worker = StartWorker(prefix_.prefix(), "name", "k" + std::to_string(round), kLongSeries);
    std::this_thread::sleep_for(std::chrono::milliseconds(150 + 70 * round));
    worker->Kill();
    worker->Wait();
  }
  // Every file still reads whole, and the numbers in them are distinct and
  // never above the counter, so the next hide cannot reuse one.
  const Entries account = HiddenEntries(records::AccountFile("name"));
  const Entries global = HiddenEntries(records::kGlobalRecordFile);
  ASSERT_FALSE(account.empty());
  std::set<long> numbers;
  for (const auto& [number, path] : account) {
    EXPECT_TRUE(numbers.insert(std::stol(number)).second) << "number used twice: " << number;
    EXPECT_EQ(path.rfind(std::string(kItemsFolder) + "\\k", 0), 0u) << path;
  }
  const long counter = std::stol(Counter());
  EXPECT_LE(*numbers.rbegin(), counter);
  // The global record is written after the account file: each killed copy
  // may have left at most its last hide out of it, and nothing else differs.
  const std::set<std::pair<std::string, std::string>> in_account(account.begin(), account.end());
  for (const auto& entry : global) EXPECT_TRUE(in_account.count(entry)) << entry.first;
  EXPECT_LE(account.size(), global.size() + 3);

  const std::string next = engine::HideItem(fs(), "name", "C:\\Items\\after");
  EXPECT_EQ(std::stol(next), counter + 1);
}

}  // namespace
}  // namespace engine_testing
