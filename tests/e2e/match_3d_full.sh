#!/usr/bin/env bash
# A whole 3D match watched in a real window under Xvfb, at normal speed on the display's quick
# clock: a First Division club (its hall has the video cube) plays its first match to the end.
# The user's five on court start at five fouls (FB_MATCH_FOUL_TROUBLE), so a sixth foul comes
# early: its message stands in front of the tactics window, which opens with his change offered
# (he is listed on the bench, in red, the freshest fit bench player on court in his place; an older
# build listed him on court and the session swapped him there), Escape leaves the window and play
# goes on without him. The quarter breaks are answered, the final score is checked in the game's log
# and the day panel shows the result. (The other hall family is arenas_session.sh's, run beside
# this one.) Each step waits with a bound for what it must show; the screenshots are left in the
# artefact folder.
# With FB_HANDS_OFF=1 the match is watched at Fast and nobody changes a player by hand: the game
# rests the user's tired players as the computer's; a player who must leave (hurt, six fouls) goes
# off for the change the window offers. The display stops after each change of the user's side
# (FB_MATCH_STOP_AFTER_CHANGE: the game's log names the change and the five on court with their
# places) and the tactics window is opened, looked at (07-tactics-change-NN: five on court, none of
# them hurt or fouled out, each in a place of his own) and closed; the final whistle holds the
# display for the final score and box scores (07-final-box-score). Afterwards the line-up (09-squad) must list no player the
# match wore out, and the statistics show the club's players' minutes (11-club-minutes); the career
# is saved and the probe reads the same lists: minutes as mm:ss adding up to 240:00 (25:00 more an
# overtime), at most a knock or two marked "(inj)".
#   match_3d_full.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2" compare convert
# The quick clock: a match second every 1/144 of a wall second (20 seconds for the match's 48),
# however slowly the frames are drawn (a frame plays as many steps as its time owes). The result does
# not hang on it: the match plays the same steps at any pace, and every answer the session gives
# waits on a paused match.
export FB_MATCH_CLOCK_SCALE="${FB_MATCH_CLOCK_SCALE:-144}"
hands_off="${FB_HANDS_OFF:-}"
[ -n "$hands_off" ] || export FB_MATCH_FOUL_TROUBLE=1
[ -z "$hands_off" ] || export FB_MATCH_STOP_AFTER_CHANGE=1

set_option Enable3DSimulation 1
set_option EnableFastSimulation 0
set_option EnableVideoCube 1

