# Sourced by the tests that run programs on a display of their own: a
# private folder (`scratch`) and the programs started there, all ended and
# removed when the test ends.

# quillomar_private_session NAME: makes `scratch`, a folder only this user
# can enter, and on exit ends what the test started and removes it.
quillomar_private_session() {
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillomar-$1-XXXXXX")
  chmod 700 "$scratch"
  trap quillomar_end_session EXIT
}

# Ends every program the test started in the background (its jobs).
quillomar_end_session() {
  local pids
  pids=$(jobs -p)
  [ -z "$pids" ] || kill $pids 2>/dev/null || true
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

# quillomar_start_xvfb: starts a 1024x768 Xvfb on a free display number
# (Xvfb picks it and writes it to a pipe) and exports its DISPLAY.
quillomar_start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
  quillomar_wait_for $! test -s "$scratch/display" ||
    { cat "$scratch/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$scratch/display")"
}
