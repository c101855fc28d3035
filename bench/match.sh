#!/usr/bin/env bash
# Plays Velmar against engines packaged by Debian in a real match runner, and
# reports the score, the Elo difference and every game Velmar lost by a fault
# of its own (time forfeit, illegal move, crash or hang).
#
#   bench/match.sh [-n GAMES] [-c CONCURRENCY] [-t TC] [-v fischerandom] [-a] [-s ELO0,ELO1] OPPONENT...
#
# OPPONENT: glaurung, toga2, stockfish (full strength), stockfish-ELO (for
# example stockfish-2000: UCI_LimitStrength with UCI_Elo ELO), phalanx, sjeng
# (these two speak xboard: only with cutechess-cli), or velmar: Velmar itself
# in another configuration (VELMAR_OPPONENT=/path/to/binary, default the same
# binary, with the options of VELMAR_OPPONENT_OPTIONS).
# VELMAR_OPTIONS="NAME=VALUE ..." sets options of the Velmar under test, for
# example VELMAR_OPTIONS="Threads=2" bench/match.sh -c 1 velmar.
# TC, in the runner's notation (default 10+0.1): "10+0.1" (10 s and 0.1 s a
# move), "40/20" (40 moves in 20 s, repeating), "st=0.2" (0.2 s a move),
# "nodes=20000" (20000 nodes a move and no clock; fastchess only).
# GAMES per opponent (default 100, an even number: each opening is played
# with both colours); CONCURRENCY default 2.
# -a adjudicates: a game ends when both engines have seen a score of 6 pawns
# or more for the same side three moves running, or is drawn from move 40 on
# after eight moves of both engines within 0.1 pawn.
# -s ELO0,ELO1 plays a sequential probability ratio test (alpha = beta = 0.05)
# that stops as soon as it decides between ELO0 and ELO1 for Velmar, or after
# GAMES games; its last lines are printed with the score.
#
# The runner: FASTCHESS=/path/to/fastchess or CUTECHESS=/path/to/cutechess-cli
# (fastchess is looked for on the PATH and in /tmp/fastchess). To build
# fastchess: clone https://github.com/Disservin/fastchess, run make in it.
# Missing Debian engines are installed with apt-get when possible.
# Openings: lines of 8 plies or more from the project's opening lists
# (data/eco), played in random order; with -v fischerandom (Chess960, which
# the runner turns on in both engines with UCI_Chess960), the start
# positions of tests/data/fischer.epd instead. Velmar runs in books/ (its default
# book) when tools/start.sh has built it; VELMAR=/path/to/binary plays
# another build (an older one, to measure a change). Every engine gets a
# 16 MB hash table. PGN and log go to match-out/.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$(pwd)

parties=100
concurrence=2
cadence=10+0.1
variante=standard
adjudication=()
sprt=()
while getopts "n:c:t:v:as:" o; do
  case $o in
    n) parties=$OPTARG ;;
    c) concurrence=$OPTARG ;;
    t) cadence=$OPTARG ;;
    v) variante=$OPTARG ;;
    a) adjudication=(-resign movecount=3 score=600 twosided=true -draw movenumber=40 movecount=8 score=10) ;;
    s)
      [[ $OPTARG =~ ^-?[0-9.]+,-?[0-9.]+$ ]] || { echo "-s wants ELO0,ELO1, for example -s 0,10" >&2; exit 2; }
      sprt=(-sprt "elo0=${OPTARG%,*}" "elo1=${OPTARG#*,}" alpha=0.05 beta=0.05) ;;
    *) sed -n '6,37p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || { sed -n '6,37p' "$0"; exit 2; }
case $variante in
  standard | fischerandom) ;;
  *) echo "unknown variant: $variante (standard or fischerandom)" >&2; exit 2 ;;
esac

# The runner.
coureur=""
genre=""
if [ -n "${CUTECHESS:-}" ]; then
  coureur=$CUTECHESS
  genre=cutechess
elif [ -n "${FASTCHESS:-}" ]; then
  coureur=$FASTCHESS
  genre=fastchess
