#pragma once

#include <functional>
#include <memory>

#include "app/toolkit/folder_watcher.h"

namespace app::win32 {

// The folder watch of the Win32 front end: the system's watch (directory
// change notifications on a thread of its own), whose reports are posted to
// the user-interface thread. A report of a folder no longer watched, or of a
// watcher already gone, is dropped there.
std::unique_ptr<FolderWatcher> MakeWin32FolderWatcher(std::function<void()> changed);

}  // namespace app::win32
