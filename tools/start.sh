#!/usr/bin/env bash
# Builds Velmar (Release) and starts the engine, ready for UCI on standard input.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs" >&2
exec ./build/velmar "$@"
