#!/usr/bin/env bash
# A player's first session, in a real window under Xvfb: the intro, the main menu, a new career,
# saving it, quitting, loading it again in a fresh start (its choices damaged meanwhile, which a
# message says) and deleting it. Each step is checked for what it must show; screenshots are left
# in the artefact folder.
#   career_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"
# The user's match is played at once here; tests/e2e/match_centre.sh watches one.
set_option EnableFastSimulation 1

# The saved careers' highlighted row and the delete question.
career_row=740x30+140+285
row_colour='#85613F'
question=300x200+360+290

# The message window (400x222 at 312,284), by the right end of its caption bar.
message_open() { shows_colour "$1" 180x14+522+288 '#243A58' 2200 2; }
no_message() { ! message_open "$1"; }

# quit_game: Quit from the main menu; the game must end by itself, with exit code 0.
quit_game() {
    click 512 570        # Quit
    local deadline=$((SECONDS + 30))
    while kill -0 "$game_pid" 2>/dev/null; do
        [ "$SECONDS" -ge "$deadline" ] && fail "Quit did not end the game"
        sleep 0.25
    done
    wait "$game_pid" && code=0 || code=$?
    [ "$code" -eq 0 ] || fail "Quit ended the game with exit code $code"
    game_pid=""
}

new_career 362 "Dana Reyes"   # the fourth club of the list
click 90 608             # Continue to the first match day
expect 120 05b-first-match-day "Continue did not move the date on" \
    changed_since 05-career-frame 300x30+362+5 20
click 90 700             # Save career
expect 30 06-saved "the header does not say the career was saved" \
    changed_since 05b-first-match-day 200x20+820+36 100
click 90 734             # Main menu (saves and leaves)
expect 30 07-back-in-menu "the main menu did not open" main_menu
grep -q "Dana Reyes" "$work/data/profiles/profilelist.dat" || fail "the career is not in the list of careers"
quit_game
# Its choices damaged while the game was closed (values no game saves): loading it says so in the
# message window, naming the file, and Escape closes the message as its OK does.
choices=$(find "$work/data/profiles" -name choices.txt | head -1)
[ -n "$choices" ] || fail "the saved career has no choices file"
printf 'attack 99\ndefence 99\n' >"$choices"

to_main_menu 07b-menu-again
click 512 445            # Load career
expect 30 08-saved-careers "the saved career is not listed" shows_colour "$career_row" "$row_colour" 5000
click 812 702            # Load
expect 60 09a-damaged-choices "no message named the damaged choices" message_open
xdotool key --window "$window" Escape
expect 30 09b-message-closed "Escape did not close the message" no_message
expect 60 09-loaded-career "the saved career did not open" changed_since 08-saved-careers 170x680+10+80 50000
click 90 734             # Main menu
click 512 445            # Load career
click 642 702            # Delete
expect_after 30 08-saved-careers 10-delete-question "the delete question did not open" "$question" 10000
click 432 445            # Yes
expect 30 11-deleted "the deleted career is still listed on the screen" \
    not_showing_colour "$career_row" "$row_colour" 5000
grep -q "Dana Reyes" "$work/data/profiles/profilelist.dat" && fail "the deleted career is still listed"
if ls "$work/data/profiles" | grep -qi dana; then fail "the deleted career's folder is still there"; fi
click 202 701            # Back
expect 30 12-menu-at-last "Back did not lead to the main menu" main_menu
quit_game
echo "PASSED: career session, screenshots in $out"
