#!/usr/bin/env bash
# scripts/bootstrap against stand-ins for apt-get, dpkg, dpkg-query and sudo put first on PATH:
# the apt commands it runs and in which order, what it says and how it ends, when the package
# index or some packages cannot be had. No real package tool is run.
set -uo pipefail
# shellcheck source=check_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/check_lib.sh"

# The stand-ins keep their state in $APT_STATE: absent (packages not installed), unavailable
# (packages apt cannot install), update-failures (index updates that fail before one succeeds),
# arches (foreign architectures); each appends what it was asked to do to $APT_STATE/calls.
export APT_STATE=$work/state
mkdir -p "$work/bin"
cat >"$work/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
if [ "$1" = update ]; then
  echo update >>"$APT_STATE/calls"
  [ "$(grep -cx update "$APT_STATE/calls")" -gt "$(cat "$APT_STATE/update-failures")" ] && exit 0
  echo "E: Failed to fetch http://security/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?" >&2
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
  exit 100
fi
packages=()
for a in "${@:2}"; do [[ $a == -* ]] || packages+=("$a"); done
(IFS=,; echo "install:${packages[*]}") >>"$APT_STATE/calls"
for p in "${packages[@]}"; do
  grep -qxF "$p" "$APT_STATE/unavailable" && { echo "E: Unable to locate package $p" >&2; exit 100; }
done
grep -vxF -f <(printf '%s\n' "${packages[@]}") "$APT_STATE/absent" >"$APT_STATE/left"; mv "$APT_STATE/left" "$APT_STATE/absent"
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/usr/bin/env bash
case $1 in
  --print-foreign-architectures) cat "$APT_STATE/arches" ;;
  --add-architecture) echo "add-architecture:$2" >>"$APT_STATE/calls"; echo "$2" >>"$APT_STATE/arches" ;;
  *) exit 2 ;;
esac
EOF
# shellcheck disable=SC2016 # expanded by the stand-in
printf '#!/bin/sh\n! grep -qxF "${3:?}" "$APT_STATE/absent" && printf "install ok installed"\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin"/*
export PATH=$work/bin:$PATH
for tool in apt-get dpkg dpkg-query sudo; do
  [ "$(command -v "$tool")" = "$work/bin/$tool" ] || { echo "FAIL: $tool is not the stand-in"; exit 1; }
done

lines_matching() { # lines_matching PATTERN TEXT: how many lines of TEXT match the glob PATTERN
  local line count=0
  # shellcheck disable=SC2053 # the right side is a pattern
  while IFS= read -r line; do [[ $line == $1 ]] && count=$((count + 1)); done <<<"$2"
  echo "$count"
}

# name | failed updates | foreign arches | absent | unavailable | exit | calls | one output line
# (a pattern exactly one line must match; empty: no output at all) | lines naming 32-bit
while IFS='|' read -r name updates arches absent unavailable status calls says lines32; do
  rm -rf "$APT_STATE" && mkdir "$APT_STATE"
  echo "$updates" >"$APT_STATE/update-failures"
  # shellcheck disable=SC2086 # each list is split into one package a line
  { printf '%s\n' $arches >"$APT_STATE/arches"; printf '%s\n' $absent >"$APT_STATE/absent"
    printf '%s\n' $unavailable >"$APT_STATE/unavailable"; }
  touch "$APT_STATE/calls"
  out=$("$root/scripts/bootstrap" 2>&1)
  check "$name: exit" "$status" $?
  check "$name: apt calls" "$calls" "$(paste -sd' ' "$APT_STATE/calls")"
  if [ -z "$says" ]; then
    check "$name: says nothing" "" "$out"
  else
    check "$name: says '$says' once" 1 "$(lines_matching "$says" "$out")"
  fi
  check "$name: lines naming 32-bit" "$lines32" "$(grep -c 32-bit <<<"$out")"
done <<'EOF'
all present: nothing is run|0|i386|||0|||0
index fails once, then updates|1||cmake wine32:i386||0|add-architecture:i386 update update install:cmake install:wine32:i386|bootstrap: apt-get update failed (Failed to fetch *Mirror sync in progress?); trying once more|0
index fails twice, installs work|2|i386|g++ libgnutls30:i386||0|update update install:g++ install:libgnutls30:i386|bootstrap: apt-get update failed twice: Failed to fetch *; going on with the package indexes that did update|0
i386 set unavailable: goes on|2|i386|cmake wine32:i386 libgnutls30:i386|wine32:i386 libgnutls30:i386|0|update update install:cmake install:wine32:i386,libgnutls30:i386|bootstrap: 32-bit Wine could not be installed (Unable to locate package wine32:i386; the package index did not update); the 32-bit Windows tests will be skipped|1
required package unavailable: fails|2|i386|cmake xvfb wine32:i386|xvfb|1|update update install:cmake,xvfb|bootstrap: the required packages cmake xvfb could not be installed (Unable to locate package xvfb; apt-get update failed twice: Failed to fetch *)|0
only the i386 set missing|0||libgnutls30:i386||0|add-architecture:i386 update install:libgnutls30:i386|bootstrap: installing libgnutls30:i386|0
only the required set missing: no i386 architecture|0||cmake||0|update install:cmake|bootstrap: installing cmake|0
EOF

[ "$failures" -eq 0 ]
