#!/usr/bin/env bash
# Installs the Debian 12 packages Torvane builds, tests and runs with, when missing.
set -euo pipefail
packages=(g++ cmake make ccache qt6-base-dev qt6-charts-dev libsqlite3-dev zlib1g-dev libshp-dev
          googletest libgtest-dev libbenchmark-dev xvfb xauth poppler-utils libgl1-mesa-dev
          qt6-qpa-plugins fonts-dejavu-core libqt6opengl6-dev qt6-translations-l10n)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Instalando: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
