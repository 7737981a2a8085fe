# Sourced by the Wayland tests: a weston of their own and the program on it,
# in a private folder (`scratch`, weston's runtime folder), all ended and
# removed when the test ends. The tests that drive weston's desktop with a
# pointer and keys source virtual_screen.sh first.

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

# quillomar_weston_desktop NAME PROGRAM FIND_COLOUR: weston shows its desktop
# in a window that covers a private virtual X screen (Xvfb), so that X's
# pointer and keys (xdotool) reach weston and the screen can be read, and
# the program runs on weston alone. Exits 77 (skipped) when weston, Qt's
# Wayland plugin, Xvfb or xdotool is missing.
quillomar_weston_desktop() {
  quillomar_need_wayland
  for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it)"
      exit 77
    fi
  done
  find_colour=$3
  quillomar_private_session "$1"
  quillomar_start_xvfb
  # weston's window covers the X screen from its corner, so X's pointer and
  # weston's stand at the same points.
  quillomar_start_weston x11-backend.so --use-pixman --width=1024 --height=768
  quillomar_start_program "$2"
  # weston follows X's pointer by its moves: from the screen's corner, where
  # both stop, they agree.
  xdotool mousemove 0 0
}

# quillomar_colour_seen RRGGBB [X Y]: whether the topmost, then leftmost,
# pixel of the colour on the screen is there (at X Y, where given); leaves
# where it is in `seen` (empty for nowhere). For quillomar_wait_for.
seen=
quillomar_colour_seen() {
  seen=$("$find_colour" "$1" || true)
  [ -n "$seen" ] && { [ $# -eq 1 ] || [ "$seen" = "$2 $3" ]; }
}

# quillomar_colour_gone RRGGBB: whether no pixel of the colour is on the
# screen. For quillomar_wait_for.
quillomar_colour_gone() { ! "$find_colour" "$1" >/dev/null; }

# quillomar_click X Y: the pointer goes there and presses its first button.
quillomar_click() {
  xdotool mousemove "$1" "$2"
  sleep 0.1
  xdotool click 1
}
