#!/usr/bin/env bash
# Checks that scripts/deps.sh installs everything a configured build found on
# this machine, so that a fresh Debian 12 machine builds and tests the same way.
#
#   scripts/check-deps.sh [BUILD_FOLDER]      (default build/ or $TORVANE_BUILD)
#
# It reads the package configurations (*_DIR) and the programs and libraries
# (FILEPATH entries) that CMake recorded in CMakeCache.txt, adds the files the
# program and the tests need at run time, finds the Debian package owning each
# with dpkg -S and fails naming every owner that deps.sh neither lists nor pulls
# in through the dependencies of a package it lists (apt installs those too).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${TORVANE_BUILD:-$root/build}}
cache=$build/CMakeCache.txt
if [ ! -f "$cache" ]; then
  echo "check-deps: $cache not found: configure the build first" >&2
  exit 2
fi

# The files whose packages matter.
files=()
while IFS= read -r line; do
  value=${line#*=}
  case $value in "" | *-NOTFOUND | "$build"* | "$root"*) continue ;; esac
  case $line in
    *_DIR:PATH=*)
      # A package configuration folder: its *Config.cmake file names the owner.
      for config in "$value"/*Config.cmake "$value"/*-config.cmake; do
        [ -f "$config" ] && files+=("$config") && break
      done ;;
    *:FILEPATH=*) [ -e "$value" ] && files+=("$value") ;;
  esac
done < <(grep -E '^[A-Za-z0-9_]+(:PATH|:FILEPATH)=' "$cache")

# Run time: the platform plugins of the program and of the offscreen tests, Qt's
# Spanish texts, the font of the sheets, and the tools the tests and scripts call.
runtime=()
if command -v qtpaths6 >/dev/null; then
  plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS)
  translations=$(qtpaths6 --query QT_INSTALL_TRANSLATIONS)
  runtime+=("$plugins/platforms/libqxcb.so" "$plugins/platforms/libqoffscreen.so" "$translations/qtbase_es.qm")
else
  runtime+=(/usr/bin/qtpaths6)
fi
runtime+=(/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/bin/pdftotext /usr/bin/pdftoppm /usr/bin/xvfb-run /usr/bin/unzip
          /usr/bin/xauth)
absent=()
for f in "${runtime[@]}"; do
  if [ -e "$f" ]; then files+=("$f"); else absent+=("$f"); fi
done

# Owners, without the architecture suffix, from one dpkg -S call (each call reads
# the whole package database). dpkg records some files under the other half of
# the merged /usr (/lib against /usr/lib) or behind a symlink: ask for each form.
mapfile -t real < <(realpath -- "${files[@]}")
declare -A asked=()
for i in "${!files[@]}"; do
  f=${files[$i]}
  for c in "$f" "${real[$i]}" "${f#/usr}" "/usr$f"; do asked[$c]=1; done
done
declare -A owned_by=()
while IFS= read -r line; do
  names=()
  for p in ${line%: *}; do names+=("${p%%[:,]*}"); done
  owned_by[${line##*: }]=${names[*]}
done < <(printf '%s\n' "${!asked[@]}" | xargs -d '\n' dpkg -S 2>/dev/null || true)
declare -A owners=()
for i in "${!files[@]}"; do
  f=${files[$i]}
  found="?$f"
  for c in "$f" "${real[$i]}" "${f#/usr}" "/usr$f"; do
    if [ -n "${owned_by[$c]:-}" ]; then found=${owned_by[$c]}; break; fi
  done
  for p in $found; do owners[$p]+="${owners[$p]:+, }$f"; done
done

# What deps.sh installs: its list and, recursively, the first choice of every
# dependency of an installed package (what apt would install with it).
mapfile -t declared < <(bash "$root/scripts/deps.sh" --list)
mapfile -t installed_closure < <(
  dpkg-query -W -f='${db:Status-Abbrev}|${Package}|${Provides}|${Pre-Depends}, ${Depends}\n' |
    awk -F'|' -v wanted="${declared[*]}" '
      $1 ~ /^ii/ {
        name = $2; deps[name] = $4
        n = split($3, prov, ","); for (i = 1; i <= n; i++) { p = prov[i]; sub(/^ */, "", p); sub(/[ (].*/, "", p); provider[p] = name }
      }
      END {
        n = split(wanted, queue, " "); for (i = 1; i <= n; i++) seen[queue[i]] = 1
        for (head = 1; head <= n; head++) {
          m = split(deps[queue[head]], list, ",")
          for (j = 1; j <= m; j++) {
            d = list[j]; sub(/\|.*/, "", d); gsub(/^ +| +$/, "", d); sub(/[ (].*/, "", d); sub(/:.*/, "", d)
            if (d == "") continue
            if (!(d in deps) && (d in provider)) d = provider[d]
            if (!(d in seen)) { seen[d] = 1; queue[++n] = d }
          }
        }
        for (p in seen) print p
      }')
declare -A covered=()
for p in "${installed_closure[@]}"; do covered[$p]=1; done

missing=()
for p in "${!owners[@]}"; do
  [ -n "${covered[$p]:-}" ] || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ] && [ ${#absent[@]} -eq 0 ]; then
  echo "check-deps: scripts/deps.sh installs every package the build and the tests use (${#owners[@]} owners checked)"
  exit 0
fi
echo "check-deps: scripts/deps.sh does not install everything this build uses." >&2
for p in $(printf '%s\n' "${missing[@]}" | sort); do
  if [[ $p == \?* ]]; then
    echo "  no Debian package owns ${p#\?}" >&2
  else
    owned=${owners[$p]}
    commas=${owned//[^,]/}
    if [ ${#commas} -gt 0 ]; then owned="${owned%%, *} and ${#commas} more"; fi
    echo "  $p   (owns $owned)" >&2
  fi
done
for f in "${absent[@]}"; do
  echo "  missing at run time: $f (install its package and list it in scripts/deps.sh)" >&2
done
[ ${#missing[@]} -gt 0 ] && echo "Add the packages named above to the list in scripts/deps.sh." >&2
exit 1
