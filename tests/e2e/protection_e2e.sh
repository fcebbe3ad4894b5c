#!/usr/bin/env bash
# What no reference file can make the real Nexolant.exe remove under Wine. A reference file of
# this run's own names knows, beside genuine adware, objects of Windows: a file of its listing, a
# file of its api-ms-win family and a folder it marks as its own (hidden and system) in its
# folder, a key below Control, a COM class whose server is a Windows library, and Windows'
# processes. A quick scan with deep scanning reports only the adware (a folder, a file in
# System32 and a COM class whose server lies elsewhere); Repair removes it and leaves Windows'
# objects as they were. Then the monitor, with automatic termination, ends a running adware
# process while copies of programs of Windows' listing (named after it, run from outside the
# Windows folder) and Windows' own processes survive its ticks.
#   protection_e2e.sh Nexolant.exe nexref e2e_driver.exe helper.exe
set -euo pipefail

exe=$1
nexref=$2
driver_exe=$3
helper=$4
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run="$root/scripts/wine-run"
# shellcheck source=e2e_lib.sh
source "$root/tests/e2e/e2e_lib.sh"
prefix="${NEXOLANT_WINEPREFIX:-$root/build/wine-prefix}"

tag="nxp$$"
folder=$(mktemp -d)
windows="$prefix/drive_c/windows"
family="api-ms-win-core-$tag-l1-1-0.dll"
control_key="HKLM\\System\\CurrentControlSet\\Control\\${tag}ctl"
windows_class="HKCR\\CLSID\\{$tag-0000-WIN}"
adware_class="HKCR\\CLSID\\{$tag-0000-ADW}"
reg_exe="$windows/system32/reg.exe"
reg() { "$wine_run" "$reg_exe" "$@" 2>/dev/null | tr -d '\r'; }
# Two programs of Windows' listing that no test or script names, so that only the generated
# tables can know them.
mapfile -t windows_programs < <(grep -i '\.exe$' "$root/data/windows_names.txt" |
  while read -r name; do
    grep -rqiwF "${name%.*}" "$root/tests" "$root/scripts" "$root/fuzz" \
      "$root/src/protection/protected_names.cpp" || echo "$name"
  done | head -2)
[ "${#windows_programs[@]}" = 2 ] || fail "no programs of Windows' listing to run"
adware_probe="${tag}probe.exe"
probe_pids=()
cleanup() {
  stop_group "$app_pid"
  for pid in "${probe_pids[@]}"; do
    stop_group "$pid"
  done
  for key in "$control_key" "$windows_class" "$adware_class"; do
    "$wine_run" "$reg_exe" delete "$key" /f >/dev/null 2>&1 || true
  done
  stop_started
  rm -rf "$folder" "$windows/${tag}sys" "$windows/${tag}adw" "$windows/system32/$family" \
    "$windows/system32/${tag}ad.dll"
}
trap cleanup EXIT

ensure_display

# Windows' objects, and adware beside them.
mkdir "$windows/${tag}sys" "$windows/${tag}adw"
printf 'own' >"$windows/${tag}sys/data.bin"
printf 'adware' >"$windows/${tag}adw/payload.dat"
printf 'family' >"$windows/system32/$family"
printf 'adware' >"$windows/system32/${tag}ad.dll"
"$wine_run" attrib +h +s "C:\\windows\\${tag}sys" >/dev/null 2>&1 || fail "cannot mark the folder"
"$wine_run" attrib +h "C:\\windows\\${tag}adw" >/dev/null 2>&1 || fail "cannot hide the folder"
reg add "$control_key" /v Setting /t REG_DWORD /d 1 /f >/dev/null || fail "cannot add the Control key"
reg add "$windows_class\\InprocServer32" /ve /d "%SystemRoot%\\system32\\shell32.dll" /f >/dev/null ||
  fail "cannot add Windows' class"
reg add "$adware_class\\InprocServer32" /ve /d "C:\\Program Files\\$tag\\toolbar.dll" /f >/dev/null ||
  fail "cannot add the adware class"

cp "$exe" "$folder/Nexolant.exe"
cat >"$folder/reference.ini" <<INI
[ScanFiles]
ucrtbase.dll=Windows file
$family=Windows family
${tag}sys=Windows folder
${tag}adw=Adware folder
${tag}ad.dll=Adware library
[OtherKill]
services.exe=Windows process
winedevice.exe=Windows process
${windows_programs[0]}=Windows program
${windows_programs[1]}=Windows program
$adware_probe=Adware process
[Registry]
${tag}ctl=Windows setting
{$tag-0000-WIN}=Windows class
{$tag-0000-ADW}=Adware class
INI
"$nexref" build "$folder/reference.ini" "$folder/Reference.dat" >/dev/null || fail "no reference file"

