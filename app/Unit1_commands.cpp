// The main window's command routing: hide, restore, the administrator gate
// for Options and Find, Help, Exit, Minimise and the up button.

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/busy_pointer.h"
#include "app/help_guide.h"
#include "app/messages.h"
#include "toolkit/label.h"
#include "toolkit/speed_button.h"
#include "toolkit/shell_list_view.h"
#include "engine/accounts.h"
#include "engine/readable_name.h"
#include "engine/store_start.h"
#include "store/errors.h"
#include "store/records.h"
#include "platform/handed_path.h"
#include "platform/windows_path.h"

namespace app {

void TForm1::ConnectCommands() {
  SpeedButton1->on_click = [this] { SpeedButton1Click(); };
  SpeedButton2->on_click = [this] { SpeedButton2Click(); };
  SpeedButton3->on_click = [this] { SpeedButton3Click(); };
  SpeedButton4->on_click = [this] { SpeedButton4Click(); };
  SpeedButton5->on_click = [this] { SpeedButton5Click(); };
  SpeedButton10->on_click = [this] { SpeedButton10Click(); };
  SpeedButton6->on_click = [this] { SpeedButton6Click(); };
  Label13->on_click = [this] { Label13Click(); };
  Label20->on_click = [this] { Label20Click(); };
  Label22->on_click = [this] { Label22Click(); };
  Label14->on_click = [this] { Label14Click(); };
  Label21->on_click = [this] { Label21Click(); };
  Label12->on_click = [this] { Label12Click(); };
  Label18->on_click = [this] { Label18Click(); };
  StaticText3->on_click = [this] { StaticText3Click(); };
  StaticText1->on_click = [this] { StaticText1Click(); };
  StaticText2->on_click = [this] { StaticText2Click(); };
  ShellListView1->on_change = [this] { ShellListView1Change(); };
}

namespace {

// The folder entry a recorded path names: its last name in the folder
// before it.
platform::FolderEntry EntryOf(const std::string& path) {
  return {platform::windows_path::Parent(path), platform::windows_path::LastName(path)};
}

}  // namespace

// Hide.

namespace {

// Why an item cannot be hidden, as the message says it.
const char* ReasonText(engine::Unrecordable reason) {
  switch (reason) {
    case engine::Unrecordable::kBackslashInName:
      return messages::kBackslashInName;
    case engine::Unrecordable::kLineBreak:
      return messages::kLineBreakInPath;
    case engine::Unrecordable::kOuterBlanks:
      return messages::kBlankAtEnds;
    case engine::Unrecordable::kEnclosingQuotes:
      return messages::kQuotedPath;
    case engine::Unrecordable::kTooLong:
      return messages::kPathTooLong;
    case engine::Unrecordable::kNotInCodePage:
      return messages::kNotInCodePage;
    case engine::Unrecordable::kUnmarkableLink:
      return messages::kUnmarkableLink;
  }
  return "";
}

}  // namespace

void TForm1::SpeedButton1Click() {
  try {
    // The busy pointer (should the command take long) ends before any box
    // shows; the records' lock is the engine's, held while it hides.
    const BusyPointer busy;
    RunHideCommand();
  } catch (const engine::UnrecordableItem& refused) {
    ShowHideRefusal(refused);
  } catch (const store::Error& error) {
    services_.dialogs.ShowError(error.what());
  }
}

void TForm1::ShowHideRefusal(const engine::UnrecordableItem& refused) {
  const bool link = refused.reason() == engine::Unrecordable::kUnmarkableLink;
  services_.dialogs.ShowMessage(messages::kCannotHide + refused.path() + messages::kCannotHideMiddle +
                                ReasonText(refused.reason()) +
                                (link ? messages::kCannotHideLinkEnd : messages::kCannotHideEnd));
}

void TForm1::HideHandedPaths(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  for (const std::string& handed : paths) {
    const std::optional<platform::HandedItem> item = platform::ItemOfHandedPath(services_.fs, handed);
    if (!item) {
      services_.dialogs.ShowMessage(messages::kCannotHide + engine::ReadableName(handed) +
                                    messages::kCannotHideMiddle + messages::kNoDriveReaches +
                                    messages::kCannotHideEnd);
      continue;
    }
    try {
      const BusyPointer busy;
      if (item->entry) {
        engine::HideItem(services_.fs, CurrentAccount(), item->path, *item->entry);
      } else {
        // A drive's root: the routine rejects it.
        engine::HideItem(services_.fs, CurrentAccount(), item->path);
      }
    } catch (const engine::UnrecordableItem& refused) {
      ShowHideRefusal(refused);
    } catch (const store::Error& error) {
      services_.dialogs.ShowError(error.what());
    }
  }
  Button2Click();
  ShellListView1->Refresh();
  WriteStatusLine();
  services_.shell.NotifyAssociationsChanged();
}

void TForm1::Label13Click() {
  CloseMenus();
  SpeedButton1Click();
}

void TForm1::Button5Click() { SpeedButton1Click(); }

void TForm1::RunHideCommand() {
  // The hide step reloads the list, refreshes the browser and clears the
  // selected path itself, however it ends.
  Button1Click();
  CloseMenus();
  WriteStatusLine();
  services_.shell.NotifyAssociationsChanged();
}

void TForm1::Button1Click() {
  std::exception_ptr failure;
  try {
    if (selected_entry_) {
      engine::HideItem(services_.fs, CurrentAccount(), selected_path_, *selected_entry_);
    } else {
      // A drive, My Computer or an empty line: the routine rejects it.
      engine::HideItem(services_.fs, CurrentAccount(), selected_path_);
    }
  } catch (const store::Error&) {
    failure = std::current_exception();
  }
  // Whatever happened above, the list, the browser and the line show the
  // records as they now are; of the browser's rows only the item's can
  // have changed.
  Button2Click();
  ShellListView1->RefreshEntries({selected_entry_.value_or(EntryOf(selected_path_))});
  SetSelectedPath("");
  if (failure) std::rethrow_exception(failure);
}

// Restore.

void TForm1::SpeedButton2Click() {
  try {
    const BusyPointer busy;
    RunRestoreCommand();
  } catch (const store::Error& error) {
    services_.dialogs.ShowError(error.what());
  }
}

void TForm1::Label20Click() {
  CloseMenus();
  SpeedButton2Click();
}

void TForm1::SpeedButton9Click() {
  try {
    const BusyPointer busy;
    RunRestoreCommand();
    WriteStatusLine();
  } catch (const store::Error& error) {
    services_.dialogs.ShowError(error.what());
  }
}

void TForm1::RunRestoreCommand() {
  std::exception_ptr failure;
  std::optional<std::vector<std::string>> reloaded;
  const std::vector<engine::ListRow> rows = ListRows();
  // The browser's rows that the command can change: the unticked items'.
  std::vector<platform::FolderEntry> changed;
  for (const engine::ListRow& row : rows) {
    if (!row.ticked) changed.push_back(EntryOf(row.path));
  }
  try {
    reloaded = engine::Restore(services_.fs, CurrentAccount(), rows);
  } catch (const store::Error&) {
    failure = std::current_exception();
  }
  // Whatever a failed record write left, the list, the status line and the
  // browser show the records and the items as they now are: the list as the
  // command reloaded it, or loaded again when the command stopped short.
  if (reloaded) {
    FillList(*reloaded);
  } else {
    Button2Click();
  }
  ShellListView1->RefreshEntries(changed);
  SetSelectedPath("");
  CloseMenus();
  WriteStatusLine();
  services_.shell.NotifyAssociationsChanged();
  if (failure) std::rethrow_exception(failure);
}

void TForm1::Button4Click() { engine::CleanGlobalRecord(services_.fs, ListRows()); }

// Options and Find, for administrators only.

bool TForm1::CurrentAccountIsAdministrator() {
  return engine::IsAdministrator(services_.fs, CurrentAccount());
}

void TForm1::SpeedButton3Click() {
  CloseMenus();
  if (CurrentAccountIsAdministrator()) {
    Button7Click();
    if (services_.window_manager.HiddenWindowsKeepTheirPlace()) {
      Hide();
      windows_.ShowOptions();
    } else {
      // Where a window shown again would come back elsewhere (Wayland), this
      // one stays on screen beneath Options, which holds the input until it
      // closes.
      windows_.RunOptions();
    }
  } else {
    services_.dialogs.ShowMessage(messages::kNotAdministrator);
  }
}

void TForm1::Label21Click() { SpeedButton3Click(); }

void TForm1::Button7Click() { windows_.ReloadUserList(); }

void TForm1::SpeedButton4Click() {
  if (CurrentAccountIsAdministrator()) {
    // Where a window shown again would come back elsewhere (Wayland), this
    // one stays on screen beneath the modal Find window instead.
    if (services_.window_manager.HiddenWindowsKeepTheirPlace()) Hide();
    // Returns when the Find window has closed; its close shows this window.
    windows_.RunFind();
  } else {
    services_.dialogs.ShowMessage(messages::kNotAdministrator);
  }
  windows_.ResetFindCloseMark();
  CloseMenus();
}

void TForm1::Label22Click() {
  CloseMenus();
  SpeedButton4Click();
}

// Help, Exit, Minimise.

void TForm1::OpenHelpDocument() { OpenHelpGuide(services_); }

void TForm1::SpeedButton10Click() {
  CloseMenus();
  OpenHelpDocument();
}

void TForm1::Label18Click() {
  CloseMenus();
  SpeedButton10Click();
}

void TForm1::StaticText3Click() { OpenHelpDocument(); }

void TForm1::ExitProgram() {
  // The program ends even when the copy cannot be made; the user is told.
  try {
    engine::MirrorRecords(services_.fs);
  } catch (const store::Error& error) {
    services_.dialogs.ShowError(error.what());
  }
  windows_.CloseLogin();
}

void TForm1::Label12Click() { ExitProgram(); }

void TForm1::StaticText2Click() { ExitProgram(); }

void TForm1::StaticText1Click() {
  StaticText1->SetFontColor(kBlack);
  CloseMenus();
  services_.window_manager.MinimiseAll();
}

// The up button.

void TForm1::SpeedButton6Click() {
  ShellListView1->Refresh();
  ShellListView1->GoUp();
  SetSelectedPath("");
}

}  // namespace app
