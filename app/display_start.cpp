#include "app/display_start.h"

#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace app {

namespace {

// A display that has not let Qt start within this time never will: the
// whole start stays within five seconds.
constexpr std::chrono::milliseconds kAnswerTime{4000};
constexpr char kCannotBeUsed[] =
    "Quillomar is a desktop program and needs a graphical session: the display cannot be used (%s).\n";
constexpr char kDoesNotAnswer[] =
    "Quillomar is a desktop program and needs a graphical session: the display does not answer (%s).\n";
constexpr int kErrorOutput = 2;

// One start per process: the message handler is a plain function.
std::string g_described;
QtMessageHandler g_qt_handler = nullptr;
// What Qt and the display's libraries write to the error output while Qt
// starts is held in a file and given out once the display is in use; on a
// display that fails, only the program's message is written.
int g_error_output = -1;
std::FILE* g_held = nullptr;

[[noreturn]] void EndWith(const char* message) {
  char text[512];
  const int length = std::snprintf(text, sizeof text, message, g_described.c_str());
  if (length > 0) {
    const int fd = g_error_output >= 0 ? g_error_output : kErrorOutput;
    (void)!::write(fd, text, std::min(static_cast<std::size_t>(length), sizeof text - 1));
  }
  ::_exit(EXIT_FAILURE);
}

void EndOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) EndWith(kCannotBeUsed);
  if (g_qt_handler != nullptr) {
    g_qt_handler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
  }
}

}  // namespace

DisplayStart::DisplayStart(std::string described) {
  g_described = std::move(described);
  g_qt_handler = qInstallMessageHandler(EndOnFatal);
  std::fflush(stderr);
  g_held = std::tmpfile();
  g_error_output = g_held != nullptr ? ::dup(kErrorOutput) : -1;
  if (g_error_output >= 0) ::dup2(::fileno(g_held), kErrorOutput);
  clock_ = std::thread([this] {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!done_changed_.wait_for(lock, kAnswerTime, [this] { return done_; })) EndWith(kDoesNotAnswer);
  });
}

DisplayStart::~DisplayStart() { Done(); }

void DisplayStart::Done() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (done_) return;
    done_ = true;
  }
  done_changed_.notify_all();
  clock_.join();
  qInstallMessageHandler(g_qt_handler);
  std::fflush(stderr);
  if (g_error_output >= 0) {
    ::dup2(g_error_output, kErrorOutput);
    ::close(g_error_output);
    g_error_output = -1;
    std::rewind(g_held);
    char block[4096];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, g_held)) > 0;) {
      (void)!::write(kErrorOutput, block, got);
    }
  }
  if (g_held != nullptr) std::fclose(g_held);
  g_held = nullptr;
}

}  // namespace app
