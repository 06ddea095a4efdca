#!/usr/bin/env bash
# The transfers in a real window under Xvfb: a new career opens the transfer screen, picks a player
# without a club, talks him into a contract and signs him, lists the certificates, then asks to
# release a player. Screenshots of each step are left in the artefact folder.
#   transfers_session.sh <game folder> <artefact folder>
set -euo pipefail
# The window, the game and the helpers every session uses.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"

new_career 362           # the fourth club of the list
click 90 263 1           # Transfers
click 300 506 1          # the third market player (players without a club)
shot 01-transfers
click 898 720 1          # Hire: the contract talks open
click 350 453 1          # Ask
shot 02-talks-agreed
click 512 453 1          # Done: he signs
shot 03-signed
click 920 127 1          # Certificates
shot 04-certificates
click 912 735 1          # back to the transfers
click 300 182 1          # the third player of the squad
click 898 415 1          # Release
shot 05-release-question
click 761 320 1          # Yes
shot 06-released
echo "PASSED: transfers session, screenshots in $out"
