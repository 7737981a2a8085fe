// The Options window's routines: administrator change, user creation and
// deletion, and its buttons.
#include <string>
#include <vector>

#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/account_names.h"
#include "app/messages.h"
#include "app/toolkit/check_list_view.h"
#include "app/toolkit/edit_controls.h"
#include "app/toolkit/label.h"
#include "store/data_store.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "store/records.h"

namespace app {

namespace {
namespace records = store::records;

// The column header after a deletion: 38 blanks, the number of users left,
// two blanks and "Name".
constexpr int kHeaderBlanks = 38;
constexpr char kHeaderSuffix[] = "  Name";

std::string UserCountCaption(int users) {
  return std::string(kHeaderBlanks, ' ') + std::to_string(users) + kHeaderSuffix;
}

std::string TextOf(const LabeledEdit* box) { return box->Text(); }
}  // namespace

void TForm3::ReloadUserList() {
  ListView1->Clear();
  for (const std::string& name : store::UserNames(services_.fs)) {
    ListView1->AddRow(name, {}, false);
  }
}

bool TForm3::AcceptNewAccount(const std::string& name, const std::string& password) {
  if (name.empty() != password.empty()) {
    services_.dialogs.ShowMessage(messages::kMissingNameOrPassword);
    return false;
  }
  if (name.empty()) return false;
  // The name becomes a file name and a key, the password a value: refuse
  // what could not be stored or typed again, before anything is written.
  if (!IsValidAccountName(name) || !IsValidPassword(password)) {
    services_.dialogs.ShowMessage(messages::kInvalidNameOrPassword);
    return false;
  }
  if (store::AccountNameTaken(services_.fs, name)) {
    services_.dialogs.ShowMessage(messages::kNameTaken);
    return false;
  }
  return true;
}

void TForm3::Button1Click() {
  // The administrator's name is read before anything else.
  const std::vector<std::string> administrators = store::AdministratorNames(services_.fs);
  const std::string name = TextOf(LabeledEdit3);
  const std::string password = TextOf(LabeledEdit4);
  if (AcceptNewAccount(name, password) && !administrators.empty()) {
    // The section holds one key; should it hold more, the last one counts.
    // A stored name that reaches out of the data folder is never renamed:
    // the change fails as a failed rename does, silently.
    const std::string& old_name = administrators.back();
    if (AccountFileStaysInDataFolder(old_name) &&
        store::RenameAdministrator(services_.fs, old_name, name, password)) {
      forms_.login->SetAccount(name, password);
    }
  }
  LabeledEdit3->Clear();
  LabeledEdit4->Clear();
}

void TForm3::Button3Click() {
  const std::string name = TextOf(LabeledEdit1);
  const std::string password = TextOf(LabeledEdit2);
  if (AcceptNewAccount(name, password)) {
    store::AddUserEntry(services_.fs, name, password);
    ListView1->AddRow(name, {}, false);
    store::CreateAccountFile(services_.fs, name);
  }
  LabeledEdit1->Clear();
  LabeledEdit2->Clear();
}

void TForm3::SpeedButton4Click() {
  // From the last row to the first, so that removing a row never moves one
  // that is still to be looked at.
  for (int row = ListView1->RowCount() - 1; row >= 0; --row) {
    if (!ListView1->Checked(row)) continue;
    const std::string name = ListView1->Caption(row);
    if (AccountFileStaysInDataFolder(name)) {
      store::DeleteUserAccount(services_.fs, name);
    } else {
      // A name stored by hand that would reach out of the data folder: only
      // the account's entry goes, no file is deleted for it.
      store::IniFile(services_.fs, records::kSettingsFile).DeleteKey(records::kUsersSection, name);
    }
    ListView1->RemoveRow(row);
  }
  ListView1->SetColumnCaption(0, UserCountCaption(ListView1->RowCount()));
}

void TForm3::SpeedButton3Click() {
  try {
    Button1Click();
    Button3Click();
  } catch (const store::Error& error) {
    services_.dialogs.ShowError(error.what());
    return;
  }
  Close();
}

void TForm3::SpeedButton2Click() { Close(); }

void TForm3::SpeedButton1Click() { services_.shell.OpenDocument(records::kHelpDocument); }

void TForm3::Label1Click() {
  Label1->SetFontColor(kBlack);
  Close();
}

}  // namespace app
