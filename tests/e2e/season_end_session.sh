#!/usr/bin/env bash
# A league season's last match day in a real window under Xvfb, matches played at once: a career
# the probe played to the day before (the fourth club of the list, in a world of three divisions)
# is loaded, Continue plays the last day, and the results window is opened, another division picked,
# the day panel shown and the results opened again: the line under the table must name the champion
# of the table shown, not of the one picked before. Then the tactics screen: one player on court
# picked, the bench's first player must be shown picked, and Swap exchanges those two (the saved
# career, read by the probe, says who moved). Last the match comparison and the line-up's last
# matches with their minutes. Screenshots are left in the artefact folder.
#   season_end_session.sh <game folder> <artefact folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2" compare
set_option Enable3DSimulation 0
set_option EnableFastSimulation 1

screen_area=820x680+196+76
date_area=300x30+362+5
# The results window: the division's name, the list of divisions, the table and the lines under it.
results_title=560x30+204+110
results_table=568x398+416+150
results_lines=796x96+204+586
# A picked grid row: the selection's orange over the grid's dark fill.
picked='#70451F'

# probe <log> <steps>: the probe in the session's game folder, beside the running game.
probe() {
    local log="$out/$1"
    shift
    (cd "$work" && ./probe --data . "$@" >"$log" 2>&1) || fail "the probe failed: $(tail -n 1 "$log")"
}
# rest: the pointer off every figure, so no tooltip or hover look is part of a shot.
rest() {
    xdotool mousemove --sync $((left + 760)) $((top + 62))
    settle 10
}
# same_in <shot> <shot> <rectangle> <what>: the two shots show the same pixels there.
same_in() {
    local d
    d=$(differs "$1" "$2" "$3")
    [ "${d:-1}" -eq 0 ] || fail "$4 ($d pixels differ between $out/$1.png and $out/$2.png)"
}
# differs_in <shot> <shot> <rectangle> <at least> <what>
differs_in() { changed_from "$1" "$2" "$3" "$4" || fail "$5 (see $out/$1.png and $out/$2.png)"; }

# ---- The season to the day before its last match day, played at once by the probe ----
probe season.txt --seed 1 --set EnableFastSimulation=1 --new-career 3 $(printf -- '--continue %.0s' {1..14}) \
    --dump-date --save Probe
grep -qx '24.03.2008' "$out/season.txt" || fail "the probe did not reach the last weeks: $(tail -n 2 "$out/season.txt")"

load_career 01-main-menu 02-saved-careers 03-career-loaded
settle 30
shot 03-career-loaded

# ---- The last match day, then the results window twice ----
press 90 608 # Continue
expect 180 04-last-day "Continue did not move the date on" changed_since 03-career-loaded "$date_area" 20
settle 30
shot 04-last-day
click 910 720 # the day panel's Statistics: the season's results
rest
expect 30 05-results "the results window did not open" changed_since 04-last-day "$screen_area" 5000
shot 05-results
click 304 210 # the third division of the list: the Premier Division
rest
shot 06-other-division
differs_in 05-results 06-other-division "$results_title" 50 "picking another division did not change the title"
differs_in 05-results 06-other-division "$results_table" 2000 "picking another division did not change the table"
differs_in 05-results 06-other-division "$results_lines" 50 "the champion's line did not follow the division picked"
click 90 569 # Match day
rest
expect 30 07-day-panel "the day panel did not come back" changed_since 06-other-division "$screen_area" 5000
click 910 720 # Statistics again
rest
expect 30 08-results-again "the results window did not open again" changed_since 07-day-panel "$screen_area" 5000
shot 08-results-again
# Opened again it shows the club's own division, and the line under it is that table's, as at first.
same_in 05-results 08-results-again "$results_title" "the results opened again show another division"
same_in 05-results 08-results-again "$results_table" "the results opened again show another table"
same_in 05-results 08-results-again "$results_lines" "the line under the table opened again is not the one of that table"

