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

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1

fail() {
    echo "FAILED: $*"
    [ -f "$work/log.txt" ] && tail -20 "$work/log.txt"
    exit 1
}
shot() { import -window root "$out/$1.png"; }
start_game() {
    (cd "$work" && SDL_AUDIODRIVER=dummy exec ./fastbreak) &
    game_pid=$!
    for _ in $(seq 1 50); do
        window=$(xdotool search --name '^Fastbreak$' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || fail "the game window did not open"
}
click() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.3
    xdotool click 1
    sleep "${3:-1}"
}

start_game
sleep 1
shot 01-intro
xdotool key --window "$window" space
sleep 3
shot 02-main-menu

click 512 390 2          # New career
shot 03-new-career
click 182 362            # the fourth club of the list
click 812 202 0.3        # manager name
for _ in $(seq 1 12); do xdotool key --window "$window" BackSpace; done
xdotool type --window "$window" "Dana Reyes"
sleep 0.5
shot 04-club-chosen
click 812 634 5          # Start career
shot 05-career-frame
click 90 608 6           # Continue to the first match day
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
sleep 3
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
