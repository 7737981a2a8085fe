#!/usr/bin/env bash
# The program on a real Wayland compositor's desktop: weston shows it on a
# virtual X screen (Xvfb), whose pointer and keys xdotool drives and whose
# pixels the test reads; the program runs on weston alone. Windows are
# found by the first pixel of their title pictures, wherever weston puts
# them (a Wayland client cannot place itself):
# - a press on the login window's caption and a move of the pointer move the
#   window by as much (the compositor's own move);
# - after a first start and a login by keys alone, a click on the main
#   window's minimise mark takes it off the screen, and weston's window
#   switcher (Super+Tab) brings it back where it was.
#
#   walk_on_weston_desktop.sh <program> <find_colour>
# Exit: 0 when all of it held; 77 (skipped) when weston, Qt's Wayland
# plugin, Xvfb or xdotool is missing.
set -euo pipefail
. "$(dirname "$0")/weston_session.sh"
quillomar_need_wayland
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/setup.sh installs it)"
    exit 77
  fi
done
find_colour=$2

# The first pixels of the login window's and the main window's title
# pictures: each is its window's corner.
login_caption=5057d9
main_caption=0000aa
# How far the pointer drags the login caption, in steps, and where on the
# caption it presses (right of the corner, clear of the text and the close
# mark).
drag_x=100
drag_y=60
steps=5
press_x=60
press_y=8
# The middle of the main window's minimise mark, from its corner.
minimise_x=495
minimise_y=13
administrator_password=31852

fail() {
  cat "$scratch/program.log" >&2
  echo "FAIL: $*" >&2
  exit 1
}

# colour_seen RRGGBB [X Y]: whether the topmost, then leftmost, pixel of the
# colour is on the screen (at X Y, where given); leaves where it is in
# `seen` (empty for nowhere).
seen=
colour_seen() {
  seen=$("$find_colour" "$1" || true)
  [ -n "$seen" ] && { [ $# -eq 1 ] || [ "$seen" = "$2 $3" ]; }
}
colour_gone() { ! "$find_colour" "$1" >/dev/null; }

quillomar_private_session desktop
quillomar_start_xvfb
# weston's window covers the X screen from its corner, so X's pointer and
# weston's stand at the same points once both have been to the corner.
quillomar_start_weston x11-backend.so --use-pixman --width=1024 --height=768
quillomar_start_program "$1"
xdotool mousemove 0 0

quillomar_wait_for "$program_pid" colour_seen "$login_caption" || fail "the login window never showed"
read -r left top <<<"$seen"
xdotool mousemove $((left + press_x)) $((top + press_y))
sleep 0.1
xdotool mousedown 1
sleep 0.2
for step in $(seq "$steps"); do
  xdotool mousemove $((left + press_x + drag_x * step / steps)) $((top + press_y + drag_y * step / steps))
  sleep 0.05
done
xdotool mouseup 1
quillomar_wait_for "$program_pid" colour_seen "$login_caption" $((left + drag_x)) $((top + drag_y)) ||
  fail "the login caption's corner is at '$seen' after the drag; it was at $left $top and should be at" \
    "$((left + drag_x)) $((top + drag_y))"

# YES of the first start has the focus; then the first name of the list, the
# password and the login, given at once as a quick typist would.
xdotool key Return Down Tab
xdotool type "$administrator_password"
xdotool key Return
quillomar_wait_for "$program_pid" colour_seen "$main_caption" || fail "the main window never showed"
read -r left top <<<"$seen"
xdotool mousemove $((left + minimise_x)) $((top + minimise_y))
sleep 0.1
xdotool click 1
quillomar_wait_for "$program_pid" colour_gone "$main_caption" ||
  fail "the main window is still on the screen at $seen after its minimise mark was clicked"
xdotool keydown super key Tab keyup super
quillomar_wait_for "$program_pid" colour_seen "$main_caption" "$left" "$top" ||
  fail "weston's window switcher brought the main window back at '$seen', not at $left $top"
echo "the login window followed its caption; the main window was minimised and came back at $left $top"
