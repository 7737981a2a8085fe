#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/hidden_items.h"
#include "tests/engine/record_fixture.h"

extern char** environ;

namespace engine_testing {
namespace {

namespace records = store::records;

constexpr char kItemsFolder[] = "C:\\Items";
constexpr int kPerCopy = 500;

// Starts the hide worker as a separate process: a second copy of the program.
pid_t StartWorker(const std::string& prefix, const std::string& account, const std::string& tag,
                  int count) {
  std::vector<std::string> args = {QUILLOMAR_HIDE_WORKER, prefix, account, kItemsFolder, tag,
                                    std::to_string(count)};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  EXPECT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
  return pid;
}

int WaitFor(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

class TwoCopiesTest : public RecordFixture {
 protected:
  void MakeItems(const std::string& tag, int count) {
    std::filesystem::create_directories(Native(kItemsFolder));
    for (int i = 0; i < count; ++i) {
      testing_support::WriteAll(Native(kItemsFolder) + "/" + tag + "-" + std::to_string(i), "x");
    }
  }
  std::string Counter() {
    return store::IniFile(fs(), records::kSettingsFile).ReadString(records::kCounterSection, records::kCounterKey, "");
  }
};

TEST_F(TwoCopiesTest, TwoCopiesHidingAtOnceLoseNothingAndNeverShareANumber) {
  MakeItems("a", kPerCopy);
  MakeItems("b", kPerCopy);
  pid_t first = StartWorker(prefix_.prefix(), "name", "a", kPerCopy);
  pid_t second = StartWorker(prefix_.prefix(), "name", "b", kPerCopy);
  ASSERT_EQ(WaitFor(first), 0);
  ASSERT_EQ(WaitFor(second), 0);

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

TEST_F(TwoCopiesTest, RestoresInOneCopyAndHidesInAnotherLoseNoEntry) {
  constexpr int kWorkerHides = 300;
  constexpr int kOwnItems = 40;
  constexpr int kPerRestore = 2;
  MakeItems("w", kWorkerHides);
  MakeItems("own", kOwnItems);
  auto own_item = [](int i) { return std::string(kItemsFolder) + "\\own-" + std::to_string(i); };
  for (int i = 0; i < kOwnItems; ++i) ASSERT_EQ(engine::HideItem(fs(), "name", own_item(i)), std::to_string(i + 1));

  pid_t worker = StartWorker(prefix_.prefix(), "name", "w", kWorkerHides);
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
    if (waitpid(worker, nullptr, WNOHANG) == 0) ++restores_while_hiding;
    engine::Restore(fs(), "name", rows);
    restored.insert(untick.begin(), untick.end());
  }
  ASSERT_EQ(WaitFor(worker), 0);
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
    EXPECT_EQ(fs().GetAttributes(own_item(i)).value_or(0xFF) == platform::kAttrNone, was_restored) << own_item(i);
  }
  EXPECT_EQ(account.size(), static_cast<std::size_t>(kWorkerHides + kOwnItems) - restored.size());
  EXPECT_EQ(Counter(), std::to_string(kWorkerHides + kOwnItems));
}

TEST_F(TwoCopiesTest, AKilledCopyLeavesWholeFilesAndNoNumberIsUsedTwice) {
  constexpr int kLongSeries = 100000;
  MakeItems("k", 0);
  for (int round = 0; round < 3; ++round) {
    pid_t worker = StartWorker(prefix_.prefix(), "name", "k" + std::to_string(round), kLongSeries);
    std::this_thread::sleep_for(std::chrono::milliseconds(150 + 70 * round));
    kill(worker, SIGKILL);
    WaitFor(worker);
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