elif command -v fastchess >/dev/null; then
  coureur=$(command -v fastchess)
  genre=fastchess
elif [ -x /tmp/fastchess/fastchess ]; then
  coureur=/tmp/fastchess/fastchess
  genre=fastchess
fi
if [ -z "$coureur" ] || [ ! -x "$coureur" ]; then
  echo "No match runner. Build fastchess (git clone https://github.com/Disservin/fastchess;" >&2
  echo "cd fastchess; make) and run with FASTCHESS=/path/to/fastchess, or give CUTECHESS." >&2
  exit 2
fi

# Velmar itself, with its default book when it has been built.
velmar=${VELMAR:-}
if [ -z "$velmar" ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
  velmar=$racine/build/velmar
fi
repertoire_velmar=$racine
[ -s "$racine/books/Velmar.bib" ] && repertoire_velmar=$racine/books
# "NAME=VALUE ..." as the runner's option.NAME=VALUE words.
options_uci() { local o; for o in $1; do printf 'option.%s\n' "$o"; done; }
mapfile -t options_velmar < <(options_uci "${VELMAR_OPTIONS:-}")

installe() {  # installe PACKAGE BINARY
  command -v "$2" >/dev/null || [ -x "/usr/games/$2" ] && return 0
  local sudo=""
  [ "$(id -u)" = 0 ] || sudo="sudo -n"
  $sudo apt-get install -y "$1" >/dev/null 2>&1 || { $sudo apt-get update >/dev/null && $sudo apt-get install -y "$1" >/dev/null; }
}
chemin() { command -v "$1" 2>/dev/null || echo "/usr/games/$1"; }

# Openings from the opening lists: one short PGN game per line of 8+ plies.
sortie=$racine/match-out
mkdir -p "$sortie"
ouvertures=$sortie/ouvertures.pgn
awk -F'\t' 'FNR > 1 {
  n = split($3, m, " "); plis = 0
  for (i = 1; i <= n; i++) if (m[i] !~ /^[0-9]+\.$/) plis++
  if (plis >= 8) printf "[Event \"%s %s\"]\n\n%s *\n\n", $1, $2, $3
}' data/eco/*.tsv > "$ouvertures"
ouvertures_runner=(-openings file="$ouvertures" format=pgn order=random)
suffixe=""
if [ "$variante" = fischerandom ]; then
  suffixe=-960
  # The FEN of each line, without its perft counts.
  sed 's/ *;.*//' tests/data/fischer.epd > "$sortie/fischer.epd"
  ouvertures_runner=(-variant fischerandom -openings file="$sortie/fischer.epd" format=epd order=random)
fi

# Elo difference and its 95% margin from wins, draws and losses.
elo() {
  awk -v g="$1" -v n="$2" -v p="$3" 'function elo(s) { return -400 * log(1 / s - 1) / log(10) }
  BEGIN {
    t = g + n + p; if (t == 0) { print "no games"; exit }
    s = (g + n / 2) / t
    v = (g * (1 - s) ^ 2 + n * (0.5 - s) ^ 2 + p * s ^ 2) / t
    e = 1.96 * sqrt(v / t)
    bas = s - e; haut = s + e
    if (bas < 0.001) bas = 0.001; if (haut > 0.999) haut = 0.999
    if (s <= 0) { printf "Elo: -inf (score 0)\n"; exit }
    if (s >= 1) { printf "Elo: +inf (score 100%%)\n"; exit }
    printf "Elo: %+.0f +/- %.0f (score %.1f%%)\n", elo(s), (elo(haut) - elo(bas)) / 2, 100 * s
  }'
}

