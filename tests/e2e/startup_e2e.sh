#!/usr/bin/env bash
# Startup entries with the real Nexolant.exe under Wine. A known program (a copy of the helper)
# is planted in the Windows folder and started from everywhere adware starts from: a Run value
# under HKEY_CURRENT_USER, one under HKEY_LOCAL_MACHINE and one in its 32-bit view, a shortcut
# in the user's Startup folder, a service and a scheduled task. Beside them stay an unknown
# value in each Run key, and a Run value and a service whose names the reference knows but
# which start Windows' own programs. A quick scan lists the planted entries and the program;
# Repair removes each entry alone (the Run keys and their other values stay) and the program,
# with their saves in the quarantine; Restore brings each back exactly, as "reg export" and the
# files show them; Windows' own services and Run values are what they were. Wine's Task
# Scheduler lists no folder's tasks: there the task is not expected among the rows, and must
# still be there after Repair.
#   startup_e2e.sh Nexolant.exe nexref e2e_driver.exe helper.exe
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

tag="nxs$$"
folder=$(mktemp -d)
folder_win="Z:${folder//\//\\}"
program="$prefix/drive_c/windows/$tag.exe"
program_win="C:\\windows\\$tag.exe"
run='Software\Microsoft\Windows\CurrentVersion\Run'
run32='Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Run'
run_keys=("HKCU\\$run" "HKLM\\$run" "HKLM\\$run32")
run_locations=("HKEY_CURRENT_USER\\$run" "HKEY_LOCAL_MACHINE\\$run" "HKEY_LOCAL_MACHINE\\$run32")
services='HKLM\System\CurrentControlSet\Services'
service="${tag}svc"
decoy="${tag}own"
task="\\$tag\\Updater"
reg_exe="$prefix/drive_c/windows/system32/reg.exe"
reg() { "$wine_run" "$reg_exe" "$@" 2>/dev/null | tr -d '\r'; }
sc() { "$wine_run" sc "$@" >/dev/null 2>&1; }
cleanup() {
  stop_group "$app_pid"
  for key in "${run_keys[@]}"; do
    for name in "${tag}run" "${tag}keep" "$decoy"; do
      reg delete "$key" /v "$name" /f >/dev/null 2>&1 || true
    done
  done
  for name in "$service" "$decoy"; do
    sc delete "$name" || true
    reg delete "$services\\$name" /f >/dev/null 2>&1 || true
  done
  "$wine_run" "$driver_exe" delete-task "$task" >/dev/null 2>&1 || true
  stop_started
  rm -rf "$folder" "$program" "${link:-}"
}
trap cleanup EXIT

ensure_display

# A key's export in UTF-8, sorted: its values as text whatever order the registry lists them in;
# without the key named by the second argument and its subkeys.
export_of() {
  rm -f "$folder/export.reg"
  reg export "$1" "$folder_win\\export.reg" /y >/dev/null || return 1
  iconv -f UTF-16 -t UTF-8 "$folder/export.reg" | tr -d '\r' | grep -v '^$' |
    LEFT="${2:-}" awk '/^\[/ {
        head = tolower($0); left = "\\" tolower(ENVIRON["LEFT"])
        keep = ENVIRON["LEFT"] == "" || (index(head, left "]") == 0 && index(head, left "\\") == 0)
      } keep' | sort
  rm -f "$folder/export.reg"
}
# Every service's key but the planted one.
other_services() { export_of "$services" "$service"; }

# The reference, and the program folder.
printf '[ScanFiles]\n%s.exe=Startup test program\n[Registry]\n%s=Known name of Windows program\n' \
  "$tag" "$decoy" >"$folder/reference.ini"
"$nexref" build "$folder/reference.ini" "$folder/Reference.dat" >/dev/null
rm "$folder/reference.ini"
cp "$exe" "$folder/Nexolant.exe"

# Windows' side: what must stay as it is.
for key in "${run_keys[@]}"; do
  reg add "$key" /v "${tag}keep" /d "\"C:\\windows\\${tag}keep.exe\" /x" /f >/dev/null ||
    fail "cannot add a value to $key"
done
reg add "HKCU\\$run" /v "$decoy" /d 'C:\windows\system32\notepad.exe /s' /f >/dev/null ||
  fail "cannot add the decoy value"
sc create "$decoy" binPath= 'C:\windows\system32\spoolsv.exe' start= demand ||
  fail "cannot create the decoy service"
services_before=$(other_services)

# The planted program and the entries that start it.
cp "$helper" "$program"
for key in "${run_keys[@]}"; do
  reg add "$key" /v "${tag}run" /d "\"$program_win\" /background" /f >/dev/null ||
    fail "cannot add the Run value to $key"
done
run_before=()
for key in "${run_keys[@]}"; do
  run_before+=("$(export_of "$key")")
done
grep -qF "${tag}keep" <<<"${run_before[2]}" || fail "no export of the Run key: ${run_before[2]}"
# The user's Startup folder as the system names it, which is the spelling the Report shows.
startup_win=$(reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
  /v Startup | sed -n 's/^ *Startup *REG_SZ *//p')
