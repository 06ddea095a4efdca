#!/usr/bin/env bash
# The finances in a real window under Xvfb: a new career takes a loan on its first day, plays on
# into the winter, then shows the overview, the income report and the expense report. Each screen
# is checked for what it must show; screenshots are left in the artefact folder.
#   finances_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"
set_option EnableFastSimulation 1

# The "Loans taken" list: its yellow amount is the loan.
loans_taken=130x20+738+617
yellow='#F0F000'

new_career 362           # the fourth club of the list
click 90 297             # Finances
expect 30 01-finances "the Finances window did not open" changed_since 05-career-frame 800x640+200+70 50000
shows_colour 01-finances "$loans_taken" "$yellow" 20 && fail "a loan is listed before one was taken"
click 328 715            # Take loan (the offer on the desk: $ 1,000,000 over 12 months)
expect 30 01-finances-loan-taken "the loan taken is not listed" shows_colour "$loans_taken" "$yellow" 60
for day in $(seq 1 6); do
    shot before-day
    click 90 608         # Continue to the next match day
    expect 120 after-day "Continue did not move the date on (day $day)" changed_since before-day 300x30+362+5 20
done
click 90 297             # Finances
expect 30 02-finances-overview "the Finances window did not open again" \
    changed_since after-day 800x640+200+70 50000
shows_colour 02-finances-overview "$loans_taken" "$yellow" 60 || fail "the loan is no longer listed"
click 834 117            # Income report
expect 30 03-income-report "the income report did not open" \
    changed_since 02-finances-overview 800x600+200+140 20000
click 948 117            # Expense report
expect 30 04-expense-report "the expense report did not open" \
    changed_since 03-income-report 800x600+200+140 20000
echo "PASSED: finances session, screenshots in $out"
