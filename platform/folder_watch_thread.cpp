#include "platform/folder_watch_thread.h"

#include <algorithm>
#include <utility>

namespace platform {

FolderWatchThread::FolderWatchThread(std::unique_ptr<FolderChanges> changes)
    : changes_(std::move(changes)), thread_([this] { Run(); }) {}

FolderWatchThread::~FolderWatchThread() {
  Send({Request::Kind::kQuit, {}, {}});
  thread_.join();
}

bool FolderWatchThread::Watch(const std::string& native_path, std::function<void()> changed) {
  return Send({Request::Kind::kWatch, native_path, std::move(changed)});
}

void FolderWatchThread::Stop() { Send({Request::Kind::kStop, {}, {}}); }

bool FolderWatchThread::Send(Request request) {
  // A callback that watches another folder is already on the thread, between
  // two waits, where requests are applied anyway.
  if (std::this_thread::get_id() == thread_.get_id()) return Apply(request);
  std::lock_guard<std::mutex> one_at_a_time(send_mutex_);
  std::unique_lock<std::mutex> lock(mutex_);
  request_ = std::move(request);
  changes_->Wake();
  applied_.wait(lock, [this] { return !request_.has_value(); });
  return result_;
}

bool FolderWatchThread::Apply(Request& request) {
  pending_ = false;
  changed_ = nullptr;
  switch (request.kind) {
    case Request::Kind::kWatch:
      if (request.path.empty() || !changes_->Open(request.path)) {
        changes_->Close();
        return false;
      }
      changed_ = std::move(request.changed);
      return true;
    case Request::Kind::kStop:
      changes_->Close();
      return true;
    case Request::Kind::kQuit:
      changes_->Close();
      quit_ = true;
      return true;
  }
  return false;
}

void FolderWatchThread::Run() {
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (request_) {
        result_ = Apply(*request_);
        request_.reset();
        applied_.notify_all();
      }
    }
    if (quit_) return;

    int timeout_ms = -1;
    if (pending_) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(report_at_ - std::chrono::steady_clock::now());
      timeout_ms = static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
    }
    const FolderChanges::Seen seen = changes_->Wait(timeout_ms);
    // A folder that went away is watched no more; its going is reported with
    // the rest of the burst.
    if (seen == FolderChanges::Seen::kGone) changes_->Close();
    if (seen != FolderChanges::Seen::kNothing && !pending_ && changed_) {
      pending_ = true;
      report_at_ = std::chrono::steady_clock::now() + kGathering;
    }
    if (pending_ && std::chrono::steady_clock::now() >= report_at_) {
      pending_ = false;
      // A copy: the callback may watch another folder, which replaces changed_.
      const std::function<void()> report = changed_;
      if (report) report();
    }
  }
}

}  // namespace platform