[ -n "$startup_win" ] || fail "no Startup folder"
startup=$("$wine_run" winepath -u "$startup_win" | tr -d '\r')
mkdir -p "$startup"
link="$startup/$tag.lnk"
driver make-shortcut "$startup_win\\$tag.lnk" "$program_win" "/tray" || fail "cannot write the shortcut"
cp "$link" "$folder/link.before"
sc create "$service" binPath= "$program_win /service" start= demand ||
  fail "cannot create the service"
service_before=$(export_of "$services\\$service")
grep -qF "/service" <<<"$service_before" || fail "no export of the service's key: $service_before"
driver make-task "$task" "$program_win" "/update" || fail "cannot register the task"
task_before=$(driver task-xml "$task")
task_rows=()
if driver tasks | grep -qF "$task|$program_win|"; then
  task_rows=("${task#\\}|Scheduled task|Startup test program")
else
  echo "note: this Task Scheduler does not list the task; it is not expected among the rows"
fi

title_is() { [ "$(driver text-at 182 85)" = "$1" ]; }
expect_rows() {
  local rows row
  rows=$(driver rows) || fail "no list shown"
  for row in "$@"; do
    grep -qxF "$row" <<<"$rows" || fail "no row \"$row\" in: $rows"
  done
  [ "$(wc -l <<<"$rows")" = "$#" ] || fail "more rows than the planted objects: $rows"
  echo "ok: $# rows"
}
shows() { driver list | grep -qF "\"$1\""; }
expect_shown() {
  wait_until 30 shows "$1" || fail "\"$1\" not shown"
  echo "ok: $1"
}

start_program "$folder/Nexolant.exe"
driver click "Scan Now" >/dev/null || fail "no Scan Now button"
driver post-click "Next" || fail "no Next button"
wait_until 240 driver click "Report" || fail "the scan did not end with a report"
wait_until 30 title_is "Report" || fail "no Report page"
description="Startup test program"
expect_rows "$tag.exe|C:\\windows|$description" \
  "${tag}run|${run_locations[0]}|$description" "${tag}run|${run_locations[1]}|$description" \
  "${tag}run|${run_locations[2]}|$description" "$tag.lnk|$startup_win|$description" \
  "$service|Service|$description" "${task_rows[@]}"
driver post-click "Repair" || fail "no Repair button"
if ! wait_until 60 title_is "Nexolant Status"; then
  driver answer "OK" >&2 || true
  fail "Repair did not end on the Status page"
fi
echo "ok: repaired"

[ ! -e "$program" ] || fail "the program is still in the Windows folder"
for k in 0 1 2; do
  reg query "${run_keys[$k]}" /v "${tag}run" >/dev/null && fail "the value in ${run_keys[$k]} is still there"
  reg query "${run_keys[$k]}" /v "${tag}keep" >/dev/null || fail "${run_keys[$k]} lost its other value"
done
[ ! -e "$link" ] || fail "the shortcut is still in the Startup folder"
reg query "$services\\$service" >/dev/null && fail "the service's key is still there"
if "$wine_run" sc query "$service" >/dev/null 2>&1; then
  fail "the service manager still knows the service"
fi
if [ "${#task_rows[@]}" = 0 ]; then
  [ "$(driver task-xml "$task")" = "$task_before" ] || fail "a task no row named was changed"
else
  driver task-xml "$task" >/dev/null 2>&1 && fail "the task is still there"
fi
echo "ok: the entries and the program are gone"
reg query "HKCU\\$run" /v "$decoy" >/dev/null || fail "the Run value of Windows' program went"
[ "$(other_services)" = "$services_before" ] || fail "Windows' services changed: $(diff <(echo "$services_before") <(other_services))"
echo "ok: Windows' services and Run values untouched"

saved=$((6 + ${#task_rows[@]}))
driver click "Quarantine" >/dev/null || fail "no Quarantine button"
expect_shown "There are $saved object(s) in quarantine."
for ((left = saved - 1; left >= 0; left--)); do
  driver click-first-row || fail "no list"
  driver post-click "Restore" || fail "no Restore button"
  if [ "$left" = 0 ]; then
    expect_shown "There are currently no objects in quarantine."
  else
    expect_shown "There are currently $left object(s) in quarantine."
  fi
done
cmp -s "$helper" "$program" || fail "the program did not come back as it was"
for k in 0 1 2; do
  [ "$(export_of "${run_keys[$k]}")" = "${run_before[$k]}" ] ||
    fail "${run_keys[$k]} differs after Restore: $(export_of "${run_keys[$k]}")"
done
cmp -s "$folder/link.before" "$link" || fail "the shortcut did not come back byte for byte"
[ "$(export_of "$services\\$service")" = "$service_before" ] || fail "the service's key differs"
[ "$(driver task-xml "$task")" = "$task_before" ] || fail "the task's definition differs"
[ "$(other_services)" = "$services_before" ] || fail "Windows' services changed after Restore"
echo "ok: every entry back exactly"
close_program
