#!/usr/bin/env bash
# The finances in a real window under Xvfb: a new career takes a loan on its first day, plays on
# into September, then shows the overview, the income report and the expense report. Screenshots
# of each are left in the artefact folder.
#   finances_session.sh <game folder> <artefact folder>
set -euo pipefail
game="$1"
out="$2"
for tool in Xvfb xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed"
        exit 0
    fi
done
rm -rf "$out"
mkdir -p "$out"
work="$out/game"
cp -r "$game" "$work"
rm -rf "$work/data/profiles"
mkdir -p "$work/data/profiles"
: > "$work/data/profiles/profilelist.dat"
rm -f "$work/log.txt"
sed -i 's/^EnableFastSimulation=.*/EnableFastSimulation=1/' "$work/guifiles/Options.ini"

source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

start_game
sleep 1
xdotool key --window "$window" space
sleep 1
settle 60
click 512 390 2          # New career
click 182 362            # the fourth club of the list
click 812 634 1          # Start career
settle 60
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
