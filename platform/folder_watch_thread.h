#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/folder_watch.h"

namespace platform {

// What a system tells of one watched folder. Every method but Wake() is
// called on the watch's thread alone.
class FolderChanges {
 public:
  FolderChanges() = default;
  FolderChanges(const FolderChanges&) = delete;
  FolderChanges& operator=(const FolderChanges&) = delete;
  virtual ~FolderChanges() = default;

  // What a wait saw.
  enum class Seen {
    kNothing,  // a wake-up, the time ran out, or only changes that do not count
    kChanged,  // entries of the folder were created, deleted or renamed
    kGone,     // the folder itself was deleted or moved away
  };

  // Starts telling the changes of the folder at `native_path`, instead of
  // the folder told before, whose pending changes are dropped. False, and
  // nothing is told, when the folder cannot be watched.
  virtual bool Open(const std::string& native_path) = 0;
  // Stops telling changes; pending ones are dropped.
  virtual void Close() = 0;
  // Waits until a change, Wake(), or `timeout_ms` milliseconds (forever when
  // negative), and says what it saw. Without an open folder it waits only for
  // Wake() and the time.
  virtual Seen Wait(int timeout_ms) = 0;
  // Ends a Wait() now or the next one at once. Safe from any thread.
  virtual void Wake() = 0;
};

// The part of a folder watch that every system shares: its thread, the
// gathering of a burst into one report, and the hand-over of Watch() and
// Stop() to the thread, which applies them between waits so that no report
// of an earlier folder follows.
class FolderWatchThread final : public FolderWatch {
 public:
  // How long the first change of a burst waits for the rest.
  static constexpr std::chrono::milliseconds kGathering{100};

  explicit FolderWatchThread(std::unique_ptr<FolderChanges> changes);
  ~FolderWatchThread() override;

  bool Watch(const std::string& native_path, std::function<void()> changed) override;
  void Stop() override;

 private:
  struct Request {
    enum class Kind { kWatch, kStop, kQuit } kind;
    std::string path;
    std::function<void()> changed;
  };

  // Hands `request` to the thread and waits until it has been applied; on the
  // thread itself (from a callback) applies it at once.
  bool Send(Request request);
  // On the thread: carries out a request; false for a watch that failed.
  bool Apply(Request& request);
  void Run();

  std::unique_ptr<FolderChanges> changes_;

  // The hand-over: one request at a time.
  std::mutex send_mutex_;
  std::mutex mutex_;
  std::condition_variable applied_;
  std::optional<Request> request_;
  bool result_ = false;

  // The thread's own state.
  std::function<void()> changed_;
  bool pending_ = false;
  std::chrono::steady_clock::time_point report_at_;
  bool quit_ = false;

  std::thread thread_;
};

}  // namespace platform
