#!/usr/bin/env bash
# Files known by their content, with the real Nexolant.exe and the shipped Reference.dat under
# Wine. A chosen folder holds a renamed copy of the standard anti-malware test file, made here
# from two halves so that no file of the source tree holds it, and a file of the same size with
# other content. The scan, through the window and the real browse dialog, lists the copy alone,
# with the shipped description of the test file; Repair moves it into the quarantine, with its
# index entry, and leaves the other file where it was.
#   content_e2e.sh Nexolant.exe Reference.dat e2e_driver.exe
set -euo pipefail

exe=$1
reference=$2
driver_exe=$3
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run="$root/scripts/wine-run"
prefix="${NEXOLANT_WINEPREFIX:-$root/build/wine-prefix}"
# shellcheck source=e2e_lib.sh
source "$root/tests/e2e/e2e_lib.sh"

program=$(mktemp -d)
work=""
cleanup() {
  stop_group "$app_pid"
  stop_started
  rm -rf "$program"
  [ -n "$work" ] && rm -rf "$work"
}
trap cleanup EXIT

ensure_display

cp "$exe" "$program/Nexolant.exe"
cp "$reference" "$program/Reference.dat"
work=$(mktemp -d "$prefix/drive_c/nexolant-content-XXXXXX")
folder="C:\\$(basename "$work")"
mkdir "$work/Sub"
# The two halves are literal text, with no expansion meant.
# shellcheck disable=SC2016
halves=('X5O!P%@AP[4\PZX54(P^)7CC)7}$EIC' 'AR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*')
printf '%s%s' "${halves[@]}" >"$work/Sub/holiday.jpg"
printf '%068d' 0 >"$work/same-size.txt"
[ "$(wc -c <"$work/Sub/holiday.jpg")" = 68 ] && [ "$(wc -c <"$work/same-size.txt")" = 68 ] ||
  fail "the planted files are not of 68 bytes"

title_is() { [ "$(driver text-at 182 85)" = "$1" ]; }
select_ticked() { [ "$(driver checked "Select drive or folder to scan")" = 1 ]; }

start_program "$program/Nexolant.exe"
driver click "Scan Now" >/dev/null || fail "no Scan Now button"
driver post-click "Select" || fail "no Select link"
driver browse "$folder" >/dev/null || fail "cannot choose $folder in the browse dialog"
wait_until 30 select_ticked || fail "Select did not tick its mode"
driver post-click "Next" || fail "no Next button"
wait_until 120 driver click "Report" || fail "the scan did not end with a report"
wait_until 30 title_is "Report" || fail "no Report page"
rows=$(driver rows)
[ "$rows" = "holiday.jpg|$folder\\Sub|Test file: the standard anti-malware test file, harmless" ] ||
  fail "the report holds: $rows"
echo "ok: the renamed test file found by its content, the file of its size not"

driver post-click "Repair" || fail "no Repair button"
wait_until 60 title_is "Nexolant Status" || fail "Repair did not end on the Status page"
[ -f "$program/Quarantine/holiday.jpg" ] || fail "the test file is not in the quarantine"
[ ! -e "$work/Sub/holiday.jpg" ] || fail "the test file is still in its folder"
grep -qxF "holiday.jpg=$folder\\Sub"$'\r' "$program/Quarantine.ini" ||
  fail "no index entry for the test file: $(cat "$program/Quarantine.ini")"
[ "$(cat "$work/same-size.txt")" = "$(printf '%068d' 0)" ] || fail "the file of its size was touched"
echo "ok: repaired into the quarantine"
close_program
