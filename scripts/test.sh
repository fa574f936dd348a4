#!/usr/bin/env bash
# Installs what is missing, builds Torvane with its tests and runs every test through ctest.
# After configuring it checks that scripts/deps.sh declares every package the build found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
TORVANE_CHECK_DEPS=1 bash "$root/scripts/build.sh"
# Tests never touch the user's own settings, alias or farm.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cd "${TORVANE_BUILD:-$root/build}"
ctest --output-on-failure -j"$(nproc)" --timeout 600
