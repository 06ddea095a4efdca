#!/usr/bin/env bash
# The indicators and the player information window in a real window under Xvfb: a new career opens
# the news, its Indicators tab, then the line-up's player window. Screenshots of each are left in
# the artefact folder.
#   info_session.sh <game folder> <artefact folder>
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
click 182 362            # the fourth club of the list
click 812 634 1          # Start career
settle 60
click 90 535 2           # News
click 382 121 2          # its Indicators tab
sleep 1
shot 01-indicators
click 90 127 2           # Line-up
click 916 708 2          # Player info
sleep 1
shot 02-player-info
click 716 611 2          # Close
sleep 1
shot 03-closed
grep -q "cannot load '.*PLAYERPIC" "$work/log.txt" && fail "a portrait is missing"
echo "PASSED: info session, screenshots in $out"
