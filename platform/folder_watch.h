#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

// Watches one folder for changes to what it shows: entries created, deleted
// or renamed directly inside it (also moved in or out), and the folder itself
// being deleted or moved away. Subfolders are not watched. Attribute and
// content changes are not reported, and neither are entries whose names start
// with "." (they never show in the shell views; the .hidden file and the
// temporary files that replace it live there), so hiding or showing an item
// again never reports a change. A burst of changes is reported once: the
// first change opens a short wait (a tenth of a second) that gathers the rest.
//
// Threads. Reports come from the watch's own thread, through the callback
// given to Watch(). The callback must be quick and must not touch the user
// interface: it posts the news to the user-interface thread (the toolkit's
// Backend::Post, or a queued call in Qt) and returns. Once Watch(), Stop() or
// the destructor has returned, no callback of an earlier Watch() runs or will
// run; a report it already posted may still arrive afterwards, so a caller
// that moves from folder to folder tells the reports apart, for instance by a
// number it counts up at every Watch() and captures in the callback. The
// callback may call Watch() and Stop() itself. Watch() and Stop() are meant
// for one thread, the user-interface thread.
//
// When the folder itself is deleted or moved away, that is reported and the
// watch ends: a new folder under the same path is not watched until the next
// Watch().
class FolderWatch {
 public:
  FolderWatch() = default;
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;
  virtual ~FolderWatch() = default;

  // Watches the folder at the real path `native_path` (the system's own path,
  // as FileSystem::NativePath gives it) instead of the one watched before,
  // and reports its changes through `changed`. Changes still pending for the
  // earlier folder are dropped. Returns false, and watches nothing, when the
  // folder cannot be watched (missing, not a folder, no access).
  virtual bool Watch(const std::string& native_path, std::function<void()> changed) = 0;

  // Stops watching and drops pending changes; nothing more is reported until
  // the next Watch().
  virtual void Stop() = 0;
};

// The watch of the system being built for: inotify on Linux, directory change
// notifications (ReadDirectoryChangesW) on Windows. Watches nothing yet.
std::unique_ptr<FolderWatch> MakeFolderWatch();

}  // namespace platform
