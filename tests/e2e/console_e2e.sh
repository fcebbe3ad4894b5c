#!/usr/bin/env bash
# The console scanner under Wine, beside the real window. nexscan.exe is seen to exit 3 (bad
# arguments, then no reference file), 0 (a clean folder), 2 (found, no repair) and 1 (a quick
# scan with --repair while the window is open). The window repairs one file before the console
# and one after it: the quarantine index keeps all three entries, the window's Quarantine page
# lists the console's as soon as it is shown, and the statistics count both programs' scans.
#   console_e2e.sh Nexolant.exe nexscan.exe nexref e2e_driver.exe
set -euo pipefail

exe=$1
console_exe=$2
nexref=$3
driver_exe=$4
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run="$root/scripts/wine-run"
# shellcheck source=e2e_lib.sh
source "$root/tests/e2e/e2e_lib.sh"
prefix="${NEXOLANT_WINEPREFIX:-$root/build/wine-prefix}"

tag="nxc$$"
folder=$(mktemp -d)
planted="$prefix/drive_c/windows/$tag"
origin="C:\\windows\\$tag"
# A folder named in Cyrillic, so that the console's redirected output must be UTF-8.
wide_folder=$'\xd0\x9f\xd0\xb0\xd0\xbf\xd0\xba\xd0\xb0'
clean="$prefix/drive_c/$tag"
cleanup() {
  stop_started
  rm -rf "$folder" "$planted" "$clean"
}
trap cleanup EXIT

ensure_display

out="$folder/out.txt"
err="$folder/err.txt"
# Runs nexscan from the program folder with its output in out.txt and err.txt; prints the code.
nexscan() {
  local code=0
  "$wine_run" "$folder/nexscan.exe" "$@" >"$out" 2>"$err" </dev/null || code=$?
  echo "$code"
}
expect_code() {
  local expected=$1 code
  shift
  code=$(nexscan "$@")
  [ "$code" = "$expected" ] ||
    fail "nexscan $* exited $code, not $expected: $(cat "$out" "$err")"
  echo "ok: nexscan $* exited $code"
}
title_is() { [ "$(driver text-at 182 85)" = "$1" ]; }
quick_scan_and_repair() {
  driver click "Scan Now" >/dev/null || fail "no Scan Now button"
  driver post-click "Next" || fail "no Next button"
  wait_until 240 driver click "Report" || fail "the scan did not end with a report"
  wait_until 30 title_is "Report" || fail "no Report page"
  [ "$(driver rows)" = "$1|$origin|$2" ] || fail "not the one file $1: $(driver rows)"
  driver post-click "Repair" || fail "no Repair button"
  wait_until 60 title_is "Nexolant Status" || fail "Repair did not end on the Status page"
}
indexed() { grep -qxF "$1=$origin"$'\r' "$folder/Quarantine.ini"; }

cp "$exe" "$folder/Nexolant.exe"
cp "$console_exe" "$folder/nexscan.exe"
mkdir -p "$planted/$wide_folder" "$clean"
printf 'clean' >"$clean/notes.txt"

expect_code 3 quick --sideways
grep -q '^nexscan: unknown argument: --sideways' "$err" && grep -q '^Usage: nexscan ' "$err" ||
  fail "no problem and usage line: $(cat "$err")"
expect_code 3 quick
grep -q '^nexscan: there is no reference file ' "$err" || fail "no reference problem: $(cat "$err")"

printf '[ScanFiles]\n%sa.dll=Test a\n%sb.dll=Test b\n%sc.dll=Test c\n[OtherKill]\n[Registry]\n' \
  "$tag" "$tag" "$tag" >"$folder/reference.ini"
"$nexref" build "$folder/reference.ini" "$folder/Reference.dat" >/dev/null
rm "$folder/reference.ini"

expect_code 0 folder "C:\\$tag"
grep -qxF $'Scanned 1 object(s); found 0.\r' "$out" || fail "no summary: $(cat "$out")"

printf 'a' >"$planted/${tag}a.dll"
expect_code 2 folder "$origin"
grep -qxF "Found: File	${tag}a.dll	$origin	Test a"$'\r' "$out" || fail "no finding: $(cat "$out")"
[ -f "$planted/${tag}a.dll" ] || fail "a scan without --repair removed the file"

start_program "$folder/Nexolant.exe"
quick_scan_and_repair "${tag}a.dll" "Test a"
indexed "${tag}a.dll" || fail "the window's repair left no entry: $(cat "$folder/Quarantine.ini")"
echo "ok: the window quarantined ${tag}a.dll"

printf 'b' >"$planted/$wide_folder/${tag}b.dll"
expect_code 1 quick --repair
grep -qxF "Found: File	${tag}b.dll	$origin\\$wide_folder	Test b"$'\r' "$out" ||
  fail "no UTF-8 finding in the Cyrillic folder: $(cat "$out")"
# A file whose path the code page cannot spell is stored under a name of the quarantine's own.
grep -qxF $'Repair: File\t'"${tag}b.dll"$'\t'"$origin\\$wide_folder"$'\tTest b\tquarantined as File1.dat\r' \
  "$out" && grep -qxF $'Removed 1 of 1.\r' "$out" || fail "no repair outcome: $(cat "$out")"
[ ! -e "$planted/$wide_folder/${tag}b.dll" ] && [ -f "$folder/Quarantine/File1.dat" ] ||
  fail "the console did not quarantine ${tag}b.dll: $(ls "$folder/Quarantine")"
indexed "${tag}a.dll" || fail "the console lost the window's entry: $(cat "$folder/Quarantine.ini")"
grep -qF "\\${tag}b.dll"$'\r' "$folder/Quarantine.ini" || fail "the console wrote no entry"
echo "ok: the console quarantined ${tag}b.dll beside the window's entry"

driver click "Quarantine" >/dev/null || fail "no Quarantine button"
shown() { driver list | grep -qF ' 2 object(s) in quarantine."'; }
wait_until 30 shown || fail "the Quarantine page does not list the console's entry: $(driver rows)"
driver rows | grep -q "^${tag}b.dll|Test b|" || fail "no row of the console's file: $(driver rows)"
echo "ok: the Quarantine page shows the console's entry when shown"

printf 'c' >"$planted/${tag}c.dll"
quick_scan_and_repair "${tag}c.dll" "Test c"
for name in a c; do
  indexed "${tag}$name.dll" || fail "no entry for ${tag}$name.dll: $(cat "$folder/Quarantine.ini")"
done
grep -qF "\\${tag}b.dll"$'\r' "$folder/Quarantine.ini" ||
  fail "the window's second repair lost the console's entry: $(cat "$folder/Quarantine.ini")"
echo "ok: the window's second repair kept the console's entry"
close_program

statistics=$(tr -d '\r' <"$folder/Nexolant.ini" | sed -n '/^\[General\]/,/^\[/p')
# Scans: the console's clean, found and quick runs, and the window's two.
grep -qx 'TotalScans=5' <<<"$statistics" && grep -qx 'ObjectsQuarantined=3' <<<"$statistics" ||
  fail "the statistics lost a program's share: $statistics"
echo "ok: nexscan beside the window"
