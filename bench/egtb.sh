#!/usr/bin/env bash
# Endgame tablebase benchmark: a million random kqk/kpk probes through the
# compressed test tables with a 1 MB and a 16 MB cache (probes per second and
# cache hit rate), then the cost of one cache hit and of one block read and
# decode. Targets: a hit under 200 ns, a block decode under 100 us.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" >&2
tables=$(mktemp -d)
trap 'rm -rf "$tables"' EXIT
# Compressed files only, so every block comes through the decoder.
cp tests/data/egtb/tables/*.emd "$tables"/
./build/velmar tb bench "$tables" "${1:-1000000}"
