#include "app/toolkit/folder_watcher.h"

#include <utility>

namespace app {

namespace {

FolderWatcherFactory factory = nullptr;

class NoWatch final : public FolderWatcher {
 public:
  bool Watch(const std::string&) override { return false; }
  void Stop() override {}
};

}  // namespace

void SetFolderWatcherFactory(FolderWatcherFactory new_factory) { factory = new_factory; }

std::unique_ptr<FolderWatcher> MakeFolderWatcher(std::function<void()> changed) {
  if (factory == nullptr) return std::make_unique<NoWatch>();
  return factory(std::move(changed));
}

}  // namespace app
