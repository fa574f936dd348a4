#!/usr/bin/env bash
# Builds and runs the benchmark of the culling proposals, the selection listings
# and the occupied cages on the generated farm of 5,000 females. The farm is
# generated once under $TMPDIR/torvane-bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVANE_BENCH_BUILD:-/tmp/torvane-bench-build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON -DTORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target bench_selection >/dev/null
"$build/bench/selection/bench_selection" "$@"
