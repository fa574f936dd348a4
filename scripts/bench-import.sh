#!/usr/bin/env bash
# Builds and runs the import benchmark: a generated predecessor folder of
# 5,000 females with seventeen cycles, 500 males with up to 200 matings and ten
# years of ledger and fattening days, imported into a new farm, beside the raw
# baseline (the same rows through prepared statements in one transaction).
# The folder is generated once under $TMPDIR/torvane-bench-import.
#   bash scripts/bench-import.sh --rounds=9
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVANE_BENCH_BUILD:-/tmp/torvane-bench-build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON -DTORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target bench_import >/dev/null
"$build/bench/import/bench_import" "$@"
