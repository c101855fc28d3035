#!/usr/bin/env bash
# Time to reach a fixed depth on the positions of `velmar bench`, with
# Threads 1 and with Threads N (default 2), in one UCI session: for each
# position the table is cleared and the two searches run one after the other
# (in alternating order, so that a change of machine load touches both
# alike). Prints both wall times and their ratio per position, then the
# geometric mean of the ratios (below 1: the threads reach the depth sooner).
# A benchmark for people, not a test: CI never runs it, and on a machine
# doing other work the figures move with that work.
#
#   bench/threads.sh [DEPTH [THREADS [HASH_MB]]]   (defaults 10, 2 and 64)
#
# VELMAR=/path/to/binary measures that build instead of building one.
set -euo pipefail
cd "$(dirname "$0")/.."

profondeur=${1:-10}
fils=${2:-2}
hash=${3:-64}

velmar=${VELMAR:-}
if [ -z "$velmar" ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELMAR_NATIVE=ON >/dev/null
  cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target velmar >/dev/null
  velmar=./build/velmar
fi

positions=$(mktemp)
resultats=$(mktemp)
trap 'rm -f "$positions" "$resultats"' EXIT
"$velmar" bench 1 | sed -n 's/^Position .*nodes *[0-9]*  //p' >"$positions"

coproc MOTEUR { "$velmar" 2>/dev/null; }
printf 'uci\nsetoption name OwnBook value false\nsetoption name Hash value %d\nisready\n' "$hash" >&"${MOTEUR[1]}"
while read -r ligne <&"${MOTEUR[0]}"; do [[ $ligne == readyok* ]] && break; done

# One search of `fen` on `n` threads from a fresh start; prints its wall
# time in milliseconds. The same "position" line twice reads as the same game
# going on, which keeps the histories and the mate found by the previous
# search (a search stops early only on a better mate); the start position in
# between makes the second line a new game, which clears them and the tables.
cherche() {
  local fen=$1 n=$2 debut fin ligne
  printf 'setoption name Threads value %d\nposition startpos\nposition fen %s\nisready\n' "$n" "$fen" \
    >&"${MOTEUR[1]}"
  while read -r ligne <&"${MOTEUR[0]}"; do [[ $ligne == readyok* ]] && break; done
  debut=$EPOCHREALTIME
  printf 'go depth %d\n' "$profondeur" >&"${MOTEUR[1]}"
  while read -r ligne <&"${MOTEUR[0]}"; do [[ $ligne == bestmove* ]] && break; done
  fin=$EPOCHREALTIME
  awk -v d="$debut" -v f="$fin" 'BEGIN { printf "%.1f\n", (f - d) * 1000 }'
}

i=0
printf '%-4s %12s %12s %8s\n' pos "T1 ms" "T$fils ms" ratio
while read -r fen; do
  i=$((i + 1))
  if ((i % 2)); then
    t1=$(cherche "$fen" 1)
    tn=$(cherche "$fen" "$fils")
  else
    tn=$(cherche "$fen" "$fils")
    t1=$(cherche "$fen" 1)
  fi
  echo "$t1 $tn" >>"$resultats"
  awk -v i="$i" -v a="$t1" -v b="$tn" 'BEGIN { printf "%-4d %12.1f %12.1f %8.3f\n", i, a, b, b / a }'
done <"$positions"
printf 'quit\n' >&"${MOTEUR[1]}"
wait "$MOTEUR_PID" 2>/dev/null || true

awk -v n="$fils" -v p="$profondeur" '{ s1 += $1; sn += $2; l += log($2 / $1); k++ }
  END { printf "depth %d, %d positions: T1 %.1f s, T%d %.1f s; geometric mean of the time ratios T%d/T1: %.3f\n",
        p, k, s1 / 1000, n, sn / 1000, n, exp(l / k) }' "$resultats"
