#!/usr/bin/env bash
# Opening book benchmark: builds the book from the whole default game file
# (games per second, wall time) and times a thousand book decisions from the
# positions after each of White's first moves (mean and worst per decision).
# Targets: the whole file in at most 20 s, a decision in under 1 ms.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" >&2
pgn=${1:-data/book/games-2600-classical.pgn.gz}
sortie=$(mktemp -d)
trap 'rm -rf "$sortie"' EXIT

echo "== build: $pgn"
TIMEFORMAT='wall time %R s'
time ./build/velmar book --out "$sortie" "$pgn"

echo "== 1000 book decisions"
./build/velmar book --probe "$sortie" --count 1000 2>&1 >/dev/null
