#!/bin/sh
# Builds the programs and assembles a student example: prints the report, the listing and the
# HEX file, then the debugger's program view of it.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tarnikasm tarnik
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
if [ "$status" -eq 0 ]; then
    echo "== The debugger's program view (tarnik --disasm, monitor of a Tarnik board 2.2) =="
    ./build/bin/tarnik --disasm --monitor 1:22 "${source%.*}.hex" 0100 12
fi
exit $status
