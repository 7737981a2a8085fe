#include "toolkit/win32/keyboard.h"

#include <vector>

#include "toolkit/win32/peer.h"

namespace app::win32 {

namespace {

// The commands painted on a window, by their place among its parts.
std::vector<int> Commands(PeerCore& peer) {
  std::vector<int> commands;
  const std::vector<AccessibleItem> parts = peer.Events().NativeAccessibleParts();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].action) commands.push_back(static_cast<int>(i));
  }
  return commands;
}

// Tab and Shift+Tab (Ctrl+Tab turns tab pages instead): the toolkit's walk
// of the window, as on every front end.
bool Tab(PeerCore& peer, bool backwards) {
  if (::GetKeyState(VK_CONTROL) < 0) return false;
  return peer.Events().NativeTab(!backwards);
}

// The first visible painted window under `hwnd` whose role is `role`.
PeerCore* FindPainted(HWND hwnd, AccessibleRole role) {
  if (!::IsWindowVisible(hwnd)) return nullptr;
  PeerCore* peer = PeerCore::FromHandle(hwnd);
  if (peer == nullptr || !peer->Painted()) return nullptr;
  if (peer->Events().NativeAccessibleSelf().role == role) return peer;
  for (HWND child = ::GetWindow(hwnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (PeerCore* found = FindPainted(child, role)) return found;
  }
  return nullptr;
}

// Runs a menu title's command (which opens its menu) and takes the focus
// to the first entry of the menu that opened.
void OpenMenu(PeerCore& bar, int part) {
  const std::vector<AccessibleItem> parts = bar.Events().NativeAccessibleParts();
  if (part < 0 || part >= static_cast<int>(parts.size()) || !parts[static_cast<std::size_t>(part)].action) return;
  const std::function<void()> action = parts[static_cast<std::size_t>(part)].action;
  const HWND top = ::GetAncestor(bar.Hwnd(), GA_ROOT);
  action();
  PeerCore* menu = FindPainted(top, AccessibleRole::kPopupMenu);
  const std::vector<int> entries = menu != nullptr ? Commands(*menu) : std::vector<int>();
  if (!entries.empty()) menu->FocusPart(entries.front());
}

// Alt+letter opens the menu whose title starts with the letter; Alt (or
// F10) alone takes the focus to the first title.
bool MenuKey(PeerCore& peer, UINT message, WPARAM key) {
  // Alt counts alone when no other key came while it was held.
  static bool alt_alone = false;
  if (message == WM_SYSKEYDOWN) alt_alone = key == VK_MENU;
  if (message == WM_SYSKEYUP && key == VK_MENU && !alt_alone) return false;
  // The window's own menu keys first, as on every front end: its menus
  // open there and give the focus back to where it was when they close.
  if (PeerCore* top = PeerCore::FromHandle(::GetAncestor(peer.Hwnd(), GA_ROOT))) {
    const bool alone = message == WM_SYSKEYUP && (key == VK_MENU || key == VK_F10);
    const bool letter = message == WM_SYSKEYDOWN && key >= 'A' && key <= 'Z';
    if ((alone || letter) && top->Events().NativeMnemonic(alone ? '\0' : static_cast<char>(key))) return true;
  }
  PeerCore* bar = FindPainted(::GetAncestor(peer.Hwnd(), GA_ROOT), AccessibleRole::kMenuBar);
  if (bar == nullptr) return false;
  const std::vector<AccessibleItem> titles = bar->Events().NativeAccessibleParts();
  if (message == WM_SYSKEYUP) {
    if (key != VK_MENU && key != VK_F10) return false;
    for (std::size_t i = 0; i < titles.size(); ++i) {
      if (titles[i].action) {
        bar->FocusPart(static_cast<int>(i));
        return true;
      }
    }
    return false;
  }
  if (key < 'A' || key > 'Z') return false;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const std::string& name = titles[i].name;
    if (titles[i].action && !name.empty() && (name[0] & ~0x20) == static_cast<char>(key)) {
      OpenMenu(*bar, static_cast<int>(i));
      return true;
    }
  }
  return false;
}

// Runs the focused command, or moves to the one before or after it; Down
// on a menu title opens its menu.
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
  if (key == VK_DOWN && peer.Events().NativeAccessibleSelf().role == AccessibleRole::kMenuBar) {
    OpenMenu(peer, focused);
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

bool NavigationKey(PeerCore& peer, WPARAM key) {
  switch (key) {
    case VK_TAB: return Tab(peer, ::GetKeyState(VK_SHIFT) < 0);
    case VK_SPACE:
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: return OnCommand(peer, key);
    default: return false;
  }
}

// A key used here: the window it was typed in (`root`, taken before the
// key's command ran, which may have closed it) shows its keyboard cues from
// now on (the focus mark, the menus' underlined letters).
bool Used(HWND root, bool used) {
  if (!used) return false;
  if (PeerCore* top = PeerCore::FromHandle(root)) top->Events().NativeKeyboardUsed();
  return true;
}

}  // namespace

bool HandleMenuKey(PeerCore& peer, UINT message, WPARAM virtual_key) {
  const HWND root = ::GetAncestor(peer.Hwnd(), GA_ROOT);
  return Used(root, MenuKey(peer, message, virtual_key));
}

bool HandleNavigationKey(PeerCore& peer, WPARAM virtual_key) {
  const HWND root = ::GetAncestor(peer.Hwnd(), GA_ROOT);
  return Used(root, NavigationKey(peer, virtual_key));
}

}  // namespace app::win32
