#!/usr/bin/env bash
# The transfers in a real window under Xvfb: a new career opens the transfer screen, picks a player
# without a club, talks him into a contract and signs him, lists the certificates, then asks to
# release a player. Each step is checked for what it must show; screenshots are left in the
# artefact folder.
#   transfers_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"

# The market's second row (the player picked) and the squad's first, and the dialogs' place.
market_row=560x20+205+496
squad_row=560x20+205+174
talks=360x140+180+165
question=340x130+650+185

new_career 362           # the fourth club of the list
click 90 263             # Transfers
click 300 506            # the third market player (players without a club)
expect 30 01-transfers "the picked market player is not highlighted" shows_colour "$market_row" '#85613F' 5000
shows_colour 01-transfers 200x20+790+460 '#EFF003' 200 || fail "the picked player's card has no name"
click 898 720            # Hire: the contract talks open
click 350 453            # Ask
expect_after 30 01-transfers 02-talks-agreed "the contract talks did not open" "$talks" 5000
click 512 453            # Done: he signs
expect_after 30 02-talks-agreed 03-signed "the contract talks did not close" "$talks" 5000
changed_from 01-transfers 03-signed "$market_row" 2000 || fail "the signed player is still on the market"
click 920 127            # Certificates
expect 30 04-certificates "the signing has no transfer certificate" shows_colour 500x16+200+136 '#FF8000' 100
click 912 735            # back to the transfers
click 300 182            # the third player of the squad
click 898 415            # Release
expect_after 30 01-transfers 05-release-question "the release question did not open" "$question" 10000
click 761 320            # Yes
expect_after 30 05-release-question 06-released "the release question did not close" "$question" 10000
changed_from 01-transfers 06-released "$squad_row" 300 || fail "the released player is still in the squad"
echo "PASSED: transfers session, screenshots in $out"
