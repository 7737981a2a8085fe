#include <string>
#include <vector>

#include "engine/accounts.h"
#include "engine/skin_setting.h"
#include "tests/engine/record_fixture.h"
#include "tests/support/record_states.h"

namespace {

namespace records = store::records;
using engine::AccountOutcome;

class AccountsTest : public engine_testing::RecordFixture {
 protected:
  void Store(const char* section, const std::string& name, const std::string& password) {
    store::IniFile(fs(), records::kSettingsFile).WriteString(section, name, password);
  }
  testing_support::FileStates DataFolder() {
    return testing_support::ReadFileStates(Native(records::kDataFolder));
  }
};

TEST_F(AccountsTest, LoginAdmitsTheExactStoredPasswordOfEitherSection) {
  Store(records::kUsersSection, "Ann", "Secret");
  Store(records::kUsersSection, "Nobody", "");
  Store(records::kUsersSection, "name", "user-pw");  // also the administrator
  struct Attempt {
    std::string name;
    std::string password;
    AccountOutcome outcome;
  };
  const Attempt attempts[] = {
      {"", "Secret", AccountOutcome::kNoUserChosen},
      {"Ann", "Secret", AccountOutcome::kDone},
      {"ANN", "Secret", AccountOutcome::kDone},  // keys match ignoring letter case
      {"Ann", "secret", AccountOutcome::kWrongNameOrPassword},
      {"Ann", "Secret ", AccountOutcome::kWrongNameOrPassword},
      {"Ann", "", AccountOutcome::kWrongNameOrPassword},
      {"Nobody", "", AccountOutcome::kWrongNameOrPassword},  // never with an empty password
      {"Ghost", "x", AccountOutcome::kWrongNameOrPassword},
      {"name", "31852", AccountOutcome::kDone},
      {"name", "user-pw", AccountOutcome::kDone},
      {"con", "x", AccountOutcome::kInvalidNameOrPassword},
  };
  for (const Attempt& attempt : attempts) {
    EXPECT_EQ(engine::CheckLogin(fs(), attempt.name, attempt.password), attempt.outcome)
        << attempt.name << " / " << attempt.password;
  }
  // The gate compares exactly, letter case counting.
  EXPECT_TRUE(engine::IsAdministrator(fs(), "name"));
  EXPECT_FALSE(engine::IsAdministrator(fs(), "NAME"));
  EXPECT_FALSE(engine::IsAdministrator(fs(), "Ann"));
}

TEST_F(AccountsTest, NewAccountsAreRefusedInOrderBeforeAnythingIsWritten) {
  store::AddUserEntry(fs(), "Ann", "pw");
  store::CreateAccountFile(fs(), "Ann");
  struct Input {
    std::string name;
    std::string password;
    AccountOutcome outcome;
  };
  const Input inputs[] = {
      {"", "", AccountOutcome::kNothingEntered},
      {"Boss", "", AccountOutcome::kMissingNameOrPassword},
      {"", "pw", AccountOutcome::kMissingNameOrPassword},
      {"..\\x", "", AccountOutcome::kMissingNameOrPassword},
      {"..\\x", "pw", AccountOutcome::kInvalidNameOrPassword},
      {"Zizodo", "pw", AccountOutcome::kInvalidNameOrPassword},
      {"Boss", " pw", AccountOutcome::kInvalidNameOrPassword},
      {"aNN", " pw", AccountOutcome::kInvalidNameOrPassword},
      {"aNN", "pw", AccountOutcome::kNameTaken},
      {"NAME", "pw", AccountOutcome::kNameTaken},
  };
  const testing_support::FileStates before = DataFolder();
  for (const Input& input : inputs) {
    EXPECT_EQ(engine::AddUser(fs(), input.name, input.password), input.outcome) << input.name;
    EXPECT_EQ(engine::ChangeAdministrator(fs(), input.name, input.password), input.outcome)
        << input.name;
  }
  EXPECT_EQ(DataFolder(), before);
}

TEST_F(AccountsTest, AnAdministratorChangeWithoutAnAccountFileChangesNothing) {
  ASSERT_TRUE(fs().DeleteFile(records::AccountFile("name")));
  const testing_support::FileStates before = DataFolder();
  EXPECT_EQ(engine::ChangeAdministrator(fs(), "Boss", "s3cret"), AccountOutcome::kNotChanged);
  EXPECT_EQ(DataFolder(), before);
}

TEST_F(AccountsTest, DeletingAUserNamedLikeTheAdministratorKeepsTheAdministratorsFile) {
  store::IniFile(fs(), records::AccountFile("name"))
      .WriteString(records::kHiddenItemsSection, "1", "C:\\Data\\x");
  const std::string administrators_file = Bytes(records::AccountFile("name"));
  // Account files match ignoring letter case: "NAME.INI" is "name.INI".
  Store(records::kUsersSection, "NAME", "pw");
  Store(records::kUsersSection, "Ann", "pw");
  store::CreateAccountFile(fs(), "Ann");

  engine::DeleteUsers(fs(), {"Ann", "NAME", "Ghost"});
  EXPECT_TRUE(store::UserNames(fs()).empty());
  EXPECT_FALSE(fs().FileExists(records::AccountFile("Ann")));
  EXPECT_EQ(Bytes(records::AccountFile("name")), administrators_file);
  EXPECT_EQ(engine::CheckLogin(fs(), "name", "31852"), AccountOutcome::kDone);
}

TEST_F(AccountsTest, OnlyAStoredOneIsSkinOneAndNothingIsStoredWithoutSettings) {
  const std::pair<std::string, engine::Skin> stored[] = {
      {"1", engine::Skin::kOne},
      {"2", engine::Skin::kTwo}, {"", engine::Skin::kTwo},     {"01", engine::Skin::kTwo},
      {"one", engine::Skin::kTwo}};
  for (const auto& [value, skin] : stored) {
    Store(records::kSkinSection, records::kSkinKey, value);
    EXPECT_TRUE(engine::ReadStoredSkin(fs()).has_settings);
    EXPECT_EQ(engine::ReadStoredSkin(fs()).skin, skin) << "'" << value << "'";
  }
  ASSERT_TRUE(engine::StoreSkin(fs(), engine::Skin::kOne));
  EXPECT_EQ(engine::ReadStoredSkin(fs()).skin, engine::Skin::kOne);
  ASSERT_TRUE(engine::StoreSkin(fs(), engine::Skin::kTwo));
  EXPECT_EQ(store::IniFile(fs(), records::kSettingsFile).ReadString(records::kSkinSection, records::kSkinKey, ""),
            "2");

  ASSERT_TRUE(fs().DeleteFile(records::kSettingsFile));
  EXPECT_FALSE(engine::ReadStoredSkin(fs()).has_settings);
  EXPECT_FALSE(engine::StoreSkin(fs(), engine::Skin::kOne));
  EXPECT_FALSE(fs().FileExists(records::kSettingsFile));
}

}  // namespace
