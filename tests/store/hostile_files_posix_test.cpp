// Record files in a POSIX system's own shapes: account names at its file
// name limit, and links and pipes in a record file's place.

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "store/data_store.h"
#include "store/errors.h"
#include "store/records.h"
#include "tests/store/store_fixture.h"
#include "tests/support/time_limit.h"

namespace store {
namespace {

namespace r = records;
using Names = std::vector<std::string>;

class HostileFilesPosixTest : public store_testing::StoreTest {
 protected:
  void SetUp() override { MakeDataFolder(); }
};

TEST_F(HostileFilesPosixTest, AccountNamesAtTheFileNameLimit) {
  // 251 bytes + ".INI" is the longest file name the system takes.
  const std::string longest(251, 'n');
  ASSERT_TRUE(InitialiseStore(fs()));
  AddUserEntry(fs(), longest, "pw");
  CreateAccountFile(fs(), longest);
  EXPECT_TRUE(AccountNameTaken(fs(), longest));
  EXPECT_EQ(UserNames(fs()), Names{longest});

  // One byte more: the account file cannot be made, which the write reports.
  const std::string too_long(252, 'm');
  EXPECT_FALSE(AccountNameTaken(fs(), too_long));
  try {
    CreateAccountFile(fs(), too_long);
    ADD_FAILURE() << "no error";
  } catch (const WriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + r::AccountFile(too_long));
  }
}

TEST_F(HostileFilesPosixTest, WhatIsNoRegularFileInARecordFilesPlaceIsNeitherReadNorWritten) {
  namespace disk = std::filesystem;
  const std::string elsewhere = prefix_.root() + "/passwd";
  const std::string elsewhere_bytes = "root:x:0:0::/root:/bin/sh\n";
  // Each makes the thing at `at`.
  const std::vector<std::pair<const char*, std::function<void(const std::string& at)>>> things = {
      {"a link to /dev/zero", [](const std::string& at) { disk::create_symlink("/dev/zero", at); }},
      {"a link to /dev/urandom", [](const std::string& at) { disk::create_symlink("/dev/urandom", at); }},
      {"a link to /dev/null", [](const std::string& at) { disk::create_symlink("/dev/null", at); }},
      {"a link to a file", [&](const std::string& at) { disk::create_symlink(elsewhere, at); }},
      {"a pipe", [](const std::string& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }},
  };
  ASSERT_TRUE(InitialiseStore(fs()));
  const std::string settings = ReadReal(InData("zizodo.INI"));
  for (const auto& [what, make] : things) {
    testing_support::WriteAll(elsewhere, elsewhere_bytes);
    disk::rename(InData("zizodo.INI"), InData("zizodo.kept"));
    make(InData("zizodo.INI"));
    disk::remove(InData("biefei.INI"));
    make(InData("biefei.INI"));
    disk::remove(prefix_.DriveD() + "/biefei.ini");
    disk::create_symlink(elsewhere, prefix_.DriveD() + "/biefei.ini");

    testing_support::RunWithinSeconds(20, [&, what = what] {
      EXPECT_EQ(ReadStoreState(fs()), StoreState::kUnreadable) << what;
      EXPECT_TRUE(AccountNamesForLogin(fs()).empty()) << what;
      EXPECT_THROW(AddUserEntry(fs(), "Ann", "pw"), WriteError) << what;
      // The mirror copies only a regular global record.
      MakeMirrorCopy(fs());
    });
    EXPECT_EQ(disk::symlink_status(InData("zizodo.INI")).type(), disk::symlink_status(InData("biefei.INI")).type()) << what;
    EXPECT_FALSE(disk::is_regular_file(disk::symlink_status(InData("zizodo.INI")))) << what;
    EXPECT_EQ(ReadReal(elsewhere), elsewhere_bytes) << what;
    disk::remove(InData("zizodo.INI"));
    disk::rename(InData("zizodo.kept"), InData("zizodo.INI"));
  }

  // A regular global record replaces a link at the mirror's place, never
  // writing through it.
  disk::remove(InData("biefei.INI"));
  testing_support::WriteAll(InData("biefei.INI"), "[weijianyincang]\r\n");
  MakeMirrorCopy(fs());
  EXPECT_FALSE(disk::is_symlink(prefix_.DriveD() + "/biefei.ini"));
  EXPECT_EQ(ReadReal(prefix_.DriveD() + "/biefei.ini"), "[weijianyincang]\r\n");
  EXPECT_EQ(ReadReal(elsewhere), elsewhere_bytes);
  EXPECT_EQ(ReadReal(InData("zizodo.INI")), settings);
}

}  // namespace
}  // namespace store
