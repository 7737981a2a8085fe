#include "app/toolkit/win32/folder_watcher.h"

#include <utility>

#include "app/toolkit/backend.h"
#include "platform/folder_watch.h"

namespace app::win32 {

namespace {

class Win32FolderWatcher final : public FolderWatcher {
 public:
  explicit Win32FolderWatcher(std::function<void()> changed)
      : state_(std::make_shared<State>(State{std::move(changed), 0})), watch_(platform::MakeFolderWatch()) {}

  ~Win32FolderWatcher() override { watch_->Stop(); }

  bool Watch(const std::string& native_path) override {
    const int generation = ++state_->generation;
    std::weak_ptr<State> state = state_;
    Backend& backend = CurrentBackend();
    return watch_->Watch(native_path, [state, generation, &backend] {
      // On the watch's thread: only post.
      backend.Post([state, generation] {
        const std::shared_ptr<State> alive = state.lock();
        if (alive && alive->generation == generation && alive->changed) alive->changed();
      });
    });
  }

  void Stop() override {
    ++state_->generation;
    watch_->Stop();
  }

 private:
  struct State {
    std::function<void()> changed;
    int generation;  // counts every Watch and Stop; a report names its own
  };

  std::shared_ptr<State> state_;
  std::unique_ptr<platform::FolderWatch> watch_;
};

}  // namespace

std::unique_ptr<FolderWatcher> MakeWin32FolderWatcher(std::function<void()> changed) {
  return std::make_unique<Win32FolderWatcher>(std::move(changed));
}

}  // namespace app::win32
