#!/usr/bin/env bash
# Builds Velmar and runs every fast test, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer.
# VELMAR_SLOW=1 also runs the slow tests (full perft depths and the like).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
if [ "${VELMAR_SLOW:-0}" = 1 ]; then
  ctest --test-dir build --output-on-failure -j"$jobs"
else
  ctest --test-dir build --output-on-failure -j"$jobs" -LE slow
fi

if [ "${VELMAR_NO_SANITIZE:-0}" != 1 ]; then
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELMAR_SANITIZE=ON >/dev/null
  cmake --build build-sanitize -j"$jobs"
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -LE slow
fi
