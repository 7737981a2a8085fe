#pragma once

// Two copies of the program on one prefix: this test program and the hide
// worker, a separate process that hides items of its own.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/ini_file.h"
#include "store/records.h"
#include "tests/engine/record_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_prefix.h"

namespace engine_testing {

inline constexpr char kItemsFolder[] = "C:\\Items";
inline constexpr int kPerCopy = 500;

// Starts the hide worker as a separate process: a second copy of the program.
inline std::unique_ptr<testing_support::ChildProcess> StartWorker(const std::string& prefix,
                                                                  const std::string& account,
                                                                  const std::string& tag, int count) {
  auto worker = std::make_unique<testing_support::ChildProcess>(
      QUILLOMAR_HIDE_WORKER, std::vector<std::string>{prefix, account, kItemsFolder, tag, std::to_string(count)});
  EXPECT_TRUE(worker->Started());
  return worker;
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
    namespace records = store::records;
    return store::IniFile(fs(), records::kSettingsFile).ReadString(records::kCounterSection, records::kCounterKey, "");
  }
};

}  // namespace engine_testing
