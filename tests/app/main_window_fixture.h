#pragma once

#include <QPoint>
#include <QWidget>

#include <string>
#include <vector>

#include "app/Unit1.h"
#include "tests/app/program_fixture.h"

namespace testing_support {

// The program with its main window, plus pointer and file helpers.
class MainWindowTest : public ProgramTest {
 protected:
  app::TForm1& main() { return *forms().main; }
  // The pointer moves to, presses at, or clicks at a point of a widget (its
  // centre by default); the event goes to whatever lies on top there.
  void MoveOver(QWidget* widget, QPoint local = {-1, -1});
  void PressOn(QWidget* widget, QPoint local = {-1, -1}, Qt::MouseButton button = Qt::LeftButton);
  void ClickOn(QWidget* widget, QPoint local = {-1, -1});
  // Creates files C:\Data\<name> and hides each through the window.
  void Hide(const std::vector<std::string>& names);
  // Shows a folder in the shell browser and selects the row named `name`.
  void SelectInBrowser(const std::string& folder, const std::string& name);
  static bool Shown(const QWidget* widget) { return !widget->isHidden(); }
  // Both menu panels, both title frames and both entry bars hidden.
  bool MenusClosed();
};

}  // namespace testing_support
