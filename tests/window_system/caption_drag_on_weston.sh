#!/usr/bin/env bash
# The program's caption drag on a real Wayland compositor: weston shows its
# desktop on a virtual X screen, whose pointer xdotool drives; the program
# itself runs on weston alone. A press on the login window's caption and a
# move of the pointer must move the window by as much (the compositor's own
# move: a Wayland client cannot place itself).
#
#   caption_drag_on_weston.sh <program> <find_colour>
# Exit: 0 when the window followed the pointer; 77 (skipped) when weston,
# Qt's Wayland plugin, Xvfb or xdotool is missing.
set -euo pipefail
. "$(dirname "$0")/virtual_screen.sh"
. "$(dirname "$0")/weston_session.sh"

# The top row of the login window's glossy title picture: its first pixel
# is the window's caption corner wherever weston shows it.
caption_colour=5057d9
# How far the pointer drags the caption, in steps, and where on the caption
# it presses (right of the corner, clear of the text and the close mark).
drag_x=100
drag_y=60
steps=5
press_x=60
press_y=8

quillomar_weston_desktop drag "$1" "$2"
quillomar_wait_for "$program_pid" quillomar_colour_seen "$caption_colour" ||
  { cat "$scratch/program.log" >&2; echo "FAIL: the login window never showed" >&2; exit 1; }
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

if ! quillomar_wait_for "$program_pid" quillomar_colour_seen "$caption_colour" $((left + drag_x)) $((top + drag_y)); then
  echo "FAIL: the caption's corner is at '$seen' after the drag; it was at $left $top and should be at" \
    "$((left + drag_x)) $((top + drag_y))" >&2
  exit 1
fi
echo "the login window followed its caption from $left $top to $seen"
