#!/usr/bin/env bash
# A careful manager's first checks in a real window under Xvfb, matches played at once: a EuroCup
# group played to its last day and its table opened, then a league career's first two match days
# with the day panel's leaders, the indicators of that evening and the player comparison's fouls
# and blocks. Both careers are saved, and the probe reads them through the same screens: every table
# must rank by win share, then points difference, then points scored, with level rows marked; the
# clubs that only get quick results must show fouls and blocks; each indicator's arrow must follow
# its move. The window's world is seeded from the clock, so the rules are checked on whatever it
# shows. Screenshots are left in the artefact folder.
#   tables_session.sh <game folder> <artefact folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2" compare perl
# Matches played at once: the result only, never the 3D arena (which "result only" gives way to).
set_option Enable3DSimulation 0
set_option EnableFastSimulation 1

screen_area=820x680+196+76
date_area=300x30+362+5
results_area=780x250+205+165

last=""
save_career() {
    click 90 700
    expect 30 "$1" "the header does not say the career was saved" changed_since "$last" 200x20+820+36 100
    last=$1
}

# ---- A EuroCup group to its last day (three match days) and its table ----
to_main_menu
career 258 362 "Cup Checker" 03-cup-career # EuroCup, group A's strongest club
last=03-cup-career
for day in 1 2 3; do match_day "04-cup-day-$day"; done
open 90 467 05-cup-table "statistics"
# The table lists the group's four clubs, the first row picked.
shows_colour 05-cup-table 540x24+205+162 '#704720' 5000 5 || fail "the group's table has no first row (see $out/05-cup-table.png)"
save_career 06-cup-saved
click 90 734 # Main menu
expect 30 07-menu "the main menu did not open" main_menu

# ---- A league career's first two match days: leaders, indicators, comparison ----
career 230 362 "League Checker" 08-league-career # league, the fourth club of the list
last=08-league-career
match_day 09-league-day-1
match_day 09-league-day
# The leaders' nine labels in yellow, each with a name beside it.
shows_colour 09-league-day 140x200+205+440 '#FFFF00' 600 || fail "the day panel shows no leaders (see $out/09-league-day.png)"
shows_colour 09-league-day 270x200+350+440 '#FFFFFF' 600 20 || fail "the day panel's leaders name nobody"
open 90 535 10-news "news"
open 382 121 11-indicators "indicators"
# A match evening: the result has moved the fans at least, so a green or red arrow shows.
arrows=$(($(colour_count 11-indicators 700x70+200+195 '#3CC85A') + $(colour_count 11-indicators 700x70+200+195 '#DC3C32')))
[ "$arrows" -ge 500 ] || fail "the indicators show no arrow on a match evening (see $out/11-indicators.png)"
open 90 467 12-statistics "statistics"
open 942 121 13-comparison "player comparison"
click 898 169 # the upper panel's category
click 898 351 # Fouls
open_after() { expect 30 "$1" "the comparison's $2 did not show" changed_since "$last" 810x230+188+190 3000; last=$1; }
xdotool mousemove --sync $((left + 760)) $((top + 62))
open_after 14-comparison-fouls fouls
click 898 169
click 898 455 # Points and rebounds
xdotool mousemove --sync $((left + 760)) $((top + 62))
open_after 15-comparison-blocks blocks
save_career 16-league-saved
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""

# ---- What the probe reads in the saved careers ----
probe() { (cd "$work" && ./probe --data . "$@" 2>&1); }
# rows <grid id> <dump>: the grid's rows, cells split by '|' without their quotes.
rows() {
    sed -n "/ $1 Grid/,/^ *[0-9]* ID_/p" "$2" | grep '^ *row ' |
        sed -E 's/^ *row [0-9]+: "//; s/"$//; s/" \| "/|/g'
}
# The cup's tables as saved on the groups' last day. Each group's: wins over games, then +/-, then
# points scored, never rising down the table; a row level with the one above on all three shares
# its rank, marked "=". A club out after the groups sees the rest played that day and the final
# ranking instead: how far each club went (the games it played) first, then the same rule.
probe --load "Cup Checker" --open ID_STATISTICS --dump ID_ST_COMPETITION >"$out/cup-competitions.txt" ||
    fail "the probe could not read the cup career ($(tail -n 1 "$out/cup-competitions.txt"))"
