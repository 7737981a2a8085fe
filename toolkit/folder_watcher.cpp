#include "toolkit/folder_watcher.h"

#include <memory>
#include <utility>

#include "toolkit/backend.h"
#include "platform/folder_watch.h"

namespace app {

namespace {

// The system's watch (platform::FolderWatch), whose reports come from a
// thread of its own: each is posted to the user-interface thread and
// dropped there when the folder it was about is no longer watched or the
// watcher is gone.
class SystemFolderWatcher final : public FolderWatcher {
 public:
  explicit SystemFolderWatcher(std::function<void()> changed)
      : watch_(platform::MakeFolderWatch()), state_(std::make_shared<State>()) {
    state_->changed = std::move(changed);
  }
  ~SystemFolderWatcher() override { watch_->Stop(); }

  bool Watch(const std::string& native_path) override {
    const int generation = ++state_->generation;
    std::weak_ptr<State> weak = state_;
    return watch_->Watch(native_path, [weak, generation] {
      CurrentBackend().Post([weak, generation] {
        const std::shared_ptr<State> state = weak.lock();
        if (state != nullptr && state->generation == generation) state->changed();
      });
    });
  }

  void Stop() override {
    ++state_->generation;
    watch_->Stop();
  }

 private:
  // Lives on the user-interface thread; the reports hold it weakly.
  struct State {
    std::function<void()> changed;
    int generation = 0;
  };

  std::unique_ptr<platform::FolderWatch> watch_;
  std::shared_ptr<State> state_;
};

}  // namespace

std::unique_ptr<FolderWatcher> MakeFolderWatcher(std::function<void()> changed) {
  return std::make_unique<SystemFolderWatcher>(std::move(changed));
}

}  // namespace app
