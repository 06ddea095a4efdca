#!/usr/bin/env bash
# Writes the regression cases with recordfuzz_seed and compares each with the committed one: a
# difference means either the tool writes a stale case or the committed file was not refreshed
# (run "recordfuzz_seed --regressions tests/database/data/fuzz/career" to refresh it). Committed
# cases the tool does not write (hand-made ones) are left alone.
# usage: corpus_current.sh SEED_TOOL CORPUS_FOLDER
set -u
tool=$1
corpus=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp" "$work/out"
if ! TMPDIR="$work/tmp" "$tool" --regressions "$work/out"; then
    echo "FAIL: recordfuzz_seed --regressions did not write the cases"
    exit 1
fi
written=0
stale=0
for file in "$work/out"/*; do
    name=$(basename "$file")
    written=$((written + 1))
    if [ ! -f "$corpus/$name" ]; then
        echo "FAIL: $name is written but not in the corpus"
        stale=$((stale + 1))
    elif ! cmp -s "$file" "$corpus/$name"; then
        echo "FAIL: $name differs from the committed case"
        stale=$((stale + 1))
    fi
done
if [ "$written" -lt 10 ]; then
    echo "FAIL: only $written cases written"
    exit 1
fi
[ "$stale" -eq 0 ] || exit 1
echo "$written cases, each as committed"
