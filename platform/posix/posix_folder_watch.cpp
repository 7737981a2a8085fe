// The folder watch on Linux: inotify on the folder, and an eventfd that
// wakes the watch's thread.

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>

#include "platform/folder_watch_thread.h"
#include "platform/posix/fd_io.h"

namespace platform {

namespace {

using posix::UniqueFd;

constexpr std::uint32_t kEntryEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t kSelfEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;
constexpr std::uint32_t kWatchMask = kEntryEvents | kSelfEvents | IN_ONLYDIR;
constexpr std::size_t kReadBufferSize = 16 * 1024;
constexpr int kPollWithoutWake = 50;

class InotifyChanges final : public FolderChanges {
 public:
  InotifyChanges()
      : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), wake_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

  bool Open(const std::string& native_path) override {
    Close();
    if (!inotify_.valid()) return false;
    watch_ = ::inotify_add_watch(inotify_.get(), native_path.c_str(), kWatchMask);
    return watch_ >= 0;
  }

  void Close() override {
    if (watch_ >= 0) ::inotify_rm_watch(inotify_.get(), watch_);
    watch_ = -1;
    // What is queued was meant for the folder left behind.
    ReadEvents();
  }

  Seen Wait(int timeout_ms) override {
    pollfd fds[2] = {{wake_.get(), POLLIN, 0}, {inotify_.get(), POLLIN, 0}};
    const nfds_t count = watch_ >= 0 ? 2 : 1;
    // Without its eventfd the thread looks for requests now and then.
    if (!wake_.valid() && (timeout_ms < 0 || timeout_ms > kPollWithoutWake)) timeout_ms = kPollWithoutWake;
    if (::poll(fds, count, timeout_ms) <= 0) return Seen::kNothing;
    if ((fds[0].revents & POLLIN) != 0) {
      std::uint64_t wakes = 0;
      [[maybe_unused]] const ssize_t ignored = ::read(wake_.get(), &wakes, sizeof wakes);
    }
    return count == 2 && (fds[1].revents & POLLIN) != 0 ? ReadEvents() : Seen::kNothing;
  }

  void Wake() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(wake_.get(), &one, sizeof one);
  }

 private:
  // Reads every queued event and says what they amount to for the watched
  // folder (nothing when none is watched).
  Seen ReadEvents() {
    if (!inotify_.valid()) return Seen::kNothing;
    alignas(inotify_event) char buffer[kReadBufferSize];
    Seen seen = Seen::kNothing;
    for (;;) {
      const ssize_t got = ::read(inotify_.get(), buffer, sizeof buffer);
      if (got <= 0) {
        if (got < 0 && errno == EINTR) continue;
        break;
      }
      for (const char* at = buffer; at < buffer + got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        at += sizeof(inotify_event) + event->len;
        if (watch_ < 0) continue;
        if ((event->mask & IN_Q_OVERFLOW) != 0) {
          // Events were lost: something may have changed.
          if (seen == Seen::kNothing) seen = Seen::kChanged;
        } else if (event->wd != watch_) {
          // Meant for a folder watched before.
        } else if ((event->mask & (kSelfEvents | IN_IGNORED)) != 0) {
          seen = Seen::kGone;
        } else if ((event->mask & kEntryEvents) != 0 && (event->len == 0 || event->name[0] != '.')) {
          if (seen == Seen::kNothing) seen = Seen::kChanged;
        }
      }
    }
    return seen;
  }

  UniqueFd inotify_;
  UniqueFd wake_;
  int watch_ = -1;
};

}  // namespace

std::unique_ptr<FolderWatch> MakeFolderWatch() {
  return std::make_unique<FolderWatchThread>(std::make_unique<InotifyChanges>());
}

}  // namespace platform
