#!/usr/bin/env bash
# Repair and the quarantine with the real Nexolant.exe under Wine. Files, a key under
# HKEY_CURRENT_USER (values of several types, a subkey), a hidden folder and a running helper
# process get names of this run's own, which a reference file made for the test knows; the same
# file also holds patterns that would match everything and names of Windows' own shell, files
# and keys. A quick scan finds only the planted objects; Repair ends the process, saves and
# deletes the key and moves the files and the folder into the quarantine with their index
# entries and rows, and leaves Windows as it was; a restart lists them again; Restore brings
# the key back exactly (as "reg query /s" shows it) and puts a file back; a second scan and
# Repair take both in again; Empty removes the saves, the folder and the index. One file and one
# key are named in Cyrillic, which the ANSI code page cannot hold: they are listed with "?";
# the file is quarantined through its exact name, with an index line of the form an older
# reader passes over, and the key comes back under its exact name (read from a UTF-16 export).
#   repair_e2e.sh Nexolant.exe nexref e2e_driver.exe helper.exe
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

tag="nxe$$"
folder=$(mktemp -d)
folder_win="Z:${folder//\//\\}" # the same folder as Windows programs name it
planted="$prefix/drive_c/windows/$tag"
origin="C:\\windows\\$tag"
key="HKCU\\Software\\$tag"
found_key="$key\\${tag}0key"
wide_key_name="$tag"$'\xd0\xb6\xd1\x83\xd0\xba'
reg_exe="$prefix/drive_c/windows/system32/reg.exe"
helper_pid=""
cleanup() {
  stop_group "$app_pid"
  stop_group "$helper_pid"
  "$wine_run" "$reg_exe" delete "$key" /f >/dev/null 2>&1 || true
  stop_started
  rm -rf "$folder" "$planted"
}
trap cleanup EXIT

ensure_display

title_is() { [ "$(driver text-at 182 85)" = "$1" ]; }
# The rows of the list shown, read from this process through LVM_GETITEMTEXT as a screen
# reader reads them: "name|second column|third column".
expect_rows() {
  local rows row
  rows=$(driver rows) || fail "no list shown"
  for row in "$@"; do
    grep -qxF "$row" <<<"$rows" || fail "no row \"$row\" in: $rows"
  done
  echo "ok: $# rows read"
}
shows() { driver list | grep -qF "\"$1\""; }
expect_shown() {
  wait_until 30 shows "$1" || fail "\"$1\" not shown"
  echo "ok: $1"
}

# The objects to find, and a reference that knows their names.
mkdir -p "$planted"
printf 'first' >"$planted/${tag}a.dll"
printf 'second' >"$planted/${tag}b.dll"
wide_name="${tag}w"$'\xd0\xb6\xd1\x83\xd0\xba'".dll"
printf 'wide' >"$planted/$wide_name"
mkdir "$planted/${tag}d"
printf 'inside' >"$planted/${tag}d/payload.dat"
"$wine_run" attrib +h "$origin\\${tag}d" >/dev/null 2>&1 || fail "cannot hide the folder"
cp "$helper" "$planted/${tag}h.exe"
printf '[ScanFiles]\n*=All\n?*=Any\n*.EXE=Programs\nnotepad.exe=Editor\n%sa.dll=Test file A\n%sb.dll=Test file B\n%sd=Test folder\n%sh.exe=Test helper\n%sw*.dll=Wide file\n[OtherKill]\nexplorer.exe=Shell\n[Registry]\nSoftware=All software\nS*=Everything with S\n%s0key=Test key\n%s???=Wide key\n' \
  "$tag" "$tag" "$tag" "$tag" "$tag" "$tag" "$tag" >"$folder/reference.ini"
"$nexref" build "$folder/reference.ini" "$folder/Reference.dat" >/dev/null
rm "$folder/reference.ini"
cp "$exe" "$folder/Nexolant.exe"
reg() { "$wine_run" "$reg_exe" "$@" 2>/dev/null | tr -d '\r'; }
for value in "/ve /d default" "/v Text /t REG_SZ /d a=\\b" "/v Number /t REG_DWORD /d 0x8000000a" \
  "/v Big /t REG_QWORD /d 0x100000001" "/v Bytes /t REG_BINARY /d 00ff0001" \
  "/v List /t REG_MULTI_SZ /d one\\0two" "/v Path /t REG_EXPAND_SZ /d %SystemRoot%\\x"; do
  # shellcheck disable=SC2086
  reg add "$found_key" $value /f >/dev/null || fail "cannot add $value"
