#!/usr/bin/env bash
# Test-suite runner: searches every position of an EPD suite for MOVETIME
# milliseconds through a UCI engine and counts the positions where the move
# played is one of the "bm" moves (and none of the "am" moves), given in SAN.
#
#   bench/suite.sh EPD MOVETIME [ENGINE_COMMAND]
#
# ENGINE_COMMAND is any UCI engine (a command line: "/usr/games/glaurung",
# "/usr/games/toga2"); by default Velmar as tools/start.sh builds and starts
# it. Before the first position the engine gets Threads 1, Hash 64 and
# OwnBook false where it offers those options; OPTIONS="Name=Value;..." sets
# more (or other values). Each position starts a new game (ucinewgame).
# Prints one line per position (id, expected moves, move played, verdict),
# then "Solved: N/TOTAL". A benchmark for people, not a test: CI never runs it.
#
# The move played is matched against the SAN text without generating moves:
# it matches when the piece on its origin square, its destination, its
# promotion and the SAN's origin file or rank (when given) agree; castling
# matches a king move of two files towards that wing, or onto its own rook.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 2 ] || [ $# -gt 3 ] || ! [[ $2 =~ ^[0-9]+$ ]] || [ "$2" -lt 1 ]; then
  echo "usage: bench/suite.sh EPD MOVETIME_MS [ENGINE_COMMAND]" >&2
  exit 2
fi
epd=$1
movetime=$2
moteur=${3:-tools/start.sh}
if [ ! -r "$epd" ]; then
  echo "bench/suite.sh: cannot read $epd" >&2
  exit 2
fi

coproc MOTEUR { eval "exec $moteur" 2>/dev/null; }
entree=${MOTEUR[1]}
sortie=${MOTEUR[0]}
pid=$MOTEUR_PID
trap 'kill "$pid" 2>/dev/null || true' EXIT

envoie() { printf '%s\n' "$*" >&"$entree"; }
# attend PREFIX SECONDS: reads the engine's lines until one starts with PREFIX
# and leaves it in $ligne; fails on end of output or after SECONDS.
attend() {
  while IFS= read -r -t "$2" ligne <&"$sortie"; do
    ligne=${ligne%$'\r'}
    [[ $ligne == "$1"* ]] && return 0
    [[ $ligne == "option name "* ]] && options_offertes+=("$ligne")
  done
  return 1
}

options_offertes=()
envoie uci
# The first start of tools/start.sh builds the engine: no limit here.
if ! attend uciok 3600; then
  echo "bench/suite.sh: '$moteur' did not answer uci" >&2
  exit 1
fi
offre() {  # offre NAME: true when the engine announced option NAME
  local o
  for o in "${options_offertes[@]}"; do [[ ${o,,} == "option name ${1,,} type "* ]] && return 0; done
  return 1
}
reglages=()
offre Threads && reglages+=("Threads=1")
offre Hash && reglages+=("Hash=64")
offre OwnBook && reglages+=("OwnBook=false")
IFS=';' read -r -a en_plus <<<"${OPTIONS:-}"
reglages+=("${en_plus[@]}")
for r in "${reglages[@]}"; do
  [ -n "$r" ] && envoie "setoption name ${r%%=*} value ${r#*=}"
done
envoie isready
attend readyok 60 || { echo "bench/suite.sh: no readyok" >&2; exit 1; }

