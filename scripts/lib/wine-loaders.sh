# Sourced by the scripts that start Wine. Chooses the loader by the program's width instead of
# trusting `wine`: on a kernel that cannot execute 32-bit programs, Debian's `wine` starts the
# 32-bit loader and fails with "Exec format error" even for 64-bit programs, while the 64-bit
# loader works.
#   NEXOLANT_WINE64_LOADER, NEXOLANT_WINE32_LOADER  override the loaders (tests use stand-ins)
#   NEXOLANT_WINE32=can|missing|cannot               the answer of an earlier probe in this run

wine_loader64=${NEXOLANT_WINE64_LOADER:-/usr/lib/wine/wine64}
wine_loader32=${NEXOLANT_WINE32_LOADER:-/usr/lib/wine/wine}
# CTest reports a test that ends with this code as skipped, not failed.
wine32_skip_code=77

# Prints the machine field of a PE file ("14c" for x86, "8664" for x64), or nothing when the
# argument is not a PE file (a Wine built-in program such as "explorer").
pe_machine() {
  local file=$1 offset
  [ -f "$file" ] || return 0
  [ "$(head -c 2 "$file" 2>/dev/null)" = "MZ" ] || return 0
  offset=$(od -An -tu4 -j 60 -N 4 "$file" | tr -d ' ')
  [ -n "$offset" ] || return 0
  [ "$(od -An -c -j "$offset" -N 2 "$file" | tr -d ' ')" = "PE" ] || return 0
  printf '%x\n' "$(od -An -tu2 -j $((offset + 4)) -N 2 "$file" | tr -d ' ')"
}

# Tries the 32-bit loader once. Prints "can", "missing" (32-bit Wine is not installed: the
# loader is wine32:i386's file) or "cannot" (the loader is there but this kernel does not
# execute it); returns 1 (with the loader's own message on stderr) when the loader executes but
# fails for another reason, so that a broken installation is never mistaken for either.
probe_wine32() {
  local output status
  if [ ! -e "$wine_loader32" ]; then
    echo missing
    return 0
  fi
  set +e
  output=$("$wine_loader32" --version 2>&1 </dev/null)
  status=$?
  set -e
  if [ "$status" -eq 0 ]; then
    echo can
  elif [ "$status" -eq 126 ] || [[ "$output" == *"Exec format error"* ]]; then
    echo cannot
  else
    echo "wine-run: the 32-bit loader $wine_loader32 fails (exit $status): $output" >&2
    return 1
  fi
}

# Prints why the 32-bit Windows tests are skipped, for an ANSWER of probe_wine32 other than "can".
wine32_skip_reason() { # wine32_skip_reason ANSWER
  case $1 in
    missing) echo "32-bit Windows tests skipped: 32-bit Wine is not installed (wine32:i386)" ;;
    cannot) echo "32-bit Windows tests skipped: this kernel cannot run 32-bit programs" ;;
    *) echo "32-bit Windows tests skipped: NEXOLANT_WINE32 is '$1'" ;;
  esac
}

# Sets wine_loader for PROGRAM (and WINELOADER, which Wine uses to start further processes).
# Returns 2 when PROGRAM is a 32-bit program and this machine cannot run one; NEXOLANT_WINE32
# then says why.
choose_wine_loader() {
  local program=$1
  if [ "$(pe_machine "$program")" = "14c" ]; then
    if [ -z "${NEXOLANT_WINE32:-}" ]; then
      NEXOLANT_WINE32=$(probe_wine32) || return 1
      export NEXOLANT_WINE32
    fi
    [ "$NEXOLANT_WINE32" = can ] || return 2
    wine_loader=$wine_loader32
  else
    wine_loader=$wine_loader64
  fi
  [ -x "$wine_loader" ] || { echo "wine-run: $wine_loader is missing (run scripts/bootstrap)" >&2; return 1; }
  export WINELOADER=$wine_loader
}

# Runs a Wine built-in program (wineboot, reg, cmd, winepath, explorer) with the 64-bit loader.
wine64() {
  WINELOADER=$wine_loader64 "$wine_loader64" "$@"
}
