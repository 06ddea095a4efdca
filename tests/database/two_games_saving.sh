#!/bin/bash
# Two copies of the game saving new careers at the same moment: each round starts two probes that
# each begin a career at a different club and save it under its own name, at once, then checks
# that both careers are in the list and load. Runs on a private copy of the game folder's data.
# usage: two_games_saving.sh GAME_DIR [ROUNDS] (20 by default; FB_PROBE_SANITIZED=1 makes it 5)
set -u
game=$1
rounds=${2:-20}
[ -z "${FB_PROBE_SANITIZED:-}" ] || rounds=5
probe=$game/probe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The options are copied too: the game writes them when they are missing.
for entry in "$game"/*; do
    case "$(basename "$entry")" in
    data | guifiles) ;;
    *) ln -s "$entry" "$work/" ;;
    esac
done
cp -r "$game/guifiles" "$work/guifiles"
cp -r "$game/data" "$work/data"
rm -rf "$work/data/profiles"
mkdir "$work/data/profiles"

fail() {
    echo "FAIL: $*"
    exit 1
}

for ((round = 1; round <= rounds; round++)); do
    # Two different clubs under two names, each probe a game of its own.
    "$probe" --data "$work" --new-career 1 --save "A$round" >"$work/a.out" 2>"$work/a.err" &
    first=$!
    "$probe" --data "$work" --new-career 2 --save "B$round" >"$work/b.out" 2>"$work/b.err" &
    second=$!
    wait $first || fail "round $round: the first probe failed: $(cat "$work/a.err")"
    wait $second || fail "round $round: the second probe failed: $(cat "$work/b.err")"
    for name in "A$round" "B$round"; do
        grep -q "|$name|" "$work/data/profiles/profilelist.dat" ||
            fail "round $round: $name is not in the list: $(cat "$work/data/profiles/profilelist.dat")"
    done
    lines=$(grep -c . "$work/data/profiles/profilelist.dat")
    [ "$lines" -eq $((2 * round)) ] || fail "round $round: the list holds $lines careers, not $((2 * round))"
done
# Every career saved loads, the first and the last rounds' included.
for name in A1 B1 "A$rounds" "B$rounds"; do
    out=$("$probe" --data "$work" --load "$name" --dump-date 2>"$work/load.err") ||
        fail "$name does not load: $(cat "$work/load.err")"
    [ "$out" = "01.08.2007" ] || fail "$name loaded on '$out'"
done
echo "$rounds rounds: both careers saved, listed and loadable every time"
