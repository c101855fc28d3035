#!/usr/bin/env bash
# Speed of the optimised builds: builds the engine three ways (plain Release,
# VELMAR_LTO, VELMAR_PGO) in build-speed-*/, checks that all three give the
# same bench node count, then runs `velmar bench DEPTH` with each in turn,
# ROUNDS times (plain, LTO, PGO, plain, ...: a change of machine load touches
# all three alike), and prints each build's median speed (nodes per second of
# CPU time) and its ratio to the plain build's.
# A benchmark for people, not a test: CI never runs it.
#
#   bench/pgo.sh [ROUNDS [DEPTH]]    (defaults 5 and 8)
#
# NATIVE=1 builds all three for this machine's processor (-march=native).
set -euo pipefail
cd "$(dirname "$0")/.."

tours=${1:-5}
profondeur=${2:-8}
natif=OFF
[ "${NATIVE:-0}" = 1 ] && natif=ON

noms=(plain lto pgo)
drapeaux=("" "-DVELMAR_LTO=ON" "-DVELMAR_PGO=ON")
for i in 0 1 2; do
  dossier=build-speed-${noms[$i]}
  # shellcheck disable=SC2086
  cmake -S . -B "$dossier" -DCMAKE_BUILD_TYPE=Release -DVELMAR_TESTS=OFF -DVELMAR_NATIVE=$natif \
    -DVELMAR_LTO=OFF -DVELMAR_PGO=OFF ${drapeaux[$i]} >/dev/null
  cmake --build "$dossier" -j"$(nproc 2>/dev/null || echo 2)" --target velmar >/dev/null
done

signature() { "$1" bench 5 | sed -n 's/^Nodes searched: //p'; }
reference=$(signature build-speed-plain/velmar)
for nom in lto pgo; do
  s=$(signature "build-speed-$nom/velmar")
  if [ "$s" != "$reference" ]; then
    echo "bench 5 node count differs: plain $reference, $nom $s" >&2
    exit 1
  fi
done
echo "bench 5 node count: $reference in all three builds"

# Nodes per second of CPU time (user + system): on a shared machine the
# bench's own figure, on the wall clock, also counts time spent waiting.
mesure() {
  local sortie temps noeuds
  sortie=$(mktemp)
  temps=$(mktemp)
  /usr/bin/env time -o "$temps" -f "%U %S" "$1" bench "$profondeur" >"$sortie" 2>&1
  noeuds=$(sed -n 's/^Nodes searched: //p' "$sortie")
  awk -v n="$noeuds" '{ t = $1 + $2; if (t > 0) printf "%d\n", n / t; else print 0 }' "$temps"
  rm -f "$sortie" "$temps"
}

declare -A resultats
for ((tour = 1; tour <= tours; tour++)); do
  ligne="round $tour:"
  for nom in "${noms[@]}"; do
    v=$(mesure "build-speed-$nom/velmar")
    resultats[$nom]+="$v "
    ligne="$ligne $nom $v"
  done
  echo "$ligne  (load $(cut -d' ' -f1-3 /proc/loadavg))"
done

mediane() { tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
base=$(mediane <<<"${resultats[plain]}")
for nom in "${noms[@]}"; do
  m=$(mediane <<<"${resultats[$nom]}")
  awk -v n="$nom" -v m="$m" -v b="$base" 'BEGIN { printf "%-6s median %9d nodes/s (CPU)  ratio to plain %.3f\n", n, m, m / b }'
done