# What the match display shows, on the screen's own pixels (the match's windows as session.sh reads
# them).
hud_up() { match_hud_up "$1"; }
hud_gone() { ! hud_up "$1"; }
tactics_closed() { ! tactics_open "$1"; }
break_closed() { ! break_open "$1"; }
popup_closed() { ! popup_open "$1"; }
# The display's own list of the user's bench names someone in red: the home side's bench (left,
# under its five) or the visitors' (at the foot of the lists), as the user's club plays at home or
# away. Only the user's five are kept in foul trouble.
hud_bench_red() { shows_colour "$1" 130x70+12+323 '#FF0000' 40 15 || shows_colour "$1" 130x62+12+503 '#FF0000' 40 15; }
# The first on-court row (of five, 22 pixels apart from y 336) whose player must leave.
red_court_row() {
    local row
    for row in 0 1 2 3 4; do
        red_name "$1" $((329 + 22 * row)) && { echo "$row"; return 0; }
    done
    return 1
}
court_fit() { ! red_court_row "$1" >/dev/null; }
# The court row $2 lists a player who may play.
row_fit() { ! red_name "$1" $((329 + 22 * $2)); }
# The first bench row (from y 480) whose player may come on.
fit_bench_row() {
    local row
    for row in 0 1 2 3 4 5 6; do
        red_name "$1" $((473 + 22 * row)) || { echo "$row"; return 0; }
    done
    return 1
}
# The first bench row whose player is hurt or fouled out.
red_bench_row() {
    local row
    for row in 0 1 2 3 4 5 6; do
        red_name "$1" $((473 + 22 * row)) && { echo "$row"; return 0; }
    done
    return 1
}
# Stamina is drawn green from 60 up: the tired show yellow or red.
fresh() { shows_colour "$1" 50x16+$2+$3 '#00FF00' 10 15; }
# after_swap <seconds> <shot> <check> [its arguments after the shot]: what the window answered to
# Swap players. The lists show a change at once (the check passes: 0); a swap made while another
# change is under way is refused instead with a message in front of the tactics window, which OK
# closes (1); nothing within the seconds given is 2.
after_swap() {
    local deadline=$((SECONDS + $1)) name=$2 check=$3
    shift 3
    while :; do
        shot "$name"
        if popup_open "$name"; then
            [ -f "$out/05-swap-must-wait.png" ] || cp "$out/$name.png" "$out/05-swap-must-wait.png"
            tactics_open "$name" || fail "the refused swap's message stands without the tactics window (see $out/$name.png)"
            press 512 439 # OK
            expect 15 "$name" "the refused swap's message did not close" popup_closed
            return 1
        fi
        "$check" "$name" "$@" && return 0
        [ "$SECONDS" -ge "$deadline" ] && return 2
        sleep 0.25
    done
}
# The court row $2 lists a fresh player.
row_fresh() { fresh "$1" 510 $((329 + 22 * $2)); }
# A user rests his tired players as the computer does its own: in the tactics window each tired
# player on court is swapped for the first fresh bench player; the lists show each change at once.
rest_tired() {
    local row bench
    for row in 0 1 2 3 4; do
        shot rest
        fresh rest 510 $((329 + 22 * row)) && continue
        red_name rest $((329 + 22 * row)) && continue
        for bench in 0 1 2 3 4 5 6; do
            if fresh rest 458 $((473 + 22 * bench)) && ! red_name rest $((473 + 22 * bench)); then
                press 300 $((336 + 22 * row))
                press 300 $((480 + 22 * bench))
                press 294 704 # Swap players
                # While the computer's own change is under way the swap is refused with a message:
                # the player reads it and the match goes on without the change.
                local answer=0
                after_swap 5 rest row_fresh "$row" || answer=$?
                [ "$answer" -eq 1 ] && return 0
                break
            fi
        done
    done
}
# The line-up window: its two captions, "Starting five" and "Squad".
lineup_up() { shows_colour "$1" 120x14+204+113 '#FFD166' 150 10 && shows_colour "$1" 60x14+204+257 '#FFD166' 80 10; }
# A name drawn red in the line-up's starting five or squad: a hurt player.
hurt_listed() { shows_colour "$1" 125x92+206+153 '#FF0000' 40 15 || shows_colour "$1" 125x128+206+297 '#FF0000' 40 15; }
# The statistics window: its Standings tab chosen, and the players' list below.
statistics_up() { shows_colour "$1" 80x16+524+112 '#FFD166' 80 10 && shows_colour "$1" 560x14+204+417 '#223042' 4000 5; }
# The standings row (of eight, 20 pixels apart from y 173) drawn green: the user's club.
user_standings_row() {
    local row
    for row in 0 1 2 3 4 5 6 7; do
        shows_colour "$1" 140x14+238+$((166 + 20 * row)) '#00FF00' 40 15 && { echo "$row"; return 0; }
    done
    return 1
}
# The display logs each free-throw series as it begins and ends, by the second of the match its
# clock reads: every series the match played kept the clock standing (both seconds the same), and
# none was still owed when the match ended.
free_throws_kept_the_clock() {
    local lines moved
    wait_for_text "\[CMatchHud\] free throws over at second" "$work/log.txt" 30 ||
        fail "no free-throw series was logged"
    lines=$(grep -o '\[CMatchHud\] free throws [a-z]* at second [0-9]*' "$work/log.txt")
    moved=$(echo "$lines" | awk '$4 == "begin" { start = $7 } $4 == "over" && $7 != start { n++ } END { print n + 0 }')
    [ "$moved" -eq 0 ] || fail "the clock ran during $moved free-throw series: $(echo "$lines" | tr '\n' ';')"
    [[ "$(echo "$lines" | tail -1)" == *" over "* ]] || fail "the match ended with free throws owed"
    echo "free-throw series with the clock standing: $(echo "$lines" | grep -c ' over ')"
}
# The changes of the user's side the game has logged; each stopped the display.
change_lines() { grep "\[CMatch3DView\] change [0-9]* of the user's side" "$work/log.txt" 2>/dev/null || true; }
changes_logged() { change_lines | wc -l; }
changes_seen=0
# The five court rows each list a player who may play: the list fills from the top, so a name in
# the fifth row means five, and none of them is drawn red (hurt or fouled out).
five_fit_listed() {
    shows_colour "$1" 170x16+206+417 '#E8ECF2' 30 15 && ! shows_colour "$1" 170x104+206+329 '#FF0000' 40 15
}
# expect_soon: expect, looking five times as often, for the windows the session opens and closes
# after every change.
expect_soon() {
    local seconds=$1 name=$2 what=$3 check=$4
    shift 4
    local deadline=$((SECONDS + seconds))
    until shot "$name" && "$check" "$name" "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && fail "$what (see $out/$name.png)"
        sleep 0.1
    done
}
# note_changes <shot of the open tactics window>: the window after the changes not yet looked at,
# kept as 07-tactics-change-NN (the newest change's number, two made at once showing together).
# It lists five on court, none hurt or fouled out, and the log places the five each in a place of
# his own.
note_changes() {
    local logged line number places
    logged=$(changes_logged)
    [ "$logged" -gt "$changes_seen" ] || return 0
    changes_seen=$logged
    line=$(change_lines | tail -1)
    number=$(echo "$line" | sed -E "s/.*change ([0-9]+) of the user's side.*/\1/")
    cp "$out/$1.png" "$out/$(printf '07-tactics-change-%02d' "$number").png"
    echo "change $number:${line#*user\'s side}"
    five_fit_listed "$1" || fail "the tactics window does not list five on court who may play after change $number (see $out/$1.png)"
    places=$(echo "${line##*; on court }" | grep -o '([A-Z]*)' | sort -u | wc -l)
    [ "$places" -eq 5 ] || fail "the five after change $number do not each hold a place of his own: $line"
}
# The tactics window's caption bar, from a grab of that strip alone (a whole screenshot takes
# several times as long): a quick look for the window's close.
caption_strip_shown() {
    import -window root -crop 280x16+720+78 "$out/caption-strip.png" 2>/dev/null || return 1
    [ "$(convert "$out/caption-strip.png" -fuzz 2% -fill black +opaque "$caption" -fill white -opaque "$caption" \
        -format '%[fx:round(mean*w*h)]' info:)" -ge 3800 ]
}
# No message, quarter break or window stands over the display: the captions' strips, from a grab
# of the part of the screen that holds them.
captions_clear() {
    import -window root -crop 480x244+522+78 "$out/captions.png" 2>/dev/null || return 1
    local strip
    for strip in 280x16+198+0 180x18+0+225 180x14+0+210; do
        [ "$(convert "$out/captions.png" +repage -crop "$strip" +repage -fuzz 2% -fill black +opaque "$caption" \
            -fill white -opaque "$caption" -format '%[fx:round(mean*w*h)]' info:)" -lt 1000 ] || return 1
    done
}
# After a look the match plays on: the next change, waited for on the log for a second or two, is
# looked at at once when nothing else stands on the screen; else the main loop looks.
next_change_soon() {
    # The cube is looked at first, at the first break.
    [ -f "$out/03-cube-score.png" ] || return 1
    local deadline=$((SECONDS + 2))
    while [ "$(changes_logged)" -le "$changes_seen" ]; do
        final_held && return 1
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
    captions_clear
}
# The display stopped after a change: the tactics window opened, looked at and closed again, and
# play goes on; so for each change that follows soon.
look_at_changes() {
    while :; do
        press 263 167 # Tactics
        expect_soon 15 change "the tactics window did not open after a change" tactics_open
        # A message that came with the change stands in front: the main loop answers it first.
        ! popup_open change || return 0
        note_changes change
        xdotool key --window "$window" Escape
        local deadline=$((SECONDS + 15))
        while caption_strip_shown; do
            [ "$SECONDS" -ge "$deadline" ] && { shot look; fail "Escape did not close the tactics window (see $out/look.png)"; }
            sleep 0.05
        done
        play
        next_change_soon || return 0
    done
}
# The display holds the final whistle: the score bar and both box scores, the home side's five
# and bench over the visitors'. A left list's rows: names in white.
box_scores_listed() {
    hud_up "$1" && tactics_closed "$1" && shows_colour "$1" 100x70+12+220 '#E8ECF2' 150 15 &&
        shows_colour "$1" 100x70+12+418 '#E8ECF2' 150 15
}
final_held() { grep -q 'final whistle held' "$work/log.txt" 2>/dev/null; }
final_seen=""

