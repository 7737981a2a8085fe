#pragma once

#include <functional>
#include <memory>
#include <string>

namespace app {

// Watches one folder (not its subfolders) for entries being created,
// deleted or renamed, and for the folder itself going away; attribute and
// content changes are no reason, and neither are entries whose names start
// with a dot. A burst of changes is reported once, on the user-interface
// thread.
class FolderWatcher {
 public:
  FolderWatcher() = default;
  FolderWatcher(const FolderWatcher&) = delete;
  FolderWatcher& operator=(const FolderWatcher&) = delete;
  virtual ~FolderWatcher() = default;

  // Watches the folder at the real path `native_path` instead of the one
  // watched before; changes pending for the old folder are dropped. False
  // (and nothing watched) when the folder cannot be watched.
  virtual bool Watch(const std::string& native_path) = 0;
  // Stops watching; nothing more is reported until the next Watch.
  virtual void Stop() = 0;
};

// A watch that calls `changed` on the user-interface thread after each burst
// of changes: the system's own watch (platform::FolderWatch) with its reports
// posted through the backend.
std::unique_ptr<FolderWatcher> MakeFolderWatcher(std::function<void()> changed);

}  // namespace app
