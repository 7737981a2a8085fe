// Record files in a POSIX system's own shapes: account names at its file
// name limit, and devices linked in a record file's place.

#include <filesystem>
#include <string>
#include <vector>

#include "store/data_store.h"
#include "store/errors.h"
#include "store/records.h"
#include "tests/store/store_fixture.h"

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

TEST_F(HostileFilesPosixTest, DevicesInARecordFilesPlaceAreNeitherReadNorWritten) {
  for (const char* device : {"/dev/zero", "/dev/urandom", "/dev/null"}) {
    std::filesystem::remove(InData("zizodo.INI"));
    std::filesystem::create_symlink(device, InData("zizodo.INI"));
    EXPECT_EQ(ReadStoreState(fs()), StoreState::kUnreadable) << device;
    EXPECT_TRUE(AccountNamesForLogin(fs()).empty()) << device;
    EXPECT_THROW(AddUserEntry(fs(), "Ann", "pw"), WriteError) << device;
    EXPECT_TRUE(std::filesystem::is_symlink(InData("zizodo.INI"))) << device;
  }
}

}  // namespace
}  // namespace store
