#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_prefix.h"

namespace posix_testing {

// A temporary prefix with the folder C:\Data, reached both ways.
class DataFolderTest : public ::testing::Test {
 protected:
  DataFolderTest() : folder_(prefix_.DriveC() + "/Data") {
    std::filesystem::create_directory(folder_);
  }

  // The real path and the Windows path of `name` inside C:\Data.
  std::string Real(const std::string& name) const { return folder_ + "/" + name; }
  static std::string Win(const std::string& name) { return "C:\\Data\\" + name; }
  // The item's status (zeroes when it is absent) and permission bits.
  static struct stat Status(const std::string& real) {
    struct stat status {};
    ::stat(real.c_str(), &status);
    return status;
  }
  static mode_t Mode(const std::string& real) { return Status(real).st_mode & 07777; }

  testing_support::TempPrefix prefix_;
  std::string folder_;
};

}  // namespace posix_testing
