#!/usr/bin/env bash
# Builds and runs the technical results benchmark on the generated farm of 5,000
# females with every cycle row in a weekly band: one year, then the whole history.
# The farm is generated once under $TMPDIR/torvane-bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVANE_BENCH_BUILD:-/tmp/torvane-bench-build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON -DTORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target bench_results >/dev/null
"$build/bench/results/bench_results" "$@"
