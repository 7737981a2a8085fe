#pragma once

#include <functional>
#include <string>

#include "app/services.h"
#include "app/window_links.h"
#include "app/skin.h"
#include "toolkit/borderless_window.h"

namespace app {

class ComboBox;
class Label;
class LabeledEdit;
class Picture;
class PushButton;
class ScrollBox;
class Shape;
class SpeedButton;
class StaticText;

// The login window: the first window created and the program's own main
// window (closing it ends the program). It creates the store on first run
// and admits a user by name and password; its user box holds the current
// account until the program ends.
class TForm2 : public BorderlessWindow {
 public:
  // Runs the start-up routine and applies the stored skin to itself.
  TForm2(Services& services, WindowLinks& windows);

  // The current account: the name the user box's text stands for, byte for
  // byte as the settings file holds it (the box shows it readably).
  std::string CurrentAccount() const;

  // After the administrator's name changed: the user box takes free text and
  // shows the new name; the password box gets the new password.
  void SetAccount(const std::string& name, const std::string& password);

  // Applies the stored skin to the main, Options and Find windows, then makes
  // the mirror copy of the global record. Runs after every login press.
  void Button3Click();

  // The routines behind the window's buttons.
  void BitBtn1Click();       // start-up routine
  void BitBtn2Click();       // the stored skin, applied to this window
  void Button2Click();       // store reset
  void SpeedButton2Click();  // "YES": first-run set-up
  void SpeedButton3Click();  // "No"
  void Button1Click();       // "Cancel"
  void Button8Click();       // the login check
  void Label3Click();        // the close mark

  // Applies a skin to this window's elements.
  void ApplySkin(Skin skin);

  // Controls, named as the handlers name them (for the windows' tests).
  ScrollBox* FirstRunPanel() const { return ScrollBox2; }
  ScrollBox* LoginPanel() const { return ScrollBox1; }
  ScrollBox* BodyPanel() const { return ScrollBox3; }
  ComboBox* UserBox() const { return ComboBox1; }
  LabeledEdit* PasswordBox() const { return LabeledEdit1; }
  Label* CloseMark() const { return Label3; }
  Label* Caption() const { return Label4; }
  Picture* GlossyPicture() const { return Image1; }
  Picture* NavyPicture() const { return Image2; }

  // The login window closed: the program ends.
  std::function<void()> on_closed;
  // A login succeeded; called once the login press has done all else.
  std::function<void()> on_logged_in;

 protected:
  void Closing() override;
  // Enter presses the login button, the window's default button.
  bool KeyPressed(Key key) override;

 private:
  void BuildTitleBar();
  void BuildFirstRunPanel();
  void BuildLoginPanel();
  void ConnectChrome();
  void ResetMarks();
  void StartDrag();
  // The program makes the other windows once this one is on screen; a press
  // that comes sooner has them made first.
  void OtherWindowsReady();

  Services& services_;
  WindowLinks& windows_;

  Picture* Image1 = nullptr;        // glossy title picture
  Picture* Image2 = nullptr;        // navy title picture
  Label* Label4 = nullptr;          // caption
  Label* Label3 = nullptr;          // close mark
  Shape* Shape2 = nullptr;          // outline of the close mark
  ScrollBox* ScrollBox3 = nullptr;  // body panel
  ScrollBox* ScrollBox2 = nullptr;  // first-run panel
  StaticText* StaticText4 = nullptr;
  SpeedButton* SpeedButton2 = nullptr;  // "YES"
  SpeedButton* SpeedButton3 = nullptr;  // "No"
  ScrollBox* ScrollBox1 = nullptr;      // login panel
  StaticText* StaticText5 = nullptr;
  Shape* Shape1 = nullptr;
  Label* Label2 = nullptr;
  ComboBox* ComboBox1 = nullptr;         // user box
  LabeledEdit* LabeledEdit1 = nullptr;   // password box
  PushButton* Button8 = nullptr;         // login
  PushButton* Button1 = nullptr;         // "Cancel"
};

}  // namespace app
