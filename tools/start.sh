#!/usr/bin/env bash
# Builds Velmar (Release) and starts the engine, ready for UCI on standard input.
# Without arguments the engine runs in books/, which holds the default opening
# book and opening names, built from data/ on the first start.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
# Fathom (Syzygy tablebases), which the build needs; installed on first use.
if command -v dpkg >/dev/null && ! dpkg -s libfathom-dev >/dev/null 2>&1; then
  installe_fathom() { apt-get install -y libfathom-dev >/dev/null 2>&1 || { apt-get update >/dev/null && apt-get install -y libfathom-dev >/dev/null; }; }
  if [ "$(id -u)" = 0 ]; then installe_fathom >&2 || true
  elif command -v sudo >/dev/null; then sudo -n bash -c "$(declare -f installe_fathom); installe_fathom" >&2 || true
  fi
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELMAR_NATIVE=ON >/dev/null
cmake --build build -j"$jobs" >&2

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
  ./build/velmar book --out "$livres" "${pgn[@]}" >&2
fi
if [ -e "${eco[0]}" ] && a_refaire "$livres/eco.bib" "${eco[@]}"; then
  ./build/velmar eco --out "$livres" "${eco[@]}" >&2
fi

if [ $# -eq 0 ] && [ -d "$livres" ]; then
  cd "$livres"
  exec "$racine/build/velmar"
fi
exec ./build/velmar "$@"
