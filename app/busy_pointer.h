#pragma once

#include <chrono>

#include "platform/progress.h"

namespace app {

// How long a command runs before the busy pointer shows.
inline constexpr std::chrono::milliseconds kBusyPointerDelay{250};

// The busy pointer of one command. The commands run on the user-interface
// thread, where no timer fires until they end, so a command's handler makes
// one of these first: it hears the progress reports of the work below it
// (platform/progress.h) and shows the busy pointer at the first report once
// kBusyPointerDelay has passed. The pointer goes when this ends, however the
// command ends; a quick command never shows it, and nothing else on screen
// changes. End it before the command shows a message box.
class BusyPointer {
 public:
  BusyPointer();
  ~BusyPointer();
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  void Check();

  const std::chrono::steady_clock::time_point start_;
  bool shown_ = false;
  platform::ProgressListener listener_;
};

}  // namespace app