play() {
    if [ -n "$hands_off" ]; then press 176 96; else press 68 96; fi # Fast, or Play
    xdotool mousemove --sync $((left + 900)) $((top + 740))
}

# ---- A First Division club: the hall with the video cube, the whole match ----
new_career 626 "Sam Okafor" 12 # the list scrolled to its end: the last First Division club
press 90 608                   # Continue to the first match day
expect 180 01-arena "the arena's match display did not open" hud_up
settle 10
shot 01-arena
play # the tip-off
# The cube hangs over the centre circle, where the second camera looks at it (its place on the
# screen differs from hall to hall): its face shows the display's score bar.
cube_in_view() { popup_closed "$1" && tactics_closed "$1" && break_closed "$1" && hud_up "$1"; }
# At the first quarter break, once its window is closed, the match waits for Play: nothing comes on
# the screen, so the second camera is looked at for as long as a slow machine takes to draw it. The
# session never depends on finding a quiet moment of play.
look_at_cube_held() {
    [ ! -f "$out/03-cube-score.png" ] || return 0
    shot before-cube
    press 140 130 # Camera 2
    xdotool mousemove --sync $((left + 900)) $((top + 740))
    expect 30 cube "the second camera showed nothing at the break" changed_since before-cube 1024x600+0+100 5000
    expect 30 cube "a window stands over the held match" cube_in_view
    cp "$out/cube.png" "$out/03-cube-score.png"
    press 56 130 # back to the first camera
    expect 30 look "the first camera did not come back" changed_since cube 1024x600+0+100 5000
}

