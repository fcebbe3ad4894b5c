#!/usr/bin/env bash
# nexref keygen, sign and verify, and their keys and signatures against the openssl command
# line's, both ways; verify fails on a tampered file.
#   nexref_signing_test.sh NEXREF OPENSSL REFERENCE.dat
set -uo pipefail
nexref=$1 openssl=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && cp "$3" Reference.dat
failures=0
check() { # check NAME COMMAND...: the command must succeed
  local name=$1; shift
  if "$@" >/dev/null 2>&1; then echo "ok: $name"; else echo "FAIL: $name"; failures=$((failures + 1)); fi
}
refuse() { # refuse NAME COMMAND...: the command must fail
  local name=$1; shift
  if "$@" >/dev/null 2>&1; then echo "FAIL: $name"; failures=$((failures + 1)); else echo "ok: $name"; fi
}
verified_by_openssl() { "$openssl" dgst -sha256 -verify "$1" -signature Reference.dat.sig Reference.dat; }

check "keygen makes a pair" "$nexref" keygen private.pem public.pem
check "only the owner may read the private key" test "$(stat -c %a private.pem)" = 600
refuse "keygen replaces no key" "$nexref" keygen private.pem other.pem
check "sign writes Reference.dat.sig" "$nexref" sign private.pem Reference.dat
check "verify takes its own signature" "$nexref" verify public.pem Reference.dat
check "openssl takes nexref's signature" verified_by_openssl public.pem

# A pair as openssl's documentation makes it, parameters block included.
"$openssl" ecparam -name prime256v1 -genkey -out os-private.pem
"$openssl" ec -in os-private.pem -pubout -out os-public.pem 2>/dev/null
refuse "verify refuses a signature by another key" "$nexref" verify os-public.pem Reference.dat
check "sign takes openssl's key" "$nexref" sign os-private.pem Reference.dat
check "openssl takes that signature" verified_by_openssl os-public.pem
"$openssl" dgst -sha256 -sign os-private.pem -out Reference.dat.sig Reference.dat
check "verify takes openssl's signature" "$nexref" verify os-public.pem Reference.dat

byte=$(od -An -tu1 -j100 -N1 Reference.dat)
printf "\\$(printf %o $((byte ^ 1)))" | dd of=Reference.dat bs=1 seek=100 conv=notrunc status=none
refuse "verify refuses a tampered file" "$nexref" verify os-public.pem Reference.dat
refuse "sign refuses a public key" "$nexref" sign os-public.pem Reference.dat
rm Reference.dat.sig
refuse "verify refuses a file without signature" "$nexref" verify os-public.pem Reference.dat

[ "$failures" -eq 0 ]
