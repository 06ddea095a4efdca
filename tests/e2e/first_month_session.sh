#!/usr/bin/env bash
# A league season's first weeks in a real window under Xvfb: a career whose first match was played
# at once (the probe plays the first match day in the session's copy) is loaded, the view switched
# to 3D on the tactics screen and the second match played in the arena on the quick clock (nobody
# rested by the manager), then the day panel's leaders, the club overview, the statistics, the
# player comparison and the indicators are opened, and the career is saved. The saved career is
# then read by the probe through the same screens and every figure is held against the saved match
# records. The first match watched on the drawn court is first_month_2d_session.sh's, run beside
# this one. Screenshots are left in the artefact folder.
#   first_month_session.sh <game folder> <artefact folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/first_month_checks.sh"
begin_session "$1" "$2" compare perl
# The arena's quick clock: the match's 48 minutes in 20 seconds of wall time.
export FB_MATCH_CLOCK_SCALE="${FB_MATCH_CLOCK_SCALE:-144}"
records="$(dirname "${BASH_SOURCE[0]}")/records.pl"

set_option Enable3DSimulation 0
set_option EnableFastSimulation 0

screen_area=820x680+196+76

# ---- The first match day, played at once: the fourth club of the list, saved as "Probe" ----
(cd "$work" && ./probe --data . --seed 1 --set EnableFastSimulation=1 --new-career 3 --continue \
    --save Probe >"$out/first-day.txt" 2>&1) ||
    fail "the probe could not play the first match day ($(tail -n 1 "$out/first-day.txt"))"
load_career 01-main-menu 02-saved-careers 03-career-loaded
settle 30

# ---- The view switched to 3D on the tactics screen ----
click 90 161 # Tactics
click 864 704 # How to watch matches
expect 30 05-view-mode "the match view window did not open" shows_colour 300x24+362+274 "$caption" 3000 2
click 512 335 # 3D match
click 512 457 # OK

# ---- The next match day: the arena, the quick clock, to the end ----
press 90 608 # Continue to the next match day
expect 180 06-arena "the arena's match display did not open" match_hud_up
settle 10
play() { press 68 96; xdotool mousemove --sync $((left + 900)) $((top + 740)); }
play
over=""
# A slow machine looks less often: the match is given time, not a count of looks.
match_deadline=$((SECONDS + 1200))
while [ "$SECONDS" -lt "$match_deadline" ]; do
    shot look
    if ! match_hud_up look; then
        over=1
        break
    fi
    if popup_open look; then
        close_popup look # a must-leave message
        continue
    fi
    if tactics_open look; then
        change_unfit
        xdotool key --window "$window" Escape
        expect 15 look "Escape did not close the tactics window" tactics_answered
        play
        continue
    fi
    if break_open look; then
        close_break look
        play
        continue
    fi
    sleep 0.5
done
[ -n "$over" ] || fail "the 3D match did not end"
wait_for_text "recorded" "$work/log.txt" 30 || fail "the 3D match was not recorded"
settle 30
shot 07-after-3d

# ---- The screens a manager reads after the month's matches ----
last=07-after-3d
open() {
    click "$1" "$2"
    # The pointer rests off the screen's figures, so no tooltip covers them in the shot.
    xdotool mousemove --sync $((left + 760)) $((top + 62))
    expect 30 "$3" "the $4 did not open" changed_since "$last" "$screen_area" 5000
    last=$3
}
open 90 569 08-day-leaders "match day's side panel"
open 90 93 09-overview "club overview"
open 90 467 10-statistics "statistics"
open 942 121 11-comparison "player comparison"
open 90 535 12-news "news"
open 382 121 13-indicators "indicators"
click 90 700 # Save career
expect 30 14-saved "the header does not say the career was saved" changed_since 13-indicators 200x20+820+36 100
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""

# ---- The saved career through the same screens, held against its records ----
saved_career Probe
perl "$records" "$saved" "$saved/MainData" >"$out/records.txt" || fail "the saved records could not be read"
(cd "$work" && ./probe --data . --load Probe --dump-date --open ID_CLUBOVERVIEW --dump ID_OV_LEADERS \
    --open ID_STATISTICS --dump ID_ST_PLAYERS --open ID_STATSCOMPARE --select ID_SC_LEFT_CATEGORY 1 \
    --dump ID_SC_LEFT_GRID --open ID_INDICATORS --dump ID_INDICATORS >"$out/screens.txt" 2>&1) ||
    fail "the probe could not read the saved career ($(tail -n 1 "$out/screens.txt"))"
