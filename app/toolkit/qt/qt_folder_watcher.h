#pragma once

#include <functional>
#include <memory>

#include "app/toolkit/folder_watcher.h"

namespace app::qt {

// A folder watch on the system's own watch (inotify), reporting on the
// user-interface thread; the Qt backend installs it as the watch factory.
std::unique_ptr<FolderWatcher> MakeQtFolderWatcher(std::function<void()> changed);

}  // namespace app::qt
