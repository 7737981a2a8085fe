#pragma once

#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QString>

class QWidget;

#include <memory>
#include <string>

#include "app/program.h"
#include "app/services.h"
#include "tests/support/recording.h"
#include "tests/support/temp_prefix.h"

namespace testing_support {

// The whole program on a temporary drive prefix, with message boxes, the
// shell and window moves recorded instead of shown. The program is started
// by Start() so that a test can prepare the store first.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest();
  ~ProgramTest() override;

  // Creates the four windows (running the login window's start-up) and
  // shows the login window.
  void Start();
  // Ends the program (if running) and starts it again on the same prefix.
  void Restart();

  // First start on a clean prefix and "YES": an initialised store with the
  // default administrator.
  void StartInitialised();
  // Chooses `name` in the user box, types `password` and presses the login button.
  void LogIn(const std::string& name, const std::string& password);
  // StartInitialised() and a login as the default administrator.
  void StartLoggedInAsAdministrator();

  // The real path of a Windows path on this prefix.
  std::string Native(const std::string& windows_path) { return prefix_.fs().NativePath(windows_path); }
  // The bytes of a record file given by its Windows path ("" when absent).
  std::string FileText(const std::string& windows_path);

  app::Forms& forms() { return program_->forms(); }
  app::Program& program() { return *program_; }

  TempPrefix prefix_;
  RecordingDialogs dialogs_;
  RecordingShell shell_;
  RecordingWindowManager window_manager_;
  app::Services services_;
  std::unique_ptr<app::Program> program_;
};

// Lets queued events run (layouts, deferred signals).
void ProcessEvents();

// A mouse event at the middle of `widget`, sent straight to it.
void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button);
// The pointer moving over `widget`.
void MoveOver(QWidget* widget);
// A press and release of `button` over `widget`.
void Press(QWidget* widget, Qt::MouseButton button);

// The window as a picture, after pending layouts ran. When the environment
// names a folder in QUILLOMAR_SCREENSHOT_DIR the picture is kept there
// under `file_name`, for a person to look at.
QImage GrabWindow(QWidget* window, const QString& file_name);

}  // namespace testing_support
