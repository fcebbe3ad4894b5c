#!/usr/bin/env bash
# The real Nexolant.exe under Wine, started from a program folder named in Chinese, which the
# ANSI code page (1252) cannot hold: it loads the Reference.dat beside it, quarantines a file a
# folder scan found and restores it, writes the Run value with its exact path, and saves its
# settings into the Nexolant.ini beside it; nothing lands in a folder of the ANSI spelling.
#   exact_folder_e2e.sh Nexolant.exe nexref e2e_driver.exe
set -euo pipefail

exe=$1
nexref=$2
driver_exe=$3
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run="$root/scripts/wine-run"
prefix="${NEXOLANT_WINEPREFIX:-$root/build/wine-prefix}"
# shellcheck source=e2e_lib.sh
source "$root/tests/e2e/e2e_lib.sh"

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
scratch=$(mktemp -d)
program="$scratch/"$'\xe7\xa8\x8b\xe5\xba\x8f' # "程序"
work=""
cleanup() {
  stop_group "$app_pid"
  "$wine_run" reg delete "$run_key" /v Nexolant /f >/dev/null 2>&1 || true
  stop_started
  rm -rf "$scratch"
  [ -n "$work" ] && rm -rf "$work"
}
trap cleanup EXIT

ensure_display

mkdir "$program"
cp "$exe" "$program/Nexolant.exe"
printf '[ScanFiles]\nzqvexact.dll=Exact folder file\n' >"$scratch/reference.ini"
"$nexref" build "$scratch/reference.ini" "$program/Reference.dat" >/dev/null ||
  fail "cannot build the reference file"
rm "$scratch/reference.ini"
work=$(mktemp -d "$prefix/drive_c/nexolant-exact-XXXXXX")
folder="C:\\$(basename "$work")"
printf 'planted' >"$work/zqvexact.dll"

start_program "$program/Nexolant.exe"
[ "$(driver text-at 220 141)" = "Reference file has been loaded successfully" ] ||
  fail "the reference was not loaded: $(driver text-at 220 141)"
echo "ok: Reference.dat loaded from the Chinese folder"

driver click "Scan Now" || fail "no Scan Now button"
driver post-click "Select" || fail "no Select link"
driver browse "$folder" || fail "cannot choose $folder in the browse dialog"
[ "$(driver checked "Scan registry")" = 0 ] || driver click "Scan registry" >/dev/null
driver post-click "Next" || fail "no Next button"
wait_until 120 driver click "Report" || fail "the scan did not end with a report"
[ "$(driver rows)" = "zqvexact.dll|$folder|Exact folder file" ] || fail "the report holds: $(driver rows)"
driver post-click "Repair" || fail "no Repair button"
title_is() { [ "$(driver text-at 182 85)" = "$1" ]; }
wait_until 60 title_is "Nexolant Status" || fail "Repair did not end on the Status page"
[ "$(cat "$program/Quarantine/zqvexact.dll" 2>/dev/null)" = planted ] ||
  fail "the file is not in the quarantine"
[ ! -e "$work/zqvexact.dll" ] || fail "the file is still in its folder"
grep -qxF "zqvexact.dll=$folder"$'\r' "$program/Quarantine.ini" || fail "no index entry"
echo "ok: quarantined into the Chinese folder"

driver click "Quarantine" >/dev/null || fail "no Quarantine button"
driver click-first-row || fail "no list"
driver post-click "Restore" || fail "no Restore button"
wait_until 30 test -f "$work/zqvexact.dll" || fail "the file was not restored"
[ "$(cat "$work/zqvexact.dll")" = planted ] || fail "the restored file changed"
[ ! -e "$program/Quarantine" ] || fail "the quarantine folder stays after the last restore"
echo "ok: restored"

driver click "Settings" >/dev/null || fail "no Settings button"
driver click "Start with Windows" >/dev/null || fail "no Start with Windows box"
[ "$(driver checked "Start with Windows")" = 1 ] || fail "Start with Windows is not ticked"
driver click "Minimize to system tray" >/dev/null || fail "no Minimize to system tray box"
close_program
"$wine_run" reg export "$run_key" "$folder\\run.reg" /y >/dev/null 2>&1 || fail "no Run key"
program_win="Z:${program//\//\\}"
iconv -f UTF-16 -t UTF-8 "$work/run.reg" | tr -d '\r' |
  grep -qxF "\"Nexolant\"=\"\\\"${program_win//\\/\\\\}\\\\Nexolant.exe\\\"\"" ||
  fail "the Run value does not hold the exact path: $(iconv -f UTF-16 -t UTF-8 "$work/run.reg")"
echo "ok: the Run value holds the exact path"
ini=$(tr -d '\r' <"$program/Nexolant.ini" 2>/dev/null) || fail "no Nexolant.ini after the close"
for line in "[Settings]" "chkMinimize_Checked=False" "[General]" "TotalScans=1"; do
  grep -qxF "$line" <<<"$ini" || fail "Nexolant.ini lacks \"$line\": $ini"
done
[ "$(ls "$scratch")" = "$(basename "$program")" ] || fail "files beside the program folder: $(ls "$scratch")"
echo "ok: settings saved beside the program"