tables=$(grep -c '^  item [0-9]' "$out/cup-competitions.txt")
ranking=""
grep -q '^  item 0: "EuroCup - final ranking"' "$out/cup-competitions.txt" && ranking=1
[ "$tables" -eq 4 ] || [ -n "$ranking" ] || fail "the cup career shows $tables tables, neither the four groups nor the final ranking"
ties=""
for table in $(seq 0 $((tables - 1))); do
    probe --load "Cup Checker" --open ID_STATISTICS --select ID_ST_COMPETITION "$table" \
        --dump ID_ST_STANDINGS --dump ID_ST_LEVEL_NOTE >"$out/cup-table-$table.txt" ||
        fail "the probe could not read the cup's table $table"
    rows ID_ST_STANDINGS "$out/cup-table-$table.txt" >"$out/cup-rows-$table.txt"
    [ "$(wc -l <"$out/cup-rows-$table.txt")" -eq $((${ranking:-0} ? 16 : 4)) ] || fail "the cup's table $table is not whole"
    verdict=$(awk -F'|' -v ranking="$ranking" '{ g = $4; w = $5; d = $9 + 0; pf = $7; share = g ? w / g : 0
        # The final ranking: the finalists first (the champion above, whatever the record).
        if (ranking && NR > 1 && g > pg) { print "wrong order: " $2 " went further than " pname; exit }
        if (NR > 1 && !(ranking && (g != pg || g == 9))) {
            if (share > ps || (share == ps && (d > pd || (d == pd && pf > ppf))))
                { print "wrong order: " $2 " below " pname; exit }
            level = share == ps && d == pd && pf == ppf
            if (level != ($1 ~ /=/ && $1 == prank)) { print "level mark wrong at " $2; exit }
            if (share == ps && d != pd) print pname " (" prec ", " pd ") above " $2 " (" $10 ", " d ")"
        }
        pg = g; ps = share; pd = d; ppf = pf; pname = $2; prank = $1; prec = $10 }' "$out/cup-rows-$table.txt")
    if grep -Eq '^(wrong|level)' <<<"$verdict"; then
        fail "cup table $table: $(grep -E '^(wrong|level)' <<<"$verdict") (see $out/cup-table-$table.txt)"
    fi
    [ -z "$verdict" ] || ties="$ties; $(tr '\n' ';' <<<"$verdict")"
done
probe --load "League Checker" --dump-date --open ID_INDICATORS --dump ID_INDICATORS --open ID_STATSCOMPARE \
    --select ID_SC_LEFT_CATEGORY 6 --dump ID_SC_LEFT_GRID >"$out/league-fouls.txt" ||
    fail "the probe could not read the league career ($(tail -n 1 "$out/league-fouls.txt"))"
probe --load "League Checker" --open ID_STATSCOMPARE --select ID_SC_LEFT_CATEGORY 10 --dump ID_SC_LEFT_GRID \
    >"$out/league-blocks.txt" || fail "the probe could not read the league career's blocks"
