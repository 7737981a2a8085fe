#pragma once

#include <functional>

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "app/window_manager.h"

namespace app {

// What the windows need of the platform: files, the desktop shell, message
// boxes and the window system. The program makes the real ones; tests make
// recording ones on a temporary drive prefix.
struct Services {
  platform::FileSystem& fs;
  platform::Shell& shell;
  platform::Dialogs& dialogs;
  WindowManager& window_manager;
};

class TForm1;
class TForm2;
class TForm3;
class TForm4;

// The four windows, filled in as they are created (login, main, Options,
// Find) and living until the program ends. A window's constructor may only
// use the windows created before it.
struct Forms {
  TForm2* login = nullptr;    // the login window; closing it ends the program
  TForm1* main = nullptr;     // the main window
  TForm3* options = nullptr;  // the Options window
  TForm4* find = nullptr;     // the Find window
  // Makes main, options and find when they are not made yet; the login
  // window calls it before it turns to them.
  std::function<void()> complete;
};

}  // namespace app
