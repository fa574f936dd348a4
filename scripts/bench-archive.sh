#!/usr/bin/env bash
# Builds and runs the archive benchmark (our archive against gzip -6 / gzip -d
# over the same ~100 MB farm folder), then a short fuzz run of the archive
# reader when clang is installed.
#
#   scripts/bench-archive.sh              benchmark, then 20 s of fuzzing
#   scripts/bench-archive.sh --bench      benchmark only
#   scripts/bench-archive.sh --fuzz [S]   fuzzing only, S seconds (default 20)
#
# Build folders and the generated folder live under $TORVANE_BENCH_DIR
# (default /tmp/torvane-archive-bench); the folder is generated once.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=${TORVANE_BENCH_DIR:-/tmp/torvane-archive-bench}
export TORVANE_BENCH_DIR=$work
mode=all
seconds=20
case "${1:-}" in
  --bench) mode=bench ;;
  --fuzz) mode=fuzz; seconds=${2:-20} ;;
  "") ;;
  *) sed -n '2,12p' "$0"; exit 2 ;;
esac
mkdir -p "$work"

if [[ $mode != fuzz ]]; then
  cmake -S "$root" -B "$work/build-bench" -DCMAKE_BUILD_TYPE=Release -DTORVANE_BENCH=ON -DTORVANE_TESTS=OFF >/dev/null
  cmake --build "$work/build-bench" -j2 --target bench_archive >/dev/null
  "$work/build-bench/bench/archive/bench_archive"
fi

if [[ $mode != bench ]]; then
  if ! command -v clang++ >/dev/null; then
    echo "clang++ not found: skipping the fuzz run (apt-get install -y clang libclang-rt-14-dev)"
    exit 0
  fi
  CC=clang CXX=clang++ cmake -S "$root" -B "$work/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTORVANE_FUZZ=ON >/dev/null
  cmake --build "$work/build-fuzz" -j2 --target fuzz_archive_reader >/dev/null
  corpus="$work/fuzz-corpus"
  mkdir -p "$corpus"
  echo "Fuzzing the archive reader for ${seconds} s..."
  rm -f "$work"/crash-* "$work"/timeout-* "$work"/oom-* "$work"/leak-*
  status=0
  TORVANE_FUZZ_SEEDS="$corpus" "$work/build-fuzz/tests/utilities/fuzz/fuzz_archive_reader" \
    -max_total_time="$seconds" -max_len=140000 -rss_limit_mb=1024 -timeout=10 \
    -artifact_prefix="$work/" "$corpus" >"$work/fuzz.log" 2>&1 || status=$?
  grep -E '^(#[0-9]+.*(INITED|DONE)|Done |==[0-9]+==ERROR|SUMMARY)' "$work/fuzz.log" || true
  # libFuzzer exits non-zero and leaves a crash-, timeout- or oom- file when it finds a fault.
  if [[ $status != 0 ]]; then
    echo "fuzzing found a fault (exit $status): see $work/fuzz.log and $work/crash-* / timeout-* / oom-*"
    exit 1
  fi
  echo "fuzzing found no fault"
fi
