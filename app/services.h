#pragma once

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

}  // namespace app