perl "$records" "$saved" >"$out/squad.txt" || fail "the squad's records could not be read"
grep -Eq '^[^|]*[|]2[|]' "$out/squad.txt" || fail "no player of the squad has the two matches in his records"
# Each of the two matches gave the squad 5 x 48 minutes on court (more after an overtime), and only
# the few hurt in a ball contest are booked out.
squad_minutes "$saved" 2
few_hurt "$saved"
# rows <grid id>: the grid's rows from the probe's dump, cells split by '|' without their quotes.
rows() {
    sed -n "/ $1 Grid/,/^[0-9]/p" "$out/screens.txt" | grep '^ *row ' |
        sed -E 's/^ *row [0-9]+: "//; s/"$//; s/" \| "/|/g'
}
# The comparison's rebounds, for every player of every club who has played: offensive, defensive and
# the total as the records hold them; and every club that has played shows rebounds.
rows ID_SC_LEFT_GRID >"$out/comparison.txt"
[ -s "$out/comparison.txt" ] || fail "the comparison lists nobody"
wrong=$(awk -F'|' 'NR == FNR { seen[$1]++; want[$1] = $5 " " $6 " " $7; next }
    $4 != "0" && seen[$2] == 1 && want[$2] != $6 " " $8 " " $10 {
        print $2 " (" $3 "): shown " $6 " " $8 " " $10 ", recorded " want[$2] }' \
    "$out/records.txt" "$out/comparison.txt")
[ -z "$wrong" ] || fail "the comparison's rebounds differ from the records: $wrong"
clubs=$(awk -F'|' '$4 != "0" { print $3 }' "$out/comparison.txt" | sort -u | wc -l)
rebounding=$(awk -F'|' '$10 > 0 { print $3 }' "$out/comparison.txt" | sort -u | wc -l)
[ "$clubs" -ge 8 ] || fail "only $clubs clubs have played in the comparison"
[ "$rebounding" -eq "$clubs" ] || fail "$((clubs - rebounding)) of $clubs clubs show no rebound in the comparison"
# The statistics' player list (the standings' first club): games and points a game as the records
# hold them.
rows ID_ST_PLAYERS >"$out/statistics.txt"
[ -s "$out/statistics.txt" ] || fail "the statistics list no players"
wrong=$(awk -F'|' 'NR == FNR { seen[$1]++; games[$1] = $2; ppg[$1] = $2 ? sprintf("%.2f", $4 / $2) : "0.00"; next }
    seen[$2] == 1 && ($5 + 0 != games[$2] || $7 != ppg[$2]) {
        print $2 ": shown " $5 " games, " $7 " points a game; recorded " games[$2] ", " ppg[$2] }
    !($2 in games) && $5 + 0 > 0 { print $2 ": shown with games, no records" }' \
    "$out/records.txt" "$out/statistics.txt")
[ -z "$wrong" ] || fail "the statistics differ from the records: $wrong"
# The overview's leaders: the best points, rebounds a game of the squad, and the player named.
rows ID_OV_LEADERS >"$out/leaders.txt"
for figure in "Points 4" "Rebounds 7"; do
    set -- $figure
    best=$(awk -F'|' -v c="$2" '$2 > 0 { v = $c / $2; if (v > best) { best = v; who = $1 } }
        END { printf "%.2f|%s\n", best, who }' "$out/squad.txt")
    shown=$(awk -F'|' -v f="$1" '$1 == f { print $2 "|" $3 }' "$out/leaders.txt")
    [ "$shown" = "$best" ] || fail "the overview's $1 leader reads '$shown', the records '$best'"
done
# The indicators: each percentage as the club's opinion row holds it, the arrow up or down as the
# value rose or fell against the morning's reference, and none while it has not moved.
club=$(perl -e 'local $/; open(my $f, "<:raw", $ARGV[0]) or die; my ($n, $id) = unpack("l<l<", <$f>); print $id' \
    "$saved/teamlist.dat") || fail "the saved club could not be read"
opinion=$(perl -e 'local $/; open(my $f, "<:raw", $ARGV[0]) or die; my $b = <$f>;
    for my $r (0 .. unpack("l<", $b) - 1) { my @v = unpack("l<7", substr($b, 4 + 28 * $r, 28));
        print "@v[1..6]" if $v[0] == $ARGV[1] }' "$saved/MainData/teamopinions.dat" "$club")
read -r -a values <<<"$opinion"
[ "${#values[@]}" -eq 6 ] || fail "the club $club has no opinion row in the records"
for k in 1 2 3; do
    value=${values[$((k - 1))]}
    reference=${values[$((k + 2))]}
    grep -q "ID_IND_PERCENT_$k Static visible enabled \"$value%\"" "$out/screens.txt" ||
        fail "indicator $k does not show the recorded $value%"
    if [ "$value" -eq "$reference" ]; then
        grep -q "ID_IND_ARROW_$k Picture hidden " "$out/screens.txt" ||
            fail "indicator $k shows an arrow though it stands at the morning's $value%"
        continue
    fi
    arrow=up
    [ "$value" -lt "$reference" ] && arrow=down
    grep -Eq "ID_IND_ARROW_$k Picture visible .*[\\]$arrow\.png" "$out/screens.txt" ||
        fail "indicator $k's arrow is not $arrow ($value% against $reference% in the morning)"
done
echo "PASSED: first month session ($clubs clubs in the comparison), screenshots in $out"
