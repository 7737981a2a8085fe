#!/usr/bin/env bash
# Builds the program's core, its pictures and its windows as 32-bit Windows programs and
# runs their tests under Wine, each in a fresh Wine prefix (the window tests
# on a virtual X screen, Xvfb, with a window manager, openbox); then checks
# that the Windows and Linux builds agree on what is on disk. Installs the
# cross compiler, Wine, Xvfb, openbox and xdotool when missing; when the machine
# cannot have them, says so and exits 0.
#   QUILLOMAR_WIN32_BUILD   the cross build folder (default build/win32)
#   QUILLOMAR_NATIVE_BUILD  the Linux build with engine_tests (default build/default)
set -euo pipefail
cd "$(dirname "$0")/.."

win32_build=${QUILLOMAR_WIN32_BUILD:-build/win32}
native_build=${QUILLOMAR_NATIVE_BUILD:-build/default}
compiler=i686-w64-mingw32-g++-posix
export WINEDEBUG=-all
# No prompts for the .NET and HTML engines in a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

have_tools() {
  command -v "$compiler" >/dev/null 2>&1 && command -v wine >/dev/null 2>&1 &&
    dpkg -s wine32 >/dev/null 2>&1 && command -v Xvfb >/dev/null 2>&1 && command -v openbox >/dev/null 2>&1 &&
    command -v xdotool >/dev/null 2>&1
}

if ! have_tools; then
  echo "wine_tests: installing the 32-bit Windows cross compiler, Wine, Xvfb, openbox and xdotool (apt-get)"
  if ! { as_root dpkg --add-architecture i386 &&
         as_root apt-get update -qq &&
         as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
           g++-mingw-w64-i686 wine wine32 fonts-wine xvfb openbox xdotool; } >/tmp/quillomar-wine-install.log 2>&1 ||
     ! have_tools; then
    echo "wine_tests: skipped, this machine cannot install Wine (see /tmp/quillomar-wine-install.log)"
    exit 0
  fi
fi

. scripts/win32_configure.sh
quillomar_configure_win32 "$win32_build"
cmake --build "$win32_build" -j2

scratch=$(mktemp -d /tmp/quillomar-wine-XXXXXX)
. scripts/wine_prefix.sh
cleanup() {
  quillomar_stop_screen
  rm -rf "$scratch"
}
trap cleanup EXIT

# A new, empty Wine prefix under the scratch folder: a copy of one made
# once (making a prefix takes Wine many seconds, copying one a second).
quillomar_wine_prefix "$scratch/template"
new_prefix() {
  local prefix
  prefix=$(mktemp -d "$scratch/prefix-XXXXXX")
  cp -a "$scratch/template/." "$prefix/"
  echo "$prefix"
}

# run_test NAME: runs the test program in a prefix of its own; its output
# goes to NAME.log in the scratch folder, and to the screen when it fails.
run_test() {
  local log="$scratch/$1.log" prefix
  prefix=$(new_prefix)
  # No test may reach the home of whoever runs them.
  quillomar_check_user_folders "$prefix" || return 1
  if WINEPREFIX=$prefix wine "$win32_build/tests/$1.exe" --gtest_brief=1 >"$log" 2>&1; then
    echo "wine_tests: $1.exe $(grep -a "PASSED" "$log" | tail -n 1 | tr -d '\r')"
  else
    cat "$log"
    echo "wine_tests: $1.exe FAILED"
    return 1
  fi
}

failed=0
# The engine's tests take the longest: the others run beside them, each
# program in its own prefix with its own Wine server.
run_test engine_tests &
engine_lane=$!
for test in platform_tests store_tests pictures_tests; do
  run_test "$test" || failed=1
done
wait "$engine_lane" || failed=1

# The Win32 toolkit's tests and the window tests, driven with messages on
# a virtual screen with a window manager, large enough for the windows at 2x
# (the caption-fit test shows them at 96, 144 and 192 dpi).
quillomar_virtual_screen "$scratch" 2560x1600
for test in toolkit_tests app_tests; do
  [ -f "$win32_build/tests/$test.exe" ] || continue
  run_test "$test" || failed=1
