#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// The Linux program's start on a display, bounded in time and in its ways of
// failing. Qt ends the process with an abort where it cannot use the display
// it was given (a server that refuses our authorisation, a screen the server
// does not have, a platform plugin that does not exist), and waits for ever
// on a server that accepts a connection but never answers. While a
// DisplayStart lives, each of these ends the program with its own message
// and status 1 instead.
namespace app {

class DisplayStart {
 public:
  // `described` names the displays tried, for the message.
  explicit DisplayStart(std::string described);
  ~DisplayStart();
  DisplayStart(const DisplayStart&) = delete;
  DisplayStart& operator=(const DisplayStart&) = delete;

  // The display is in use: Qt's own handling of its messages comes back,
  // with what it said while starting, and the clock stops.
  void Done();

 private:
  std::mutex mutex_;
  std::condition_variable done_changed_;
  bool done_ = false;
  std::thread clock_;
};

}  // namespace app
