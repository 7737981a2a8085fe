// A copy of the program hiding one item after another, killed at random
// moments as a power cut or a forced end would: however often, no item is
// left hidden without both of its entries, and the next start leaves no
// temporary file. QUILLOMAR_RANDOM_KILLS sets the number of kills (40 here,
// 1,000 for a long run).

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/engine/kill_scene.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_prefix.h"

namespace engine_testing {
namespace {

constexpr int kDefaultKills = 40;
constexpr int kItemsPerRound = 8;
constexpr int kLongestDelayMicroseconds = 30000;
constexpr char kItemsFolder[] = "D:\\Items";

int KillCount() {
  const char* text = std::getenv("QUILLOMAR_RANDOM_KILLS");
  return text != nullptr ? std::atoi(text) : kDefaultKills;
}

TEST(RandomKillsTest, AHideLoopKilledAtRandomNeverLosesAnItemOrLeavesATemporaryFile) {
  KillScene scene(true);
  std::mt19937 random(20240614);
  std::uniform_int_distribution<int> delay(0, kLongestDelayMicroseconds);
  const int kills = KillCount();
  for (int round = 0; round < kills; ++round) {
    const std::string tag = "r" + std::to_string(round);
    std::vector<WatchedItem> items;
    for (int i = 0; i < kItemsPerRound; ++i) {
      const std::string path = std::string(kItemsFolder) + "\\" + tag + "-" + std::to_string(i);
      testing_support::WriteAll(scene.Native(path), "x");
      items.push_back({path, "Ann"});
    }
    testing_support::ChildProcess worker(
        QUILLOMAR_HIDE_WORKER, {scene.prefix(), "Ann", kItemsFolder, tag, std::to_string(kItemsPerRound)});
    ASSERT_TRUE(worker.Started());
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    worker.Kill();
    worker.Wait();
    scene.NextStart();
    ASSERT_EQ(scene.BrokenPromises(items, {}), "") << "kill " << round;
    ASSERT_EQ(scene.Leftovers(), "") << "kill " << round;
  }
}

}  // namespace
}  // namespace engine_testing
