#!/usr/bin/env bash
# The start of the real Nexolant.exe under Wine with n entries in its quarantine: the seconds
# from the start until the main window shows (the splash and the rebuild of the Quarantine
# page's list lie in between), and the rows the page then lists.
#   bench/quarantine_start_wine.sh BUILD_TREE [n ...]     e.g. build/win64 0 5000 20000
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=$(cd "$1" && pwd)
shift
exe="$tree/tests/win32/Nexolant.exe"
driver_exe="$tree/tests/e2e/e2e_driver.exe"
wine_run="$root/scripts/wine-run"
# shellcheck source=../tests/e2e/e2e_lib.sh
source "$root/tests/e2e/e2e_lib.sh"

folder=$(mktemp -d)
cleanup() {
  stop_started
  rm -rf "$folder"
}
trap cleanup EXIT
ensure_display

for count in "${@:-0 20000}"; do
  rm -rf "${folder:?}"/*
  cp "$exe" "$folder/Nexolant.exe"
  cp "$tree/data/Reference.dat" "$folder/Reference.dat"
  if [ "$count" -gt 0 ]; then
    mkdir "$folder/Quarantine"
    {
      printf '[Files]\r\n'
      for ((k = 0; k < count; ++k)); do
        name=$(printf 'adware%05d.dll' "$k")
        : >"$folder/Quarantine/$name"
        printf '%s=C:\\Adware\\Folder%d\r\n' "$name" "$((k % 50))"
      done
    } >"$folder/Quarantine.ini"
  fi
  started=$(date +%s.%N)
  start_program "$folder/Nexolant.exe"
  shown=$(date +%s.%N)
  printf 'entries %6d: main window after %.1f s\n' "$count" "$(echo "$shown - $started" | bc)"
  close_program
done