done

# The program itself given the login the moment its window shows (xdotool):
# the input is handled in the order it came, every time.
echo "wine_tests: quillomar.exe given the login at once"
if ! WINEPREFIX=$(new_prefix) bash tests/app/win32/start_input.sh "$win32_build/quillomar.exe" 12; then
  failed=1
fi

# Both builds on one disk: the Windows build hides a folder of a Linux temp
# folder (through Z:), the Linux build reads the records and the attributes
# and hides a second item, and the Windows build lists both.
echo "wine_tests: the Windows and Linux builds on one disk"
interop_prefix=$(new_prefix)
mkdir -p "$scratch/items/Private" "$scratch/items/Second"
windows_path() { echo "Z:${1//\//\\}"; }
hidden=$(windows_path "$scratch/items/Private")
second=$(windows_path "$scratch/items/Second")
win_hide() { WINEPREFIX=$interop_prefix wine "$win32_build/tests/win_hide.exe" "$@" | tr -d '\r'; }
wineserver_stop() { WINEPREFIX=$interop_prefix wineserver -w 2>/dev/null || true; }

interop_ok=1
[ "$(win_hide hide Ann "$hidden")" = "1" ] || interop_ok=0
wineserver_stop
cmake --build "$native_build" --target engine_tests -j2 >/dev/null
QUILLOMAR_INTEROP_PREFIX=$interop_prefix QUILLOMAR_INTEROP_ACCOUNT=Ann \
  QUILLOMAR_INTEROP_HIDDEN=$hidden QUILLOMAR_INTEROP_SECOND=$second \
  "$native_build/tests/engine_tests" --gtest_filter='WindowsInterop.*' --gtest_brief=1 ||
  interop_ok=0
[ "$(win_hide list Ann)" = "$(printf '%s\n%s' "$hidden" "$second")" ] || interop_ok=0
# Hidden and system, with archive, which Wine adds to nothing but files.
[ "$(win_hide attributes "$second")" = "0x16" ] || interop_ok=0
wineserver_stop
if [ "$interop_ok" -ne 1 ]; then
  echo "wine_tests: the two builds disagree on disk"
  failed=1
fi

# A drive that goes away: the Windows build hides E:\secret on a drive that
# a dosdevices link makes; with the link gone, Comeback keeps the record and
# names the item; with the link back, Comeback shows the item and drops it.
echo "wine_tests: Comeback while a drive is away"
drive_prefix=$(new_prefix)
mkdir -p "$scratch/drive_e"
echo "secret" >"$scratch/drive_e/secret"
drive_link="$drive_prefix/dosdevices/e:"
drive_hide() { WINEPREFIX=$drive_prefix wine "$win32_build/tests/win_hide.exe" "$@" 2>&1 | tr -d '\r'; }
drive_ok=1
ln -sfn "$scratch/drive_e" "$drive_link"
[ "$(drive_hide hide Ann 'E:\secret')" = "1" ] || drive_ok=0
rm "$drive_link"
[ "$(drive_hide restore Ann 'E:\secret')" = 'Unable to write to E:\secret' ] || drive_ok=0
[ "$(drive_hide list Ann)" = 'E:\secret' ] || drive_ok=0
ln -sfn "$scratch/drive_e" "$drive_link"
# Hidden and system (with archive) while the record stays; shown when it goes.
[ "$(drive_hide attributes 'E:\secret')" = "0x26" ] || drive_ok=0
[ -z "$(drive_hide restore Ann 'E:\secret')" ] || drive_ok=0
[ -z "$(drive_hide list Ann)" ] || drive_ok=0
[ "$(drive_hide attributes 'E:\secret')" = "0x20" ] || drive_ok=0
WINEPREFIX=$drive_prefix wineserver -w 2>/dev/null || true
if [ "$drive_ok" -ne 1 ]; then
  echo "wine_tests: Comeback lost the record of an item on a drive that was away"
  failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "wine_tests: FAILED"
  exit 1
fi
echo "wine_tests: all passed"
