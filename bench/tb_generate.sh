#!/usr/bin/env bash
# Table generation benchmark: builds every 3- and 4-piece set (both sides to
# move) into a fresh directory and reports the time per set, the total CPU
# time and the peak memory; then checks them all one ply ahead.
# Targets: under 10 minutes of one core and under 1 GB for all of them.
#   bench/tb_generate.sh [SET...]   (default: all3 all4; e.g. krbkr for a
#                                    five-piece set, whose smaller sets are
#                                    built first)
# Set VELMAR_TB_KEEP=DIR to keep the tables in DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target velmar -j"$(nproc 2>/dev/null || echo 2)" >&2
if [ -n "${VELMAR_TB_KEEP:-}" ]; then
  tables=$VELMAR_TB_KEEP
  mkdir -p "$tables"
else
  tables=$(mktemp -d)
  trap 'rm -rf "$tables"' EXIT
fi
sets=("$@")
[ ${#sets[@]} -gt 0 ] || sets=(all3 all4)
# GNU time gives user time and peak memory; the generator's own summary
# gives wall time per set.
if [ -x /usr/bin/time ]; then
  /usr/bin/time -f "generate: %U s user, %e s wall, %M KB peak" ./build/velmar tb generate --out "$tables" "${sets[@]}" 2>&1 |
    grep -v -e ': ply ' -e 'unmoving'
  /usr/bin/time -f "verify: %U s user, %e s wall, %M KB peak" ./build/velmar tb verify "$tables" "${sets[@]}"
else
  ./build/velmar tb generate --out "$tables" "${sets[@]}" 2> /dev/null
  ./build/velmar tb verify "$tables" "${sets[@]}"
fi
