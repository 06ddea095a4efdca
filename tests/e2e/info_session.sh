#!/usr/bin/env bash
# The indicators and the player information window in a real window under Xvfb: a new career opens
# the news, its Indicators tab, then the line-up's player window. Screenshots of each are left in
# the artefact folder.
#   info_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"

new_career 362           # the fourth club of the list
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
