#!/usr/bin/env bash
# Starts the program on a Wayland compositor of its own and nothing else (a
# new headless weston in a runtime folder of its own, ended afterwards),
# then runs a test program there.
#
#   run_under_weston.sh <program> <test program> [its arguments]
# Exit: the test program's; 77 (skipped) when weston or Qt's Wayland plugin
# is missing.
set -euo pipefail
. "$(dirname "$0")/weston_session.sh"
quillomar_need_wayland

quillomar_private_session weston
quillomar_start_weston headless-backend.so
program=$1
shift
quillomar_start_program "$program"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
echo "the program started on Wayland"

unset DISPLAY
export WAYLAND_DISPLAY=$socket XDG_RUNTIME_DIR=$scratch QT_QPA_PLATFORM=wayland
# Never the user's own home or prefix, whatever a test does.
export HOME=$scratch QUILLOMAR_PREFIX=$scratch/prefix
# The desktop folder is found under HOME alone, never in the runner's settings.
unset XDG_CONFIG_HOME
"$@"