# Play to the end, answering what the match asks.
over=""
fouls=0
deferred=0
breaks=0
# A slow machine draws fewer frames and looks less often: the match is given time, not a count of
# looks.
match_deadline=$((SECONDS + 1200))
while [ "$SECONDS" -lt "$match_deadline" ]; do
    shot look
    if hud_gone look; then
        over=1
        break
    fi
    if popup_open look; then
        fouls=$((fouls + 1))
        if [ "$fouls" -eq 1 ]; then
            cp "$out/look.png" "$out/04-sixth-foul.png"
            # The window for the change stands open behind the message, unless his change was
            # already under way: then the message says so and he is listed on the bench, in red.
            tactics_open look || hud_bench_red look ||
                fail "the tactics window did not open with the message (see $out/04-sixth-foul.png)"
        fi
        close_popup look
        continue
    fi
    if tactics_open look; then
        if row=$(red_court_row look); then
            # The player who must leave, for the first bench player who may play.
            bench=$(fit_bench_row look) || fail "nobody on the bench may come on (see $out/look.png)"
            press 300 $((336 + 22 * row))
            press 300 $((480 + 22 * bench))
            press 294 704 # Swap players
            # A change of the other side's under way takes no swap: the message says so, the window
            # lets the match go on, and the rules ask again once that change is done.
            answer=0
            after_swap 15 swapped court_fit || answer=$?
            if [ "$answer" -eq 0 ]; then
                [ -f "$out/05-swapped.png" ] || cp "$out/swapped.png" "$out/05-swapped.png"
                deferred=0
            else
                deferred=$((deferred + 1))
                [ "$deferred" -le 5 ] || fail "the player who must leave is still listed on court (see $out/swapped.png)"
            fi
        elif [ "$fouls" -ge 1 ] && [ ! -f "$out/05-swapped.png" ] && red_bench_row look >/dev/null; then
            # The window opened with his change offered: he stands on the bench, his substitute on
            # court, and Escape (Done) makes the change.
            cp "$out/look.png" "$out/05-swapped.png"
        fi
        [ -n "$hands_off" ] || rest_tired
        # A change made before the window opened is looked at here, once the window lists nobody
        # who must leave on court; else after play goes on.
        if [ -n "$hands_off" ]; then
            shot look
            ! court_fit look || note_changes look
        fi
        xdotool key --window "$window" Escape
        expect 15 look "Escape did not close the tactics window" tactics_closed
        play
        continue
    fi
    if break_open look && [ -n "$hands_off" ]; then
        breaks=$((breaks + 1))
        [ "$breaks" -eq 2 ] && cp "$out/look.png" "$out/06-half-time.png"
        close_break look
        look_at_cube_held
        # The five the automatic changes left on court, as the tactics window lists them; closed
        # again without a change.
        press 263 167
        expect 15 look "the tactics window did not open at the break" tactics_open
        cp "$out/look.png" "$out/06-tactics-break-$breaks.png"
        note_changes look
        xdotool key --window "$window" Escape
        expect 15 look "Escape did not close the tactics window" tactics_closed
        play
        continue
    fi
    if break_open look; then
        breaks=$((breaks + 1))
        [ "$breaks" -eq 2 ] && cp "$out/look.png" "$out/06-half-time.png"
        close_break look
        look_at_cube_held
        press 263 167 # Tactics: the tired take a rest
        expect 15 look "the tactics window did not open" tactics_open
        rest_tired
        # A player hurt as the quarter ended is listed in red on court: the window keeps him until
        # he is changed, so he goes off for the first bench player who may play. Two may be hurt
        # at once: each is changed in turn.
        shot look
        changes=0
        while row=$(red_court_row look); do
            changes=$((changes + 1))
            [ "$changes" -le 5 ] || fail "a hurt player is still listed on court at the break (see $out/look.png)"
            bench=$(fit_bench_row look) || fail "nobody on the bench may come on (see $out/look.png)"
            press 300 $((336 + 22 * row))
            press 300 $((480 + 22 * bench))
            press 294 704 # Swap players
            answer=0
            after_swap 15 swapped row_fit "$row" || answer=$?
            [ "$answer" -eq 1 ] && break
            [ "$answer" -eq 0 ] || fail "the hurt player was not changed at the break (see $out/swapped.png)"
            shot look
        done
        xdotool key --window "$window" Escape
        expect 15 look "Escape did not close the tactics window" tactics_closed
        play
        continue
    fi
    if [ -n "$hands_off" ] && [ -z "$final_seen" ] && final_held; then
        expect 15 07-final-box-score "the final score and box scores are not shown" box_scores_listed
        final_seen=1
        # Fast lets the end go on, after a last change's look if one came with the whistle.
        if [ "$(changes_logged)" -gt "$changes_seen" ]; then look_at_changes; else play; fi
        continue
    fi
    if [ -n "$hands_off" ] && [ "$(changes_logged)" -gt "$changes_seen" ]; then
        look_at_changes
        continue
    fi
    # The first points on the board (the cube shows them at the first break).
    if [ ! -f "$out/02-score.png" ]; then
        changed_from 01-arena look 200x40+412+0 30 && cp "$out/look.png" "$out/02-score.png"
    fi
    sleep 0.5
