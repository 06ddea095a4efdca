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
# The final ranking, once the results gave the rounds way to it: a club out, or a lost final.
grep -q '^\[ReplaceLeaguesWithRoundList\] ' "$log" && expected=$((expected + 1))
echo "The club's tournament: $ended after $(grep -c 'plays on' "$log") knockout rounds; $expected tables expected"

# ---- The statistics: every table of every round played ----
open 90 467 06-statistics "statistics"
# The game's word, a name a line: the tables it built with the club (the groups it opened with,
# every round built with the club, the final ranking once the rounds gave way to it: a club in the
# final sees none yet), and the tables its statistics list, in the list's order.
{
    grep '^\[CCareerSession::StartNewCareer\] the tournament opens with ' "$log" | sed -E 's/^[^]]*\] [^:]*: //' || true
    grep '^\[BuildCupStage\] round [0-9]: [0-9]* tables, .* plays on: ' "$log" | sed -E 's/^.* plays on: //' || true
    grep '^\[ReplaceLeaguesWithRoundList\] ' "$log" | sed -E 's/^.* one table: //' || true
} | sed 's/; /\n/g' | sort >"$out/built-tables.txt"
wait_for_lines '^\[CStatisticsScreen\] [0-9]* tables listed: ' "$log" 1 60 || fail "the statistics logged no list of tables"
grep '^\[CStatisticsScreen\] [0-9]* tables listed: ' "$log" | tail -1 | sed -E 's/^.* tables listed: //; s/; /\n/g' \
    >"$out/listed-tables.txt"
mapfile -t names <"$out/listed-tables.txt"
missing=$(sort "$out/listed-tables.txt" | comm -23 "$out/built-tables.txt" - | paste -sd, -)
extra=$(sort "$out/listed-tables.txt" | comm -13 "$out/built-tables.txt" - | paste -sd, -)
[ -z "$missing$extra" ] ||
    fail "the statistics list is not the tables built with the club: missing [$missing], not built [$extra] (see $out/built-tables.txt, $out/listed-tables.txt)"

# The competition combo's list shows nine tables at a time, 26 pixels a row, and scrolls a row a
# wheel notch. It keeps where it was scrolled to when it opens again.
row_area() { echo "280x18+210+$((139 + 26 * $1))"; }
# The pointer rests at the top right of a row, so the arrow drawn below its tip stays clear of
# the names of the rows around it.
row_top=137
# A row with a name: its white text.
row_named() { shows_colour "$1" "$(row_area "$2")" '#FFFFFF' 40 30; }
# The row under the pointer, drawn orange.
hovered() { shows_colour "$1" "$(row_area "$2")" '#704720' 2500 5; }
# The combo's frame is orange while its list is open.
combo_open() { shows_colour "$1" 280x1+210+108 '#F28C28' 250 5; }
# list_at <shot> <notches> <row>: opens the list at its first table, scrolls it that many rows down
# and puts the pointer on a row. The game takes the clicks, the wheel and the move in the order
# sent, so once that row shows hovered the list stands where the wheel left it: no pause needed.
list_at() {
    pointer_to 350 121
    xdotool click 1
    xdotool click --repeat 20 --delay 5 4
    [ "$2" -eq 0 ] || xdotool click --repeat "$2" --delay 5 5
    pointer_to 470 $((row_top + 26 * $3))
    expect 60 "$1" "the competition list did not open at row $3 after $2 notches" hovered "$3"
}
rest_pointer() { xdotool mousemove --sync $((left + 760)) $((top + 62)); }
list_at 07-list 0 0
shown=0
for row in $(seq 0 8); do row_named 07-list "$row" && shown=$((row + 1)); done
# A full list scrolls on by a row a notch until its last table is in view. After each notch the
# pointer goes to the other end of the list, and the hover there says the notch was taken: rows
# 1 to 7 then moved, or the list had come to its end.
tables=$shown
if [ "$shown" -eq 9 ]; then
    previous=07-list
    at=0
    for notch in $(seq 1 30); do
        xdotool click 5
        at=$((8 - at))
        pointer_to 470 $((row_top + 26 * at))
        expect 60 "07-list-$notch" "the list did not answer its wheel" hovered "$at"
        changed_from "$previous" "07-list-$notch" 250x170+210+167 50 || break
        tables=$((tables + 1))
        previous="07-list-$notch"
    done
fi
pointer_to 350 121
xdotool click 1 # the combo's own line closes the list
rest_pointer
expect 60 07-list-closed "the competition list did not close" lacks combo_open
[ "$tables" -eq "$expected" ] ||
    fail "the statistics list $tables tables, not the $expected of the rounds the club played (see $out/07-list*.png)"
[ "$tables" -eq "${#names[@]}" ] ||
    fail "the list shows $tables tables, the game logged ${#names[@]} (see $out/07-list*.png)"

# Each table picked in turn: the game logs the table it shows, and the standings change to it and
# list its clubs.
shown_line='^\[CStatisticsScreen\] table [0-9]* of [0-9]* shown: '
picked=$(grep -c "$shown_line" "$log" || true)
table_shown() {
    lacks "$1" combo_open &&
        { shows_colour "$1" 150x18+238+164 '#FFFFFF' 60 30 || shows_colour "$1" 150x18+238+164 '#00FF00' 60 30; } &&
        { [ "$2" -eq 0 ] || changed_from "$last" "$1" 540x90+205+108 100; }
}
last=07-list-closed
for item in $(seq 0 $((tables - 1))); do
    if [ "$item" -lt 9 ]; then
        list_at "08-pick-$item" 0 "$item"
    else
        list_at "08-pick-$item" $((item - 8)) 8
    fi
    xdotool click 1
    rest_pointer
    picked=$((picked + 1))
    wait_for_lines "$shown_line" "$log" "$picked" 60 || fail "picking table $item showed no table (see $out/08-pick-$item.png)"
    line=$(grep "$shown_line" "$log" | tail -1)
    [[ "$line" == *"table $((item + 1)) of $tables shown: ${names[item]}, "* ]] ||
        fail "picking row $item of the list showed another table than ${names[item]}: $line"
    clubs=$(sed -E 's/.*, ([0-9]+) clubs$/\1/' <<<"$line")
    [ "$clubs" -ge 2 ] || fail "table $item (${names[item]}) lists $clubs clubs"
    seen 60 "08-table-$item" table_shown "$item" || {
        shows_colour "08-table-$item" 150x18+238+164 '#FFFFFF' 60 30 || shows_colour "08-table-$item" 150x18+238+164 '#00FF00' 60 30 ||
            fail "table $item shows no club in its first row (see $out/08-table-$item.png)"
        fail "picking table $item changed nothing (see $out/08-table-$item.png)"
    }
    last="08-table-$item"
done
echo "PASSED: cup rounds session ($ended; $tables tables listed), screenshots in $out"
