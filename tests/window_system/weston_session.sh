# Sourced by the Wayland tests: a weston of their own and the program on it,
# in a private folder (`scratch`, weston's runtime folder), all ended and
# removed when the test ends.

socket=quillomar-wayland
xvfb_pid=
weston_pid=
program_pid=

# quillomar_private_session NAME: makes `scratch`, a folder only this user
# can enter, and on exit ends what the test started and removes it.
quillomar_private_session() {
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillomar-$1-XXXXXX")
  chmod 700 "$scratch"
  trap quillomar_end_session EXIT
}

quillomar_end_session() {
  for pid in "$program_pid" "$weston_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}

# quillomar_wait_for PID TEST...: waits up to 10 s until TEST holds, or
# until PID has ended; answers whether TEST holds.
quillomar_wait_for() {
  local pid=$1
  shift
  for _ in $(seq 200); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  "$@"
}

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
