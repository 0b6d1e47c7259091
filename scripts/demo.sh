#!/bin/sh
# Builds the assembler and assembles a student example: prints the report, then the listing.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tarnikasm
example="${1:-examples/delay_blink.asm}"
work="$(mktemp -d)"
cp "$example" "$work/"
source="$work/$(basename "$example")"
status=0
./build/bin/tarnikasm "$source" || status=$?
echo
echo "== Listing $(basename "${source%.*}").lst =="
cat "${source%.*}.lst"
echo "== HEX file $(basename "${source%.*}").hex =="
cat "${source%.*}.hex"
exit $status
