#!/usr/bin/env bash
# Builds the reader fuzzers with Clang, libFuzzer, AddressSanitizer and UBSan, and runs every target.
# Usage: run.sh [career-seconds [other-seconds]] (defaults 120 and 20, CI's budget: the career
# loader has the most paths and found overflows only after minutes) or run.sh --long (an hour in
# all, for a local run). Seeds come from the generated data files, a saved career, the shipped INI
# and XML files and the regression corpus in tests/database/data/fuzz/, which the database tests
# also replay. A crash input is left in build-fuzz/fuzz-artifacts/<target>/; copy it into the
# regression corpus with the fix.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
career_seconds=120
other_seconds=20
if [[ "${1:-}" == "--long" ]]; then
    career_seconds=1800
    other_seconds=600
elif [[ -n "${1:-}" ]]; then
    career_seconds="$1"
    other_seconds="${2:-$other_seconds}"
fi
targets=(tables career ini xml)
build="$root/build-fuzz"
# The engine log passes an empty format on purpose, which Clang warns about. Every library is
# instrumented for coverage so the fuzzers see into the readers they call. With FB_GENERATED_GAME_DIR
# set (as CI has it) the generated world is copied from that build rather than generated again.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    "-DCMAKE_CXX_FLAGS=-Wno-error=format-zero-length -fsanitize=fuzzer-no-link" -DCMAKE_BUILD_TYPE=Debug \
    -DFB_SANITIZE=address,undefined -DFB_BUILD_TESTS=OFF -DFB_BUILD_BENCH=OFF \
    ${FB_GENERATED_GAME_DIR:+"-DFB_GENERATED_GAME_DIR=$FB_GENERATED_GAME_DIR"} >/dev/null
cmake --build "$build" --target recordfuzz_tables recordfuzz_career recordfuzz_ini recordfuzz_xml recordfuzz_seed world_data

seeds="$build/fuzz-seeds"
rm -rf "$seeds"
mkdir -p "$seeds"/{tables,career,ini,xml}
regressions="$root/tests/database/data/fuzz"
# Table files under their own kind: the first byte is the kind's place in the file order.
kinds=(league.dat teamlist.dat playerlist.dat stafflist.dat stadionlist.dat stadionwings.dat matchstat.dat
    playerstatlist.dat email.dat teamopinions.dat promotions.dat my_promotion.dat my_lament.dat sponsorlist.dat
    sponsorcontracts.dat funshop.dat my_storage.dat trainingtypes.dat trainingmodifiers.dat StadiumUpgrade.dat
    My_StadiumUpgrades.dat my_certificates.dat finances.dat leaguetable.dat loan.dat my_email.dat whisperlist.dat
    whispers.dat profilelist.dat)
work="$build/fuzz-work"
rm -rf "$work"
mkdir -p "$work"
export TMPDIR="$work"
"$build/tools/recordfuzz/recordfuzz_seed" "$build/game" "$seeds/career"
i=0
while IFS= read -r -d '' file; do
    name="$(basename "$file")"
    for kind in "${!kinds[@]}"; do
        if [[ "${kinds[$kind]}" == "$name" ]]; then
            { printf "\\x$(printf %02x "$kind")"; cat "$file"; } >"$seeds/tables/seed-$i"
            i=$((i + 1))
        fi
    done
done < <(find "$build/game/data" -name '*.dat' -print0)
cp "$regressions"/tables/* "$seeds/tables/"
cp "$regressions"/career/* "$seeds/career/"
find "$root/content" -iname '*.ini' -exec cp {} "$seeds/ini/" \;
cp "$regressions"/ini/* "$seeds/ini/"
n=0
while IFS= read -r -d '' file; do
    cp "$file" "$seeds/xml/xml-$n-$(basename "$file")"
    n=$((n + 1))
done < <(find "$root/content" -iname '*.xml' -print0)
cp "$regressions"/xml/* "$seeds/xml/"

status=0
summary=""
for target in "${targets[@]}"; do
    corpus="$build/fuzz-corpus/$target"
    mkdir -p "$corpus"
    log="$build/fuzz-$target.log"
    maxlen=()
    [[ "$target" == career ]] || maxlen=(-max_len=65536)
    share="$other_seconds"
    [[ "$target" != career ]] || share="$career_seconds"
    artifacts="$build/fuzz-artifacts/$target/"
    mkdir -p "$artifacts"
    echo "=== recordfuzz_$target: $share s ==="
    result=""
    if ! "$build/tools/recordfuzz/recordfuzz_$target" -max_total_time="$share" "${maxlen[@]}" -timeout=20 \
        -artifact_prefix="$artifacts" -print_final_stats=1 "$corpus" "$seeds/$target" >"$log" 2>&1; then
        status=1
        result=" FAILED, see $log"
        tail -n 40 "$log"
    fi
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')"
    summary+="recordfuzz_$target: $runs runs in $share s$result"$'\n'
done
rm -rf "$work"
printf '%s' "$summary"
exit "$status"
