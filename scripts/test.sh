#!/bin/sh
# Builds everything and runs every test twice: the normal build and the sanitizer build.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
for preset in default sanitize; do
    echo "== $preset build =="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
