#!/bin/sh
# The 8051 core's speed against ucsim's s51 on the same instruction mix, in the same run;
# then ten seconds paced to real time.   bench/compare_s51.sh [PACED_SECONDS]
set -e
here="$(cd "$(dirname "$0")" && pwd)"
bin="${BIN:-$here/../build/bin}"
command -v s51 >/dev/null || { echo "s51 is not installed (apt-get install sdcc-ucsim)"; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$here/core51_mix.asm" "$work/"
"$bin/tarnikasm" "$work/core51_mix.asm" >/dev/null
"$bin/core51_bench" "$work/core51_mix.hex" "${1:-10}"
done_address=$(grep -E '^ +[0-9]+ +[0-9A-F]{4}: .*DONE:' "$work/core51_mix.lst" | sed -E 's/^ +[0-9]+ +([0-9A-F]{4}).*/\1/')
cat > "$work/s51.cmd" <<CMD
file "$work/core51_mix.hex"
break 0x$done_address
run
state
quit
CMD
start=$(date +%s.%N)
out=$(s51 -t 8051 -X 11.0592M -C "$work/s51.cmd" 2>&1)
end=$(date +%s.%N)
inst=$(echo "$out" | sed -n -E 's/.*Inst= ([0-9]+).*/\1/p' | tail -n 1)
python3 -c "
t = $end - $start; n = $inst
print('s51:     %d instructions in %.3f s: %.1f million instructions/s' % (n, t, n / t / 1e6))"
