#!/usr/bin/env bash
# The two hall families of the 3D match in a real window under Xvfb: a First Division club's first
# match opens in the hall with the video cube, a Third Division club's in the other family's, where
# play moves once the tip-off is pressed; the two halls must look different. Each step waits with a
# bound for what it must show; the screenshots are left in the artefact folder.
#   arenas_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2" compare convert
export FB_MATCH_CLOCK_SCALE="${FB_MATCH_CLOCK_SCALE:-48}"

set_option Enable3DSimulation 1
set_option EnableFastSimulation 0
set_option EnableVideoCube 1

# ---- A First Division club: the hall with the video cube ----
new_career 626 "Sam Okafor" 12 # the list scrolled to its end: the last First Division club
press 90 608                   # Continue to the first match day
expect 180 01-arena "the arena's match display did not open" match_hud_up
settle 10
shot 01-arena

# ---- A Third Division club: the other hall family ----
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
rm -rf "$work/data/profiles"
mkdir -p "$work/data/profiles"
: >"$work/data/profiles/profilelist.dat"
new_career 362 "Sam Okafor" # the fourth club of the list
press 90 608
expect 180 09-other-arena "the second arena's match display did not open" match_hud_up
settle 10
shot 09-other-arena
press 68 96 # Play: the tip-off
xdotool mousemove --sync $((left + 900)) $((top + 740))
expect_after 60 09-other-arena 10-other-playing "nothing moved in the second arena" 1024x560+0+190 5000
changed_from 01-arena 09-other-arena 1024x560+0+190 100000 || fail "the two halls look the same"
echo "PASSED: the two hall families, screenshots in $out"
