#!/usr/bin/env bash
# The stadium in a real window under Xvfb: a new career with a second-division club, the stadium
# screen, an order of the arena hall's second stage through the question, two days of building
# and the club overview. Each step is checked for what it must show; screenshots are left in the
# artefact folder.
#   stadium_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"

# The arena hall's building bar, green while a stage is built; the header's date and cash.
arena_bar=250x12+202+198
green='#3CBE50'
date_line=300x30+362+5
cash=160x30+860+5

new_career 554           # Marlow Wolves, second division
click 90 432             # Stadium
expect_after 30 05-career-frame 05-stadium "the stadium screen did not open" 540x640+190+100 50000
shows_colour 05-stadium "$arena_bar" "$green" 20 && fail "the arena hall is building before any order"
click 297 141            # Arena hall, stage 2
click 411 141            # Build
expect_after 30 05-stadium 06-question "the order's question did not open" 240x120+150+70 5000
click 255 220            # Yes
expect 30 07-ordered "the arena hall's building bar did not start" shows_colour "$arena_bar" "$green" 30
click 90 646             # Next day
click 90 646             # Next day
click 90 432             # Stadium
expect 60 08-building "two days did not pass" changed_since 07-ordered "$date_line" 20
changed_from 05-stadium 08-building "$cash" 200 || fail "the order was not paid"
shows_colour 08-building "$arena_bar" "$green" 100 || fail "the arena hall's building did not go on"
click 90 92              # Club
expect_after 30 08-building 09-overview "the club overview did not open" 400x260+200+480 50000
echo "PASSED: stadium session, screenshots in $out"
