#pragma once

#include <functional>

namespace platform {

// Long work says now and then that it is still under way: the file system
// between the items of a batch and the entries of a folder it reads, the
// store while it reads or writes a record file. A command that runs on the
// user-interface thread listens there, to show the busy pointer once it has
// taken long enough. Each report goes to the listener of the thread doing
// the work, if it has one; without one it costs a test.
void ReportProgress();

// Hears the reports of the thread that makes it, for as long as it lives;
// the listener it replaces hears them again once it ends. `on_progress`
// must not throw: the work that reports cannot stop for it.
class ProgressListener {
 public:
  explicit ProgressListener(std::function<void()> on_progress);
  ~ProgressListener();
  ProgressListener(const ProgressListener&) = delete;
  ProgressListener& operator=(const ProgressListener&) = delete;

 private:
  friend void ReportProgress();

  std::function<void()> on_progress_;
  ProgressListener* previous_;
};

}  // namespace platform
