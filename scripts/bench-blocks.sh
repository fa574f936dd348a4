#!/usr/bin/env bash
# Builds and runs the block entry benchmark on a generated farm of 5,000
# females with seventeen cycles each: loading the mating candidates, and
# processing 2,000 inseminations and 2,000 births (rows, pools and ledger),
# each batch beside its raw SQLite baseline and reported as a ratio to it.
# The farm is generated once under $TMPDIR/torvane-bench.
#   bash scripts/bench-blocks.sh --females=20000 --rounds=9
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVANE_BENCH_BUILD:-/tmp/torvane-bench-build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON -DTORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target bench_blocks >/dev/null
"$build/bench/blocks/bench_blocks" "$@"
