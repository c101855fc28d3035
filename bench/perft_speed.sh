#!/usr/bin/env bash
# Perft speed of Velmar against Debian's Stockfish on the same positions and
# depths: the start position to depth 6 and "Kiwipete" to depth 5. Prints both
# times and the speed ratio (Stockfish time / Velmar time; 1 means as fast).
# Set ESSAIS to change the number of runs per program (best time kept).
# A benchmark for people, not a test: CI never runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

stockfish=$(command -v stockfish || true)
[ -z "$stockfish" ] && [ -x /usr/games/stockfish ] && stockfish=/usr/games/stockfish
if [ -z "$stockfish" ]; then
  echo "Installing Debian's stockfish package..." >&2
  sudo=""; [ "$(id -u)" = 0 ] || sudo="sudo"
  $sudo apt-get update -qq >&2
  $sudo apt-get install -y -qq stockfish >&2
  stockfish=$(command -v stockfish || echo /usr/games/stockfish)
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELMAR_NATIVE=ON >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target velmar >/dev/null

# CPU seconds (user + system) taken by a command; its output goes to $sortie.
# CPU time rather than wall time, so that waiting for a busy processor does
# not count.
sortie=$(mktemp)
temps=$(mktemp)
trap 'rm -f "$sortie" "$temps"' EXIT
chrono() {
  local TIMEFORMAT='%3U %3S'
  { time "$@" >"$sortie" 2>/dev/null; } 2>"$temps"
  awk '{print $1 + $2}' "$temps"
}
plus_petit() { if [ "$(echo "$1 < $2" | bc -l)" = 1 ]; then echo "$1"; else echo "$2"; fi; }
noeuds() { awk '/^Nodes searched:/ {print $3}' "$sortie"; }

# Each program runs $ESSAIS times (default 3), alternately, and keeps its best
# time, so that a busy machine disturbs the ratio less.
essais=${ESSAIS:-3}
mesure() {
  local nom=$1 profondeur=$2 fen=$3
  local t_velmar=999999 t_stockfish=999999 n_velmar n_stockfish commande i
  if [ "$fen" = startpos ]; then commande="position startpos"; else commande="position fen $fen"; fi
  for ((i = 0; i < essais; i++)); do
    if [ "$fen" = startpos ]; then
      t_velmar=$(plus_petit "$t_velmar" "$(chrono ./build/velmar perft "$profondeur")")
    else
      # shellcheck disable=SC2086
      t_velmar=$(plus_petit "$t_velmar" "$(chrono ./build/velmar perft "$profondeur" $fen)")
    fi
    n_velmar=$(noeuds)
    t_stockfish=$(plus_petit "$t_stockfish" \
      "$(chrono sh -c "printf '$commande\ngo perft $profondeur\nquit\n' | '$stockfish'")")
    n_stockfish=$(noeuds)
  done
  printf '%-10s depth %d  velmar %7.3f s (%s nodes)  stockfish %7.3f s (%s nodes)  ratio %.2f\n' \
    "$nom" "$profondeur" "$t_velmar" "$n_velmar" "$t_stockfish" "$n_stockfish" \
    "$(echo "$t_stockfish / $t_velmar" | bc -l)"
  if [ "$n_velmar" != "$n_stockfish" ]; then echo "  node counts differ!" >&2; fi
}

mesure start 6 startpos
mesure kiwipete 5 "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -"
