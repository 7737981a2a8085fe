// Record files that another program holds open without sharing them: on
// Windows they can be neither read nor replaced while it does, and the store
// must neither take them for empty nor write over them.

#include <windows.h>

#include "store/data_store.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "tests/store/store_fixture.h"

namespace store {
namespace {

using testing_support::WriteAll;

constexpr char kFile[] = "C:\\WINDOWS\\zizodo\\zizodo123\\test.INI";

class HeldFilesTest : public store_testing::StoreTest {
 protected:
  void SetUp() override { MakeDataFolder(); }
  void TearDown() override {
    if (held_ != INVALID_HANDLE_VALUE) ::CloseHandle(held_);
  }
  // Opens the real file for reading and shares it with nobody.
  bool Hold(const std::string& real_path) {
    held_ = ::CreateFileA(real_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return held_ != INVALID_HANDLE_VALUE;
  }
  void Release() {
    ::CloseHandle(held_);
    held_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE held_ = INVALID_HANDLE_VALUE;
};

TEST_F(HeldFilesTest, HeldRecordFileIsNeverOverwritten) {
  const std::string real = InData("test.INI");
  WriteAll(real, "[s]\r\nsecret=1\r\n");
  ASSERT_TRUE(Hold(real));
  IniFile file(fs(), kFile);
  EXPECT_EQ(file.ReadString("s", "secret", ""), "");
  EXPECT_THROW(file.WriteString("s", "k", "v"), WriteError);
  file.DeleteKey("s", "secret");
  Release();

  EXPECT_EQ(ReadReal(real), "[s]\r\nsecret=1\r\n");
  EXPECT_EQ(file.ReadString("s", "secret", ""), "1");
}

TEST_F(HeldFilesTest, HeldSettingsFileReadsAsUnreadableAndTakesNoNewUser) {
  ASSERT_TRUE(InitialiseStore(fs()));
  const std::string settings = InData("zizodo.INI");
  const std::string bytes = ReadReal(settings);
  ASSERT_TRUE(Hold(settings));
  EXPECT_EQ(ReadStoreState(fs()), StoreState::kUnreadable);
  EXPECT_THROW(AddUserEntry(fs(), "Ann", "pw"), WriteError);
  Release();

  EXPECT_EQ(ReadReal(settings), bytes);
  EXPECT_EQ(ReadStoreState(fs()), StoreState::kInitialised);
}

}  // namespace
}  // namespace store
