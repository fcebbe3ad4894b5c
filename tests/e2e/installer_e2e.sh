#!/usr/bin/env bash
# The 64-bit installer under Wine, as a user meets it: a silent install over an older
# installation keeps that one's settings and quarantine; the installed program starts and loads
# its reference file; the uninstall entry is registered. The silent uninstall then removes the
# program files, the Start menu shortcut, the entry and the start-with-Windows value, and keeps
# the quarantine. Everything happens inside the project's Wine prefix.
#   installer_e2e.sh Nexolant-2.0-win64-setup.exe e2e_driver.exe
set -euo pipefail

setup=$1
driver_exe=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run="$root/scripts/wine-run"
# shellcheck source=../../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nexolant'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Wine's built-in programs, quietly, with Windows line endings removed.
wine_tool() { "$wine_run" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
driver() { "$wine_run" "$driver_exe" "$@" | tr -d '\r'; }

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb 270 330 || fail "no display"
fi

# The prefix user's folders, on drive C:, inside the prefix: all this test removes lies there.
local_appdata=$(wine_tool cmd /c echo %LOCALAPPDATA%)
appdata=$(wine_tool cmd /c echo %APPDATA%)
[[ "$local_appdata" == 'C:\'?* && "$appdata" == 'C:\'?* ]] || fail "cannot find the prefix's user folders"
install_win="$local_appdata\\Programs\\Nexolant"
install_dir=$(wine_tool winepath -u "$install_win")
shortcut=$(wine_tool winepath -u "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Nexolant.lnk")

app_pid=""
xvfb_pid=${xvfb_pid:-}
kept=$(mktemp -d)
forget_installation() {
  rm -rf "$install_dir" "$shortcut"
  wine_tool reg delete "$uninstall_key" /f >/dev/null || true
  wine_tool reg delete "$run_key" /v Nexolant /f >/dev/null || true
}
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    kill -- "-$app_pid" 2>/dev/null || true
  fi
  forget_installation
  rm -rf "$kept"
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
forget_installation

# An older installation: its settings and its quarantine are the user's.
mkdir -p "$install_dir/Quarantine"
printf '[Settings]\r\nchkMinimize_Checked=False\r\n' >"$install_dir/Nexolant.ini"
printf '[Files]\r\nADWARE.EXE=C:\\Temp\r\n' >"$install_dir/Quarantine.ini"
printf 'quarantined\r\n' >"$install_dir/Quarantine/ADWARE.EXE"
cp -r "$install_dir/." "$kept"

"$wine_run" "$setup" /S || fail "the silent install ended with code $?"
for file in Nexolant.exe nexscan.exe Reference.dat Nexolant.chm Readme.txt License.txt Uninstall.exe; do
  [ -f "$install_dir/$file" ] || fail "$file was not installed"
done
for file in Nexolant.ini Quarantine.ini Quarantine/ADWARE.EXE; do
  cmp -s "$kept/$file" "$install_dir/$file" || fail "the install changed $file"
done
[ -f "$shortcut" ] || fail "no Start menu shortcut"
echo "ok: installed over an older installation, which kept its settings and quarantine"

entry=$(wine_tool reg query "$uninstall_key") || fail "no uninstall entry"
expect_value() {
  local value
  value=$(awk -v name="$1" '$1 == name && $2 == "REG_SZ" { sub(/^ *[^ ]+ +REG_SZ +/, ""); print }' <<<"$entry")
  [ "$value" = "$2" ] || fail "uninstall entry: $1 is \"$value\", expected \"$2\""
}
expect_value DisplayName "Nexolant"
expect_value DisplayVersion "2.0"
expect_value Publisher "The Nexolant developers"
expect_value InstallLocation "$install_win"
expect_value UninstallString "\"$install_win\\Uninstall.exe\""
expect_value DisplayIcon "$install_win\\Nexolant.exe"
echo "ok: uninstall entry"

# The installed program, started from elsewhere, finds its Reference.dat beside it.
(cd / && exec setsid "$wine_run" "$install_dir/Nexolant.exe") &
app_pid=$!
driver wait 90 >/dev/null || fail "the installed program did not show its main window"
expect_text() {
  local text
  text=$(driver text-at "$1" "$2") || fail "no control at $1, $2"
  [ "$text" = "$3" ] || fail "\"$text\" at $1, $2, expected \"$3\""
  echo "ok: $3"
}
expect_text 221 321 "Status OK"
expect_text 220 141 "Reference file has been loaded successfully"
driver close || fail "cannot close the installed program"
# The watchdog, as in nexolant_e2e.sh, ends the program after 30 s without holding our output.
setsid bash -c "sleep 30; kill -- -$app_pid 2>/dev/null" </dev/null >/dev/null 2>&1 &
watchdog=$!
wait "$app_pid" || fail "the installed program did not end after WM_CLOSE"
app_pid=""
kill -- "-$watchdog" 2>/dev/null || true

# As if "Start with Windows" had been ticked.
wine_tool reg add "$run_key" /v Nexolant /d "$install_win\\Nexolant.exe" /f >/dev/null ||
  fail "cannot write the Run value"

# The uninstaller runs from a copy of itself and deletes Uninstall.exe last of the files.
"$wine_run" "$install_dir/Uninstall.exe" /S || fail "the silent uninstall ended with code $?"
wait_until 30 test ! -f "$install_dir/Uninstall.exe" || fail "the uninstall left Uninstall.exe"
for file in Uninstall.exe Nexolant.exe nexscan.exe Reference.dat Nexolant.chm Readme.txt License.txt \
  Nexolant.ini; do
  [ ! -e "$install_dir/$file" ] || fail "the uninstall left $file"
done
[ ! -e "$shortcut" ] || fail "the uninstall left the Start menu shortcut"
! wine_tool reg query "$uninstall_key" >/dev/null || fail "the uninstall left its entry"
! wine_tool reg query "$run_key" /v Nexolant >/dev/null || fail "the uninstall left the Run value"
for file in Quarantine.ini Quarantine/ADWARE.EXE; do
  cmp -s "$kept/$file" "$install_dir/$file" || fail "the silent uninstall did not keep $file"
done
echo "ok: the silent uninstall removed the program and kept the quarantine"
