// Who may log in and who is the administrator.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/account_names.h"
#include "engine/accounts.h"
#include "engine/readable_name.h"
#include "store/data_store.h"

namespace engine {

namespace {
std::vector<ListedName> Listed(const std::vector<std::string>& names) {
  std::vector<ListedName> listed;
  listed.reserve(names.size());
  for (const std::string& name : names) listed.push_back({name, ReadableName(name)});
  return listed;
}
}  // namespace

std::vector<ListedName> LoginBoxNames(platform::FileSystem& fs) {
  return Listed(store::AccountNamesForLogin(fs));
}

std::vector<ListedName> UserListNames(platform::FileSystem& fs) { return Listed(store::UserNames(fs)); }

AccountOutcome CheckLogin(platform::FileSystem& fs, const std::string& name,
                          const std::string& password) {
  if (name.empty()) return AccountOutcome::kNoUserChosen;
  // A name stored by hand that no file may be named after: whatever its
  // password, the account cannot be used.
  if (!IsValidAccountName(name)) return AccountOutcome::kInvalidNameOrPassword;
  // The ordinary users' password is tried first; an empty password never
  // enters, whatever is stored.
  if (password.empty() ||
      (password != store::UserPassword(fs, name) && password != store::AdministratorPassword(fs, name))) {
    return AccountOutcome::kWrongNameOrPassword;
  }
  return AccountOutcome::kDone;
}

bool IsAdministrator(platform::FileSystem& fs, const std::string& account) {
  if (!IsValidAccountName(account)) return false;
  const std::vector<std::string> administrators = store::AdministratorNames(fs);
  return std::find(administrators.begin(), administrators.end(), account) != administrators.end();
}

}  // namespace engine
