#!/usr/bin/env bash
# The Windows program given the login at once: the moment its login window is
# on the X screen, the user is picked from the box's list, the password typed
# and Enter pressed (xdotool, as a password manager or a quick typist does).
# Every run must end in the main window, never in a message. Runs in the
# Wine prefix and on the X screen it is given; prints what went wrong.
#   start_input.sh PROGRAM RUNS   (WINEPREFIX and DISPLAY set)
set -euo pipefail
program=$1
runs=$2
# Window coordinates of the login window's controls (app/Unit2.cpp): the
# first-run and login panels lie at (18, 28) and (18, 30).
yes_button=(169 197)
user_box=(158 134)
first_user=(140 155)
password_box=(158 160)
login_size=318x219
main_size=522x456

# "X Y WIDTHxHEIGHT" of each visible window of the program.
windows() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Quillomar$' 2>/dev/null); do
    xdotool getwindowgeometry "$id" 2>/dev/null |
      awk '/Position/ { split($2, p, ","); x = p[1]; y = p[2] } /Geometry/ { print x, y, $2 }'
  done
}
# Waits until a window of SIZE shows (or, with "other", any other than the
# login window); prints its position.
wait_for() {
  local line
  for _ in $(seq 100); do
    while read -r x y size; do
      if [ "$size" = "$1" ] || { [ "$1" = other ] && [ "$size" != "$login_size" ]; }; then
        echo "$x $y $size"
        return 0
      fi
    done < <(windows)
    sleep 0.05
  done
  return 1
}
click() { echo "mousemove $(($1 + $3)) $(($2 + $4)) click 1"; }
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }
# One Wine server for every start, as a desktop session has.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

# A first start sets the store up ("YES").
wine "$program" &
pid=$!
read -r x y _ < <(wait_for "$login_size")
sleep 1
xdotool $(click "$x" "$y" "${yes_button[@]}")
sleep 1
stop "$pid"

failures=0
for run in $(seq "$runs"); do
  wine "$program" &
  pid=$!
  read -r x y _ < <(wait_for "$login_size")
  xdotool $(click "$x" "$y" "${user_box[@]}") $(click "$x" "$y" "${first_user[@]}") \
    $(click "$x" "$y" "${password_box[@]}") type 31852
  xdotool key Return
  if ! ended=$(wait_for other) || [ "${ended##* }" != "$main_size" ]; then
    echo "start_input: run $run ended in ${ended:-nothing} instead of the main window"
    failures=$((failures + 1))
  fi
  stop "$pid"
done
[ "$failures" -eq 0 ]
