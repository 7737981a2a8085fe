#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

// The account rules: who may log in, who is the administrator, and how the
// administrator account is renamed and ordinary users are created and
// deleted. The windows read their boxes, make one call and show what it
// came to. Every account name read from the settings file passes the same
// checks as a typed one (IsValidAccountName) before any file is named after
// it: a name that fails them cannot log in and never has a file created,
// renamed or deleted for it. Names are used byte for byte, whether or not
// they are UTF-8; ReadableName gives the text to show for them.
namespace engine {

// What an account routine came to. The window shows the message that goes
// with it; kDone, kNothingEntered and kNotChanged show none.
enum class AccountOutcome {
  kDone,                    // logged in, renamed or created
  kNothingEntered,          // name and password both empty: nothing happens
  kNoUserChosen,            // login with no name chosen
  kWrongNameOrPassword,     // login: no such account, a wrong or an empty password
  kMissingNameOrPassword,   // only one of name and password given
  kInvalidNameOrPassword,   // the name or password cannot be stored as it is,
                            // or a stored name that no file may be named after
  kNameTaken,               // an account file of that name exists (letter case ignored)
  kNotChanged,              // administrator change: the rename failed, nothing changed
};

// An account name as the settings file holds it, and as it is shown.
struct ListedName {
  std::string stored;  // the key's bytes: what every operation uses
  std::string shown;   // ReadableName(stored)
};

// The names for the login window's user box: the ordinary users in file
// order, then the administrators in file order; a name in both sections
// comes twice. Invalid names are listed too (and refused at login).
std::vector<ListedName> LoginBoxNames(platform::FileSystem& fs);

// The names for the Options window's user list: the ordinary users in file
// order.
std::vector<ListedName> UserListNames(platform::FileSystem& fs);

// The login check of `name` (the user box's text) with `password`:
// kNoUserChosen for an empty name; kInvalidNameOrPassword for a stored name
// that fails IsValidAccountName; kWrongNameOrPassword unless the password
// equals the one stored for the name among the ordinary users or among the
// administrators (key names match ignoring letter case, the password
// exactly), and always for an empty password; otherwise kDone.
AccountOutcome CheckLogin(platform::FileSystem& fs, const std::string& name,
                          const std::string& password);

// True when `account` is a valid name that is one of the administrators'
// keys, compared exactly (letter case counting): the gate of Options and Find.
bool IsAdministrator(platform::FileSystem& fs, const std::string& account);

// The administrator change: the administrator account (the last key of the
// administrators' section) gets the name `new_name` and the password
// `new_password`. Refuses, writing nothing: kNothingEntered, then
// kMissingNameOrPassword, kInvalidNameOrPassword, kNameTaken, in that order
// of checks. kNotChanged, silently, when there is no administrator, when the
// stored administrator's name is not valid, or when its account file cannot
// be renamed. kDone after the account file is renamed and the section holds
// new_name = new_password alone. Throws store::WriteError when the settings
// file cannot be written (the account file keeps its old name).
AccountOutcome ChangeAdministrator(platform::FileSystem& fs, const std::string& new_name,
                                   const std::string& new_password);

// User creation: refuses as ChangeAdministrator does; otherwise writes the
// user's entry name = password and creates the account file, hidden+system,
// and returns kDone. Throws store::WriteError when a write fails.
AccountOutcome AddUser(platform::FileSystem& fs, const std::string& name,
                       const std::string& password);

// Deletes the ordinary users `names` (stored bytes), in the order given: for
// each, the account file is shown again (which takes it out of the data
// folder's .hidden) and deleted, then the user's key is deleted. Only the key
// goes, and no file is touched, when the name is not valid or when it is
// also an administrator's name (whose account file it shares). A missing
// account file or a failed deletion is not reported.
void DeleteUsers(platform::FileSystem& fs, const std::vector<std::string>& names);

}  // namespace engine
