#!/usr/bin/env bash
# The indicators and the player information window in a real window under Xvfb: a new career opens
# the news, its Indicators tab, then the line-up's player window. Each step is checked for what it
# must show; screenshots are left in the artefact folder.
#   info_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"

# Where the player window opens over the line-up.
player_window=560x520+240+120

new_career 362           # the fourth club of the list
click 90 535             # News
click 382 121            # its Indicators tab
# Each of the three indicators shows its percentage; a new career's have not moved, so no green
# (rising) arrow stands beside them.
expect 30 01-indicators "the indicators show no percentages" shows_colour 720x60+300+200 '#FFFFFF' 1500 10
not_showing_colour 01-indicators 700x70+200+195 '#3CC85A' 300 || fail "an unmoved indicator shows a rising arrow"
click 90 127             # Line-up
expect_after 30 01-indicators 01b-line-up "the line-up did not open" 800x640+200+100 50000
click 916 708            # Player info
expect_after 30 01b-line-up 02-player-info "the player window did not open" "$player_window" 50000
click 716 611            # Close
expect_after 30 02-player-info 03-closed "the player window did not close" "$player_window" 50000
grep -q "cannot load '.*PLAYERPIC" "$work/log.txt" && fail "a portrait is missing"
echo "PASSED: info session, screenshots in $out"
