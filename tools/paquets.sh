#!/usr/bin/env bash
# Makes the archives a user downloads, into build-paquets/:
#   velmar-VERSION-linux-x86-64.tar.gz        any x86-64 processor
#   velmar-VERSION-linux-x86-64-bmi2.tar.gz   x86-64 processors with BMI2 (x86-64-v3)
#   velmar-VERSION-linux-aarch64.tar.gz       64-bit ARM (cross-built)
#   velmar-VERSION-windows-x86-64.zip         Windows, any x86-64 processor (cross-built)
#   velmar-VERSION-windows-x86-64-bmi2.zip    Windows, x86-64 processors with BMI2
# Each is "cmake --build DIR --target package" of its own build directory
# (build-paquets/NAME). The engines built for this machine are optimised
# with the profile of a bench run (VELMAR_PGO) when the processor can run
# them; cross-built ones cannot be trained here and get link-time
# optimisation only (VELMAR_LTO). The book inside the cross-built packages is
# built by the first Linux engine (the book files are the same bytes on every
# platform).
# Usage: tools/paquets.sh [linux-x86-64] [linux-x86-64-bmi2] [linux-aarch64]
#                         [windows-x86-64] [windows-x86-64-bmi2]   (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$PWD
sortie=$racine/build-paquets
jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p "$sortie"
cibles=("$@")
[ ${#cibles[@]} -gt 0 ] || cibles=(linux-x86-64 linux-x86-64-bmi2 linux-aarch64 windows-x86-64 windows-x86-64-bmi2)

# The optimisation options the build offers (older checkouts have none).
optimisation() {  # optimisation native|croisee
  if [ "$1" = native ] && grep -q VELMAR_PGO CMakeLists.txt; then echo -DVELMAR_PGO=ON
  elif grep -q VELMAR_LTO CMakeLists.txt; then echo -DVELMAR_LTO=ON
  fi
}
# True when this processor runs x86-64-v3 code (BMI2, AVX2, FMA...).
processeur_v3() {
  local drapeau
  for drapeau in avx2 bmi1 bmi2 fma f16c movbe abm; do grep -qw "$drapeau" /proc/cpuinfo || return 1; done
}

hote=
paquet() {  # paquet NAME CMAKE-OPTION...
  local nom=$1 construction=$sortie/$1
  shift
  echo "== $nom" >&2
  cmake -S "$racine" -B "$construction" -DCMAKE_BUILD_TYPE=Release -DVELMAR_TESTS=OFF "$@" >/dev/null
  cmake --build "$construction" -j"$jobs" --target velmar >/dev/null
  rm -f "$construction"/velmar-*.tar.gz "$construction"/velmar-*.zip
  cmake --build "$construction" --target package >/dev/null
  local archive
  for archive in "$construction"/velmar-*.tar.gz "$construction"/velmar-*.zip; do
    [ -e "$archive" ] || continue
    mv -f "$archive" "$sortie/"
    echo "$sortie/${archive##*/}"
  done
}
# An engine that runs here, to build the books of the cross-built packages.
moteur_hote() {
  if [ -z "$hote" ]; then
    [ -x "$sortie/linux-x86-64/velmar" ] || paquet linux-x86-64 -DVELMAR_X86_64=baseline $(optimisation native) >/dev/null
    hote=$sortie/linux-x86-64/velmar
  fi
  echo "$hote"
}

for cible in "${cibles[@]}"; do
  case $cible in
    linux-x86-64)
      paquet linux-x86-64 -DVELMAR_X86_64=baseline $(optimisation native) ;;
    linux-x86-64-bmi2)
      if processeur_v3; then options=$(optimisation native); else options=$(optimisation croisee); fi
      paquet linux-x86-64-bmi2 -DVELMAR_X86_64=v3 $options ;;
    linux-aarch64)
      tools/bibliotheques_arm64.sh >&2
      paquet linux-aarch64 -DCMAKE_TOOLCHAIN_FILE="$racine/cmake/aarch64-linux-gnu.cmake" \
        -DVELMAR_HOST_PROGRAM="$(moteur_hote)" $(optimisation croisee) ;;
    windows-x86-64 | windows-x86-64-bmi2)
      if [ ! -f cmake/windows-x86_64.cmake ]; then
        echo "paquets: no Windows toolchain file (cmake/windows-x86_64.cmake): $cible skipped" >&2
        continue
      fi
      niveau=popcnt
      [ "$cible" = windows-x86-64-bmi2 ] && niveau=v3
      [ "$cible" = windows-x86-64 ] && niveau=baseline
      paquet "$cible" -DCMAKE_TOOLCHAIN_FILE="$racine/cmake/windows-x86_64.cmake" -DVELMAR_X86_64=$niveau \
        -DVELMAR_HOST_PROGRAM="$(moteur_hote)" $(optimisation croisee) ;;
    *)
      echo "paquets: unknown package $cible" >&2
      exit 2 ;;
  esac
done
