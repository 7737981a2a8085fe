#!/usr/bin/env bash
# Walks the Windows program under Wine as a user would, on a virtual X
# screen (Xvfb with openbox), with real pointer and key input (xdotool), and
# checks what it leaves on disk: the first start's window, YES writing the
# records into the prefix's C:\WINDOWS\zizodo\zizodo123, the login opening
# the main window, a folder hidden (hidden + system, as Wine stores them)
# and recorded, Comeback bringing it back, File > Exit copying the record to
# D:. Along the way it takes a picture of every window in both skins.
#   QUILLOMAR_WIN32_GUI_BUILD   the cross build folder (default build/win32)
#   QUILLOMAR_WALK_PICTURES     where the pictures go (default build/wine-walk)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLOMAR_WIN32_GUI_BUILD:-build/win32}
pictures=${QUILLOMAR_WALK_PICTURES:-build/wine-walk}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
title="Quillomar"
password=31852

for tool in wine Xvfb openbox xdotool import python3; do
  command -v "$tool" >/dev/null || { echo "wine_walk: needs $tool (wine, xvfb, openbox, xdotool, imagemagick)"; exit 1; }
done
cmake --no-warn-unused-cli -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-i686-w64-mingw32.cmake" -DQUILLOMAR_BUILD_GUI=ON >/dev/null
cmake --build "$build" --target quillomar -j2 >/dev/null
exe="$PWD/$build/quillomar.exe"
mkdir -p "$pictures"

scratch=$(mktemp -d /tmp/quillomar-walk-XXXXXX)
. scripts/wine_prefix.sh
cleanup() {
  WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null || true
  quillomar_stop_screen
  rm -rf "$scratch"
}
trap cleanup EXIT

quillomar_virtual_screen "$scratch"
export WINEPREFIX="$scratch/prefix"
quillomar_wine_prefix "$WINEPREFIX"
drive_d="$scratch/drive_d"
mkdir -p "$drive_d" "$WINEPREFIX/drive_c/Letters"
ln -sfn "$drive_d" "$WINEPREFIX/dosdevices/d:"
echo "a letter" >"$WINEPREFIX/drive_c/Letters/letter.txt"
records="$WINEPREFIX/drive_c/windows/zizodo/zizodo123"
hidden_folder="$WINEPREFIX/drive_c/Letters"

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "wine_walk: ok   $what"; else echo "wine_walk: FAIL $what"; failures=$((failures + 1)); fi
}

# The program's window on screen of the given size; sets x and y to its place.
window_of() {  # window_of WIDTH HEIGHT
  local id geometry
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --name "^$title" 2>/dev/null); do
      geometry=$(xdotool getwindowgeometry --shell "$id")
      eval "$geometry"
      if [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]; then
        x=$X
        y=$Y
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}
click() { xdotool mousemove $((x + $1)) $((y + $2)) click "${3:-1}"; sleep 0.6; }
double_click() { xdotool mousemove $((x + $1)) $((y + $2)) click --repeat 2 --delay 80 1; sleep 1; }
away() { xdotool mousemove 1000 750; sleep 0.4; }
shot() { away; import -window root -crop "${2}x${3}+${x}+${y}" "$pictures/$1.png"; }
dos_attributes() {
  python3 -c 'import os, sys
try: print(os.getxattr(sys.argv[1], "user.DOSATTRIB").decode().rstrip("\0"))
except OSError: print("none")' "$1"
}

# Logs in as the administrator from the login window.
log_in() {
  window_of 318 219
  click 160 133  # the user box opens
  click 117 153  # its first account
  click 160 159  # the password box
  xdotool type --delay 40 "$password"
  shot "login_$1" 318 219
  xdotool key Return
  sleep 1
}

# The main window, the Options window's two tabs and the Find window.
pictures_of_windows() {  # pictures_of_windows NAME
  window_of 522 456
  shot "main_$1" 522 456
  click 195 66  # Options
  window_of 458 364
  shot "options_$1" 458 364
  click 201 49  # the users' tab
  shot "options_users_$1" 458 364
  click 327 345  # Cancel
  window_of 522 456
  click 268 66  # Find
  window_of 476 365
  click 32 52  # opens My Computer
  shot "find_$1" 476 365
  click 463 11  # the close mark
  window_of 522 456
}

exit_from_menu() {
  window_of 522 456
  click 29 33  # File
  shot "$1" 522 456
  click 72 158  # Exit
  for _ in $(seq 50); do pgrep -f "$exe" >/dev/null || break; sleep 0.1; done
  if ! timeout 30 env WINEPREFIX="$WINEPREFIX" wineserver -w; then
    echo "wine_walk: FAIL File > Exit did not end the program"
    failures=$((failures + 1))
    WINEPREFIX=$WINEPREFIX wineserver -k || true
  fi
}

# First start: the first-run window; YES sets up the records.
wine "$exe" >/dev/null 2>&1 &
check "first start shows the 318 x 219 first-run window" window_of 318 219
shot first_run 318 219
click 170 196  # YES
check "YES writes the records in C:\\WINDOWS\\zizodo\\zizodo123" test -f "$records/zizodo.INI"

log_in first_start
check "the login opens the 522 x 456 main window" window_of 522 456
pictures_of_windows first_start

# Hide C:\Letters: into C:, pick it, Hide Folder.
double_click 63 130
click 45 130
click 41 66
shot main_hidden 522 456
check "the hidden folder is hidden + system as Wine stores it" test "$(dos_attributes "$hidden_folder")" = "0x6"
check "the hidden folder is recorded" grep -q 'C:\\Letters' "$records/biefei.INI"
# Comeback: untick it in the list, Comeback.
click 15 365
click 108 344
check "Comeback brings it back" test "$(dos_attributes "$hidden_folder")" = "none"

click 344 66  # Skin: the other skin, stored for the next start
rm -f "$drive_d/biefei.ini"
exit_from_menu main_file_menu_other_skin
check "File > Exit copies the record to D:\\biefei.ini" test -f "$drive_d/biefei.ini"

# The second start, in the other skin.
wine "$exe" >/dev/null 2>&1 &
log_in other_skin
pictures_of_windows other_skin
click 344 66  # Skin: back to the first one
exit_from_menu main_file_menu_first_skin

echo "wine_walk: pictures in $pictures"
if [ "$failures" -ne 0 ]; then
  echo "wine_walk: $failures checks failed"
  exit 1
fi
echo "wine_walk: all checks passed"
