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
# shellcheck source=e2e_lib.sh
source "$root/tests/e2e/e2e_lib.sh"

probe=NxMonitorProbe.exe
folder=$(mktemp -d)
probe_pid=""
cleanup() {
  stop_group "$probe_pid"
  stop_started
  rm -rf "$folder"
}
trap cleanup EXIT

cp "$exe" "$folder/Nexolant.exe"
cp "$helper" "$folder/$probe"
printf '[OtherKill]\nNXMONITORPROBE.EXE=Probe process of the monitor test\n' >"$folder/plain.ini"
"$nexref" build "$folder/plain.ini" "$folder/Reference.dat" >/dev/null

ensure_display

# Reads the monitor's list (at 211, 170 of the main window) from this process, as a screen
# reader would, until it shows the row.
has_row() { driver rows 211 170 | grep -qxF "$1"; }
expect_row() {
  wait_until 30 has_row "$1" || fail "no row \"$1\" in: $(driver rows 211 170)"
  echo "ok: $1"
}

start_program "$folder/Nexolant.exe"

probes_running() { [ "$(driver count "$probe")" = "$1" ]; }

# Starts a probe, which sleeps for a minute, and waits until it runs.
start_probe() {
  (cd / && exec setsid "$wine_run" "$folder/$probe") &
  probe_pid=$!
  wait_until 30 probes_running 1 || fail "the probe process did not start"
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
wait_until 30 probes_running 0 || fail "the probe did not end"

driver click "Settings" || fail "no Settings button"
driver click "Automatically terminate malicious processes" || fail "no auto-terminate box"
driver click "Active Monitoring" || fail "no Active Monitoring button"
driver click "Disable" || fail "no Disable link"
start_probe
driver click "Enable" || fail "no Enable link"
expect_row "$probe | Probe process of the monitor test - Terminated"
wait_until 30 probes_running 0 || fail "the probe still runs"
echo "ok: the probe was terminated"

close_program
echo "ok: exit code 0"