# piece_sur FEN SQUARE: the letter of the piece on SQUARE (e.g. "e4") of the
# FEN's placement, upper case, or "-" on an empty square.
piece_sur() {
  local rangs=${1%% *} colonne=$(($(printf '%d' "'${2:0:1}") - 97)) rang=${2:1:1} ligne i c
  IFS=/ read -r -a lignes <<<"$rangs"
  ligne=${lignes[$((8 - rang))]}
  i=0
  for ((k = 0; k < ${#ligne}; k++)); do
    c=${ligne:k:1}
    if [[ $c =~ [1-8] ]]; then
      ((i += c))
      if ((i > colonne)); then echo -; return; fi
    else
      if ((i == colonne)); then echo "${c^^}"; return; fi
      ((i += 1))
    fi
  done
  echo -
}

# correspond FEN UCI_MOVE SAN: true when the move is the one SAN names.
correspond() {
  local fen=$1 coup=$2 san=${3%%[+#!?]*} de=${2:0:2} vers=${2:2:2} promo=${2:4:1}
  local piece
  piece=$(piece_sur "$fen" "$de")
  if [[ $san =~ ^(O-O|0-0)(-O|-0)?$ ]]; then
    [ "$piece" = K ] || return 1
    local dc=$(($(printf '%d' "'${vers:0:1}") - $(printf '%d' "'${de:0:1}")))
    local cible
    cible=$(piece_sur "$fen" "$vers")
    if [ -n "${BASH_REMATCH[2]}" ]; then
      ((dc == -2)) || { [ "$cible" = R ] && ((dc < 0)); }
    else
      ((dc == 2)) || { [ "$cible" = R ] && ((dc > 0)); }
    fi
    return
  fi
  [[ $san =~ ^([KQRBN]?)([a-h]?)([1-8]?)x?([a-h][1-8])(=?([QRBNqrbn]))?$ ]] || return 1
  local p=${BASH_REMATCH[1]:-P}
  [ "$piece" = "$p" ] && [ "$vers" = "${BASH_REMATCH[4]}" ] || return 1
  [ -z "${BASH_REMATCH[2]}" ] || [ "${de:0:1}" = "${BASH_REMATCH[2]}" ] || return 1
  [ -z "${BASH_REMATCH[3]}" ] || [ "${de:1:1}" = "${BASH_REMATCH[3]}" ] || return 1
  local attendue=${BASH_REMATCH[6]}
  [ "${promo,,}" = "${attendue,,}" ]
}

lisible() {  # lisible SAN: true when correspond can read SAN
  local san=${1%%[+#!?]*}
  [[ $san =~ ^(O-O|0-0)(-O|-0)?$ || $san =~ ^[KQRBN]?[a-h]?[1-8]?x?[a-h][1-8](=?[QRBNqrbn])?$ ]]
}

resolus=0
total=0
delai=$((movetime / 1000 + 30))
while IFS= read -r texte || [ -n "$texte" ]; do
  texte=${texte%$'\r'}
  [[ $texte =~ ^[[:space:]]*$ || $texte == \#* ]] && continue
  champ='[[:space:]]*([^[:space:]]+)'
  [[ $texte =~ ^$champ$champ$champ$champ(.*)$ ]] || continue
  fen="${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]} ${BASH_REMATCH[4]}"
  reste=${BASH_REMATCH[5]}
  # Optional half-move and move counters after the four FEN fields.
  if [[ $reste =~ ^[[:space:]]+([0-9]+)[[:space:]]+([0-9]+)(.*)$ ]]; then
    fen="$fen ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
    reste=${BASH_REMATCH[3]}
  else
    fen="$fen 0 1"
  fi
  bm=()
  am=()
  id="#$((total + 1))"
  IFS=';' read -r -a operations <<<"$reste"
  for op in "${operations[@]}"; do
    read -r -a mots <<<"$op"
    [ ${#mots[@]} -gt 0 ] || continue
    case ${mots[0]} in
      bm) bm+=("${mots[@]:1}") ;;
      am) am+=("${mots[@]:1}") ;;
      id) id=${op#*id}; id=${id#"${id%%[![:space:]]*}"}; id=${id//\"/} ;;
    esac
  done
  [ ${#bm[@]} -gt 0 ] || [ ${#am[@]} -gt 0 ] || continue
  total=$((total + 1))

  envoie ucinewgame
  envoie isready
  attend readyok 60 || { echo "bench/suite.sh: no readyok before $id" >&2; exit 1; }
  envoie "position fen $fen"
  envoie "go movetime $movetime"
  if ! attend bestmove "$delai"; then
    echo "bench/suite.sh: no bestmove within ${delai} s at $id" >&2
    exit 1
  fi
  read -r _ joue _ <<<"$ligne"

  verdict=ok
  illisible=""
  if [ ${#bm[@]} -gt 0 ]; then
    verdict=no
    for san in "${bm[@]}"; do
      lisible "$san" || illisible="$illisible $san"
      correspond "$fen" "$joue" "$san" && verdict=ok
    done
  fi
  for san in "${am[@]}"; do
    lisible "$san" || illisible="$illisible $san"
    correspond "$fen" "$joue" "$san" && verdict=no
  done
  [ $verdict = ok ] && resolus=$((resolus + 1))
  attendu=""
  [ ${#bm[@]} -gt 0 ] && attendu="bm ${bm[*]}"
  [ ${#am[@]} -gt 0 ] && attendu="${attendu:+$attendu }am ${am[*]}"
  printf '%-16s %-24s %-6s %s%s\n' "$id" "$attendu" "$joue" "$verdict" \
    "${illisible:+  (unreadable SAN:$illisible)}"
done <"$epd"

envoie quit
wait "$pid" 2>/dev/null || true
trap - EXIT
echo "Solved: $resolus/$total"
