#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "store/errors.h"
#include "tests/support/temp_prefix.h"

namespace store_testing {

// A fresh drive prefix per test, with the real paths of the data folder.
class StoreTest : public ::testing::Test {
 protected:
  testing_support::TempPrefix prefix_;
  platform::FileSystem& fs() { return prefix_.fs(); }
  std::string DataParent() const { return prefix_.DriveC() + "/WINDOWS/zizodo"; }
  std::string DataFolder() const { return DataParent() + "/zizodo123"; }
  std::string InData(const std::string& name) const { return DataFolder() + "/" + name; }
  std::string ReadReal(const std::string& real_path) const { return testing_support::ReadAll(real_path); }
  void MakeDataFolder() const { std::filesystem::create_directories(DataFolder()); }
};

// The message of the store::WriteError that `action` throws, or "" when none.
template <typename Action>
std::string WriteErrorText(Action&& action) {
  try {
    action();
  } catch (const store::WriteError& error) {
    return error.what();
  }
  return "";
}

}  // namespace store_testing
