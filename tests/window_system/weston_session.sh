# Sourced by the Wayland tests: a weston of their own and the program on it,
# in a private session (`scratch` is weston's runtime folder).
. "$(dirname "${BASH_SOURCE[0]}")/private_session.sh"

socket=quillomar-wayland
weston_pid=
program_pid=

# quillomar_need_wayland: exits 77 (skipped) when weston or Qt's Wayland
# plugin is missing.
quillomar_need_wayland() {
  if ! command -v weston >/dev/null; then
    echo "SKIPPED: weston is not installed (Debian package weston; scripts/setup.sh installs it)"
    exit 77
  fi
  if ! compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null; then
    echo "SKIPPED: Qt's Wayland plugin is not installed (Debian package qt6-wayland; scripts/setup.sh installs it)"
    exit 77
  fi
}

# quillomar_start_weston BACKEND [weston options...]: starts weston and
# waits for its socket.
quillomar_start_weston() {
  local backend=$1
  shift
  XDG_RUNTIME_DIR=$scratch weston --backend="$backend" --socket="$socket" --idle-time=0 "$@" \
    >"$scratch/weston.log" 2>&1 &
  weston_pid=$!
  quillomar_wait_for "$weston_pid" test -S "$scratch/$socket" ||
    { cat "$scratch/weston.log" >&2; echo "FAIL: weston did not start" >&2; exit 1; }
}

# quillomar_start_program PROGRAM: starts the program on weston alone (no
# X display named, no Qt platform chosen: it has to find the compositor by
# itself), in a drive prefix of its own, and waits until it is up: its
# prefix is made once Qt has reached the display, and Qt ends it at once
# where it cannot reach one.
quillomar_start_program() {
  (
    unset DISPLAY QT_QPA_PLATFORM
    export WAYLAND_DISPLAY=$socket XDG_RUNTIME_DIR=$scratch
    # Never the user's own home or prefix, whatever a test does.
    export HOME=$scratch QUILLOMAR_PREFIX=$scratch/program-prefix
    unset XDG_CONFIG_HOME
    exec "$1"
  ) >"$scratch/program.log" 2>&1 &
  program_pid=$!
  if ! quillomar_wait_for "$program_pid" test -d "$scratch/program-prefix/dosdevices" ||
    ! kill -0 "$program_pid" 2>/dev/null; then
    cat "$scratch/program.log" >&2
    echo "FAIL: the program did not start on Wayland" >&2
    exit 1
  fi
}
