#!/usr/bin/env bash
# Runs screen_reader_walk.py against the program with a D-Bus session of its
# own, whose bus starts the accessibility bus and registry of at-spi2-core
# on demand. Run it under tests/window_system/run_under_window_manager.sh,
# which gives the display, the window manager and a temporary home.
#
#   run_screen_reader_walk.sh <program>
# Exit: the walk's; 77 (skipped) when a tool it needs is missing.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3

# The walk makes files in its home and prefix: only ever temporary ones.
if [ -z "${QUILLOMAR_PREFIX:-}" ] || [ "${QUILLOMAR_PREFIX#"$HOME"/}" = "$QUILLOMAR_PREFIX" ] ||
   [ "${HOME#"${TMPDIR:-/tmp}"/}" = "$HOME" ]; then
  echo "FAIL: run it under tests/window_system/run_under_window_manager.sh (a temporary home and prefix)" >&2
  exit 1
fi

if ! command -v dbus-run-session >/dev/null || [ ! -x /usr/libexec/at-spi-bus-launcher ] ||
   ! "$python" -c 'import pyatspi' 2>/dev/null; then
  echo "SKIPPED: dbus, at-spi2-core or python3-pyatspi is not installed (scripts/setup.sh installs them)"
  exit 77
fi

# Never the user's own session bus or accessibility bus.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME=$HOME/config
status=0
dbus-run-session -- "$python" "$here/screen_reader_walk.py" "$program" >"$HOME/walk.log" 2>&1 || status=$?
# The buses' own chatter aside, what the walk said.
grep -v -e '^dbus-daemon' -e 'fd limit' -e 'SpiRegistry daemon' "$HOME/walk.log" || true
exit "$status"
