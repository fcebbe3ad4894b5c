#!/usr/bin/env bash
# How the scripts choose and probe Wine's loaders, with stand-in loaders: one that the kernel
# cannot execute, one that runs, one that runs and fails for another reason, one that is missing.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}

# A file with the executable bit whose content no kernel executes.
printf '\177ELF\002\001\001\000\000\000\000\000\000\000\000\000\003\000' >"$work/unrunnable"
printf '#!/bin/sh\necho wine-8.0\n' >"$work/runs"
printf '#!/bin/sh\necho "wine: could not load ntdll.so: broken" >&2\nexit 1\n' >"$work/broken"
chmod +x "$work/unrunnable" "$work/runs" "$work/broken"

probe() { # probe LOADER: the answer and the exit status of --probe-32
  local out status
  out=$(NEXOLANT_WINE32_LOADER=$1 "$root/scripts/wine-run" --probe-32 2>"$work/stderr")
  status=$?
  echo "$out/$status"
}
check "a loader that cannot execute" "cannot/0" "$(probe "$work/unrunnable")"
check "a missing loader" "cannot/0" "$(probe "$work/missing")"
check "a loader that runs" "can/0" "$(probe "$work/runs")"
check "a loader that fails otherwise is a failure" "/1" "$(probe "$work/broken")"
grep -q "could not load ntdll.so" "$work/stderr"
check "the failure carries the loader's message" 0 $?

# The width of a program is read from its PE header.
source "$root/scripts/lib/wine-loaders.sh"
make_pe() { # make_pe FILE MACHINE_BYTES
  { printf 'MZ'; head -c 58 /dev/zero; printf '\100\000\000\000'; printf 'PE\000\000'; printf "$2"; } >"$1"
}
make_pe "$work/x86.exe" '\114\001'
make_pe "$work/x64.exe" '\144\206'
check "x86 program" 14c "$(pe_machine "$work/x86.exe")"
check "x64 program" 8664 "$(pe_machine "$work/x64.exe")"
check "built-in program name" "" "$(pe_machine explorer)"

# A 32-bit program where the kernel cannot run one ends with the skip code and says why,
# without creating a prefix.
out=$(NEXOLANT_WINE32=cannot NEXOLANT_WINEPREFIX="$work/prefix" "$root/scripts/wine-run" "$work/x86.exe" 2>&1)
check "32-bit program skipped" 77 $?
[[ "$out" == *"this kernel cannot run 32-bit programs"* ]]
check "the skip says why" 0 $?
check "no prefix made for a skipped program" no "$([ -e "$work/prefix" ] && echo yes || echo no)"

# A prefix that cannot be made is an error with the loader's message.
out=$(NEXOLANT_WINE64_LOADER="$work/broken" NEXOLANT_WINEPREFIX="$work/prefix2" \
  "$root/scripts/wine-run" "$work/x64.exe" 2>&1)
check "a prefix that cannot be made fails the run" 1 $?
[[ "$out" == *"cannot create the Wine prefix"*"could not load ntdll.so"* ]]
check "the prefix failure carries the loader's message" 0 $?
check "no half-made prefix is left" no "$([ -e "$work/prefix2" ] && echo yes || echo no)"

[ "$failures" -eq 0 ]
