// The folder watch of the Qt front end: the system's watch (inotify), whose
// reports already arrive on the user-interface thread.

#include <QObject>

#include <memory>
#include <utility>

#include "app/toolkit/qt/qt_folder_watcher.h"
#include "platform/qt/folder_watch.h"

namespace app {

namespace {

class QtFolderWatcher final : public FolderWatcher {
 public:
  explicit QtFolderWatcher(std::function<void()> changed) {
    QObject::connect(&watch_, &platform::FolderWatch::Changed, [changed = std::move(changed)] { changed(); });
  }

  bool Watch(const std::string& native_path) override { return watch_.Watch(native_path); }
  void Stop() override { watch_.Stop(); }

 private:
  platform::FolderWatch watch_;
};

}  // namespace

namespace qt {

std::unique_ptr<FolderWatcher> MakeQtFolderWatcher(std::function<void()> changed) {
  return std::make_unique<QtFolderWatcher>(std::move(changed));
}

}  // namespace qt

}  // namespace app