title_is() { [ "$(driver text-at 182 85)" = "$1" ]; }
start_program "$folder/Nexolant.exe"
driver click "Settings" >/dev/null || fail "no Settings button"
[ "$(driver checked "Deep scanning of registry")" = 1 ] || driver click "Deep scanning of registry"
[ "$(driver checked "Deep scanning of registry")" = 1 ] || fail "deep scanning is not ticked"
services_before=$(driver count services.exe)
driver click "Scan Now" >/dev/null || fail "no Scan Now button"
driver post-click "Next" || fail "no Next button"
wait_until 400 driver click "Report" || fail "the scan did not end with a report"
wait_until 30 title_is "Report" || fail "no Report page"
rows=$(driver rows)
for row in "${tag}adw|C:\\windows|Adware folder" "${tag}ad.dll|C:\\windows\\system32|Adware library" \
  "{$tag-0000-ADW}|HKEY_CLASSES_ROOT\\CLSID|Adware class"; do
  grep -qixF "$row" <<<"$rows" || fail "no row \"$row\" in: $rows"
done
grep -q "|Windows [a-z]*$" <<<"$rows" && fail "Windows' objects reported: $rows"
echo "ok: only the adware is reported"

driver post-click "Repair" || fail "no Repair button"
if ! wait_until 60 title_is "Nexolant Status"; then
  driver answer "OK" >&2 || true
  wait_until 30 title_is "Nexolant Status" || fail "Repair did not end on the Status page"
fi
[ ! -e "$windows/${tag}adw" ] || fail "the adware folder stays"
[ ! -e "$windows/system32/${tag}ad.dll" ] || fail "the adware library stays"
reg query "$adware_class" >/dev/null && fail "the adware class stays"
echo "ok: the adware is gone"
[ "$(cat "$windows/${tag}sys/data.bin")" = own ] || fail "Windows' marked folder lost its file"
[ "$(cat "$windows/system32/$family")" = family ] || fail "the family file is gone"
reg query "$control_key" /v Setting >/dev/null || fail "the Control key is gone"
reg query "$windows_class\\InprocServer32" >/dev/null || fail "Windows' class is gone"
[ "$(driver count services.exe)" = "$services_before" ] || fail "services.exe was terminated"
echo "ok: Windows' objects are left as they were"

# The monitor's ticks with automatic termination (ticked by default, every 10 s by default).
running() { [ "$(driver count "$1")" = "$2" ]; }
# Reads the monitor's list (at 211, 170 of the main window) as a screen reader would.
has_row() { driver rows 211 170 | grep -qixF "$1"; }
lacks_row() { ! has_row "$1"; }
start_probe() {
  (cd / && exec setsid "$wine_run" "$folder/programs/$1" "" 600) &
  probe_pids+=($!)
  wait_until 30 running "$1" 1 || fail "$1 did not start"
}
driver click "Settings" >/dev/null || fail "no Settings button"
[ "$(driver checked "Automatically terminate malicious processes")" = 1 ] ||
  fail "automatic termination is not ticked"
mkdir "$folder/programs"
for name in "${windows_programs[@]}" "$adware_probe"; do
  cp "$helper" "$folder/programs/$name"
  start_probe "$name"
done
services_before=$(driver count services.exe)
driver click "Active Monitoring" >/dev/null || fail "no Active Monitoring button"
driver click "Enable" >/dev/null || fail "no Enable link"
wait_until 30 running "$adware_probe" 0 || fail "the adware process was not terminated"
wait_until 30 has_row "$adware_probe | Adware process - Terminated" ||
  fail "no terminated row in: $(driver rows 211 170)"
echo "ok: the adware process was terminated"
# The next tick rebuilds the list without the ended process: by then the copies have met the
# refresh of the switch and a tick.
wait_until 60 lacks_row "$adware_probe | Adware process - Terminated" || fail "no tick came"
for name in "${windows_programs[@]}"; do
  wait_until 30 has_row "$name | No" || fail "no row of $name in: $(driver rows 211 170)"
  running "$name" 1 || fail "$name was terminated"
done
[ "$(driver count services.exe)" = "$services_before" ] || fail "services.exe was terminated"
echo "ok: ${windows_programs[*]} and services.exe survive the monitor's ticks"
close_program
