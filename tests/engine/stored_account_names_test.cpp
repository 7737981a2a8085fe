// Account names as the settings file holds them, edited by hand or copied
// from another machine, through every routine that takes an account: each
// row says whether the name may be used, and what an unchecked name would
// reach and must stay as it is.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/account_names.h"
#include "engine/accounts.h"
#include "engine/hidden_items.h"
#include "engine/readable_name.h"
#include "tests/engine/record_fixture.h"

namespace {

namespace records = store::records;
using engine::AccountOutcome;
using testing_support::ListedInDotHidden;

struct StoredName {
  const char* label;  // names the row in the test's name
  std::string name;
  bool valid;
  // The file that the name, taken as a file name unchecked, would create,
  // replace, rename or delete instead of an account file of its own: it
  // must come out of every routine exactly as it went in. "" for a valid name.
  std::string reached;
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
    ASSERT_TRUE(fs().CreateFolder("C:\\WINDOWS\\zizodo\\zizodo123\\sub"));
    // Every file that a row may reach exists, with bytes of its own.
    store::IniFile(fs(), records::kGlobalRecordFile)
        .WriteString(records::kHiddenItemsSection, "7", "C:\\Other\\item");
    ASSERT_TRUE(fs().ReplaceFile("C:\\evil.INI", "keep me"));
    ASSERT_TRUE(fs().ReplaceFile("C:\\WINDOWS\\zizodo\\zizodo123\\sub\\x.INI", "keep me"));
  }

  const StoredName& Row() { return GetParam(); }
  std::string Name() { return Row().name; }
  std::string OwnFile() { return records::AccountFile(Name()); }
  std::string ReachedBytes() { return Row().reached.empty() ? "" : Bytes(Row().reached); }

  void StoreAs(const char* section, const std::string& password) {
    store::IniFile(fs(), records::kSettingsFile).WriteString(section, Name(), password);
  }
  // The settings file with the row's name stored as the administrator.
  void StoreAsAdministrator(const std::string& password) {
    store::IniFile settings(fs(), records::kSettingsFile);
    settings.EraseSection(records::kAdministratorsSection);
    settings.WriteString(records::kAdministratorsSection, Name(), password);
  }
};

TEST_P(StoredAccountNameTest, OnlyAValidNameLogsInAndPassesTheGate) {
  StoreAs(records::kUsersSection, "pw");
  StoreAs(records::kAdministratorsSection, "pw");
  const std::string reached = ReachedBytes();

  const AccountOutcome refused = AccountOutcome::kInvalidNameOrPassword;
  EXPECT_EQ(engine::CheckLogin(fs(), Name(), "pw"), Row().valid ? AccountOutcome::kDone : refused);
  EXPECT_EQ(engine::CheckLogin(fs(), Name(), "wrong"),
            Row().valid ? AccountOutcome::kWrongNameOrPassword : refused);
  EXPECT_EQ(engine::IsAdministrator(fs(), Name()), Row().valid);
  // Listed all the same, shown readably, standing for the stored bytes.
  const std::vector<engine::ListedName> listed = engine::LoginBoxNames(fs());
  ASSERT_EQ(listed.size(), 3u);  // as a user, then as one of two administrators
  EXPECT_EQ(listed[0].stored, Name());
  EXPECT_EQ(listed[0].shown, engine::ReadableName(Name()));
  EXPECT_EQ(ReachedBytes(), reached);
}

TEST_P(StoredAccountNameTest, HideListAndRestoreUseOnlyAValidNamesOwnFile) {
  const std::string item = MakeItem("Data\\a.txt");
  const std::string settings = Bytes(records::kSettingsFile);
  const std::string global = Bytes(records::kGlobalRecordFile);
  const std::string reached = ReachedBytes();

  EXPECT_EQ(engine::HideItem(fs(), Name(), item), Row().valid ? "1" : "");
  EXPECT_EQ(engine::LoadList(fs(), Name()), Row().valid ? std::vector<std::string>{item}
                                                        : std::vector<std::string>{});
  if (Row().valid) {
    EXPECT_EQ(Attributes(item), platform::kAttrHiddenSystem);
    EXPECT_TRUE(engine::Restore(fs(), Name(), {{item, false}}).empty());
    EXPECT_TRUE(HiddenEntries(OwnFile()).empty());
  } else {
    EXPECT_TRUE(engine::Restore(fs(), Name(), {{item, false}}).empty());
    EXPECT_EQ(Bytes(records::kSettingsFile), settings);
    EXPECT_EQ(Bytes(records::kGlobalRecordFile), global);
    EXPECT_EQ(ReachedBytes(), reached);
  }
  EXPECT_EQ(Attributes(item), platform::kAttrNone);
}

TEST_P(StoredAccountNameTest, DeleteRemovesTheKeyAndOnlyAValidNamesOwnFile) {
  StoreAs(records::kUsersSection, "pw");
  store::IniFile(fs(), records::kSettingsFile).WriteString(records::kUsersSection, "Zoe", "pw");
  if (Row().valid) {
    store::CreateAccountFile(fs(), Name());
    ASSERT_EQ(ListedInDotHidden(Native(records::kDataFolder), Name() + ".INI"),
              testing_support::KeepsDotHiddenLists());
  }
  const std::string reached = ReachedBytes();

  engine::DeleteUsers(fs(), {Name()});
  EXPECT_EQ(store::UserNames(fs()), std::vector<std::string>{"Zoe"});
  EXPECT_TRUE(fs().FileExists(records::AccountFile("name")));
  if (Row().valid) {
    EXPECT_FALSE(fs().FileExists(OwnFile()));
    // The deleted file is no longer listed as hidden in the data folder.
    EXPECT_FALSE(ListedInDotHidden(Native(records::kDataFolder), Name() + ".INI"));
  } else if (Row().reached != records::kSettingsFile) {
    // (The settings file itself loses the key and nothing else, as the
    // users left show.)
    EXPECT_EQ(ReachedBytes(), reached);
  }
}

TEST_P(StoredAccountNameTest, TheAdministratorChangeNeverRenamesAnInvalidName) {
  StoreAsAdministrator("pw");
  if (Row().valid) {
    store::IniFile(fs(), OwnFile()).WriteString(records::kHiddenItemsSection, "1", "C:\\Data\\x");
  }
  const std::string own = Bytes(OwnFile());
  const std::string reached = ReachedBytes();

  const AccountOutcome outcome = engine::ChangeAdministrator(fs(), "Boss", "s3cret");
  if (Row().valid) {
    EXPECT_EQ(outcome, AccountOutcome::kDone);
    EXPECT_EQ(store::AdministratorNames(fs()), std::vector<std::string>{"Boss"});
    EXPECT_EQ(Bytes(records::AccountFile("Boss")), own);
    EXPECT_FALSE(fs().FileExists(OwnFile()));
  } else {
    EXPECT_EQ(outcome, AccountOutcome::kNotChanged);
    EXPECT_EQ(store::AdministratorNames(fs()), std::vector<std::string>{Name()});
    EXPECT_FALSE(fs().FileExists(records::AccountFile("Boss")));
    EXPECT_EQ(ReachedBytes(), reached);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredAccountNameTest, ::testing::ValuesIn(kStoredNames),
                         [](const ::testing::TestParamInfo<StoredName>& info) {
                           return std::string(info.param.label);
                         });

}  // namespace
