#include "toolkit/win32/keyboard.h"

#include <vector>

#include "toolkit/win32/peer.h"

namespace app::win32 {

namespace {

// A place the keyboard focus can go: a system control (part -1) or a
// command painted on a window.
struct Stop {
  HWND hwnd;
  int part;
};

// The commands painted on a window, by their place among its parts.
std::vector<int> Commands(PeerCore& peer) {
  std::vector<int> commands;
  const std::vector<AccessibleItem> parts = peer.Events().NativeAccessibleParts();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].action) commands.push_back(static_cast<int>(i));
  }
  return commands;
}

// The stops of `hwnd` and the windows on it, in the order they were made.
void CollectStops(HWND hwnd, std::vector<Stop>& stops) {
  if (!::IsWindowVisible(hwnd) || !::IsWindowEnabled(hwnd)) return;
  PeerCore* peer = PeerCore::FromHandle(hwnd);
  if (peer == nullptr) return;
  if (!peer->Painted()) {
    stops.push_back(Stop{hwnd, -1});
    return;
  }
  for (int part : Commands(*peer)) stops.push_back(Stop{hwnd, part});
  for (HWND child = ::GetWindow(::GetWindow(hwnd, GW_CHILD), GW_HWNDLAST); child != nullptr;
       child = ::GetWindow(child, GW_HWNDPREV)) {
    CollectStops(child, stops);
  }
}

void Go(const Stop& stop) {
  PeerCore* peer = PeerCore::FromHandle(stop.hwnd);
  if (peer != nullptr && peer->Painted()) {
    peer->FocusPart(stop.part);
  } else {
    ::SetFocus(stop.hwnd);
  }
}

bool Tab(PeerCore& peer, bool backwards) {
  std::vector<Stop> stops;
  CollectStops(::GetAncestor(peer.Hwnd(), GA_ROOT), stops);
  if (stops.empty()) return false;
  const int count = static_cast<int>(stops.size());
  int at = -1;
  for (int i = 0; i < count; ++i) {
    const bool here = stops[static_cast<std::size_t>(i)].hwnd == peer.Hwnd() &&
                      (!peer.Painted() || stops[static_cast<std::size_t>(i)].part == peer.FocusedPart());
    if (here) at = i;
  }
  const int next = at < 0 ? (backwards ? count - 1 : 0) : (at + (backwards ? count - 1 : 1)) % count;
  Go(stops[static_cast<std::size_t>(next)]);
  return true;
}

// Runs the focused command, or moves to the one before or after it.
bool OnCommand(PeerCore& peer, WPARAM key) {
  const int focused = peer.FocusedPart();
  if (!peer.Painted() || focused < 0 || ::GetFocus() != peer.Hwnd()) return false;
  if (key == VK_SPACE || key == VK_RETURN) {
    const std::vector<AccessibleItem> parts = peer.Events().NativeAccessibleParts();
    if (focused >= static_cast<int>(parts.size()) || !parts[static_cast<std::size_t>(focused)].action) return false;
    // A copy: the command may change what the window shows.
    const std::function<void()> action = parts[static_cast<std::size_t>(focused)].action;
    action();
    return true;
  }
  const std::vector<int> commands = Commands(peer);
  for (std::size_t i = 0; i < commands.size(); ++i) {
    if (commands[i] != focused) continue;
    const bool back = key == VK_UP || key == VK_LEFT;
    if (back && i > 0) peer.FocusPart(commands[i - 1]);
    if (!back && i + 1 < commands.size()) peer.FocusPart(commands[i + 1]);
    return true;
  }
  return false;
}

}  // namespace

bool HandleNavigationKey(PeerCore& peer, WPARAM virtual_key) {
  switch (virtual_key) {
    case VK_TAB: return Tab(peer, ::GetKeyState(VK_SHIFT) < 0);
    case VK_SPACE:
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: return OnCommand(peer, virtual_key);
    default: return false;
  }
}

}  // namespace app::win32
