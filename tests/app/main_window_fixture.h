#pragma once

#include <string>
#include <vector>

#include "app/Unit1.h"
#include "tests/app/program_fixture.h"

namespace testing_support {

// The program with its main window, plus file and browser helpers.
class MainWindowTest : public ProgramTest {
 protected:
  app::TForm1& main() { return *forms().main; }
  // Creates files C:\Data\<name> and hides each through the window.
  void Hide(const std::vector<std::string>& names);
  // Shows a folder in the shell browser and selects the row named `name`.
  void SelectInBrowser(const std::string& folder, const std::string& name);
  static bool Shown(const app::Control* control) { return control->Visible(); }
  // Both menu panels, both title frames and both entry bars hidden.
  bool MenusClosed();
};

}  // namespace testing_support
