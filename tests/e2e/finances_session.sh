#!/usr/bin/env bash
# The finances in a real window under Xvfb: a new career takes a loan on its first day, plays on
# into September, then shows the overview, the income report and the expense report. Screenshots
# of each are left in the artefact folder.
#   finances_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"
set_option EnableFastSimulation 1

new_career 362           # the fourth club of the list
click 90 297 1           # Finances
click 587 715 1          # Take loan (the offer on the desk: $ 1,000,000 over 12 months)
shot 01-finances-loan-taken
for _ in $(seq 1 6); do
    click 90 608 2       # Continue to the next match day
done
click 90 297 1           # Finances
shot 02-finances-overview
click 834 117 1          # Income report
shot 03-income-report
click 948 117 1          # Expense report
shot 04-expense-report
echo "PASSED: finances session, screenshots in $out"
