#!/usr/bin/env bash
# Nodes per second of Velmar against Glaurung 2.2 and Toga II 3.0 from
# Debian, on the positions of `velmar bench`: each engine runs one UCI
# session (Hash 16, "ucinewgame" before each position) with a fixed-depth
# search per position; its nodes are the last "nodes" figure before each
# "bestmove", its time the CPU time (user + system) of the whole session.
# A benchmark for people, not a test: CI never runs it.
#
#   bench/nps_peers.sh [VELMAR_DEPTH [PEER_DEPTH]]   (defaults 8 and 10)
set -euo pipefail
cd "$(dirname "$0")/.."

profondeur_velmar=${1:-8}
profondeur_pairs=${2:-10}

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELMAR_NATIVE=ON >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target velmar >/dev/null

positions=$(mktemp)
temps=$(mktemp)
trap 'rm -f "$positions" "$temps"' EXIT
./build/velmar bench 1 | sed -n 's/^Position .*nodes *[0-9]*  //p' >"$positions"

# One UCI session: prints the total of the nodes of every search.
session() {
  local moteur=$1 profondeur=$2 fen total=0 n ligne
  coproc MOTEUR { "$moteur" 2>/dev/null; }
  printf 'uci\nsetoption name Hash value 16\nisready\n' >&"${MOTEUR[1]}"
  while read -r ligne <&"${MOTEUR[0]}"; do [[ $ligne == readyok* ]] && break; done
  while read -r fen; do
    printf 'ucinewgame\nposition fen %s\ngo depth %d\n' "$fen" "$profondeur" >&"${MOTEUR[1]}"
    n=0
    while read -r ligne <&"${MOTEUR[0]}"; do
      if [[ $ligne =~ \ nodes\ ([0-9]+) ]]; then n=${BASH_REMATCH[1]}; fi
      [[ $ligne == bestmove* ]] && break
    done
    total=$((total + n))
  done <"$positions"
  printf 'quit\n' >&"${MOTEUR[1]}"
  wait "$MOTEUR_PID" 2>/dev/null || true
  echo "$total"
}

mesure() {
  local nom=$1 moteur=$2 profondeur=$3 noeuds secondes
  if ! command -v "$moteur" >/dev/null && [ ! -x "$moteur" ]; then
    echo "$nom: not installed (apt-get install glaurung toga2)"
    return
  fi
  local TIMEFORMAT='%3U %3S'
  { time noeuds=$(session "$moteur" "$profondeur"); } 2>"$temps"
  secondes=$(awk '{print $1 + $2}' "$temps")
  printf '%-10s depth %2d  %10d nodes  %7.2f s CPU  %9.0f nodes/s\n' "$nom" "$profondeur" "$noeuds" "$secondes" \
    "$(echo "$noeuds / $secondes" | bc -l)"
}

PATH=$PATH:/usr/games
mesure velmar ./build/velmar "$profondeur_velmar"
mesure glaurung glaurung "$profondeur_pairs"
mesure toga2 toga2 "$profondeur_pairs"
