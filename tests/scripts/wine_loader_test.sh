#!/usr/bin/env bash
# How the scripts choose and probe Wine's loaders, with stand-in loaders: one that the kernel
# cannot execute, one that runs, one that runs and fails for another reason, one that is missing
# (32-bit Wine not installed).
set -uo pipefail
# shellcheck source=check_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/check_lib.sh"

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
# name | loader | answer/status
while IFS='|' read -r name loader expected; do
  check "$name" "$expected" "$(probe "$work/$loader")"
done <<'EOF'
a loader that cannot execute is a kernel without 32-bit support|unrunnable|cannot/0
a missing loader is 32-bit Wine not installed|missing|missing/0
a loader that runs|runs|can/0
a loader that fails otherwise is a failure|broken|/1
EOF
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

# A 32-bit program where 32-bit Wine is missing, or the kernel cannot run one, ends with the
# skip code and says which, without creating a prefix; the probe's own answer is used when
# none is given. The reason is matched whole, so that neither reason passes for the other.
# answer given | 32-bit loader | reason
while IFS='|' read -r answer loader reason; do
  out=$(NEXOLANT_WINE32=$answer NEXOLANT_WINE32_LOADER="$work/$loader" \
    NEXOLANT_WINE64_LOADER="$work/runs" NEXOLANT_WINEPREFIX="$work/prefix" \
    "$root/scripts/wine-run" "$work/x86.exe" 2>&1)
  check "skipped: ${answer:-probed} with the $loader loader" 77 $?
  check "the skip says why: ${answer:-probed} with the $loader loader" \
    "wine-run: 32-bit Windows tests skipped: $reason" "$out"
done <<'EOF'
cannot|runs|this kernel cannot run 32-bit programs
missing|runs|32-bit Wine is not installed (wine32:i386)
|unrunnable|this kernel cannot run 32-bit programs
|missing|32-bit Wine is not installed (wine32:i386)
EOF
check "no prefix made for a skipped program" no "$([ -e "$work/prefix" ] && echo yes || echo no)"

# A prefix that cannot be made is an error with the loader's message.
out=$(NEXOLANT_WINE64_LOADER="$work/broken" NEXOLANT_WINEPREFIX="$work/prefix2" \
  "$root/scripts/wine-run" "$work/x64.exe" 2>&1)
check "a prefix that cannot be made fails the run" 1 $?
[[ "$out" == *"cannot create the Wine prefix"*"could not load ntdll.so"* ]]
check "the prefix failure carries the loader's message" 0 $?
check "no half-made prefix is left" no "$([ -e "$work/prefix2" ] && echo yes || echo no)"

[ "$failures" -eq 0 ]
