#!/usr/bin/env bash
# Runs a test program on a display of its own with a window manager: a new
# Xvfb server and openbox, both ended afterwards.
#
#   run_under_window_manager.sh <test program> [its arguments]
# Exit: the test program's; 77 (skipped) when Xvfb or openbox is missing.
set -euo pipefail

for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (Debian packages xvfb and openbox; scripts/setup.sh installs them)"
    exit 77
  fi
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillomar-wm-XXXXXX")
xvfb_pid=
wm_pid=
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the pipe.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"

# openbox reads no user configuration: its own defaults, the same everywhere.
HOME=$scratch XDG_CONFIG_HOME=$scratch/config openbox >"$scratch/openbox.log" 2>&1 &
wm_pid=$!

export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$scratch
# Never the user's own home or prefix, whatever a test does.
export HOME=$scratch QUILLOMAR_PREFIX=$scratch/prefix
"$@"
