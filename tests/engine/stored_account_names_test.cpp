// Account names as the settings file holds them, edited by hand or copied
// from another machine, through every routine that takes an account: each
// row says whether the name may be used, and which file an unchecked name
// would reach instead of an account file of its own, which must stay as it is.
#include <ostream>
#include <string>
#include <vector>

#include "engine/accounts.h"
#include "engine/hidden_items.h"
#include "tests/engine/record_fixture.h"

namespace {

namespace records = store::records;
using engine::AccountOutcome;
using testing_support::ListedInDotHidden;

struct StoredName {
  const char* label;  // names the row in the test's name
  std::string name;
  bool valid;
  std::string reached;  // "" for a valid name
};

const StoredName kStoredNames[] = {
    {"Plain", "Ann", true, ""},
    {"EightBitCodePage", "J\xFCrgen", true, ""},
    {"UpOutOfTheDataFolder", "..\\..\\..\\evil", false, "C:\\evil.INI"},
    {"TheSettingsFile", "zizodo", false, records::kSettingsFile},
    {"TheGlobalRecord", "BIEFEI", false, records::kGlobalRecordFile},
    {"Slash", "sub/x", false, "C:\\WINDOWS\\zizodo\\zizodo123\\sub\\x.INI"},
    {"Backslash", "sub\\x", false, "C:\\WINDOWS\\zizodo\\zizodo123\\sub\\x.INI"},
};

void PrintTo(const StoredName& row, std::ostream* out) { *out << row.label; }

class StoredAccountNameTest : public engine_testing::RecordFixture,
                              public ::testing::WithParamInterface<StoredName> {
 protected:
  void SetUp() override {
    RecordFixture::SetUp();
    // Every file that a row may reach exists, with bytes of its own.
    store::IniFile(fs(), records::kGlobalRecordFile).WriteString(records::kHiddenItemsSection, "7", "C:\\x");
    ASSERT_TRUE(fs().CreateFolder("C:\\WINDOWS\\zizodo\\zizodo123\\sub"));
    ASSERT_TRUE(fs().ReplaceFile("C:\\WINDOWS\\zizodo\\zizodo123\\sub\\x.INI", "keep me"));
    ASSERT_TRUE(fs().ReplaceFile("C:\\evil.INI", "keep me"));
  }

  const StoredName& Row() { return GetParam(); }
  const std::string& Name() { return Row().name; }
  std::string OwnFile() { return records::AccountFile(Name()); }
  std::string ReachedBytes() { return Row().reached.empty() ? "" : Bytes(Row().reached); }
  void Store(const char* section) {
    store::IniFile(fs(), records::kSettingsFile).WriteString(section, Name(), "pw");
  }
};

TEST_P(StoredAccountNameTest, OnlyAValidNameLogsInAndPassesTheGate) {
  Store(records::kUsersSection);
  Store(records::kAdministratorsSection);
  EXPECT_EQ(engine::CheckLogin(fs(), Name(), "pw"),
            Row().valid ? AccountOutcome::kDone : AccountOutcome::kInvalidNameOrPassword);
  EXPECT_EQ(engine::IsAdministrator(fs(), Name()), Row().valid);
}

TEST_P(StoredAccountNameTest, HideListAndRestoreUseOnlyAValidNamesOwnFile) {
  const std::string item = MakeItem("Data\\a.txt");
  const std::string settings = Bytes(records::kSettingsFile);
  const std::string global = Bytes(records::kGlobalRecordFile);
  const std::string reached = ReachedBytes();

  EXPECT_EQ(engine::HideItem(fs(), Name(), item), Row().valid ? "1" : "");
  EXPECT_EQ(engine::LoadList(fs(), Name()).size(), Row().valid ? 1u : 0u);
  EXPECT_EQ(Attributes(item), Row().valid ? platform::kAttrHiddenSystem : platform::kAttrNone);
  EXPECT_TRUE(engine::Restore(fs(), Name(), {{item, false}}).empty());
  EXPECT_EQ(Attributes(item), platform::kAttrNone);
  if (!Row().valid) {
    EXPECT_EQ(Bytes(records::kSettingsFile), settings);
    EXPECT_EQ(Bytes(records::kGlobalRecordFile), global);
    EXPECT_EQ(ReachedBytes(), reached);
  }
}

TEST_P(StoredAccountNameTest, DeleteRemovesTheKeyAndOnlyAValidNamesOwnFile) {
  Store(records::kUsersSection);
  store::IniFile(fs(), records::kSettingsFile).WriteString(records::kUsersSection, "Zoe", "pw");
  if (Row().valid) store::CreateAccountFile(fs(), Name());
  const std::string reached = ReachedBytes();

  engine::DeleteUsers(fs(), {Name()});
  EXPECT_EQ(store::UserNames(fs()), std::vector<std::string>{"Zoe"});
  if (Row().valid) {
    EXPECT_FALSE(fs().FileExists(OwnFile()));
    // Nor is the deleted file still listed as hidden in the data folder.
    EXPECT_FALSE(ListedInDotHidden(Native(records::kDataFolder), Name() + ".INI"));
  } else if (Row().reached != records::kSettingsFile) {
    // (The settings file loses the key and nothing else, as the users show.)
    EXPECT_EQ(ReachedBytes(), reached);
  }
}

TEST_P(StoredAccountNameTest, TheAdministratorChangeNeverRenamesAnInvalidName) {
  store::IniFile(fs(), records::kSettingsFile).EraseSection(records::kAdministratorsSection);
  Store(records::kAdministratorsSection);
  if (Row().valid) store::CreateAccountFile(fs(), Name());
  const std::string own = Bytes(OwnFile());

  const bool renamed = engine::ChangeAdministrator(fs(), "Boss", "s3cret") == AccountOutcome::kDone;
  EXPECT_EQ(renamed, Row().valid);
  EXPECT_EQ(store::AdministratorNames(fs()), std::vector<std::string>{renamed ? "Boss" : Name()});
  EXPECT_EQ(Bytes(records::AccountFile("Boss")), renamed ? own : "");
  if (!Row().valid) {
    EXPECT_EQ(ReachedBytes(), own);  // the file the name reached
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredAccountNameTest, ::testing::ValuesIn(kStoredNames),
                         [](const ::testing::TestParamInfo<StoredName>& info) {
                           return std::string(info.param.label);
                         });

class DeleteUsersTest : public engine_testing::RecordFixture {};

TEST_F(DeleteUsersTest, AUserNamedLikeTheAdministratorLeavesTheAdministratorsFile) {
  store::IniFile(fs(), records::AccountFile("name")).WriteString(records::kHiddenItemsSection, "1", "C:\\x");
  const std::string administrators_file = Bytes(records::AccountFile("name"));
  // Account files match ignoring letter case: "NAME.INI" is "name.INI".
  store::IniFile(fs(), records::kSettingsFile).WriteString(records::kUsersSection, "NAME", "pw");

  engine::DeleteUsers(fs(), {"NAME"});
  EXPECT_TRUE(store::UserNames(fs()).empty());
  EXPECT_EQ(Bytes(records::AccountFile("name")), administrators_file);
}

}  // namespace
