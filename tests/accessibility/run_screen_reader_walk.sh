#!/usr/bin/env bash
# Runs screen_reader_walk.py against the program on a display of its own
# (Xvfb and openbox) with a D-Bus session and the accessibility bus of
# at-spi2-core, all ended afterwards.
#
#   run_screen_reader_walk.sh <program>
# Exit: the walk's; 77 (skipped) when a tool it needs is missing.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3

for tool in Xvfb openbox dbus-run-session; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it)"
    exit 77
  fi
done
if [ ! -x /usr/libexec/at-spi-bus-launcher ] || ! "$python" -c 'import pyatspi' 2>/dev/null; then
  echo "SKIPPED: at-spi2-core or python3-pyatspi is not installed (scripts/setup.sh installs them)"
  exit 77
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillomar-a11y-XXXXXX")
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }

mkdir -m 700 "$scratch/home"
# Never the user's own home, prefix or session bus.
export DISPLAY=":$(head -n1 "$scratch/display")" HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/home
export QUILLOMAR_PREFIX=$scratch/home/prefix XDG_CONFIG_HOME=$scratch/home/config
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
# The session bus starts the accessibility bus and its registry on demand;
# openbox makes the windows active, so that the focus can be read.
dbus-run-session -- bash -c 'openbox >/dev/null 2>&1 & "$0" "$1" "$2"' \
  "$python" "$here/screen_reader_walk.py" "$program" 2>"$scratch/walk.log" || status=$?
# The buses' own chatter aside, what went wrong.
grep -v -e '^dbus-daemon' -e 'fd limit' -e 'SpiRegistry daemon' "$scratch/walk.log" >&2 || true
exit "${status:-0}"
