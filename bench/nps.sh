#!/bin/sh
# Speed comparison with Debian's Stockfish (not run in CI).
#
# Builds Velmar in Release, then runs `velmar bench` and
# `stockfish bench 16 1 13 default depth` alternately, three times each, and
# prints both median speeds (nodes per second of CPU time) and their ratio.
set -eu

racine=$(cd "$(dirname "$0")/.." && pwd)
construction="$racine/build-release"

if ! command -v stockfish >/dev/null 2>&1 && [ ! -x /usr/games/stockfish ]; then
  echo "stockfish is missing: installing the Debian package" >&2
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update -q && apt-get install -y -q stockfish
  else
    sudo apt-get update -q && sudo apt-get install -y -q stockfish
  fi
fi
stockfish=$(command -v stockfish || echo /usr/games/stockfish)

cmake -S "$racine" -B "$construction" -DCMAKE_BUILD_TYPE=Release -DVELMAR_TESTS=OFF -DVELMAR_NATIVE=ON >/dev/null
cmake --build "$construction" -j2 --target velmar >/dev/null

median() { sort -n | sed -n 2p; }

# Nodes per second of CPU time (user + system): on a shared machine the
# programs' own figures, taken on the wall clock, also count the time spent
# waiting for a processor.
mesure() {  # mesure COMMAND...: prints nodes / CPU seconds
  local sortie temps noeuds
  sortie=$(mktemp)
  temps=$(mktemp)
  /usr/bin/env time -o "$temps" -f "%U %S" "$@" >"$sortie" 2>&1
  noeuds=$(sed -n 's/^Nodes searched *: *//p' "$sortie")
  awk -v n="$noeuds" '{ t = $1 + $2; if (t > 0) printf "%d\n", n / t; else print 0 }' "$temps"
  rm -f "$sortie" "$temps"
}

velmar_nps=""
stockfish_nps=""
for tour in 1 2 3; do
  v=$(mesure "$construction/velmar" bench)
  s=$(mesure "$stockfish" bench 16 1 13 default depth)
  echo "run $tour: velmar $v nps, stockfish $s nps (CPU time)"
  velmar_nps="$velmar_nps$v
"
  stockfish_nps="$stockfish_nps$s
"
done

v=$(printf '%s' "$velmar_nps" | median)
s=$(printf '%s' "$stockfish_nps" | median)
echo "velmar median:    $v nodes/second"
echo "stockfish median: $s nodes/second"
awk -v v="$v" -v s="$s" 'BEGIN { if (s > 0) printf "ratio velmar/stockfish: %.2f\n", v / s }'
