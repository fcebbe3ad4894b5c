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
# shellcheck source=e2e_lib.sh
source "$root/tests/e2e/e2e_lib.sh"

folder=$(mktemp -d)
cleanup() {
  stop_started
  rm -rf "$folder"
}
trap cleanup EXIT

cp "$exe" "$folder/Nexolant.exe"
cp "$reference" "$folder/Reference.dat"

# One display for the program and the driver.
ensure_display

# Its own process group, so that a failed run can be ended without touching anything else.
start_program "$folder/Nexolant.exe"

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

# Minimized with "Minimize to system tray" ticked (the default), the window goes into the tray;
# a click on the icon brings it back as it was.
window_is() { [ "$(driver shown)" = "$1" ]; }
driver minimize || fail "cannot minimize"
wait_until 30 window_is hidden || fail "the minimized window did not leave the taskbar"
echo "ok: minimized into the tray"
driver tray-click || fail "no tray icon window"
wait_until 30 window_is shown || fail "a click on the tray icon did not bring the window back"
expect_title "Reference file details"

close_program
echo "ok: exit code 0"

left=$(driver count Nexolant.exe)
[ "$left" = "0" ] || fail "$left Nexolant.exe still running"
echo "ok: no process left"

# A first start in an empty folder writes its options and statistics at the close.
ini=$(tr -d '\r' < "$folder/Nexolant.ini" 2>/dev/null) || fail "no Nexolant.ini after the close"
for line in "[Settings]" "FormVersion=0" "chkMinimize_Checked=True" "comboSpeed_ItemIndex=8" \
  "[General]" "TotalScans=0" "LastScan=-1"; do
  grep -qxF "$line" <<< "$ini" || fail "Nexolant.ini lacks \"$line\""
done
echo "ok: Nexolant.ini written"
