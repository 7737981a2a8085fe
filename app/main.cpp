#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "app/application_title.h"
#include "app/pictures/pictures.h"
#include "app/program.h"
#include "app/toolkit/picture.h"
#include "platform/file_system.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_window_manager.h"

namespace {

constexpr char kDesktopFileName[] = "quillomar";
constexpr char kNoDisplay[] =
    "Quillomar is a desktop program and needs a graphical session: no display was found.\n";

// True when Qt has a screen to draw on: an X or Wayland display, or a
// platform chosen explicitly (the offscreen one, for instance).
bool HasDisplay() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fputs(kNoDisplay, stderr);
    return EXIT_FAILURE;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(app::kApplicationTitle);
  QApplication::setApplicationDisplayName(app::kApplicationTitle);
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(app::ToQImage(app::ApplicationIcon()))));
  // Lets docks match the running windows to the installed launcher.
  QGuiApplication::setDesktopFileName(kDesktopFileName);
  // The program ends when its login window closes, not when the last visible
  // window does (the login window is hidden while the main window is used).
  QApplication::setQuitOnLastWindowClosed(false);

  const auto fs = platform::MakeFileSystem();
  platform::QtShell shell(*fs);
  platform::QtDialogs dialogs;
  platform::QtWindowManager window_manager;
  app::Services services{*fs, shell, dialogs, window_manager};

  app::Program program(services);
  QObject::connect(&program, &app::Program::Finished, &application, &QApplication::quit,
                   Qt::QueuedConnection);
  program.Start();
  return QApplication::exec();
}
