#!/usr/bin/env bash
# Review before removal with the real Nexolant.exe under Wine, through its windows. Three files
# of this run's own names are found; the second is unticked with Space and stays through
# Repair while the others go. The one left is then kept with Always ignore from the list's menu:
# it is written into Ignored.txt, and the next scan counts it without reporting it. Removed in
# the Ignored objects dialog, it is found again by the scan after.
#   review_e2e.sh Nexolant.exe nexref e2e_driver.exe
set -euo pipefail

exe=$1
nexref=$2
driver_exe=$3
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run="$root/scripts/wine-run"
# shellcheck source=e2e_lib.sh
source "$root/tests/e2e/e2e_lib.sh"
prefix="${NEXOLANT_WINEPREFIX:-$root/build/wine-prefix}"

tag="nxr$$"
folder=$(mktemp -d)
planted="$prefix/drive_c/windows/$tag"
origin="C:\\windows\\$tag"
cleanup() {
  stop_group "$app_pid"
  stop_started
  rm -rf "$folder" "$planted"
}
trap cleanup EXIT

ensure_display

title_is() { [ "$(driver text-at 182 85)" = "$1" ]; }
ticks_are() { [ "$(driver ticks | tr '\n' ' ')" = "$1" ]; }
scan_to() {
  driver click "Scan Now" >/dev/null || fail "no Scan Now button"
  driver post-click "Next" || fail "no Next button"
  wait_until 240 driver click "$1" || fail "the scan did not end with $1"
}

mkdir -p "$planted"
for name in one two three; do
  printf '%s' "$name" >"$planted/${tag}$name.dll"
done
printf '[ScanFiles]\n%sone.dll=Test one\n%stwo.dll=Test two\n%sthree.dll=Test three\n[OtherKill]\n[Registry]\n' \
  "$tag" "$tag" "$tag" >"$folder/reference.ini"
"$nexref" build "$folder/reference.ini" "$folder/Reference.dat" >/dev/null
rm "$folder/reference.ini"
cp "$exe" "$folder/Nexolant.exe"

start_program "$folder/Nexolant.exe"
scan_to "Report"
wait_until 30 title_is "Report" || fail "no Report page"
[ "$(driver rows | wc -l)" = 3 ] || fail "not the three files: $(driver rows)"
report=$(driver rows)
ticks_are "1 1 1 " || fail "rows not ticked when added: $(driver ticks)"
# The rows come in the walk's order; the expected ticks follow the row of the second file.
two=$(driver rows | grep -n "^${tag}two.dll|" | cut -d: -f1)
expected=""
for row in 1 2 3; do expected+="$([ "$row" = "$two" ] && echo 0 || echo 1) "; done
driver toggle-row $((two - 1)) || fail "no list"
wait_until 30 ticks_are "$expected" || fail "Space did not untick row $two: $(driver ticks)"
echo "ok: the row of the second file unticked"
driver post-click "Repair" || fail "no Repair button"
wait_until 60 title_is "Nexolant Status" || fail "Repair did not end on the Status page"
[ ! -e "$planted/${tag}one.dll" ] && [ ! -e "$planted/${tag}three.dll" ] ||
  fail "a ticked file stayed: $(ls "$planted") (quarantine: $(ls "$folder/Quarantine" 2>&1))"
[ "$(cat "$planted/${tag}two.dll")" = two ] || fail "the unticked file was touched"
echo "ok: the ticked files went, the unticked one stayed"
# The scan's log lists the Report's rows, and the repair added each one's outcome.
logs=("$folder"/Logs/*.txt)
[ "${#logs[@]}" = 1 ] && [ -f "${logs[0]}" ] || fail "not one log: $(ls "$folder/Logs" 2>&1)"
logged=$(tr -d '\r' <"${logs[0]}" | sed -n '/^Found/,/^$/p' | sed '1d;/^$/d' | cut -f2-4 | tr '\t' '|')
[ "$logged" = "$report" ] || fail "the log's rows are not the Report's: $logged / $report"
outcomes=$(tr -d '\r' <"${logs[0]}" | sed -n '/^Repair at /,$p' | sed '1d' | cut -f1,2,5)
[ "$(echo "$outcomes" | grep -c 'quarantined as')" = 2 ] &&
  echo "$outcomes" | grep -q "^File	${tag}two.dll	left unticked\$" ||
  fail "not each row's outcome: $outcomes"
echo "ok: the log holds the Report's rows and each one's outcome"

scan_to "Report"
wait_until 30 title_is "Report" || fail "no Report page"
[ "$(driver rows)" = "${tag}two.dll|$origin|Test two" ] || fail "not the one file: $(driver rows)"
driver menu 0 i || fail "no menu"
wait_until 30 ticks_are "0 " || fail "the ignored row is still ticked: $(driver ticks)"
wait_until 30 grep -q "^file	.*	C:\\\\windows\\\\$tag\\\\${tag}two.dll	[0-9a-f]\{64\}"$'\r'"\$" \
  "$folder/Ignored.txt" || fail "no entry in Ignored.txt: $(cat "$folder/Ignored.txt" 2>&1)"
echo "ok: Always ignore wrote $(wc -l <"$folder/Ignored.txt") entry"
driver post-click "Repair" || fail "no Repair button"
wait_until 60 title_is "Nexolant Status" || fail "Repair did not end"
[ -e "$planted/${tag}two.dll" ] || fail "the ignored file was removed"

scan_to "Finish"
wait_until 30 title_is "Nexolant Status" || fail "the scan that found nothing did not end"
echo "ok: the ignored file is not reported"

driver click "Settings" >/dev/null || fail "no Settings button"
driver post-click "Ignored objects..." || fail "no Ignored objects link"
ignored() { E2E_WINDOW="Ignored objects" driver "$@"; }
wait_until 30 ignored rows >/dev/null || fail "no Ignored objects dialog"
[ "$(ignored rows | cut -d'|' -f1,2)" = "File|C:\\windows\\$tag\\${tag}two.dll" ] ||
  fail "the dialog does not list the file: $(ignored rows)"
ignored toggle-row 0 >/dev/null || true
ignored post-click "Remove" || fail "no Remove button"
gone() { [ -z "$(ignored rows)" ]; }
wait_until 30 gone || fail "the entry stays in the dialog"
ignored post-click "Close" || fail "no Close button"
wait_until 30 bash -c '! grep -q "'"${tag}two"'" "$0"' "$folder/Ignored.txt" ||
  fail "the entry stays in Ignored.txt"
echo "ok: removed in the dialog"

scan_to "Report"
wait_until 30 title_is "Report" || fail "no Report page"
[ "$(driver rows)" = "${tag}two.dll|$origin|Test two" ] || fail "not found again: $(driver rows)"
echo "ok: found again"
driver post-click "Cancel" || fail "no Cancel button"
wait_until 30 driver answer "&Yes" >/dev/null || fail "no question after Cancel"
wait_until 30 title_is "Nexolant Status" || fail "Cancel did not end on the Status page"
close_program
echo "ok: review before removal"
