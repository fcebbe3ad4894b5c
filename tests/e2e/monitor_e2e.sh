#!/usr/bin/env bash
# The active monitor of the real Nexolant.exe under Wine: a helper process whose name the
# reference file knows is listed with its description; with automatic termination ticked,
# switching the monitor on again terminates it and marks its row.
#   monitor_e2e.sh Nexolant.exe nexref helper.exe e2e_driver.exe
set -euo pipefail

exe=$1
nexref=$2
helper=$3
driver_exe=$4
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run="$root/scripts/wine-run"
# shellcheck source=../../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"

probe=NxMonitorProbe.exe
folder=$(mktemp -d)
xvfb_pid=""
app_pid=""
probe_pid=""
cleanup() {
  for pid in "$app_pid" "$probe_pid"; do
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
      kill -- "-$pid" 2>/dev/null || true
    fi
  done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cp "$exe" "$folder/Nexolant.exe"
cp "$helper" "$folder/$probe"
printf '[OtherKill]\nNXMONITORPROBE.EXE=Probe process of the monitor test\n' >"$folder/plain.ini"
"$nexref" build "$folder/plain.ini" "$folder/Reference.dat" >/dev/null

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb 200 260 || fail "no display"
fi

driver() { "$wine_run" "$driver_exe" "$@" | tr -d '\r'; }

# Polls the monitor's list (at 211, 170 of the main window) until it shows the row.
expect_row() {
  local rows
  for _ in $(seq 1 50); do
    rows=$(driver rows 211 170) || fail "no process list"
    if grep -qxF "$1" <<<"$rows"; then
      echo "ok: $1"
      return
    fi
    sleep 0.2
  done
  fail "no row \"$1\" in: $rows"
}

(cd / && exec setsid "$wine_run" "$folder/Nexolant.exe") &
app_pid=$!
driver wait 90 >/dev/null || fail "the main window did not appear"

# Starts a probe, which sleeps for a minute, and waits until it runs.
start_probe() {
  (cd / && exec setsid "$wine_run" "$folder/$probe") &
  probe_pid=$!
  for _ in $(seq 1 50); do
    [ "$(driver count "$probe")" = "1" ] && return
    sleep 0.2
  done
  fail "the probe process did not start"
}

driver click "Settings" || fail "no Settings button"
driver click "Automatically terminate malicious processes" || fail "no auto-terminate box"
driver click "Active Monitoring" || fail "no Active Monitoring button"
start_probe
driver click "Enable" || fail "no Enable link"
expect_row "$probe | Probe process of the monitor test"
[ "$(driver count "$probe")" = "1" ] || fail "the probe was terminated with the option unticked"
kill -- "-$probe_pid" 2>/dev/null || true
wait "$probe_pid" 2>/dev/null || true
for _ in $(seq 1 50); do
  [ "$(driver count "$probe")" = "0" ] && break
  sleep 0.2
done

driver click "Settings" || fail "no Settings button"
driver click "Automatically terminate malicious processes" || fail "no auto-terminate box"
driver click "Active Monitoring" || fail "no Active Monitoring button"
driver click "Disable" || fail "no Disable link"
start_probe
driver click "Enable" || fail "no Enable link"
expect_row "$probe | Probe process of the monitor test - Terminated"
[ "$(driver count "$probe")" = "0" ] || fail "the probe still runs"
echo "ok: the probe was terminated"

driver close || fail "cannot close the main window"
(sleep 30 && kill -- "-$app_pid" 2>/dev/null) &
watchdog=$!
status=0
wait "$app_pid" || status=$?
app_pid=""
kill "$watchdog" 2>/dev/null || true
[ "$status" -eq 0 ] || fail "exit code $status"
echo "ok: exit code 0"
