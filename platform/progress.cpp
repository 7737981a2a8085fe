#include "platform/progress.h"

#include <utility>

namespace platform {

namespace {
thread_local ProgressListener* current_listener = nullptr;
}  // namespace

void ReportProgress() {
  if (current_listener != nullptr) current_listener->on_progress_();
}

ProgressListener::ProgressListener(std::function<void()> on_progress)
    : on_progress_(std::move(on_progress)), previous_(current_listener) {
  current_listener = this;
}

ProgressListener::~ProgressListener() { current_listener = previous_; }

}  // namespace platform
