#!/usr/bin/env bash
# The stadium in a real window: a new career with a second-division club, the stadium screen, an
# order of the arena hall's second stage through the question, two days of building and the club
# overview. Usage: stadium_session.sh <game folder> <output folder>; look at the screenshots.
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
work="$out/game"
cp -r "$game" "$work"
rm -rf "$work/data/profiles"
mkdir -p "$work/data/profiles"
: > "$work/data/profiles/profilelist.dat"
rm -f "$work/log.txt"

source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

start_game
sleep 1
xdotool key --window "$window" space
sleep 1
settle 60
click 512 390 2          # New career
click 182 554            # Marlow Wolves, second division
click 812 634 1          # Start career
wait_for_text "Manager" "$work/data/profiles/profilelist.dat" 60 || fail "the new career was not created"
settle 30
shot 04-career-frame
click 90 432 2           # Stadium
shot 05-stadium
click 297 141            # Arena hall, stage 2
click 411 141 1          # Build
shot 06-question
click 255 220 1          # Yes
shot 07-ordered
click 90 646 3           # Next day
click 90 646 3           # Next day
click 90 432 2           # Stadium
shot 08-building
click 90 92 2            # Club
shot 09-overview
echo "PASSED: stadium session, screenshots in $out"
