#!/bin/sh
# Instructions of one instant flat-court match (bench_match2d_instant), counted by callgrind
# without timer noise: only RunInstantMatch is collected, over the same ten seeded matches every run
# (one match moves by a tenth and more with its random path), divided by the matches played.
# Usage: bench/count_instructions.sh [BUILD_DIR]   (default: the build folder beside bench/)
set -e
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install -y valgrind)" >&2; exit 1; }
[ -f "$build/game/ini/InitData.xml" ] ||
    { echo "$build/game has no tactics: build the game_content target first" >&2; exit 1; }
out=$(mktemp)
trap 'rm -f "$out" "$out.log"' EXIT
cd "$build/game"
valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='RunInstantMatch*' \
    "$build/bench/bench_match2d_instant" --benchmark_filter='BM_InstantMatch2DTen$' --benchmark_min_time=0.001 >"$out.log" 2>&1 || { cat "$out.log" >&2; exit 1; }
collected=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out.log")
matches=$(awk '$1 == "BM_InstantMatch2DTen" { print 10 * $6 }' "$out.log")
[ -n "$collected" ] && [ -n "$matches" ] || { cat "$out.log" >&2; exit 1; }
echo "$collected $matches" |
    awk '{ printf "%.1f million instructions a match (%d in all over %d)\n", $1 / $2 / 1e6, $1, $2 }'
