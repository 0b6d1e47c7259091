#!/bin/sh
# Assembles the same generated program with tarnikasm and with as31 (both writing a listing)
# and prints the best of several wall-clock times, their ratio and the peak memory of each.
#   bench/compare_as31.sh [LINES...]     default: 10000 100000
# A run of 1000000 lines measures tarnikasm alone: as31 refuses code beyond 64 KB.
set -e
here="$(cd "$(dirname "$0")" && pwd)"
tarnikasm="${TARNIKASM:-$here/../build/bin/tarnikasm}"
command -v as31 >/dev/null || { echo "as31 is not installed (apt-get install as31)"; exit 2; }
[ -x "$tarnikasm" ] || { echo "build tarnikasm first (cmake --build --preset default)"; exit 2; }
runs="${RUNS:-7}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

best() { # best wall time in seconds of $runs runs of the command
    python3 - "$runs" "$@" <<'PY'
import subprocess, sys, time
runs = int(sys.argv[1]); cmd = sys.argv[2:]
best = None
for _ in range(runs):
    t = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    t = time.perf_counter() - t
    best = t if best is None or t < best else best
print("%.4f" % best)
PY
}
peak() { /usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -n 1; }

printf "%9s  %12s %10s  %12s %10s  %7s\n" lines "tarnikasm s" "peak KB" "as31 s" "peak KB" ratio
for lines in ${@:-10000 100000}; do
    python3 "$here/gen_source.py" "$lines" "$work/p.asm" "$work/q.asm"
    ours=$(best "$tarnikasm" "$work/p.asm")
    ours_mem=$(peak "$tarnikasm" "$work/p.asm")
    if [ "$lines" -le 100000 ]; then
        theirs=$(best as31 -l "$work/q.asm")
        theirs_mem=$(peak as31 -l "$work/q.asm")
        ratio=$(python3 -c "print('%.1fx' % ($theirs / $ours))")
    else
        theirs="-"; theirs_mem="-"; ratio="-"
    fi
    printf "%9s  %12s %10s  %12s %10s  %7s\n" "$lines" "$ours" "$ours_mem" "$theirs" "$theirs_mem" "$ratio"
done
