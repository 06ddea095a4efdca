#!/usr/bin/env bash
# A manager reads the box score's blocks and turnovers after a few matches, in a real window under
# Xvfb, matches played at once: a league career's first three match days, the club overview with
# its leaders, and the player comparison's "Steals and turnovers" (TO) and "Points and rebounds"
# (BLK) categories. The career is saved and the probe reads the same screens: the rival clubs (their
# matches are quick results but for those against the user's club) book turnovers and blocks at
# about the quick results' rates, every player of the user's club has a figure in both columns,
# and the overview's leaders are not all zero.
# Screenshots are left in the artefact folder.
#   box_score_session.sh <game folder> <artefact folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2" compare
# The result only, never the 3D arena.
set_option Enable3DSimulation 0
set_option EnableFastSimulation 1

screen_area=820x680+196+76
date_area=300x30+362+5
results_area=780x250+205+165

last=""
# category <item y> <shot> <what>: the comparison's upper category combo set to the item at that
# height (the items stand 26 pixels apart from 195); the grid must change.
category() {
    click 898 169
    click 898 "$1"
    xdotool mousemove --sync $((left + 760)) $((top + 62))
    expect 30 "$2" "the comparison's $3 did not show" changed_since "$last" 810x230+188+190 3000
    settle 5
    shot "$2"
    last=$2
}

# ---- A league career's first three match days ----
new_career 362 "Box Checker" # the fourth club of the list
last=05-career-frame
for day in 1 2 3; do match_day "06-day-$day"; done

# ---- The overview's leaders and the comparison's turnovers and blocks ----
open 90 93 07-overview "club overview"
open 90 467 08-statistics "statistics"
open 942 121 09-comparison "player comparison"
category 377 10-comparison-turnovers "steals and turnovers"
category 455 11-comparison-blocks "points and rebounds"
click 90 700 # Save career
expect 30 12-saved "the header does not say the career was saved" changed_since "$last" 200x20+820+36 100
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""

# ---- What the probe reads in the saved career ----
probe() { (cd "$work" && ./probe --data . "$@" 2>&1); }
# rows <grid id> <dump>: the grid's rows, cells split by '|' without their quotes.
rows() {
    sed -n "/ $1 Grid/,/^ *[0-9]* ID_/p" "$2" | grep '^ *row ' |
        sed -E 's/^ *row [0-9]+: "//; s/"$//; s/" \| "/|/g'
}
probe --load "Box Checker" --open ID_INDICATORS --dump ID_INDICATORS --open ID_CLUBOVERVIEW --dump ID_OV_LEADERS \
    --open ID_STATSCOMPARE --select ID_SC_LEFT_CATEGORY 7 --dump ID_SC_LEFT_GRID >"$out/turnovers.txt" ||
    fail "the probe could not read the saved career ($(tail -n 1 "$out/turnovers.txt"))"
probe --load "Box Checker" --open ID_STATSCOMPARE --select ID_SC_LEFT_CATEGORY 10 --dump ID_SC_LEFT_GRID \
    >"$out/blocks.txt" || fail "the probe could not read the saved career's blocks"
user_club=$(grep -o 'Indicators / [^/]* / [^/]* /' "$out/turnovers.txt" | cut -d/ -f3 | sed 's/^ //; s/ $//')
[ -n "$user_club" ] || fail "the indicators name no club"
# Steals and turnovers: games $4, TO $8. Points and rebounds: games $4, BLK $9.
rows ID_SC_LEFT_GRID "$out/turnovers.txt" >"$out/turnover-rows.txt"
rows ID_SC_LEFT_GRID "$out/blocks.txt" >"$out/block-rows.txt"
[ -s "$out/turnover-rows.txt" ] && [ -s "$out/block-rows.txt" ] || fail "the comparison lists nobody"
# Every player of the user's club who has played has a count in both columns, whichever engine
# played his matches.
no_figure=$(awk -F'|' -v me="$user_club" 'FNR == 1 { file++ } $3 == me && $4 > 0 {
        v = file == 1 ? $8 : $9; if (v !~ /^[0-9]+$/) print $2 " (" (file == 1 ? "TO" : "BLK") ": \"" v "\")" }' \
    "$out/turnover-rows.txt" "$out/block-rows.txt")
[ -z "$no_figure" ] || fail "players of $user_club without a figure: $no_figure"
grep -q "|$user_club|" "$out/turnover-rows.txt" || fail "the comparison does not list $user_club"
# The rivals' matches are quick results, but for the few against the user's club: over the rival
# clubs that have played, about 14 turnovers and 4.5 blocks a game (a club's games are the most any
# of its players has). Quick results once booked no turnover at all.
rival_figure() {
    awk -F'|' -v me="$user_club" -v col="$1" '$3 != me && $4 > 0 { sum[$3] += $col; if ($4 > g[$3]) g[$3] = $4 }
        END { for (c in g) { games += g[c]; total += sum[c]; clubs++ }
              printf "%d %d %d %.2f\n", clubs, games, total, games ? total / games : 0 }' "$2"
}
read -r clubs games turnovers turnovers_a_game <<<"$(rival_figure 8 "$out/turnover-rows.txt")"
read -r _ _ blocks blocks_a_game <<<"$(rival_figure 9 "$out/block-rows.txt")"
[ "$clubs" -ge 3 ] || fail "only $clubs rival clubs have played"
awk -v v="$turnovers_a_game" 'BEGIN { exit !(v >= 5) }' ||
    fail "the rival clubs booked $turnovers turnovers in $games games (see $out/turnover-rows.txt)"
awk -v v="$blocks_a_game" 'BEGIN { exit !(v >= 2) }' ||
    fail "the rival clubs booked $blocks blocks in $games games (see $out/block-rows.txt)"
# The overview's six leaders of the user's club: each a figure a game, not all of them zero.
# The grid keeps a blank row below them.
rows ID_OV_LEADERS "$out/turnovers.txt" | grep -v '^|' >"$out/leaders.txt"
[ "$(wc -l <"$out/leaders.txt")" -eq 6 ] || fail "the overview shows $(wc -l <"$out/leaders.txt") leader rows, not six"
bad=$(awk -F'|' '$2 !~ /^[0-9]+[.][0-9][0-9]$/ { print $1 }' "$out/leaders.txt" | tr '\n' ',')
[ -z "$bad" ] || fail "overview leaders without a figure: $bad"
awk -F'|' '$2 + 0 > 0 { found = 1 } END { exit !found }' "$out/leaders.txt" ||
    fail "the overview's leaders of $user_club are all zero (see $out/leaders.txt)"
echo "Leaders of $user_club: $(tr '\n' ' ' <"$out/leaders.txt")"
echo "Rival clubs: $clubs clubs, $games games, $turnovers turnovers ($turnovers_a_game a game), $blocks blocks ($blocks_a_game a game)"
echo "PASSED: box score session ($clubs rival clubs), screenshots in $out"