for adversaire in "$@"; do
  options=()
  protocole=uci
  case $adversaire in
    glaurung) installe glaurung glaurung; cmd=$(chemin glaurung); options=(option.Threads=1) ;;
    toga2) installe toga2 toga2; cmd=$(chemin toga2); options=(option.Threads=1) ;;
    stockfish) installe stockfish stockfish; cmd=$(chemin stockfish); options=(option.Threads=1) ;;
    stockfish-*)
      installe stockfish stockfish; cmd=$(chemin stockfish)
      options=(option.Threads=1 option.UCI_LimitStrength=true "option.UCI_Elo=${adversaire#stockfish-}") ;;
    phalanx | sjeng)
      if [ "$genre" != cutechess ]; then
        echo "$adversaire speaks xboard: give CUTECHESS=/path/to/cutechess-cli to play it" >&2
        continue
      fi
      installe "$adversaire" "$adversaire"; cmd=$(chemin "$adversaire"); protocole=xboard ;;
    velmar)
      cmd=${VELMAR_OPPONENT:-$velmar}
      mapfile -t options < <(options_uci "${VELMAR_OPPONENT_OPTIONS:-}")
      adversaire=velmar-ref ;;
    *) echo "unknown opponent: $adversaire" >&2; exit 2 ;;
  esac

  nom=$(echo "$adversaire" | tr -c 'A-Za-z0-9\n-' _)
  reglages=$(echo "${VELMAR_OPTIONS:-}" | tr -c 'A-Za-z0-9\n' _ | sed 's/^./-&/')
  journal=$sortie/$nom-$(echo "$cadence" | tr '/+=' '_p_')$suffixe${VELMAR:+-$(basename "$velmar")}$reglages.log
  pgn=${journal%.log}.pgn
  rm -f "$pgn"
  if [[ $cadence == st=* ]]; then tc=("$cadence")
  elif [[ $cadence == nodes=* ]]; then tc=(tc=inf "$cadence")
  else tc=("tc=$cadence"); fi
  dir_adversaire=()
  [ "$adversaire" = velmar-ref ] && dir_adversaire=(dir="$repertoire_velmar")
  commun=(-engine cmd="$velmar" name=Velmar dir="$repertoire_velmar" proto=uci "${options_velmar[@]}"
          -engine cmd="$cmd" name="$adversaire" "${dir_adversaire[@]}" proto="$protocole" "${options[@]}"
          -each "${tc[@]}" option.Hash=16
          -rounds $((parties / 2)) -games 2 -repeat -concurrency "$concurrence"
          "${ouvertures_runner[@]}" "${adjudication[@]}" "${sprt[@]}"
          -pgnout file="$pgn")
  echo "== Velmar vs $adversaire, $parties games at $cadence ($genre${suffixe:+, Chess960})"
  # The runner works in match-out/ (fastchess leaves its config.json there).
  (cd "$sortie" && "$coureur" "${commun[@]}" -recover > "$journal" 2>&1) || true

  # "Finished game N (White vs Black): result {reason}"
  awk -v moi=Velmar '
    /Finished game/ {
      match($0, /\([^)]* vs [^)]*\)/)
      split(substr($0, RSTART + 1, RLENGTH - 2), c, " vs ")
      blanc = c[1]; noir = c[2]
      res = $0; sub(/.*\): /, "", res); split(res, r, " ")
      raison = res; sub(/^[^{]*\{/, "", raison); sub(/\}.*/, "", raison)
      camp = blanc == moi ? "White" : "Black"
      if (r[1] == "1/2-1/2") nuls++
      else if ((r[1] == "1-0") == (camp == "White")) gains++
      else {
        pertes++
        if (index(raison, camp) == 1) {
          if (raison ~ /on time/) temps++
          else if (raison ~ /illegal/) illegaux++
          else if (raison ~ /disconnect|crash/) plantages++
          else if (raison ~ /stall/) blocages++
        }
      }
    }
    END {
      printf "%d %d %d %d %d %d %d\n", gains, nuls, pertes, temps, illegaux, plantages, blocages
    }' "$journal" > "$sortie/.compte"
  read -r g n p t i c b < "$sortie/.compte"
  echo "Velmar: $g wins, $n draws, $p losses  ($(elo "$g" "$n" "$p"))"
  echo "Velmar faults: $t time forfeits, $i illegal moves, $c crashes/disconnections, $b hangs"
  if [ ${#sprt[@]} -gt 0 ]; then grep -E 'LLR|H0|H1' "$journal" | tail -3 || true; fi
  echo "Log: $journal  PGN: $pgn"
done
