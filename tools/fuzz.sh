#!/usr/bin/env bash
# tools/fuzz.sh SECONDS [HARNESS...]
# Builds the libFuzzer harnesses (tests/fuzz/fuzz_*.cpp, with AddressSanitizer
# and UndefinedBehaviorSanitizer) in build-fuzz and runs each for SECONDS,
# starting from its seed corpus in tests/fuzz/corpus/<name>. New inputs go to
# build-fuzz/corpus/<name>, so the repository's seeds stay small; an input
# that fails is saved as build-fuzz/findings/<name>-crash-... (or -timeout-,
# -leak-, -oom-) and the script ends with status 1. HARNESS names (uci, fen,
# pgn, eco, livre, tb, syzygy) limit the run to those.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$PWD

secondes=${1:-}
if ! [[ "$secondes" =~ ^[0-9]+$ ]] || [ "$secondes" -lt 1 ]; then
  echo "usage: tools/fuzz.sh SECONDS [HARNESS...]" >&2
  exit 2
fi
shift

# clang++ and its libFuzzer runtime (Debian: clang, libclang-rt-*-dev).
fuzzer_present() {
  command -v clang++ >/dev/null &&
    echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
      clang++ -x c++ -fsanitize=fuzzer,address,undefined -o /dev/null - >/dev/null 2>&1
}
if ! fuzzer_present; then
  paquets="clang libclang-rt-dev"
  installe() { apt-get install -y $paquets >/dev/null 2>&1 || { apt-get update >/dev/null && apt-get install -y $paquets >/dev/null; }; }
  if [ "$(id -u)" = 0 ]; then installe || true
  elif command -v sudo >/dev/null; then sudo -n bash -c "paquets='$paquets'; $(declare -f installe); installe" || true
  fi
  fuzzer_present || { echo "tools/fuzz.sh: clang++ with libFuzzer is not available" >&2; exit 1; }
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DVELMAR_FUZZ=ON -DVELMAR_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" >/dev/null

if [ $# -gt 0 ]; then
  harnais=("$@")
else
  harnais=()
  for f in tests/fuzz/fuzz_*.cpp; do n=${f##*/fuzz_}; harnais+=("${n%.cpp}"); done
fi

mkdir -p build-fuzz/findings build-fuzz/journaux
echec=0
echecs=0
total_execs=0
for h in "${harnais[@]}"; do
  binaire=$racine/build-fuzz/fuzz/fuzz_$h
  [ -x "$binaire" ] || { echo "tools/fuzz.sh: no harness $h" >&2; exit 2; }
  travail=$racine/build-fuzz/corpus/$h
  mkdir -p "$travail"
  options=(-max_total_time="$secondes" -timeout=25 -rss_limit_mb=3072 -close_fd_mask=3
           -print_final_stats=1 -artifact_prefix="$racine/build-fuzz/findings/$h-")
  [ -f tests/fuzz/$h.dict ] && options+=(-dict="$racine/tests/fuzz/$h.dict")
  journal=build-fuzz/journaux/$h.log
  # Paths are absolute: the harnesses work in a temporary directory.
  if "$binaire" "${options[@]}" "$travail" "$racine/tests/fuzz/corpus/$h" >"$journal" 2>&1; then
    etat=ok
  else
    etat=FAILED
    echec=1
    echecs=$((echecs + 1))
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal" | tail -1)
  execs=${execs:-0}
  total_execs=$((total_execs + execs))
  printf 'fuzz_%-6s %s: %s executions in %s s, corpus %s inputs\n' "$h" "$etat" "$execs" "$secondes" \
    "$(ls "$travail" | wc -l)"
  if [ $etat != ok ]; then
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written|\*\*\*' "$journal" | head -20 || true
    echo "  (full log: $journal)"
  fi
done
echo "fuzzing: ${#harnais[@]} harnesses, $total_execs executions, $([ $echec = 0 ] && echo 'no finding' || echo 'FINDINGS')"
echo "fuzzing: $((${#harnais[@]} - echecs)) passed, $echecs failed"
exit $echec