done
reg add "$found_key\\Sub" /v Inner /t REG_DWORD /d 7 /f >/dev/null || fail "cannot add the subkey"
key_before=$(reg query "$found_key" /s)
# The key named in Cyrillic comes from a UTF-16 registration file, whatever this locale is;
# reg query would show its name in the console's code page, so it is read from an export.
{
  printf '\xff\xfe'
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\%s\\%s]\r\n"Name"="%s"\r\n' \
    "$tag" "$wide_key_name" "$wide_key_name" | iconv -f UTF-8 -t UTF-16LE
} >"$folder/wide.reg"
reg import "$folder_win\\wide.reg" >/dev/null || fail "cannot import the Cyrillic key"
wide_key_text() {
  reg export "$key" "$folder_win\\export.reg" /y >/dev/null || return 1
  iconv -f UTF-16 -t UTF-8 "$folder/export.reg" | tr -d '\r' |
    awk -v head="[HKEY_CURRENT_USER\\\\Software\\\\$tag\\\\$wide_key_name]" '/^\[/ { on = ($0 == head) } on'
  rm -f "$folder/export.reg"
}
wide_key_is() { [ "$(wide_key_text)" = "$1" ]; }
wide_before=$(wide_key_text)
grep -qF '"Name"="'"$wide_key_name"'"' <<<"$wide_before" || fail "no Cyrillic key: $wide_before"
(exec setsid "$wine_run" "$planted/${tag}h.exe") &
helper_pid=$!
helper_runs() { [ "$(driver count "${tag}h.exe")" = 1 ]; }
wait_until 30 helper_runs || fail "the helper did not start"

start_program "$folder/Nexolant.exe"
driver click "Scan Now" >/dev/null || fail "no Scan Now button"
driver post-click "Next" || fail "no Next button"
wait_until 240 driver click "Report" || fail "the scan did not end with a report"
wait_until 30 title_is "Report" || fail "no Report page"
expect_rows "${tag}a.dll|$origin|Test file A" "${tag}b.dll|$origin|Test file B" \
  "${tag}d|$origin|Test folder" "${tag}h.exe|Memory|Test helper" "${tag}h.exe|$origin|Test helper" \
  "${tag}0key|HKEY_CURRENT_USER\\Software\\$tag|Test key" "${tag}w???.dll|$origin|Wide file" \
  "${tag}???|HKEY_CURRENT_USER\\Software\\$tag|Wide key"
[ "$(driver rows | wc -l)" = 8 ] || fail "more than the planted objects found: $(driver rows)"
shell_count=$(driver count explorer.exe)
driver post-click "Repair" || fail "no Repair button"
if ! wait_until 60 title_is "Nexolant Status"; then
  driver answer "OK" >&2 || true
  fail "Repair did not end on the Status page"
fi
echo "ok: repaired"

[ "$(driver count "${tag}h.exe")" = "0" ] || fail "the helper still runs"
echo "ok: the process is gone"
if reg query "$found_key" >/dev/null; then
  fail "the key is still there"
fi
save=$(grep -a "=HKEY_CURRENT_USER\\\\Software\\\\$tag\\\\${tag}0key"$'\r'"\$" "$folder/Quarantine.ini" |
  cut -d= -f1) || fail "no [Registry] entry for the key"
[ "$(head -c 2 "$folder/Quarantine/$save" | od -An -tx1 | tr -d ' ')" = fffe ] ||
  fail "no registration file $save"
wide_key_is "" || fail "the Cyrillic key is still there"
echo "ok: the keys are gone, the first saved as $save"
for name in "${tag}a.dll" "${tag}b.dll" "${tag}h.exe"; do
  [ -f "$folder/Quarantine/$name" ] || fail "$name is not in the quarantine"
  [ ! -e "$planted/$name" ] || fail "$name is still in its folder"
  grep -qxF "$name=$origin"$'\r' "$folder/Quarantine.ini" || fail "no index entry for $name"
done
echo "ok: three files quarantined with their origin"
[ ! -e "$planted/$wide_name" ] || fail "the Cyrillic file is still in its folder"
wide_entry=$(grep -a "^:File[0-9]*\.dat=C:\\\\windows\\\\$tag\\\\${tag}w%D0%B6%D1%83%D0%BA\.dll"$'\r'"\$" \
  "$folder/Quarantine.ini") || fail "no exact index entry for the Cyrillic file"
