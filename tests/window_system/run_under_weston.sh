#!/usr/bin/env bash
# Starts the program on a Wayland compositor of its own and nothing else (a
# new headless weston in a runtime folder of its own, ended afterwards),
# then runs a test program there. No X display is named and no Qt platform
# chosen, so the program has to find the compositor by itself.
#
#   run_under_weston.sh <program> <test program> [its arguments]
# Exit: the test program's; 77 (skipped) when weston or Qt's Wayland plugin
# is missing.
set -euo pipefail

if ! command -v weston >/dev/null; then
  echo "SKIPPED: weston is not installed (Debian package weston; scripts/setup.sh installs it)"
  exit 77
fi
if ! compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null; then
  echo "SKIPPED: Qt's Wayland plugin is not installed (Debian package qt6-wayland; scripts/setup.sh installs it)"
  exit 77
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillomar-weston-XXXXXX")
chmod 700 "$scratch"
weston_pid=
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

socket=quillomar-wayland
XDG_RUNTIME_DIR=$scratch weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
  >"$scratch/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$scratch/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.05
done
[ -S "$scratch/$socket" ] || { cat "$scratch/weston.log" >&2; echo "FAIL: weston did not start" >&2; exit 1; }

program=$1
shift
unset DISPLAY QT_QPA_PLATFORM
export WAYLAND_DISPLAY=$socket XDG_RUNTIME_DIR=$scratch
# Never the user's own home or prefix, whatever a test does.
export HOME=$scratch QUILLOMAR_PREFIX=$scratch/program-prefix

# The program makes its drive prefix once Qt has reached the display: it is
# up when the prefix is there and it still runs (Qt ends it at once where it
# cannot reach a display).
"$program" >"$scratch/program.log" 2>&1 &
program_pid=$!
for _ in $(seq 200); do
  [ -d "$QUILLOMAR_PREFIX/dosdevices" ] && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.05
done
if ! kill -0 "$program_pid" 2>/dev/null || [ ! -d "$QUILLOMAR_PREFIX/dosdevices" ]; then
  cat "$scratch/program.log" >&2
  echo "FAIL: the program did not start on Wayland" >&2
  exit 1
fi
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
echo "the program started on Wayland"

export QT_QPA_PLATFORM=wayland QUILLOMAR_PREFIX=$scratch/prefix
"$@"
