#!/usr/bin/env bash
# Builds Velmar and runs every fast test, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the tests of searches
# on several threads under ThreadSanitizer.
# VELMAR_SLOW=1 also runs the slow tests (full perft depths and the like).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

# zlib (for reading .pgn.gz books); the build falls back on gzip without it.
if command -v dpkg >/dev/null && ! dpkg -s zlib1g-dev >/dev/null 2>&1; then
  installe_zlib() { apt-get install -y zlib1g-dev >/dev/null 2>&1 || { apt-get update >/dev/null && apt-get install -y zlib1g-dev >/dev/null; }; }
  if [ "$(id -u)" = 0 ]; then installe_zlib || true
  elif command -v sudo >/dev/null; then sudo -n bash -c "$(declare -f installe_zlib); installe_zlib" || true
  fi
fi

# Fathom (Syzygy tablebases), which the build needs.
if command -v dpkg >/dev/null && ! dpkg -s libfathom-dev >/dev/null 2>&1; then
  installe_fathom() { apt-get install -y libfathom-dev >/dev/null 2>&1 || { apt-get update >/dev/null && apt-get install -y libfathom-dev >/dev/null; }; }
  if [ "$(id -u)" = 0 ]; then installe_fathom || true
  elif command -v sudo >/dev/null; then sudo -n bash -c "$(declare -f installe_fathom); installe_fathom" || true
  fi
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
if [ "${VELMAR_SLOW:-0}" = 1 ]; then
  ctest --test-dir build --output-on-failure -j"$jobs"
else
  ctest --test-dir build --output-on-failure -j"$jobs" -LE slow
fi

if [ "${VELMAR_NO_SANITIZE:-0}" != 1 ]; then
  # Built for this machine's processor, unlike the portable build above, so
  # that where it has bit extract (BMI2) both sliding-attack indexings are
  # tested: multiply-and-shift above, bit extract here.
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELMAR_SANITIZE=ON -DVELMAR_NATIVE=ON >/dev/null
  cmake --build build-sanitize -j"$jobs"
  # The engine survives a Hash size the machine cannot serve (the allocation
  # fails and the old table stays); AddressSanitizer must let calloc fail
  # rather than abort for that to be seen.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}allocator_may_return_null=1"
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -LE slow
fi

if [ "${VELMAR_NO_SANITIZE:-0}" != 1 ] && [ "${VELMAR_NO_TSAN:-0}" != 1 ]; then
  # ThreadSanitizer reports any access two threads make to the same memory
  # without synchronisation: a search record left shared between the search
  # threads, or a table word written without an atomic access.
  cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMAR_TSAN=ON >/dev/null
  # The Syzygy tests through the engine too: probes on two threads under the
  # library's lock, and the tables replaced between searches.
  cmake --build build-tsan -j"$jobs" --target velmar tests_search tests_syzygy
  ctest --test-dir build-tsan --output-on-failure -j"$jobs" -R '^(Fils|SyzygyUci)\.'
fi
