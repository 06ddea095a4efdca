#!/usr/bin/env bash
# The loan desk and the finance overview in a real window under Xvfb, across a season's rollover.
# The probe plays the seasons in the session's copy of the game folder (a league career that takes
# four loans, then to the spring, then over the rollover into August): each time the career is
# loaded in the window and its Finances shown. With four loans open the desk is closed and lists
# them; after the last instalments it is open again and lists none, and the overview shows the new
# season's August. Screenshots are left in the artefact folder.
#   loan_desk_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"
set_option EnableFastSimulation 1

# The "Loans taken" list (its amounts are yellow), the "Take loan" button, the header's date.
loans_taken=130x20+738+617
yellow='#F0F000'
take_loan=224x34+216+698
date_line=300x30+362+5

# probe <log> <steps>: plays the career headless in the session's game folder.
probe() {
    local log="$out/$1"
    shift
    "$work/probe" --data "$work" --seed 1 --set EnableLeagueSimulation=1 --set EnableFastSimulation=1 "$@" \
        >"$log" 2>&1 || fail "the probe could not play the career: $(tail -n 1 "$log")"
}

# show_finances <shot>: starts the game, loads the only saved career and opens its Finances.
show_finances() {
    load_career "$1-menu" "$1-careers" "$1-loaded"
    click 90 297         # Finances
    expect 30 "$1" "the Finances window did not open" changed_since "$1-loaded" 800x640+200+70 50000
}

# quit_game: back to the main menu, then Quit; the game must end by itself.
quit_game() {
    click 90 734         # Main menu
    expect 30 quit-menu "the main menu did not open" main_menu
    click 512 570        # Quit
    local deadline=$((SECONDS + 30))
    while kill -0 "$game_pid" 2>/dev/null; do
        [ "$SECONDS" -ge "$deadline" ] && fail "Quit did not end the game"
        sleep 0.25
    done
    game_pid=""
}

loans="--open ID_FINANCES --select ID_FIN_AMOUNT 0 --select ID_FIN_TERM 0"
for _ in 1 2 3 4; do loans="$loans --click ID_FIN_TAKELOAN"; done
probe probe-spring.txt --new-career 16 $loans --days 243 --dump-date --save money
grep -qx '31.03.2008' "$out/probe-spring.txt" || fail "the spring was not reached: $(head -n 1 "$out/probe-spring.txt")"

show_finances 01-four-loans
shows_colour 01-four-loans "$loans_taken" "$yellow" 60 || fail "the four loans are not listed"
quit_game

probe probe-august.txt --load money --continue --click ID_DAYPANEL_STATISTICS --click ID_RESULTS_STAGE \
    --click ID_SEASONEND_NEXT --days 2 --dump-date --save money
grep -qx '03.08.2008' "$out/probe-august.txt" || fail "the new season was not reached: $(cat "$out/probe-august.txt")"

show_finances 02-repaid
changed_from 01-four-loans 02-repaid "$date_line" 20 || fail "the loaded career shows the spring's date"
shows_colour 02-repaid "$loans_taken" "$yellow" 20 && fail "repaid loans are still listed"
# The closed desk's button is drawn greyed: the open one differs from it.
changed_from 01-four-loans 02-repaid "$take_loan" 500 || fail "the loan desk did not reopen"
echo "PASSED: loan desk session, screenshots in $out"
