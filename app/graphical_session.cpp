#include "app/graphical_session.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

namespace app {

namespace {

constexpr char kX11Variable[] = "DISPLAY";
constexpr char kWaylandVariable[] = "WAYLAND_DISPLAY";
constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";
constexpr char kRuntimeFolderVariable[] = "XDG_RUNTIME_DIR";
constexpr char kX11Platform[] = "xcb";
constexpr char kLocalX11Host[] = "unix";
constexpr char kWaylandPlatform[] = "wayland";
constexpr char kX11SocketFolder[] = "/tmp/.X11-unix/X";
constexpr int kX11FirstPort = 6000;
constexpr char kDefaultWaylandDisplay[] = "wayland-0";

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// True when a Unix socket at `path` accepts a connection; `abstract` names
// it in the abstract namespace, as local X servers also listen.
bool UnixSocketAnswers(const std::string& path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.empty() || path.size() + offset >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  // An abstract name has no terminating NUL; a path has one.
  const auto length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
  const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  ::close(fd);
  return connected;
}

bool TcpPortAnswers(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool connected = false;
  for (addrinfo* a = found; a != nullptr && !connected; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    connected = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0;
    ::close(fd);
  }
  ::freeaddrinfo(found);
  return connected;
}

// DISPLAY is [host]:number[.screen]; an empty host or "unix" is the local
// server's socket.
bool X11Answers(const std::string& display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return false;
  const std::string host = display.substr(0, colon);
  const std::string rest = display.substr(colon + 1);
  const std::string number = rest.substr(0, rest.find('.'));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
  if (host.empty() || host == kLocalX11Host) {
    const std::string path = kX11SocketFolder + number;
    return UnixSocketAnswers(path, true) || UnixSocketAnswers(path, false);
  }
  return TcpPortAnswers(host, kX11FirstPort + std::atoi(number.c_str()));
}

bool WaylandAnswers(std::string display) {
  if (display.empty()) display = kDefaultWaylandDisplay;
  if (display.front() != '/') {
    const std::string runtime = Variable(kRuntimeFolderVariable);
    if (runtime.empty()) return false;
    display = runtime + "/" + display;
  }
  return UnixSocketAnswers(display, false);
}

}  // namespace

namespace {

// Which of X11 and Wayland QT_QPA_PLATFORM lets Qt try, and what the
// environment names.
struct NamedSession {
  std::string x11 = Variable(kX11Variable);
  std::string wayland = Variable(kWaylandVariable);
  std::string platform = Variable(kPlatformVariable);
  // QT_QPA_PLATFORM may list several platforms, each with options after a
  // colon ("wayland;xcb", "xcb:option"), tried in turn.
  bool x11_allowed = platform.empty() || platform.find(kX11Platform) != std::string::npos;
  bool wayland_allowed = platform.empty() || platform.find(kWaylandPlatform) != std::string::npos;
  // Qt's Wayland platform, when chosen by name, falls back to wayland-0.
  bool wayland_named = !wayland.empty() || !platform.empty();

  std::string Described() const {
    std::string described;
    if (x11_allowed && !x11.empty()) described = kX11Variable + ("=" + x11);
    if (wayland_allowed && wayland_named) {
      described += std::string(described.empty() ? "" : ", ") + kWaylandVariable + "=" +
                   (wayland.empty() ? kDefaultWaylandDisplay : wayland);
    }
    if (described.empty()) described = kPlatformVariable + ("=" + platform);
    return described;
  }
};

}  // namespace

GraphicalSession FindGraphicalSession() {
  const NamedSession named;
  GraphicalSession session;
  session.named = !named.x11.empty() || !named.wayland.empty() || !named.platform.empty();
  session.described = named.Described();
  if (!named.platform.empty() && !named.x11_allowed && !named.wayland_allowed) {
    session.reachable = true;
    return session;
  }
  const bool x11_answers = named.x11_allowed && !named.x11.empty() && X11Answers(named.x11);
  const bool wayland_answers = named.wayland_allowed && named.wayland_named && WaylandAnswers(named.wayland);
  session.reachable = x11_answers || wayland_answers;
  if (named.platform.empty() && x11_answers != wayland_answers) {
    session.only_platform = x11_answers ? kX11Platform : kWaylandPlatform;
  }
  return session;
}

std::string NamedDisplays() { return NamedSession().Described(); }

}  // namespace app
