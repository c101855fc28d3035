#!/usr/bin/env bash
# The Windows build, checked under Wine: cross-builds velmar.exe and the
# tests of the rooms whose code calls the system (cmake/windows-x86_64.cmake,
# clang for x86_64-w64-mingw32), then runs under Wine, in a private prefix
# and without a display:
#   - "bench 5" and "perft 5": the same counts as the Linux build (build/,
#     made first when absent), and the speed of both, measured in turn;
#   - a UCI session: uci, isready, go depth, isready during a search, go
#     infinite then stop, go ponder then ponderhit, quit during a search,
#     with the time from stop and quit to the answer;
#   - the default book built under Wine, into a folder named with spaces and
#     accents, byte for byte the one the Linux build makes;
#   - the test rooms front, board, book, learn, egtb (the learning reports
#     among them) as Windows programs.
# Installs what it needs with apt-get (as root). Prints the time it took.
set -euo pipefail
cd "$(dirname "$0")/.."
debut=$(date +%s)
jobs=$(nproc 2>/dev/null || echo 2)
bw=${VELMAR_BUILD_WINDOWS:-build-windows}  # the Windows build folder

paquets=(clang g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 googletest cmake make)
manque=()
for p in "${paquets[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || manque+=("$p"); done
if [ ${#manque[@]} -gt 0 ]; then
  echo "ci_windows: installing ${manque[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y --no-install-recommends "${manque[@]}" >/dev/null 2>&1 ||
    { apt-get update >/dev/null && apt-get install -y --no-install-recommends "${manque[@]}" >/dev/null; }
fi

if [ ! -x build/velmar ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build -j"$jobs" --target velmar
fi
cmake -S . -B "$bw" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/windows-x86_64.cmake \
  -DVELMAR_GTEST_SOURCE=/usr/src/googletest >/dev/null
# The linker warns about typeinfo sections that clang and GCC size
# differently; they are merged, and the warnings say nothing.
if ! cmake --build "$bw" -j"$jobs" >"$bw/construction.log" 2>&1; then
  grep -v "duplicate section .* has different size" "$bw/construction.log" | tail -40 >&2
  echo "ci_windows: FAILED: the Windows build" >&2
  exit 1
fi
exe=$bw/velmar.exe

export WINEPREFIX=${VELMAR_WINEPREFIX:-/tmp/velmar-wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "ci_windows: preparing the Wine prefix $WINEPREFIX"
  timeout 300 wineboot -i >/dev/null 2>&1 || true
fi

echec=0
faute() {
  echo "ci_windows: FAILED: $*" >&2
  echec=1
}
champ() { sed -n "s/^$1: //p" | tr -d '\r'; }

# Counts and speeds, Linux and Windows in turn, three times each.
signature_linux=$(build/velmar bench 5 | champ "Nodes searched")
perft_linux=$(build/velmar perft 5 | champ "Nodes searched")
nps_linux=() nps_windows=()
for i in 1 2 3; do
  nps_linux+=("$(build/velmar bench 5 | champ "Nodes\/second")")
  sortie=$(wine "$exe" bench 5)
  [ "$(champ "Nodes searched" <<<"$sortie")" = "$signature_linux" ] ||
    faute "bench 5 under Wine: $(champ "Nodes searched" <<<"$sortie") nodes, Linux $signature_linux"
  nps_windows+=("$(champ "Nodes\/second" <<<"$sortie")")
done
mediane() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
ml=$(mediane "${nps_linux[@]}")
mw=$(mediane "${nps_windows[@]}")
echo "ci_windows: bench 5 signature $signature_linux on both; nps median Linux $ml, Windows under Wine $mw ($((100 * mw / ml))%)"
perft_windows=$(wine "$exe" perft 5 | champ "Nodes searched")
[ "$perft_windows" = "$perft_linux" ] || faute "perft 5 under Wine: $perft_windows, Linux $perft_linux"
echo "ci_windows: perft 5 = $perft_windows"

# Input from a Unix pipe ends the program at its end, and the output has
# plain line ends (a CR before them would reach a match runner as part of
# the move).
reponse=$(printf 'isready\n' | timeout 60 wine "$exe" | od -An -c | tr -d ' \n')
[ "$reponse" = 'readyok\n' ] || faute "isready then end of input under Wine: '$reponse', expected 'readyok\n'"

# A UCI session through pipes, timed.
ms() { date +%s%3N; }
coproc MOTEUR { wine "$exe" 2>/dev/null; }
pid_moteur=$MOTEUR_PID  # bash forgets MOTEUR_PID once the program ends
envoie() { printf '%s\n' "$1" >&"${MOTEUR[1]}"; }
# attend PREFIX [SECONDS]: reads lines until one starts with PREFIX.
attend() {
  local ligne limite=$((SECONDS + ${2:-30}))
  while [ $SECONDS -lt $limite ]; do
    IFS= read -r -t 1 ligne <&"${MOTEUR[0]}" || continue
    ligne=${ligne%$'\r'}
    if [[ $ligne == "$1"* ]]; then
      reponse=$ligne
      return 0
    fi
  done
  faute "UCI session: no line starting with '$1'"
  return 1
}
envoie uci && attend uciok
envoie isready && attend readyok
envoie "position startpos moves e2e4" && envoie "go depth 6" && attend "bestmove"
envoie "position startpos"
envoie "go infinite"
attend "info depth 3" || true
envoie isready && attend readyok
sleep 1
t=$(ms) && envoie stop && attend bestmove && stop_ms=$(($(ms) - t))
envoie "position startpos moves e2e4 e7e5"
envoie "go ponder wtime 60000 btime 60000"
attend "info depth 3" || true
sleep 0.5
t=$(ms) && envoie ponderhit && attend bestmove 60 && ponderhit_ms=$(($(ms) - t))
envoie "position startpos"
envoie "go infinite"
attend "info depth 3" || true
t=$(ms)
envoie quit
fin=0
for _ in $(seq 1 200); do
  if ! kill -0 "$pid_moteur" 2>/dev/null; then fin=1; break; fi
  sleep 0.05
done
quit_ms=$(($(ms) - t))
[ $fin = 1 ] || { faute "UCI session: still running 10 s after quit"; kill "$pid_moteur" 2>/dev/null || true; }
wait "$pid_moteur" 2>/dev/null || true
echo "ci_windows: UCI session: stop answered in ${stop_ms:-?} ms, ponderhit to bestmove ${ponderhit_ms:-?} ms, quit ended the program in $quit_ms ms"

# The default book, built by both programs.
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
accents="$travail/Zoë Échecs"
build/velmar book --out "$travail/linux" data/book/*.pgn.gz >/dev/null
build/velmar eco --out "$travail/linux" data/eco/*.tsv >/dev/null
wine "$exe" book --out "$accents" data/book/*.pgn.gz >/dev/null
wine "$exe" eco --out "$accents" data/eco/*.tsv >/dev/null
for f in "$travail"/linux/*; do
  cmp -s "$f" "$accents/$(basename "$f")" || faute "book file $(basename "$f") built under Wine differs"
done
echo "ci_windows: book built under Wine in \"Zoë Échecs\": $(ls "$accents" | wc -l) files, identical to Linux's"

# The test rooms. Left out: the tests that go through a POSIX shell
# (std::system, popen), the Unix programs of the launcher test, and symbolic
# links (Wine makes none).
filtre='-*Slow*:UciLivre.LivreDuProjetTrouveDepuisUnRepertoireVide:ConstructeurLivre.GzipEtOptions'
filtre+=':TablesUci.MatAnnonceDepuisLesTables'
for salle in front board book learn egtb; do
  if (cd "$bw" && timeout 900 wine "./tests_$salle.exe" --gtest_filter="$filtre" >"tests_$salle.log" 2>&1); then
    echo "ci_windows: tests_$salle.exe: $(grep -a "PASSED" "$bw/tests_$salle.log" | tr -d '\r')"
  else
    grep -a -E "FAILED|Failure" "$bw/tests_$salle.log" | head -20 >&2
    faute "tests_$salle.exe under Wine"
  fi
done

echo "ci_windows: $(($(date +%s) - debut)) s"
exit $echec
