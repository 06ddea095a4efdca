#!/usr/bin/env bash
# The screens a new manager reads first, in a real window under Xvfb at 1024x768: the line-up,
# options from the main menu, then the line-up, training, finances, fun shop and stadium of a career.
# Each must open over the frame and leave the header strip (club picture, date) in sight;
# screenshots are left in the artefact folder for a look.
#   reading_session.sh <game folder> <artefact folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"
set_option EnableFastSimulation 1

screen_area=820x680+196+76 # where the frame's screens open
header=1024x60+0+2         # the header strip

# A second-division club whose fun shop is built, made headless before the game starts so every
# menu screen can open: the career is saved in the session's copy and loaded through the menu.
(cd "$work" && ./probe --data . --new-career 11 --shop-level 1 --save Reader >"$out/probe.txt" 2>&1) ||
    fail "the probe could not make the career ($(tail -n 1 "$out/probe.txt"))"

to_main_menu
click 512 500 # Options
expect_after 30 02-main-menu 03-options "the options did not open" 500x480+262+212 20000
click 356 650 # Back
expect 30 04-main-menu "the options did not close" main_menu
click 512 445 # Load career
expect_after 30 04-main-menu 05-careers "the saved careers did not open" 800x520+112+220 20000
click 300 241 # the career made above
click 812 702 # Load
expect_after 60 05-careers 06-career-frame "the career's frame did not open" 170x680+10+80 20000
settle 30
shot header-before
last=06-career-frame
# open <menu button y> <shot> <name>: a menu button of the frame opens its screen.
open() {
    click 90 "$1"
    expect 30 "$2" "the $3 screen did not open" changed_since "$last" "$screen_area" 20000
    # The screen opens below the header: the strip is as it was.
    changed_from header-before "$2" "$header" 200 && fail "the $3 screen covers the header strip"
    last=$2
}
open 127 10-lineup "line-up"
open 195 11-training "training"
open 297 12-finances "finances"
open 399 13-funshop "fun shop"
open 433 14-stadium "stadium"
echo "PASSED: reading session, screenshots in $out"
