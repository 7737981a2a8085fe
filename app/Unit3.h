#pragma once

#include <string>

#include "app/services.h"
#include "app/window_links.h"
#include "app/skin.h"
#include "toolkit/borderless_window.h"
#include "engine/accounts.h"

namespace app {

class CheckListView;
class Label;
class LabeledEdit;
class PageControl;
class Picture;
class ScrollBox;
class Shape;
class SpeedButton;
class TabSheet;

// The Options window, opened by the administrator only: gives the
// administrator account a new name and password (first tab), creates and
// deletes ordinary users (second tab). Created once at start; "OK", "Cancel"
// and the close mark hide it and show the main window again.
class TForm3 : public BorderlessWindow {
 public:
  TForm3(Services& services, WindowLinks& windows);

  // Applies a skin to this window's elements.
  void ApplySkin(Skin skin, SkinOrigin origin);

  // Refills the user list from the settings file's ordinary users, in file
  // order, every box clear (the main window's user-list reload); each row
  // shows its name readably and stands for the stored bytes. The column
  // header keeps its caption.
  void ReloadUserList();

  // Administrator change (engine::ChangeAdministrator), from the first tab's
  // boxes: shows the message that goes with its outcome; once done, the
  // login window switches to the new account. Clears both boxes at the end.
  // Throws store::Error when a write fails (boxes kept).
  void Button1Click();

  // User creation (engine::AddUser), from the second tab's boxes: shows the
  // message that goes with its outcome; once done, the user is listed.
  // Clears both boxes at the end. Throws store::Error when a write fails
  // (boxes kept).
  void Button3Click();

  // "Delete": deletes every ticked user (engine::DeleteUsers) and removes
  // their rows, then sets the column header to 38 blanks, the number of
  // users left and "  Name". No confirmation.
  void SpeedButton4Click();

  // "OK": the administrator change, then the user creation, then closes the
  // window. A write error is shown and leaves the window open.
  void SpeedButton3Click();

  // "Cancel": closes the window; nothing is written and the boxes keep
  // their text.
  void SpeedButton2Click();

  // "Help": asks the shell to open the help document; the result is ignored.
  void SpeedButton1Click();

  // The close mark: turns it black and closes the window as "Cancel" does.
  void Label1Click();

  // Controls, for the window's tests.
  ScrollBox* BodyPanel() const { return ScrollBox1; }
  Picture* GlossyPicture() const { return Image1; }
  Picture* NavyPicture() const { return Image2; }
  Label* Caption() const { return Label2; }
  Label* CloseMark() const { return Label1; }
  Shape* CloseMarkOutline() const { return Shape1; }
  app::PageControl* Pages() const { return PageControl1; }
  TabSheet* AdministratorTab() const { return TabSheet4; }
  TabSheet* UsersTab() const { return TabSheet5; }
  LabeledEdit* AdministratorNameBox() const { return LabeledEdit3; }
  LabeledEdit* AdministratorPasswordBox() const { return LabeledEdit4; }
  LabeledEdit* UserNameBox() const { return LabeledEdit1; }
  LabeledEdit* UserPasswordBox() const { return LabeledEdit2; }
  CheckListView* UserList() const { return ListView1; }
  SpeedButton* OkButton() const { return SpeedButton3; }
  SpeedButton* CancelButton() const { return SpeedButton2; }
  SpeedButton* HelpButton() const { return SpeedButton1; }

 protected:
  // However the window is closed, the main window comes back.
  void Closing() override;
  // Escape does what the close mark does.
  bool KeyPressed(Key key) override;

 private:
  void BuildTitleBar();
  void BuildAdministratorTab();
  void BuildUsersTab();
  void BuildButtons();
  void ColourPageLabels();
  void ConnectControls();
  void ResetMarks();
  void StartDrag();
  // Appends an unticked row showing `shown` that stands for `stored`.
  void AddUserRow(const std::string& shown, const std::string& stored);
  // Shows the message that goes with what an account routine came to.
  void ShowOutcome(engine::AccountOutcome outcome);

  Services& services_;
  WindowLinks& windows_;

  ScrollBox* ScrollBox1 = nullptr;   // body panel
  Picture* Image1 = nullptr;         // glossy title picture
  Picture* Image2 = nullptr;         // navy title picture
  Label* Label2 = nullptr;           // caption
  Shape* Shape1 = nullptr;           // outline of the close mark
  Label* Label1 = nullptr;           // close mark
  app::PageControl* PageControl1 = nullptr;
  TabSheet* TabSheet4 = nullptr;     // administrator change
  LabeledEdit* LabeledEdit3 = nullptr;  // new administrator name
  LabeledEdit* LabeledEdit4 = nullptr;  // new administrator password
  TabSheet* TabSheet5 = nullptr;     // users
  CheckListView* ListView1 = nullptr;   // ordinary users
  // "Delete" lies over the list's column header, on a panel of its own so
  // that it stays in front of the list.
  ScrollBox* ScrollBox2 = nullptr;
  SpeedButton* SpeedButton4 = nullptr;  // "Delete"
  LabeledEdit* LabeledEdit1 = nullptr;  // new user name
  LabeledEdit* LabeledEdit2 = nullptr;  // new user password
  SpeedButton* SpeedButton3 = nullptr;  // "OK"
  SpeedButton* SpeedButton2 = nullptr;  // "Cancel"
  SpeedButton* SpeedButton1 = nullptr;  // "Help"
};

}  // namespace app
