#!/usr/bin/env bash
# The real Nexolant.exe under Wine, as a user meets it: started from a fresh program folder
# (holding only the executable and the shipped Reference.dat) and from another current
# directory, it shows its main window after the splash; clicks on the side buttons and a link
# switch the page and its title; WM_CLOSE ends it with exit code 0, leaving no process behind.
#   nexolant_e2e.sh Nexolant.exe Reference.dat e2e_driver.exe
set -euo pipefail

exe=$1
reference=$2
driver_exe=$3
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run="$root/scripts/wine-run"
# shellcheck source=../../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"

folder=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    kill -- "-$app_pid" 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cp "$exe" "$folder/Nexolant.exe"
cp "$reference" "$folder/Reference.dat"

# One display for the program and the driver.
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb 200 260 || fail "no display"
fi

driver() { "$wine_run" "$driver_exe" "$@" | tr -d '\r'; }

# Its own process group, so that a failed run can be ended without touching anything else.
(cd / && exec setsid "$wine_run" "$folder/Nexolant.exe") &
app_pid=$!

driver wait 90 >/dev/null || fail "the main window did not appear"

expect_title() {
  local title
  title=$(driver text-at 182 85) || fail "no title label"
  [ "$title" = "$1" ] || fail "title \"$title\", expected \"$1\""
  echo "ok: $1"
}

expect_title "Nexolant Status"
# Started from another current directory, it found Reference.dat beside the executable.
expect_text() {
  local text
  text=$(driver text-at "$1" "$2") || fail "no control at $1, $2"
  [ "$text" = "$3" ] || fail "\"$text\" at $1, $2, expected \"$3\""
  echo "ok: $3"
}
expect_text 220 141 "Reference file has been loaded successfully"
expect_text 221 321 "Status OK"
driver click "Scan Now" || fail "no Scan Now button"
expect_title "Preparing system scan"
driver click "Quarantine" || fail "no Quarantine button"
expect_title "Quarantine"
driver click "Status" || fail "no Status button"
expect_title "Nexolant Status"
driver click "Details" || fail "no Details link"
expect_title "Reference file details"

driver close || fail "cannot close the main window"
# The program must end by itself; the watchdog ends it after 30 s, which fails the test. The
# watchdog is a session of its own, away from our output, so that stopping it stops its sleep
# too and CTest does not wait 30 s for a sleep that holds the test's output open.
setsid bash -c "sleep 30; kill -- -$app_pid 2>/dev/null" </dev/null >/dev/null 2>&1 &
watchdog=$!
status=0
wait "$app_pid" || status=$?
app_pid=""
kill -- "-$watchdog" 2>/dev/null || true
[ "$status" -eq 0 ] || fail "exit code $status (143: it did not end after WM_CLOSE)"
echo "ok: exit code 0"

left=$(driver count Nexolant.exe)
[ "$left" = "0" ] || fail "$left Nexolant.exe still running"
echo "ok: no process left"
