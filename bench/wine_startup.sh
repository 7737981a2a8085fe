#!/usr/bin/env bash
# Times the Windows program's start under Wine, up to its painted login
# window, side by side with a bare Win32 window's start (the least a Win32
# program does to show a painted window), and checks that it takes at most
# twice as long. Both run in one fresh Wine prefix on a virtual X screen
# (Xvfb with openbox), in turns (bare, program, bare, program, ...) after a
# warm-up; each program run is set against the bare run just before it, and
# the median of those ratios is what is checked, so that a machine whose
# speed drifts during the runs still compares like with like.
#   QUILLOMAR_WIN32_GUI_BUILD   the cross build folder (default build/win32)
#   QUILLOMAR_STARTUP_RUNS      counted runs of each (default 15)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUILLOMAR_WIN32_GUI_BUILD:-build/win32}
runs=${QUILLOMAR_STARTUP_RUNS:-15}
limit_ratio=2
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

cmake --no-warn-unused-cli -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-i686-w64-mingw32.cmake" -DQUILLOMAR_BUILD_GUI=ON >/dev/null
cmake --build "$build" --target startup_probe bare_window -j2 >/dev/null
probe="$build/bench/win32/startup_probe.exe"
bare="$build/bench/win32/bare_window.exe"

scratch=$(mktemp -d /tmp/quillomar-startup-XXXXXX)
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
# One Wine server for every run, as a desktop session has.
wineserver -p

# Milliseconds that one start takes.
time_one() {
  local start end
  start=$(date +%s%N)
  wine "$1" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

time_one "$bare" >/dev/null
time_one "$probe" >/dev/null
: >"$scratch/bare" && : >"$scratch/probe"
for _ in $(seq "$runs"); do
  time_one "$bare" >>"$scratch/bare"
  time_one "$probe" >>"$scratch/probe"
done
bare_ms=$(median <"$scratch/bare")
probe_ms=$(median <"$scratch/probe")
paste "$scratch/probe" "$scratch/bare" | awk '{ printf "%.3f\n", $1 / $2 }' >"$scratch/ratios"
ratio=$(sort -n "$scratch/ratios" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
echo "bare Win32 window:         median ${bare_ms} ms (runs: $(tr '\n' ' ' <"$scratch/bare"))"
echo "Quillomar to login window: median ${probe_ms} ms (runs: $(tr '\n' ' ' <"$scratch/probe"))"
echo "ratio run by run:          median ${ratio} (limit ${limit_ratio}; $(sort -n "$scratch/ratios" | tr '\n' ' '))"
if awk -v r="$ratio" -v limit="$limit_ratio" 'BEGIN { exit !(r > limit) }'; then
  echo "wine_startup: the start takes more than ${limit_ratio} times a bare window's"
  exit 1
fi
