#!/usr/bin/env bash
# Installs the Debian 12 packages Torvane builds, tests and runs with, when missing.
#   scripts/deps.sh --list    prints the list instead (scripts/check-deps.sh reads it)
set -euo pipefail
packages=(
  g++ cmake make ccache pkgconf                 # compiler and build
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev # Qt; Qt Charts' configuration needs Qt OpenGL, undeclared by Debian
  libgl1-mesa-dev libglu1-mesa-dev              # OpenGL, looked up by Qt's configuration
  libsqlite3-dev zlib1g-dev libshp-dev          # farm database, backup archives, dBase files
  libsodium-dev                                 # signature of a downloaded update
  libxlsxwriter-dev                             # sheets and farm tables to Excel workbooks
  googletest libgtest-dev libbenchmark-dev      # tests and benchmarks
  qt6-qpa-plugins qt6-translations-l10n         # run time: platform plugins, Qt's own texts in Spanish
  fonts-dejavu-core                             # run time: the font of screens and sheets
  xvfb xauth poppler-utils                      # without a display; sheet checks (pdftotext, pdftoppm)
  unzip                                         # tests read the exported workbooks back
)
if [ "${1:-}" = --list ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi
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
