#!/usr/bin/env bash
# Builds and runs the work guide benchmark on the generated farm of 5,000
# females: one day and thirty days with every task ticked and the whole male
# range, every sheet selected, computed and laid out; then the same thirty
# days written to one PDF file ($TMPDIR/torvane-bench/guide.pdf).
# The farm is generated once under $TMPDIR/torvane-bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVANE_BENCH_BUILD:-/tmp/torvane-bench-build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON -DTORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target bench_guide >/dev/null
"$build/bench/guide/bench_guide" "$@"
