#!/usr/bin/env bash
# Starts Velmar, ready for UCI on standard input. The engine (Release, the
# engine target only: tools/test.sh builds the tests) is built first when a
# source is newer than the binary; otherwise it starts at once, without CMake,
# so that a GUI waiting for "uciok" gets it quickly.
# Without arguments the engine runs in books/, which holds the default opening
# book and opening names, built from data/ on the first start.
# The path to a started engine spawns no process but the engine itself: on a
# busy machine every fork costs the GUI tens of milliseconds.
set -euo pipefail
case $0 in
  */*) cd "${0%/*}/.." ;;
  *) cd "$(dirname "$(command -v "$0")")/.." ;;
esac
racine=$PWD
binaire=build/velmar

a_jour() {  # true when the binary is newer than every source and build file
  [ -x "$binaire" ] && [ -f build/CMakeCache.txt ] || return 1
  local source
  for source in CMakeLists.txt cmake/* src/*.cpp src/*/*.cpp src/*/*.h tools/*.cpp tools/*.h; do
    [ "$source" -nt "$binaire" ] && return 1
  done
  return 0
}
if ! a_jour; then
  # Fathom (Syzygy tablebases), which the build needs; installed on first use.
  if command -v dpkg >/dev/null && ! dpkg -s libfathom-dev >/dev/null 2>&1; then
    installe_fathom() { apt-get install -y libfathom-dev >/dev/null 2>&1 || { apt-get update >/dev/null && apt-get install -y libfathom-dev >/dev/null; }; }
    if [ "$(id -u)" = 0 ]; then installe_fathom >&2 || true
    elif command -v sudo >/dev/null; then sudo -n bash -c "$(declare -f installe_fathom); installe_fathom" >&2 || true
    fi
  fi
  # Profile-guided and link-time optimised (see cmake/optimisation.cmake):
  # the build runs "velmar bench" with an instrumented engine first.
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELMAR_NATIVE=ON -DVELMAR_PGO=ON >/dev/null
  cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target velmar >&2
  # Built from every source as it is now, even when nothing needed relinking.
  touch "$binaire"
fi

# Default opening book and opening names, built once (a few seconds) and
# rebuilt only when a source in data/ is newer. Everything goes to standard
# error so that standard output carries nothing but UCI.
livres="$racine/books"
a_refaire() {  # a_refaire TARGET SOURCE... : true when TARGET is missing or older
  local cible=$1
  shift
  [ -s "$cible" ] || return 0
  for source in "$@"; do [ "$source" -nt "$cible" ] && return 0; done
  return 1
}
pgn=("$racine"/data/book/*.pgn.gz)
eco=("$racine"/data/eco/*.tsv)
if [ -e "${pgn[0]}" ] && a_refaire "$livres/Encyclopedie.bib" "${pgn[@]}"; then
  "$racine/$binaire" book --out "$livres" "${pgn[@]}" >&2
fi
if [ -e "${eco[0]}" ] && a_refaire "$livres/eco.bib" "${eco[@]}"; then
  "$racine/$binaire" eco --out "$livres" "${eco[@]}" >&2
fi

if [ $# -eq 0 ] && [ -d "$livres" ]; then
  cd "$livres"
  exec "$racine/$binaire"
fi
exec "$racine/$binaire" "$@"
