#!/usr/bin/env bash
# Checks the direction of the includes between the engine's folders: each
# folder may include its own headers and those of the layers below it, never
# a layer above it or beside it, so the include graph between folders has no
# cycle. From the top:
#
#   9 src/main.cpp  the entry point: a command-line mode or the UCI engine
#   8 tools         command-line modes (perft, bench, eval, book, eco, tb)
#   7 src/front     UCI commands, option table, go/bestmove, start-up
#   6 src/search    alpha-beta, quiescence, iterations, time, hash table
#   5 src/learn     learning files
#   5 src/tbgen     tablebase generator and verifier (velmar tb generate/verify)
#   4 src/eval      evaluation
#   4 src/book      opening book and opening names
#   4 src/egtb      endgame tablebases: the reader the search probes
#   4 src/syzygy    Syzygy tablebases through the Fathom library
#   3 src/movegen   attacks, move generation, move picker, exchanges
#   2 src/board     the board record, keys, FEN, make/unmake, move texts
#   1 src/console   output channel, log file, console input, process exit
#   0 src/systeme   operating-system calls, one small file per concern
#                   (processes, files, paths), for Linux and Windows
#
# Usage: tools/verifie_couches.sh [root]  (default: the checkout it is in).
# Prints every offending include as file:line and exits 1 when there is one.
set -euo pipefail
racine=${1:-"$(dirname "$0")/.."}
cd "$racine"

niveau() {
  case $1 in
    systeme) echo 0 ;;
    console) echo 1 ;;
    board) echo 2 ;;
    movegen) echo 3 ;;
    eval | book | egtb | syzygy) echo 4 ;;
    learn | tbgen) echo 5 ;;
    search) echo 6 ;;
    front) echo 7 ;;
    tools) echo 8 ;;
    main) echo 9 ;;
    *) echo -1 ;;
  esac
}

# The folder a source file belongs to: src/<folder>/..., tools, or main for
# the entry point src/main.cpp.
dossier_de() {
  case $1 in
    src/main.cpp) echo main ;;
    src/*/*) local d=${1#src/}; echo "${d%%/*}" ;;
    tools/*) echo tools ;;
  esac
}

erreurs=0
faute() {
  echo "$1" >&2
  erreurs=$((erreurs + 1))
}

shopt -s nullglob
for fichier in src/main.cpp src/*/*.h src/*/*.cpp tools/*.h tools/*.cpp; do
  source=$(dossier_de "$fichier")
  n_source=$(niveau "$source")
  if [ "$n_source" -lt 0 ]; then
    faute "$fichier: folder '$source' has no layer; add it to tools/verifie_couches.sh and the README"
    continue
  fi
  while IFS=: read -r ligne entete; do
    if [[ $entete == */* ]]; then
      cible=${entete%%/*}
      [ -d "src/$cible" ] || [ -f "$(dirname "$fichier")/$entete" ] || {
        faute "$fichier:$ligne: #include \"$entete\": no such header"
        continue
      }
      [ -d "src/$cible" ] || cible=$source
    elif [ -f "$(dirname "$fichier")/$entete" ]; then
      cible=$source
    elif [ -f "tools/$entete" ]; then
      cible=tools
    else
      faute "$fichier:$ligne: #include \"$entete\": no such header"
      continue
    fi
    [ "$cible" = "$source" ] && continue
    n_cible=$(niveau "$cible")
    if [ "$n_cible" -lt 0 ]; then
      faute "$fichier:$ligne: #include \"$entete\": folder '$cible' has no layer"
    elif [ "$n_cible" -ge "$n_source" ]; then
      faute "$fichier:$ligne: #include \"$entete\": $source (layer $n_source) may not include $cible (layer $n_cible)"
    fi
  done < <(awk '{
      if (match($0, /^[ \t]*#[ \t]*include[ \t]*"[^"]*"/)) {
        e = substr($0, RSTART, RLENGTH); sub(/^[^"]*"/, "", e); sub(/"$/, "", e); print FNR ":" e
      }
    }' "$fichier")
done

if [ "$erreurs" -gt 0 ]; then
  echo "verifie_couches: $erreurs include(s) against the layers" >&2
  exit 1
fi
echo "verifie_couches: includes follow the layers"