wide_stored=${wide_entry%%=*}
[ "$(cat "$folder/Quarantine/${wide_stored#:}")" = wide ] || fail "no stored file ${wide_stored#:}"
echo "ok: the Cyrillic file quarantined as ${wide_stored#:}"
[ -f "$folder/Quarantine/${tag}d/payload.dat" ] || fail "the hidden folder is not in the quarantine"
[ -f "$prefix/drive_c/windows/notepad.exe" ] || fail "the Windows folder lost notepad.exe"
reg query "HKCU\\Software\\Wine" >/dev/null || fail "HKCU\\Software lost a key"
[ "$(driver count explorer.exe)" = "$shell_count" ] || fail "the shell was terminated"
echo "ok: the folder quarantined whole; Windows' files, keys and shell untouched"
driver click "Quarantine" >/dev/null || fail "no Quarantine button"
expect_shown "There are 7 object(s) in quarantine."
close_program

key_row="${tag}0key|Test key|HKEY_CURRENT_USER\\Software\\$tag"
wide_row="${tag}???|Wide key|HKEY_CURRENT_USER\\Software\\$tag"
start_program "$folder/Nexolant.exe"
driver click "Quarantine" >/dev/null || fail "no Quarantine button"
expect_shown "There are 7 object(s) in quarantine."
expect_rows "${tag}a.dll|Test file A|$origin" "${tag}b.dll|Test file B|$origin" \
  "${tag}d|Test folder|$origin" "${tag}h.exe|Test helper|$origin" "$key_row" \
  "${tag}w???.dll|Wide file|$origin" "$wide_row"
# "?" sorts before digits and letters: the Cyrillic key's row is the first.
driver click-first-row || fail "no list"
driver post-click "Restore" || fail "no Restore button"
wait_until 30 wide_key_is "$wide_before" || fail "the Cyrillic key did not come back exactly"
expect_shown "There are currently 6 object(s) in quarantine."
echo "ok: the Cyrillic key is back under its exact name"
driver click-first-row || fail "no list"
driver post-click "Restore" || fail "no Restore button"
wait_until 30 reg query "$found_key" || fail "the key was not restored"
[ "$(reg query "$found_key" /s)" = "$key_before" ] || fail "the restored key differs"
[ ! -e "$folder/Quarantine/$save" ] || fail "the save stays after the restore"
expect_shown "There are currently 5 object(s) in quarantine."
echo "ok: the key is back exactly"
driver click-first-row || fail "no list"
driver post-click "Restore" || fail "no Restore button"
wait_until 30 test -f "$planted/${tag}a.dll" || fail "${tag}a.dll was not restored"
[ "$(cat "$planted/${tag}a.dll")" = "first" ] || fail "the restored file changed"
expect_shown "There are currently 4 object(s) in quarantine."
expect_rows "${tag}b.dll|Test file B|$origin" "${tag}d|Test folder|$origin" \
  "${tag}h.exe|Test helper|$origin" "${tag}w???.dll|Wide file|$origin"
driver rows | grep -qF "${tag}a.dll" && fail "the restored file keeps its row"
grep -qF "${tag}a.dll" "$folder/Quarantine.ini" && fail "the restored file keeps its entry"

driver click "Scan Now" >/dev/null || fail "no Scan Now button"
driver post-click "Next" || fail "no Next button"
wait_until 240 driver click "Report" || fail "the second scan did not end with a report"
driver post-click "Repair" || fail "no Repair button"
wait_until 60 title_is "Nexolant Status" || fail "the second Repair did not end"
reg query "$found_key" >/dev/null && fail "the key is still there after the second Repair"
wide_key_is "" || fail "the Cyrillic key is still there after the second Repair"
driver click "Quarantine" >/dev/null || fail "no Quarantine button"
expect_shown "There are 7 object(s) in quarantine."
expect_rows "$key_row" "${tag}a.dll|Test file A|$origin" "$wide_row"

driver post-click "Empty Quarantine" || fail "no Empty Quarantine button"
question=""
answer_yes() { question=$(driver answer "&Yes"); }
wait_until 30 answer_yes || fail "no question before emptying"
[ "$question" = "Are you sure you want to empty the quarantine?" ] || fail "asked \"$question\""
expect_shown "There are currently no objects in quarantine."
[ ! -e "$folder/Quarantine" ] || fail "the quarantine folder is still there"
[ ! -e "$folder/Quarantine.ini" ] || fail "the index is still there"
[ ! -e "$planted/$wide_name" ] || fail "the Cyrillic file came back"
wide_key_is "" || fail "the Cyrillic key came back"
echo "ok: emptied"
close_program
