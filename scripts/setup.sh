#!/usr/bin/env bash
# Installs what building, running and testing Quillomar needs, from Debian's
# packages. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # The windows' font (Wine's MS Sans Serif), the outline face that stands
  # in for it on scaled screens (FreeSans), and the desktop's sans serif as
  # the last fallback.
  fonts-wine fonts-freefont-ttf fonts-dejavu-core
  # Qt's Wayland platform, and a compositor to test the program on it.
  qt6-wayland weston
  # The package's checks: launcher, Debian policy, AppStream metadata.
  desktop-file-utils dpkg-dev lintian appstream
  # GLib's launcher, which runs the file managers' entries in the tests.
  libglib2.0-bin
  # The windows under a real window manager, and input as the X server's;
  # an X server's cookies, for the program on a display that refuses it.
  xvfb openbox xdotool xauth
  # The windows as a screen reader reads them: a D-Bus session, the
  # accessibility bus and its registry, and Python's AT-SPI client.
  dbus at-spi2-core python3-pyatspi
  # A real Samba server and client on the loopback address, for the test of
  # the hidden marks that Samba keeps.
  samba smbclient
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
