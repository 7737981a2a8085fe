#!/usr/bin/env bash
# Runs a test program on a display of its own with a window manager: a new
# Xvfb server and openbox, both ended afterwards.
#
#   run_under_window_manager.sh <test program> [its arguments]
# Exit: the test program's; 77 (skipped) when Xvfb or openbox is missing.
set -euo pipefail
. "$(dirname "$0")/private_session.sh"

for tool in Xvfb openbox; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (Debian packages xvfb and openbox; scripts/setup.sh installs them)"
    exit 77
  fi
done

quillomar_private_session wm
quillomar_start_xvfb

# openbox reads no user configuration: its own defaults, the same everywhere.
# It claims the screen before it has finished starting, and a window mapped
# in between stays unmanaged: the tests start once its start-up command ran.
HOME=$scratch XDG_CONFIG_HOME=$scratch/config openbox --startup "touch $scratch/openbox-ready" \
  >"$scratch/openbox.log" 2>&1 &
quillomar_wait_for $! test -e "$scratch/openbox-ready" ||
  { cat "$scratch/openbox.log" >&2; echo "FAIL: openbox did not start" >&2; exit 1; }

export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$scratch
# Never the user's own home or prefix, whatever a test does.
export HOME=$scratch QUILLOMAR_PREFIX=$scratch/prefix
# The desktop folder is found under HOME alone, never in the runner's settings.
unset XDG_CONFIG_HOME
"$@"
