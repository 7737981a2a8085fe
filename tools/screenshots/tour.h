#pragma once

#include <QString>

#include <string>

#include "app/program.h"
#include "app/services.h"
#include "tools/screenshots/silent_services.h"

namespace app {
class BorderlessWindow;
}  // namespace app

namespace screenshots {

// A scripted walk through the running program on a fresh prefix, writing a
// PNG of each window on the way: the first-run panel, the login panel, the
// main window in both skins with a few hidden items, the Options window and
// the Find window. Each step checks that the program reached the state the
// picture is meant to show.
class Tour {
 public:
  // `program` is started (its login window shown) on a prefix that nothing
  // has used yet; `services` are the ones it was made with. The pictures go
  // into `folder`, which must exist.
  Tour(app::Program& program, app::Services& services, SilentDialogs& dialogs, QString folder);

  // Runs every step. False (with the reason on stderr) at the first step
  // that does not come out as expected or a picture that cannot be written.
  bool Run();

 private:
  bool FirstRun();
  bool Login();
  bool HideSomeItems();
  bool MainWindowInBothSkins();
  bool OptionsWindow();
  bool FindWindow();
  bool Exit();

  // Hides the item `name` of the shell browser's current folder as a user
  // would: selects its row, then presses "Hide Folder".
  bool HideRow(const std::string& name);
  // Selects the row named `name` in the shell browser.
  bool SelectRow(const std::string& name);
  // Writes the window's picture as `file_name` in the pictures folder.
  bool Save(app::BorderlessWindow* window, const char* file_name);
  // Reports a failed step; always false.
  bool Fail(const std::string& why);
  // False (and reported) when the program showed a message box.
  bool NoMessages(const char* step);

  app::Program& program_;
  app::Forms& forms_;
  app::Services& services_;
  SilentDialogs& dialogs_;
  QString folder_;
};

// Lets queued events run (layouts, deferred signals, painting).
void Settle();

}  // namespace screenshots