done
[ -n "$over" ] || fail "the match did not end"
[ -f "$out/02-score.png" ] || fail "the score never changed"
[ -f "$out/03-cube-score.png" ] || fail "the cube was never in view (see $out/cube.png)"
if [ -z "$hands_off" ]; then
    [ "$fouls" -ge 1 ] || fail "no sixth foul was announced"
    [ -f "$out/05-swapped.png" ] || fail "the tactics window neither offered nor took a change for the player who must leave"
fi
[ "$breaks" -ge 3 ] || fail "only $breaks quarter breaks were seen"
if [ -n "$hands_off" ]; then
    [ -n "$final_seen" ] || fail "the final whistle did not hold the display"
    [ "$changes_seen" -ge 1 ] || fail "no change of the user's side was made"
    [ "$changes_seen" -eq "$(changes_logged)" ] || fail "$(changes_logged) changes were made, $changes_seen looked at"
fi
wait_for_text "recorded" "$work/log.txt" 30 || fail "the match was not recorded"
free_throws_kept_the_clock
result=$(grep -o '\] .* [0-9]* - [0-9]* .* recorded' "$work/log.txt" | tail -1 | sed 's/^\] //')
home=$(echo "$result" | sed -E 's/.* ([0-9]+) - ([0-9]+) .*/\1/')
away=$(echo "$result" | sed -E 's/.* ([0-9]+) - ([0-9]+) .*/\2/')
echo "final score: $result"
# A side worn out by fouls-out, injuries and tired legs scores little, but still scores.
for points in "$home" "$away"; do
    [ "$points" -ge 25 ] && [ "$points" -le 150 ] || fail "an unlikely final score: $result"
