# Sourced by the tests that need an X display of their own.
# Needs `scratch`, a private folder the caller removes; sets `xvfb_pid` for
# the caller's cleanup.

# quillomar_start_xvfb: starts a 1024x768 Xvfb on a free display number
# (Xvfb picks it and writes it to a pipe) and exports its DISPLAY.
quillomar_start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.05
  done
  [ -s "$scratch/display" ] || { cat "$scratch/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$scratch/display")"
}
