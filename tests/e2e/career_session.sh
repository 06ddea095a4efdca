#!/usr/bin/env bash
# A player's first session, in a real window under Xvfb: the intro, the main menu, a new career,
# saving it, quitting, loading it again in a fresh start and deleting it. Screenshots of each step
# are left in the artefact folder.
#   career_session.sh <game folder> <artefact folder>
set -euo pipefail
game="$1"
out="$2"
for tool in Xvfb xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed"
        exit 0
    fi
done
rm -rf "$out"
mkdir -p "$out"
# A copy of the game folder, so the session's careers never touch the build's own.
work="$out/game"
cp -r "$game" "$work"
rm -rf "$work/data/profiles"
mkdir -p "$work/data/profiles"
: > "$work/data/profiles/profilelist.dat"
rm -f "$work/log.txt"
# The user's match is played at once here; tests/e2e/match_centre.sh watches one.
sed -i 's/^EnableFastSimulation=.*/EnableFastSimulation=1/' "$work/guifiles/Options.ini"

# Xvfb picks a free display itself and tells us which.
displayfile="$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 50); do
    [ -s "$displayfile" ] && break
    sleep 0.1
done
[ -s "$displayfile" ] || { echo "FAILED: Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$displayfile")"
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*"
    [ -f "$work/log.txt" ] && tail -20 "$work/log.txt"
    exit 1
}
shot() { import -window root "$out/$1.png"; }
# Waits until the screen stops changing (three equal looks in a row), at most $1 seconds: a busy
# machine may take longer to build a career or play a day than any fixed pause allows.
settle() {
    local last="" same=0 now
    for _ in $(seq 1 $(( ${1:-20} * 4 ))); do
        now=$(import -window root -depth 8 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1)
        if [ "$now" = "$last" ]; then
            same=$((same + 1))
            [ "$same" -ge 3 ] && return 0
        else
            same=0
        fi
        last="$now"
        sleep 0.25
    done
}
# Waits until a file holds a text, at most $3 seconds.
wait_for_text() {
    for _ in $(seq 1 $(( ${3:-20} * 4 ))); do
        grep -q "$1" "$2" 2>/dev/null && return 0
        sleep 0.25
    done
    return 1
}
start_game() {
    (cd "$work" && SDL_AUDIODRIVER=dummy exec ./fastbreak) &
    game_pid=$!
    for _ in $(seq 1 50); do
        window=$(xdotool search --onlyvisible --name '^Fastbreak$' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || fail "the game window did not open"
    # Clicks go to screen positions: the window's corner plus the game's own coordinates.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    left=$X
    top=$Y
}
click() {
    xdotool mousemove --sync $((left + $1)) $((top + $2))
    sleep 0.3
    xdotool click 1
    sleep "${3:-0.5}"
    settle 30
}

start_game
sleep 1
shot 01-intro
xdotool key --window "$window" space
sleep 1
settle 60
shot 02-main-menu

click 512 390 2          # New career
shot 03-new-career
click 182 362            # the fourth club of the list
click 812 202 0.3        # manager name
for _ in $(seq 1 12); do xdotool key --window "$window" BackSpace; done
xdotool type --window "$window" "Dana Reyes"
sleep 0.5
shot 04-club-chosen
click 812 634 1          # Start career
wait_for_text "Dana Reyes" "$work/data/profiles/profilelist.dat" 60 || fail "the new career was not created"
settle 30
shot 05-career-frame
click 90 608 2           # Continue to the first match day
shot 05b-first-match-day
click 90 700 2           # Save career
shot 06-saved
click 90 734 2           # Main menu (saves and leaves)
shot 07-back-in-menu
grep -q "Dana Reyes" "$work/data/profiles/profilelist.dat" || fail "the career is not in the list of careers"
click 512 570 1          # Quit
sleep 1
if kill -0 "$game_pid" 2>/dev/null; then fail "Quit did not end the game"; fi
wait "$game_pid" && code=0 || code=$?
[ "$code" -eq 0 ] || fail "Quit ended the game with exit code $code"
game_pid=""

start_game
sleep 1
xdotool key --window "$window" Escape
sleep 1
settle 60
click 512 445 2          # Load career
shot 08-saved-careers
click 812 642 3          # Load
shot 09-loaded-career
click 90 734 2           # Main menu
click 512 445 2          # Load career
click 642 642 1          # Delete
shot 10-delete-question
click 432 445 2          # Yes
shot 11-deleted
grep -q "Dana Reyes" "$work/data/profiles/profilelist.dat" && fail "the deleted career is still listed"
if ls "$work/data/profiles" | grep -qi dana; then fail "the deleted career's folder is still there"; fi
click 512 570 1          # Quit
echo "PASSED: career session, screenshots in $out"