done
[ $((home + away)) -ge 100 ] || fail "an unlikely final score: $result"
[ "$home" -ne "$away" ] || fail "the match ended level: $result"
settle 30
shot 07-after-match
click 90 568 2 # Match day: the day panel with the result
shot 08-day-panel
if [ -n "$hands_off" ]; then
    # The squad after the match, in the line-up window: the game rested the tired, so nobody is
    # listed hurt ("(inj)", the name in red) for being worn out; a knock in a ball contest may be.
    click 90 127 2 # Line-up
    expect 30 09-squad "the line-up window did not open" lineup_up
    hurt_shown=0
    hurt_listed 09-squad && hurt_shown=1
    # The statistics, the user's club chosen in the standings (its row is drawn green): its players'
    # minutes in the match, as time on court.
    click 90 466 2 # Statistics
    expect 30 10-statistics "the statistics did not open" statistics_up
    club_row=$(user_standings_row 10-statistics) || fail "the club is not in the standings (see $out/10-statistics.png)"
    if [ "$club_row" -gt 0 ]; then
        press 300 $((173 + 20 * club_row))
        expect_after 15 10-statistics 11-club-minutes "the club's players were not listed" 560x220+204+436 200
    else
        cp "$out/10-statistics.png" "$out/11-club-minutes.png"
    fi
    click 90 700 # Save career
    expect 30 12-saved "the header does not say the career was saved" changed_since 11-club-minutes 200x20+820+36 100
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
    # The saved career through the same screens: what the lists say in words and figures.
    (cd "$work" && ./probe --data . --load "Sam Okafor" --open ID_LINEUP --dump ID_LU_STARTERS --dump ID_LU_SQUAD \
        --open ID_STATISTICS --select ID_ST_STANDINGS "$club_row" --dump ID_ST_STANDINGS --dump ID_ST_PLAYERS \
        >"$out/after-match.txt" 2>&1) || fail "the probe could not read the saved career ($(tail -n 1 "$out/after-match.txt"))"
    grid_rows() {
        sed -n "/ $1 Grid/,/^[0-9]/p" "$out/after-match.txt" | grep '^ *row ' |
            sed -E 's/^ *row [0-9]+: "//; s/"$//; s/" \| "/|/g'
    }
    squad=$( (grid_rows ID_LU_STARTERS; grid_rows ID_LU_SQUAD) | wc -l)
    [ "$squad" -ge 10 ] || fail "the line-up lists $squad players"
    hurt=$( (grid_rows ID_LU_STARTERS; grid_rows ID_LU_SQUAD) | grep -c '(inj)' || true)
    [ "$hurt" -eq 0 ] || [ "$hurt_shown" -eq 1 ] || fail "the line-up lists $hurt hurt, the window showed none"
    # Worn out, nine of twelve were once booked hurt: a knock or two in a match is the most.
    [ "$hurt" -le 2 ] || fail "$hurt of the squad are listed hurt after the match (see $out/09-squad.png)"
    # Every player's minutes read mm:ss; those who played add up to five players' 48 minutes, with
    # 25 more for each overtime.
    grid_rows ID_ST_PLAYERS >"$out/club-minutes.txt"
    [ "$(wc -l <"$out/club-minutes.txt")" -eq "$squad" ] || fail "the statistics list another squad than the line-up"
    bad=$(awk -F'|' '$6 !~ /^[0-9]+:[0-5][0-9]$/ { print $2 ": " $6 }' "$out/club-minutes.txt")
    [ -z "$bad" ] || fail "minutes that do not read as time on court: $bad"
    seconds=$(awk -F'|' '{ split($6, t, ":"); s += 60 * t[1] + t[2] } END { print s + 0 }' "$out/club-minutes.txt")
    [ "$seconds" -ge 14400 ] && [ $(((seconds - 14400) % 1500)) -eq 0 ] ||
        fail "the club's minutes add up to $((seconds / 60)):$(printf %02d $((seconds % 60))), not 240:00 (+25:00 an overtime)"
    starters=$(awk -F'|' '{ split($6, t, ":"); print 60 * t[1] + t[2] }' "$out/club-minutes.txt" | sort -rn | head -5 |
        awk '{ s += $1 } END { printf "%d:%02d", s / 300, (s / 5) % 60 }')
    echo "after the match: $squad in the squad, $hurt listed hurt, minutes $((seconds / 60)):$(printf %02d $((seconds % 60))) in all, the five most $starters a player"
fi

echo "PASSED: whole 3D match session ($result, $fouls must-leave messages, $breaks breaks, $changes_seen changes looked at), screenshots in $out"
