# Pieces every end-to-end script shares. Source it after setting root, wine_run and driver_exe;
# it sources the headless display helper and wait_until, and keeps the started program's id in
# app_pid.
# shellcheck shell=bash
# shellcheck source=../../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"

xvfb_pid=""
app_pid=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Stops the process group of a process this script started, if it still runs.
stop_group() {
  if [ -n "$1" ] && kill -0 "$1" 2>/dev/null; then
    kill -- "-$1" 2>/dev/null || true
  fi
}

# Stops what this script started: the program's process group and the display, if it made one.
stop_started() {
  stop_group "$app_pid"
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

ensure_display() {
  if [ -z "${DISPLAY:-}" ]; then
    start_xvfb 200 260 || fail "no display"
  fi
}

driver() { "$wine_run" "$driver_exe" "$@" | tr -d '\r'; }

# Starts the program in a session of its own and waits for its main window.
start_program() {
  (cd / && exec setsid "$wine_run" "$1") &
  app_pid=$!
  driver wait 90 >/dev/null || fail "the main window did not appear"
}

# Closes the main window; the program must end by itself with code 0. The watchdog ends it
# after 30 s, which fails the test. The watchdog is a session of its own, away from our
# output, so that stopping it stops its sleep too and CTest does not wait for a sleep that
# holds the test's output open.
close_program() {
  driver close || fail "cannot close the main window"
  setsid bash -c "sleep 30; kill -- -$app_pid 2>/dev/null" </dev/null >/dev/null 2>&1 &
  local watchdog=$! status=0
  wait "$app_pid" || status=$?
  app_pid=""
  kill -- "-$watchdog" 2>/dev/null || true
  [ "$status" -eq 0 ] || fail "exit code $status (143: it did not end after WM_CLOSE)"
}
