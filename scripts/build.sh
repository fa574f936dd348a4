#!/usr/bin/env bash
# Configures and builds Torvane into build/ (or $TORVANE_BUILD). With TORVANE_CHECK_DEPS=1
# it checks between the two steps that scripts/deps.sh declares what the configuration found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVANE_BUILD:-$root/build}
# Paths relative to the checkout, so that another clone of it reuses the compiler cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=${TORVANE_BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
if [ "${TORVANE_CHECK_DEPS:-}" = 1 ]; then
  bash "$root/scripts/check-deps.sh" "$build"
fi
cmake --build "$build" -j"$(nproc)"
