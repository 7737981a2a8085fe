// Renaming the administrator account, creating and deleting ordinary users.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/account_names.h"
#include "engine/accounts.h"
#include "engine/records_lock.h"
#include "platform/windows_path.h"
#include "store/data_store.h"
#include "store/ini_file.h"
#include "store/records.h"

namespace engine {

namespace {

namespace records = store::records;

// The checks that a new name and password pass before anything is written;
// nullopt when they may be stored.
std::optional<AccountOutcome> RefuseNewAccount(platform::FileSystem& fs, const std::string& name,
                                               const std::string& password) {
  if (name.empty() && password.empty()) return AccountOutcome::kNothingEntered;
  if (name.empty() || password.empty()) return AccountOutcome::kMissingNameOrPassword;
  // The name becomes a file name and a key, the password a value: refuse
  // what could not be stored or typed again.
  if (!IsValidAccountName(name) || !IsValidPassword(password)) {
    return AccountOutcome::kInvalidNameOrPassword;
  }
  if (store::AccountNameTaken(fs, name)) return AccountOutcome::kNameTaken;
  return std::nullopt;
}

// True when `name` names the same account file as one of `administrators`.
bool SharesAnAdministratorsFile(const std::vector<std::string>& administrators, const std::string& name) {
  return std::any_of(administrators.begin(), administrators.end(), [&](const std::string& administrator) {
    return platform::windows_path::EqualIgnoringCase(administrator, name);
  });
}

}  // namespace

AccountOutcome ChangeAdministrator(platform::FileSystem& fs, const std::string& new_name,
                                   const std::string& new_password) {
  // The test that the name is free and the rename stand together.
  const std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  // The administrator's name is read before anything else.
  const std::vector<std::string> administrators = store::AdministratorNames(fs);
  if (const auto refusal = RefuseNewAccount(fs, new_name, new_password)) return *refusal;
  // The section holds one key; should it hold more, the last one counts. A
  // stored name that no file may be named after is never renamed: the
  // change fails as a failed rename does.
  if (administrators.empty() || !IsValidAccountName(administrators.back())) {
    return AccountOutcome::kNotChanged;
  }
  return store::RenameAdministrator(fs, administrators.back(), new_name, new_password)
             ? AccountOutcome::kDone
             : AccountOutcome::kNotChanged;
}

AccountOutcome AddUser(platform::FileSystem& fs, const std::string& name, const std::string& password) {
  const std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  if (const auto refusal = RefuseNewAccount(fs, name, password)) return *refusal;
  store::AddUserEntry(fs, name, password);
  store::CreateAccountFile(fs, name);
  return AccountOutcome::kDone;
}

void DeleteUsers(platform::FileSystem& fs, const std::vector<std::string>& names) {
  const std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  const std::vector<std::string> administrators = store::AdministratorNames(fs);
  for (const std::string& name : names) {
    const std::optional<std::string> file = AccountFile(name);
    if (!file || SharesAnAdministratorsFile(administrators, name)) {
      store::IniFile(fs, records::kSettingsFile).DeleteKey(records::kUsersSection, name);
      continue;
    }
    // Its marks go first: on Linux that takes its line out of the data
    // folder's .hidden, which would otherwise outlive the file.
    fs.SetAttributes(*file, platform::kAttrNone);
    store::DeleteUserAccount(fs, name);
  }
}

}  // namespace engine
