#!/usr/bin/env bash
# Builds the record-reader fuzzer with Clang, AddressSanitizer and UBSan, and runs it for a bounded
# time (seconds, default 60) from a corpus seeded with the generated data files.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"
# The engine log passes an empty format on purpose, which Clang warns about.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS=-Wno-error=format-zero-length -DCMAKE_BUILD_TYPE=Debug -DFB_SANITIZE=address,undefined -DFB_BUILD_TESTS=OFF -DFB_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target recordfuzz world_data
corpus="$build/fuzz-corpus"
mkdir -p "$corpus"
# Seed: each generated file once under every table kind it could be mistaken for.
i=0
for file in "$build"/game/data/*.dat; do
    for kind in 0 1 2 3 4 5 6 7 8 9 10 11; do
        { printf "\\x$(printf %02x $kind)"; cat "$file"; } > "$corpus/seed-$i-$kind"
    done
    i=$((i + 1))
done
"$build/tools/recordfuzz/recordfuzz" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$corpus"
