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

# The version record: written by sign --version, checked by verify, its signature made over its
# first three lines and taken by openssl.
check "sign --version writes Reference.dat.ver" "$nexref" sign --version 12 --date 2025-03-01 os-private.pem Reference.dat
check "the record names version, date and digest" test "$(head -3 Reference.dat.ver)" = "$(printf 'version=12\ndate=2025-03-01\nsha256=%s' "$("$openssl" dgst -sha256 -r Reference.dat | cut -c1-64)")"
head -3 Reference.dat.ver > record-body
printf '%b' "$(sed -n 's/^signature=//p' Reference.dat.ver | sed 's/../\\x&/g')" > record-signature
check "openssl takes the record's signature" "$openssl" dgst -sha256 -verify os-public.pem -signature record-signature record-body
check "verify takes the record" "$nexref" verify os-public.pem Reference.dat
sed -i 's/^version=12$/version=13/' Reference.dat.ver
refuse "verify refuses a record whose version was raised" "$nexref" verify os-public.pem Reference.dat
refuse "sign refuses version 0" "$nexref" sign --version 0 os-private.pem Reference.dat
refuse "sign refuses a version above 2147483647" "$nexref" sign --version 2147483648 os-private.pem Reference.dat
refuse "sign refuses a date in 2100" "$nexref" sign --version 12 --date 2100-01-01 os-private.pem Reference.dat
check "sign --version 2147483647 is taken" "$nexref" sign --version 2147483647 os-private.pem Reference.dat
rm Reference.dat.ver

byte=$(od -An -tu1 -j100 -N1 Reference.dat)
printf "\\$(printf %o $((byte ^ 1)))" | dd of=Reference.dat bs=1 seek=100 conv=notrunc status=none
refuse "verify refuses a tampered file" "$nexref" verify os-public.pem Reference.dat
refuse "sign refuses a public key" "$nexref" sign os-public.pem Reference.dat
rm Reference.dat.sig
refuse "verify refuses a file without signature" "$nexref" verify os-public.pem Reference.dat

[ "$failures" -eq 0 ]
