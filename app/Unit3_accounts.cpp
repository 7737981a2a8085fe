// The Options window's routines: administrator change, user creation and
// deletion, and its buttons.
#include <string>
#include <vector>

#include "app/Unit3.h"
#include "app/help_guide.h"
#include "app/messages.h"
#include "toolkit/check_list_view.h"
#include "toolkit/edit_controls.h"
#include "toolkit/label.h"
#include "engine/accounts.h"
#include "store/errors.h"
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
  // Each row shows its name readably and keeps the stored bytes.
  for (const engine::ListedName& name : engine::UserListNames(services_.fs)) {
    AddUserRow(name.shown, name.stored);
  }
}

void TForm3::AddUserRow(const std::string& shown, const std::string& stored) {
  ListView1->AddRow(shown, {}, false);
  ListView1->SetValue(ListView1->RowCount() - 1, stored);
}

void TForm3::ShowOutcome(engine::AccountOutcome outcome) {
  if (const char* message = messages::AccountMessage(outcome)) services_.dialogs.ShowMessage(message);
}

void TForm3::Button1Click() {
  const std::string name = TextOf(LabeledEdit3);
  const std::string password = TextOf(LabeledEdit4);
  const engine::AccountOutcome outcome = engine::ChangeAdministrator(services_.fs, name, password);
  ShowOutcome(outcome);
  if (outcome == engine::AccountOutcome::kDone) windows_.SetAccount(name, password);
  LabeledEdit3->Clear();
  LabeledEdit4->Clear();
}

void TForm3::Button3Click() {
  const std::string name = TextOf(LabeledEdit1);
  const std::string password = TextOf(LabeledEdit2);
  const engine::AccountOutcome outcome = engine::AddUser(services_.fs, name, password);
  ShowOutcome(outcome);
  if (outcome == engine::AccountOutcome::kDone) AddUserRow(name, name);
  LabeledEdit1->Clear();
  LabeledEdit2->Clear();
}

void TForm3::SpeedButton4Click() {
  // Users and rows go from the last row to the first, so that removing a
  // row never moves one that is still to be looked at.
  std::vector<std::string> ticked;
  for (int row = ListView1->RowCount() - 1; row >= 0; --row) {
    if (ListView1->Checked(row)) ticked.push_back(ListView1->Value(row));
  }
  try {
    engine::DeleteUsers(services_.fs, ticked);
    for (int row = ListView1->RowCount() - 1; row >= 0; --row) {
      if (ListView1->Checked(row)) ListView1->RemoveRow(row);
    }
  } catch (const store::Error& error) {
    // The rows show the users as the settings file now holds them.
    ReloadUserList();
    services_.dialogs.ShowError(error.what());
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

void TForm3::SpeedButton1Click() { OpenHelpGuide(services_); }

void TForm3::Label1Click() {
  Label1->SetFontColor(kBlack);
  Close();
}

}  // namespace app
