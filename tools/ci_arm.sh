#!/usr/bin/env bash
# Cross-builds Velmar for 64-bit ARM Linux (cmake/aarch64-linux-gnu.cmake)
# and runs it under qemu-user: the bench signature (the node count stored in
# tests/search/uci_recherche_test.cpp), perft 5 of the start position, and,
# where the kernel runs ARM programs through qemu, a search that probes the
# Syzygy tables of tests/data/syzygy through the ARM build of Fathom. Installs the cross compiler and qemu-user when they are
# missing (apt-get, as root or through sudo -n). Exits 1 on any difference.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

en_root() {
  if [ "$(id -u)" = 0 ]; then "$@"
  else sudo -n "$@"
  fi
}
manque=()
command -v aarch64-linux-gnu-g++ >/dev/null || manque+=(g++-aarch64-linux-gnu)
command -v qemu-aarch64 >/dev/null || manque+=(qemu-user)
command -v cmake >/dev/null || manque+=(cmake)
if [ ${#manque[@]} -gt 0 ]; then
  en_root apt-get install -y "${manque[@]}" >/dev/null 2>&1 ||
    { en_root apt-get update >/dev/null && en_root apt-get install -y "${manque[@]}" >/dev/null; }
fi
tools/bibliotheques_arm64.sh

construction=build-aarch64
cmake -S . -B "$construction" -DCMAKE_BUILD_TYPE=Release -DVELMAR_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/aarch64-linux-gnu.cmake" >/dev/null
cmake --build "$construction" -j"$jobs" --target velmar >/dev/null
velmar=("qemu-aarch64" -L /usr/aarch64-linux-gnu "$construction/velmar")
file "$construction/velmar" 2>/dev/null | grep -q aarch64 || ! command -v file >/dev/null ||
  { echo "ci_arm: $construction/velmar is not an ARM64 program" >&2; exit 1; }

echec=0
verifie() {  # verifie WHAT EXPECTED GOT
  if [ "$2" = "$3" ]; then
    echo "ci_arm: $1: $3"
  else
    echo "ci_arm: $1: expected $2, got ${3:-nothing}" >&2
    echec=1
  fi
}

signature=$(sed -n 's/.*SIGNATURE_DEFAUT = \([0-9]*\);.*/\1/p' tests/search/uci_recherche_test.cpp)
debut=$(date +%s%N)
bench=$("${velmar[@]}" bench 5)
duree=$((($(date +%s%N) - debut) / 1000000))
verifie "bench 5 (${duree} ms under qemu)" "Nodes searched: $signature" "$(grep '^Nodes searched:' <<<"$bench")"
verifie "perft 5" "Nodes searched: 4865609" "$("${velmar[@]}" perft 5 | grep '^Nodes searched:')"

# The Syzygy tables load and a search of a position they hold reports table
# hits. The engine checks the table files in a child process of its own
# program, which qemu-user can start only where the kernel runs ARM programs
# through it (binfmt_misc, package qemu-user-binfmt, not available in most
# containers); elsewhere the engine refuses the tables, as it should when it
# cannot check them, and that part is skipped.
if [ -e /proc/sys/fs/binfmt_misc/qemu-aarch64 ] && grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-aarch64; then
  coproc MOTEUR { "${velmar[@]}"; }
  printf '%s\n' "setoption name SyzygyPath value $PWD/tests/data/syzygy" \
    "position fen 8/8/8/8/8/4k3/8/KQ6 w - - 0 1" "go depth 4" >&"${MOTEUR[1]}"
  session=
  while IFS= read -r -t 120 ligne <&"${MOTEUR[0]}"; do
    session+=$ligne$'\n'
    [[ $ligne == bestmove* ]] && break
  done
  echo quit >&"${MOTEUR[1]}"
  wait "$MOTEUR_PID" || true
  verifie "Syzygy tables loaded" yes "$(grep -q '^info string SyzygyPath : [1-9]' <<<"$session" && echo yes)"
  verifie "Syzygy probes in the search" yes "$(grep -q ' tbhits [1-9]' <<<"$session" && echo yes)"
else
  echo "ci_arm: Syzygy search skipped: this kernel cannot start ARM programs through qemu (binfmt_misc)"
fi
exit $echec
