#!/usr/bin/env bash
# The stadium in a real window: a new career with a second-division club, the stadium screen, an
# order of the arena hall's second stage through the question, two days of building and the club
# overview. Usage: stadium_session.sh <game folder> <output folder>; look at the screenshots.
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"

new_career 554           # Marlow Wolves, second division
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