grep -Eq '^[0-9]{2}[.](08|09|10|11)[.]2007$' "$out/league-fouls.txt" || fail "the league career was not saved in its first weeks"
# The user's club plays its matches on the engine; every other club that has played only gets
# quick results: each of those shows fouls, and blocks are booked across them.
user_club=$(grep -o 'Indicators / [^/]* / [^/]* /' "$out/league-fouls.txt" | cut -d/ -f3 | sed 's/^ //; s/ $//')
[ -n "$user_club" ] || fail "the indicators name no club"
rows ID_SC_LEFT_GRID "$out/league-fouls.txt" >"$out/fouls.txt"
rows ID_SC_LEFT_GRID "$out/league-blocks.txt" >"$out/blocks.txt"
awk -F'|' -v me="$user_club" '$3 != me && $4 > 0 { g[$3] += $4; pf[$3] += $6 }
    END { for (c in g) print c "|" pf[c] }' "$out/fouls.txt" | sort >"$out/club-fouls.txt"
awk -F'|' -v me="$user_club" '$3 != me && $4 > 0 { b[$3] += $9 }
    END { for (c in b) print c "|" b[c] }' "$out/blocks.txt" | sort >"$out/club-blocks.txt"
clubs=$(wc -l <"$out/club-fouls.txt")
[ "$clubs" -ge 3 ] || fail "only $clubs quick-result clubs have played"
no_fouls=$(awk -F'|' '$2 == 0' "$out/club-fouls.txt")
[ -z "$no_fouls" ] || fail "quick-result clubs without a foul: $no_fouls"
# A quick result books a block or two a side: over a few matches at least one a club on average.
blocks=$(awk -F'|' '{ n += $2 } END { print n + 0 }' "$out/club-blocks.txt")
[ "$blocks" -ge "$clubs" ] || fail "only $blocks blocks over $clubs quick-result clubs"
# The indicators of the match evening: each percentage as the club's opinion row holds it, the
# arrow up or down as it rose or fell against the morning's value, none where it did not move.
folder=$(grep "League Checker" "$work/data/profiles/profilelist.dat" | cut -d'|' -f2 | head -1)
saved="$work/data/profiles/$folder"
club=$(perl -e 'local $/; open(my $f, "<:raw", $ARGV[0]) or die; my ($n, $id) = unpack("l<l<", <$f>); print $id' \
    "$saved/teamlist.dat") || fail "the saved club could not be read"
read -r -a values <<<"$(perl -e 'local $/; open(my $f, "<:raw", $ARGV[0]) or die; my $b = <$f>;
    for my $r (0 .. unpack("l<", $b) - 1) { my @v = unpack("l<7", substr($b, 4 + 28 * $r, 28));
        print "@v[1..6]" if $v[0] == $ARGV[1] }' "$saved/MainData/teamopinions.dat" "$club")"
[ "${#values[@]}" -eq 6 ] || fail "the club $club has no opinion row in the records"
indicators=""
for k in 1 2 3; do
    value=${values[$((k - 1))]}
    reference=${values[$((k + 2))]}
    grep -q "ID_IND_PERCENT_$k Static visible enabled \"$value%\"" "$out/league-fouls.txt" ||
        fail "indicator $k does not show the recorded $value%"
    arrow=none
    [ "$value" -gt "$reference" ] && arrow=up
    [ "$value" -lt "$reference" ] && arrow=down
    if [ "$arrow" = none ]; then
        grep -q "ID_IND_ARROW_$k Picture hidden " "$out/league-fouls.txt" ||
            fail "indicator $k shows an arrow though it stands at the morning's $value%"
    else
        grep -Eq "ID_IND_ARROW_$k Picture visible .*[\\]$arrow\.png" "$out/league-fouls.txt" ||
            fail "indicator $k's arrow is not $arrow ($value% against $reference% in the morning)"
    fi
    indicators="$indicators $value% ($reference% in the morning, $arrow)"
done
echo "Indicators:$indicators"
echo "Cup ties broken by points difference${ties:-: none this time}"
echo "Quick-result clubs (fouls): $(tr '\n' ' ' <"$out/club-fouls.txt")"
echo "Quick-result clubs (blocks): $(tr '\n' ' ' <"$out/club-blocks.txt")"
echo "PASSED: tables session ($clubs quick-result clubs), screenshots in $out"
