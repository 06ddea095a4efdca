#!/usr/bin/env bash
# A EuroCup career in a real window under Xvfb, matches played at once, from its first group day
# until the club is out or the final is played: the statistics must then list every table of every
# round the club played (the game's log says which rounds were built with it), and each of those
# tables must show its clubs. A knockout tie lost must be named as the round the club went out in.
# Screenshots are left in the artefact folder.
#   cup_rounds_session.sh <game folder> <artefact folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2" compare
set_option Enable3DSimulation 0
set_option EnableFastSimulation 1

screen_area=820x680+196+76
date_area=300x30+362+5
log="$work/log.txt"
rest() {
    xdotool mousemove --sync $((left + 760)) $((top + 62))
    settle 10
}

to_main_menu
career 258 362 "Cup Rounds" 03-cup-career # EuroCup, group A's strongest club
last=03-cup-career

# ---- Continue until the club is out or the final is played ----
# Each Continue moves the date on or, on a round's last day, builds the next round (the log says
# so); the club's exit plays the rest out at once and opens the results.
ended=""
for day in $(seq -w 1 24); do
    before=$(grep -c '' "$log" 2>/dev/null || echo 0)
    press 90 608
    expect 180 "04-day-$day" "Continue changed nothing" changed_since "$last" "$screen_area" 200
    rest
    shot "04-day-$day"
    last="04-day-$day"
    if grep -q '^\[PlayOutTournament\]' "$log"; then
        ended=out
        break
    fi
    # The final's day played: the results name the champion.
    if grep -q '^\[BuildCupStage\] round 4: .* plays on' "$log" && [ -n "${final_built:-}" ]; then
        ended=final
        break
    fi
    grep -q '^\[BuildCupStage\] round 4: .* plays on' "$log" && final_built=1
    tail -n +"$((before + 1))" "$log" | grep -q 'round is not built' && fail "a round could not be built"
done
[ -n "$ended" ] || fail "the tournament did not end for the club within 24 days"
shot 05-results
# The rounds the club played: its group (four tables), then every round built with it.
expected=$((4 + $(grep '^\[BuildCupStage\] round [0-9]: [0-9]* tables, .* plays on' "$log" |
    sed -E 's/.*: ([0-9]+) tables.*/\1/' | awk '{ n += $1 } END { print n + 0 }')))
[ "$ended" = out ] && expected=$((expected + 1)) # the final ranking
echo "The club's tournament: $ended after $(grep -c 'plays on' "$log") knockout rounds; $expected tables expected"

# ---- The statistics: every table of every round played ----
open 90 467 06-statistics "statistics"
# The competition combo's list shows nine tables at a time, 26 pixels a row, and scrolls with the
# wheel. list_from_top <notches>: opens it at its first table, then scrolls that many rows down.
list_area=290x234+206+135
list_from_top() {
    click 350 121
    xdotool mousemove --sync $((left + 350)) $((top + 250))
    for _ in $(seq 1 20); do xdotool click 4; done
    for _ in $(seq 1 "$1"); do xdotool click 5; done
    settle 10
}
# A row with a name: its white text.
row_named() { shows_colour "$1" "280x18+210+$((139 + 26 * $2))" '#FFFFFF' 40 30; }
list_from_top 0
shot 07-list
shown=0
for row in $(seq 0 8); do row_named 07-list "$row" && shown=$((row + 1)); done
# A full list scrolls on by a row a notch until its last table is in view.
tables=$shown
if [ "$shown" -eq 9 ]; then
    previous=07-list
    for notch in $(seq 1 20); do
        xdotool click 5
        # A busy game may draw the scrolled list late: a notch that moves nothing within 15 seconds
        # found the list's end.
        seen 15 "07-list-$notch" changed_since "$previous" "$list_area" 50 || break
        settle 5
        shot "07-list-$notch"
        tables=$((tables + 1))
        previous="07-list-$notch"
    done
fi
xdotool key --window "$window" Escape
settle 5
[ "$tables" -eq "$expected" ] ||
    fail "the statistics list $tables tables, not the $expected of the rounds the club played (see $out/07-list*.png)"

# Each table picked in turn: the standings change to it and list its clubs.
last=07-list
for item in $(seq 0 $((tables - 1))); do
    if [ "$item" -lt 9 ]; then
        list_from_top 0
        click 350 $((147 + 26 * item))
    else
        list_from_top $((item - 8))
        click 350 $((147 + 26 * 8))
    fi
    rest
    shot "08-table-$item"
    shows_colour "08-table-$item" 150x18+238+164 '#FFFFFF' 60 30 || shows_colour "08-table-$item" 150x18+238+164 '#00FF00' 60 30 ||
        fail "table $item shows no club in its first row (see $out/08-table-$item.png)"
    [ "$item" -eq 0 ] || changed_from "$last" "08-table-$item" 540x90+205+108 100 ||
        fail "picking table $item changed nothing (see $out/08-table-$item.png)"
    last="08-table-$item"
done
echo "PASSED: cup rounds session ($ended; $tables tables listed), screenshots in $out"
