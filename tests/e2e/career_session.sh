#!/usr/bin/env bash
# A player's first session, in a real window under Xvfb: the intro, the main menu, a new career,
# saving it, quitting, loading it again in a fresh start and deleting it. Screenshots of each step
# are left in the artefact folder.
#   career_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"
# The user's match is played at once here; tests/e2e/match_centre.sh watches one.
set_option EnableFastSimulation 1

# The way there is shot too: the intro, the main menu, the new career and the chosen club.
career_shots=1 new_career 362 "Dana Reyes"   # the fourth club of the list
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
