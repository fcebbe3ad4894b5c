#!/usr/bin/env bash
# The system scan of the real Nexolant.exe under Wine, with a reference file whose names occur
# nowhere else: a chosen-folder scan of a clean folder (registry included, deep scanning
# ticked) ends with "Finish"; then, with known files planted in a folder (one in a subfolder,
# one hidden) and a known key planted under HKEY_CURRENT_USER, a chosen-folder scan of that
# folder finds exactly them and ends with "Report". The folders are chosen in the real
# browse-for-folder dialog, driven through its windows.
#   nexolant_scan_e2e.sh Nexolant.exe nexref.exe e2e_driver.exe
set -euo pipefail

exe=$1
nexref=$2
driver_exe=$3
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run="$root/scripts/wine-run"
prefix="${NEXOLANT_WINEPREFIX:-$root/build/wine-prefix}"
# shellcheck source=e2e_lib.sh
source "$root/tests/e2e/e2e_lib.sh"

key='HKCU\Software\ZqvPlantedKey'
program=$(mktemp -d)
work=""
cleanup() {
  stop_group "$app_pid"
  "$wine_run" reg delete "$key" /f >/dev/null 2>&1 || true
  stop_started
  rm -rf "$program"
  [ -n "$work" ] && rm -rf "$work"
}
trap cleanup EXIT

ensure_display

# The program folder: the executable and a reference file of names found nowhere else.
cp "$exe" "$program/Nexolant.exe"
cat >"$program/scan.ini" <<'INI'
[ScanFiles]
zqvplanted_top.exe=Planted file
zqvplanted_deep.dll=Planted file in a subfolder
zqvplanted_hidden.sys=Planted hidden file
[OtherKill]
zqvplanted_process.exe=Planted process
[Registry]
ZqvPlantedKey=Planted key
INI
(cd "$program" && "$wine_run" "$nexref" build scan.ini Reference.dat >/dev/null) ||
  fail "cannot build the reference file"

# The folders to scan, on the prefix's drive C:.
work=$(mktemp -d "$prefix/drive_c/nexolant-scan-XXXXXX")
folder="C:\\$(basename "$work")"
mkdir -p "$work/Clean/Docs" "$work/Planted/Sub"
echo text >"$work/Clean/readme.txt"
echo text >"$work/Clean/Docs/notes.txt"
echo text >"$work/Planted/readme.txt"
echo planted >"$work/Planted/zqvplanted_top.exe"
echo planted >"$work/Planted/Sub/zqvplanted_deep.dll"
echo planted >"$work/Planted/zqvplanted_hidden.sys"
"$wine_run" attrib +h "$folder\\Planted\\zqvplanted_hidden.sys" >/dev/null
"$wine_run" attrib "$folder\\Planted\\zqvplanted_hidden.sys" | tr -d '\r' | grep -q '^.*H.*zqvplanted' ||
  fail "cannot hide the planted file"

start_program "$program/Nexolant.exe"

driver click "Settings" || fail "no Settings button"
[ "$(driver checked "Deep scanning of registry")" = 1 ] || driver click "Deep scanning of registry"
[ "$(driver checked "Deep scanning of registry")" = 1 ] || fail "deep scanning is not ticked"

select_ticked() { [ "$(driver checked "Select drive or folder to scan")" = 1 ]; }

# Chooses a folder with the Select link and the browse dialog, then scans it; prints the
# dialog's texts and then the caption of the Stop button at the end of the scan.
scan_folder() {
  driver click "Scan Now" || fail "no Scan Now button"
  driver post-click "Select" || fail "no Select link"
  driver browse "$1" || fail "cannot choose $1 in the browse dialog"
  wait_until 30 select_ticked || fail "Select did not tick its mode"
  [ "$(driver checked "Scan registry")" = 1 ] || fail "Scan registry is not ticked"
  driver click "Next" || fail "no Next button"
  driver text-at 577 325
}

dialog=$(scan_folder "$folder\\Clean")
echo "$dialog" | grep -qxF "Current folder:" || fail "no instruction in the dialog: $dialog"
echo "$dialog" | grep -qxF "$folder\\Clean" || fail "the status line did not show the folder: $dialog"
[ "$(echo "$dialog" | tail -n 1)" = "Finish" ] || fail "the clean scan ended with: $dialog"
echo "ok: a clean folder ends with Finish"
driver click "Finish" || fail "no Finish button"
[ "$(driver text-at 182 85)" = "Nexolant Status" ] || fail "Finish did not go back to the Status page"

"$wine_run" reg add "$key" /f >/dev/null || fail "cannot plant the key"
ending=$(scan_folder "$folder\\Planted" | tail -n 1)
[ "$ending" = "Report" ] || fail "the planted scan ended with \"$ending\""
driver click "Report" || fail "no Report button"
rows=$(driver rows | sort)
expected=$(sort <<EOF2
zqvplanted_hidden.sys|$folder\\Planted|Planted hidden file
zqvplanted_top.exe|$folder\\Planted|Planted file
zqvplanted_deep.dll|$folder\\Planted\\Sub|Planted file in a subfolder
ZqvPlantedKey|HKEY_CURRENT_USER\\Software|Planted key
EOF2
)
[ "$rows" = "$expected" ] || fail "the report holds:
$rows
expected:
$expected"
echo "ok: the planted files and key, and nothing else"

close_program
echo "ok: closed"
