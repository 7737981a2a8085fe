#!/usr/bin/env bash
# Minimising on a real Wayland compositor: weston shows its desktop on a
# virtual X screen, whose pointer and keys xdotool drives; the program runs
# on weston alone. After a first start and a login by keys alone, a click on
# the main window's minimise mark must take the window off the screen, and
# weston's window switcher (Super+Tab) must bring it back where it was.
#
#   minimise_on_weston.sh <program> <find_colour>
# Exit: 0 when the window went and came back; 77 (skipped) when weston, Qt's
# Wayland plugin, Xvfb or xdotool is missing.
set -euo pipefail
. "$(dirname "$0")/virtual_screen.sh"
. "$(dirname "$0")/weston_session.sh"

# The first pixels of the login window's and the main window's title
# pictures: each is its window's corner wherever weston shows it.
login_caption=5057d9
main_caption=0000aa
# The middle of the main window's minimise mark, from its corner.
minimise_x=495
minimise_y=13
administrator_password=31852

fail() {
  cat "$scratch/program.log" >&2
  echo "FAIL: $*" >&2
  exit 1
}

quillomar_weston_desktop minimise "$1" "$2"
quillomar_wait_for "$program_pid" quillomar_colour_seen "$login_caption" || fail "the login window never showed"

# YES of the first start has the focus; then the first name of the list, the
# password and the login, given at once as a quick typist would.
xdotool key Return Down Tab
xdotool type "$administrator_password"
xdotool key Return
quillomar_wait_for "$program_pid" quillomar_colour_seen "$main_caption" || fail "the main window never showed"
read -r left top <<<"$seen"

quillomar_click $((left + minimise_x)) $((top + minimise_y))
quillomar_wait_for "$program_pid" quillomar_colour_gone "$main_caption" ||
  fail "the main window is still on the screen at $seen after its minimise mark was clicked"

xdotool keydown super key Tab keyup super
quillomar_wait_for "$program_pid" quillomar_colour_seen "$main_caption" "$left" "$top" ||
  fail "weston's window switcher brought the main window back at '$seen', not at $left $top"
echo "the main window went off the screen and came back at $left $top"