# ---- Tactics: one player on court picked, then Swap ----
click 90 700 # Save career: the squad before the swap
probe before-swap.txt --load Probe --open ID_TACTICS --dump ID_TA_COURT_GRID --dump ID_TA_BENCH_GRID
click 90 161 # Tactics
rest
expect 30 09-tactics "the tactics screen did not open" changed_since 08-results-again "$screen_area" 5000
shot 09-tactics
# Until the player picks, the first of each list is picked for him, and shown picked.
shows_colour 09-tactics 200x18+206+328 "$picked" 1500 8 || fail "the first player on court is not shown picked"
shows_colour 09-tactics 200x18+206+472 "$picked" 1500 8 || fail "the first bench player is not shown picked"
click 304 381 # the third player on court
rest
shot 10-one-picked
shows_colour 10-one-picked 200x18+206+372 "$picked" 1500 8 || fail "the player picked on court is not shown picked"
shows_colour 10-one-picked 200x18+206+472 "$picked" 1500 8 ||
    fail "Swap would take the bench's first player, who is not shown picked"
click 294 704 # Swap
rest
shot 11-swapped
differs_in 10-one-picked 11-swapped 200x18+206+372 200 "the third row on court did not change"
differs_in 10-one-picked 11-swapped 200x18+206+472 200 "the bench's first row did not change"
not_showing_colour 11-swapped 476x220+204+326 "$picked" 1500 8 || fail "a row is still shown picked after the swap"
click 90 700 # Save career: the squad after the swap
probe after-swap.txt --load Probe --open ID_TACTICS --dump ID_TA_COURT_GRID --dump ID_TA_BENCH_GRID
# name <dump> <grid id> <row>: the name in a row of a grid of the probe's dump.
name() {
    awk -v grid="$2" -v row="  row $3:" '$2 == grid { on = 1; next } /^[0-9]/ { on = 0 }
        on && index($0, row) == 1 { split($0, c, "\""); print c[2]; exit }' "$out/$1"
}
leaving=$(name before-swap.txt ID_TA_COURT_GRID 2)
coming=$(name before-swap.txt ID_TA_BENCH_GRID 0)
[ -n "$leaving" ] && [ -n "$coming" ] || fail "the probe read no squad before the swap (see $out/before-swap.txt)"
court_after=$(awk '$2 == "ID_TA_COURT_GRID" { on = 1; next } /^[0-9]/ { on = 0 } on' "$out/after-swap.txt")
bench_after=$(awk '$2 == "ID_TA_BENCH_GRID" { on = 1; next } /^[0-9]/ { on = 0 } on' "$out/after-swap.txt")
grep -qF "\"$coming\"" <<<"$court_after" || fail "$coming, shown picked on the bench, did not come on"
grep -qF "\"$leaving\"" <<<"$bench_after" || fail "$leaving, picked on court, did not go to the bench"

# ---- The match comparison and the line-up's last matches ----
click 90 467 # Statistics
click 822 121 # the match comparison
rest
expect 30 12-comparison "the match comparison did not open" changed_since 11-swapped "$screen_area" 5000
shot 12-comparison
# Both clubs' figures of the match picked: text in both grids.
shows_colour 12-comparison 388x160+204+518 '#FFFFFF' 300 30 || fail "the comparison shows no figures of the home club"
shows_colour 12-comparison 388x160+612+518 '#FFFFFF' 300 30 || fail "the comparison shows no figures of the away club"
click 90 127 # Line-up
rest
expect 30 13-lineup "the line-up did not open" changed_since 12-comparison "$screen_area" 5000
shot 13-lineup
shows_colour 13-lineup 380x252+436+494 '#FFFFFF' 300 30 || fail "the line-up shows nothing of the last matches"
probe figures.txt --load Probe --open ID_LINEUP --dump ID_LU_LAST --open ID_MATCHCOMPARE --dump ID_MC_HOME_GRID \
    --dump ID_MC_AWAY_GRID
# The minutes of each of the last three matches: a figure (whatever its form) in every column.
minutes=$(awk '$2 == "ID_LU_LAST" { on = 1; next } /^[0-9]/ { on = 0 } on && /Minutes/' "$out/figures.txt" | head -1)
[ -n "$minutes" ] || fail "the line-up's last matches have no minutes row (see $out/figures.txt)"
[ "$(grep -oE '"[0-9]+(:[0-9]{2})?"' <<<"$minutes" | wc -l)" -eq 3 ] ||
    fail "the line-up's minutes are not a figure for each of the last three matches: $minutes"
for grid in ID_MC_HOME_GRID ID_MC_AWAY_GRID; do
    rows=$(awk -v g="$grid" '$2 == g { on = 1; next } /^[0-9]/ { on = 0 } on && /row/' "$out/figures.txt")
    [ "$(grep -cE '[0-9]' <<<"$rows")" -ge 3 ] || fail "$grid holds no figures (see $out/figures.txt)"
done
echo "PASSED: season end session, screenshots in $out"
