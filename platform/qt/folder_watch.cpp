#include "platform/qt/folder_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace platform {

namespace {

constexpr std::uint32_t kEntryEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t kSelfEvents = IN_DELETE_SELF | IN_MOVE_SELF;
constexpr std::uint32_t kWatchMask = kEntryEvents | kSelfEvents | IN_ONLYDIR;
// Changes that arrive within this time of the first one are reported together.
constexpr int kCoalesceMs = 100;
constexpr std::size_t kReadBufferSize = 16 * 1024;

// True when the event can change what the folder shows.
bool Matters(const inotify_event& event) {
  if ((event.mask & IN_Q_OVERFLOW) != 0) return true;
  if ((event.mask & kSelfEvents) != 0) return true;
  if ((event.mask & kEntryEvents) == 0) return false;
  return event.len == 0 || event.name[0] != '.';
}

}  // namespace

FolderWatch::FolderWatch(QObject* parent) : QObject(parent), coalesce_(new QTimer(this)) {
  coalesce_->setSingleShot(true);
  coalesce_->setInterval(kCoalesceMs);
  connect(coalesce_, &QTimer::timeout, this, &FolderWatch::Changed);
  inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotify_ >= 0) {
    notifier_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &FolderWatch::OnReadable);
  }
}

FolderWatch::~FolderWatch() {
  delete notifier_;
  notifier_ = nullptr;
  if (inotify_ >= 0) ::close(inotify_);
}

bool FolderWatch::Watch(const std::string& native_path) {
  Stop();
  if (inotify_ < 0 || native_path.empty()) return false;
  watch_ = inotify_add_watch(inotify_, native_path.c_str(), kWatchMask);
  return watch_ >= 0;
}

void FolderWatch::Stop() {
  if (watch_ >= 0) inotify_rm_watch(inotify_, watch_);
  watch_ = -1;
  coalesce_->stop();
}

void FolderWatch::OnReadable() {
  alignas(inotify_event) char buffer[kReadBufferSize];
  bool changed = false;
  // Drain everything pending, so that one burst gives one report.
  for (;;) {
    const ssize_t got = ::read(inotify_, buffer, sizeof buffer);
    if (got <= 0) {
      if (got < 0 && errno == EINTR) continue;
      break;
    }
    for (const char* at = buffer; at < buffer + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      // Events of a folder watched before were meant for that folder.
      const bool ours = event->wd == watch_ || (event->mask & IN_Q_OVERFLOW) != 0;
      if (watch_ >= 0 && ours && Matters(*event)) changed = true;
      at += sizeof(inotify_event) + event->len;
    }
  }
  if (changed && !coalesce_->isActive()) coalesce_->start();
}

}  // namespace platform
