#!/usr/bin/env bash
# A league season's first match in a real window under Xvfb, watched on the drawn court: a new
# career, fast play to the end (each quarter break left by Fast alone, its window gone from the
# running court; a player who must leave changed),
# Finish, and the career saved; its records hold the match with five players' 48 minutes on court
# and few hurt. The month goes on in first_month_session.sh (the arena, the screens a manager reads,
# every figure against the records), which starts from a career whose first match was played at
# once, so the two run side by side. Screenshots are left in the artefact folder.
#   first_month_2d_session.sh <game folder> <artefact folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/first_month_checks.sh"
begin_session "$1" "$2" compare perl
# Fast plays 15 ticks a frame: at the sessions' 25 frames a second the match alone took four and a
# half minutes (three at the game's own pace on a busy machine). The quick clock plays six times as
# many ticks a frame; the match stops a frame's run at every break and message as before.
export FB_MATCH_CLOCK_SCALE="${FB_MATCH_CLOCK_SCALE:-6}"

set_option Enable3DSimulation 0
set_option EnableFastSimulation 0

screen_area=820x680+196+76

new_career 362 "Sam Okafor" # the fourth club of the list
click 90 608                # Continue to the first match day
expect_after 60 05-career-frame 01-match-centre "the match centre did not open" 320x620+352+100 20000
settle 30
shot 01-match-centre
over=""
breaks=0
# court_runs_clear <shot> <break shot>: the match clock moved on since the break, and the break's
# window no longer stands over the court.
court_runs_clear() { changed_since "$1" "$2" 320x22+352+76 1 && ! break_open "$1"; }
cp "$out/01-match-centre.png" "$out/previous.png"
# A slow machine looks less often: the match is given time, not a count of looks.
match_deadline=$((SECONDS + 1200))
while [ "$SECONDS" -lt "$match_deadline" ]; do
    shot look
    if popup_open look; then
        [ -f "$out/02-must-leave-2d.png" ] || cp "$out/look.png" "$out/02-must-leave-2d.png"
        close_popup look # a must-leave message
        continue
    fi
    if tactics_open look; then
        change_unfit
        press 606 704 # Done
        expect 15 look "Done did not close the tactics window" tactics_answered
        continue
    fi
    # The finish button lights up once the match is over.
    if [ "$(differs 01-match-centre look 300x26+26+180)" -gt 300 ]; then
        over=1
        break
    fi
    # A quarter break is left by Fast alone, not by its "Back to the game": the break's window
    # closes as play starts again, and the clock runs with no window over the court (the window
    # stood over the running court to the final whistle once).
    if break_open look; then
        breaks=$((breaks + 1))
        cp "$out/look.png" "$out/02b-quarter-break-$breaks.png"
        press 174 116 # Fast
        xdotool mousemove --sync $((left + 900)) $((top + 20))
        expect 60 "02c-fast-after-break-$breaks" "Fast at quarter break $breaks left its window over the court" \
            court_runs_clear "02b-quarter-break-$breaks"
        cp "$out/02c-fast-after-break-$breaks.png" "$out/previous.png"
        continue
    fi
    # Play stands still with none of those windows up (before the first Fast, after a change, or
    # under a staff remark's window): Fast plays on. A running match is left alone, so no click
    # lands on a break's window that opened after the look.
    if ! changed_from previous look 320x22+352+76 1; then
        press 174 116 # Fast
        xdotool mousemove --sync $((left + 900)) $((top + 20))
    fi
    cp "$out/look.png" "$out/previous.png"
    sleep 1
done
[ -n "$over" ] || fail "the flat-court match did not end"
[ "$breaks" -ge 3 ] || fail "Fast was pressed at $breaks quarter breaks, not at all three"
cp "$out/look.png" "$out/03-match-centre-over.png"
click 176 193 # Finish
expect_after 30 03-match-centre-over 04-after-2d "Finish did not leave the match centre" "$screen_area" 20000
click 90 700 # Save career
expect 30 05-saved "the header does not say the career was saved" changed_since 04-after-2d 200x20+820+36 100
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""

saved_career "Sam Okafor"
squad_minutes "$saved" 1
few_hurt "$saved"
echo "PASSED: first month's watched flat-court match ($(cut -d' ' -f2 "$out/minutes.txt") seconds on court), screenshots in $out"
