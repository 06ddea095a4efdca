# The window session shared by the scripted sessions: the tool check, a copy of the game folder,
# Xvfb, starting the game, waiting for the screen to settle, screenshots, clicks and a new career.
# A script sources this and calls begin_session first.

# begin_session <game folder> <artefact folder> [more tools]: reports the session skipped (and
# ends it) when a tool is missing, else copies the game folder to $work inside the artefact folder,
# so the session's careers never touch the build's own, and opens the virtual display.
begin_session() {
    game="$1"
    out="$2"
    shift 2
    local tool
    for tool in Xvfb xdotool import "$@"; do
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
    # The options a developer last played with (the game saves them in its folder) would change what
    # a session meets, e.g. a 3D match where it expects the day panel: start as a fresh build does.
    rm -f "$work/guifiles/Options.ini"
    open_display
}

# set_option <key> <value>: sets one of the game's [VISUAL] options in the copy. A fresh build has
# no options file until the game first saves one, so the file and the key are added when missing.
set_option() {
    local file="$work/guifiles/Options.ini"
    touch "$file"
    if grep -q "^$1=" "$file"; then
        sed -i "s/^$1=.*/$1=$2/" "$file"
    elif grep -q '^\[VISUAL\]' "$file"; then
        sed -i "/^\[VISUAL\]/a $1=$2" "$file"
    else
        printf '[VISUAL]\n%s=%s\n' "$1" "$2" >>"$file"
    fi
}

# Xvfb picks a free display itself and tells us which. -noreset: by default the server resets when
# its last client leaves, and a game started again during that reset finds no display and falls
# back to drawing offscreen, where no window ever opens.
open_display() {
    local displayfile="$out/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$displayfile" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 1 300); do
        [ -s "$displayfile" ] && break
        sleep 0.1
    done
    [ -s "$displayfile" ] || { echo "FAILED: Xvfb did not start"; exit 1; }
    export DISPLAY=":$(cat "$displayfile")"
    # Several sessions share a few cores and read only what the screen settles on: 25 frames a
    # second are plenty, and leave the cores to the games' own work.
    export FB_SHORTEST_FRAME_MS=40
    trap cleanup EXIT
}

game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}

fail() {
    echo "FAILED: $*"
    [ -f "$work/log.txt" ] && tail -20 "$work/log.txt"
    exit 1
}
shot() { import -window root "$out/$1.png"; }

# Checks of what a screenshot shows, each on a rectangle "w x h + x + y" of the 1024x768 screen.
# colour_count <shot> <rectangle> <#rrggbb> [fuzz %]: pixels within the fuzz (25% unless given) of
# the colour; text in that colour shows as a few dozen at least.
colour_count() {
    local solid="$out/.solid-${3#\#}.png"
    [ -f "$solid" ] || convert -size 1024x768 "xc:$3" "$solid"
    local w h differing
    w=${2%%x*}
    h=${2#*x}
    h=${h%%+*}
    # compare exits with 1 when the images differ: that is the answer, not a failure.
    differing=$({ compare -metric AE -fuzz "${4:-25}%" -crop "$2" "$out/$1.png" "$solid" null: 2>&1 || true; } |
        cut -d' ' -f1)
    echo $((w * h - ${differing%.*}))
}
# differs <shot> <shot> <rectangle>: pixels that differ between two screenshots, 0 when equal.
differs() {
    { compare -metric AE -crop "$3" "$out/$1.png" "$out/$2.png" null: 2>&1 || true; } | cut -d' ' -f1
}
# shows_colour <shot> <rectangle> <#rrggbb> <at least> [fuzz %]: true when that many pixels have
# the colour.
shows_colour() { [ "$(colour_count "$1" "$2" "$3" "${5:-25}")" -ge "$4" ]; }
# main_menu <shot>: the main menu's window with its buttons (the title alone shows behind the
# saved careers too).
main_menu() { shows_colour "$1" 300x40+362+330 '#2C3C52' 2000 10; }
not_showing_colour() { ! shows_colour "$@"; }
# changed_from <earlier shot> <shot> <rectangle> <at least>: true when that many pixels changed. A
# date moving on changes a digit or two: a few dozen pixels.
changed_from() { [ "$(differs "$1" "$2" "$3")" -ge "$4" ]; }
# seen <seconds> <shot> <check> [its arguments after the shot]: shoots the screen as <shot> until
# the check passes on it, at most that many seconds; false when it never did.
seen() {
    local seconds=$1 name=$2 check=$3
    shift 3
    local deadline=$((SECONDS + seconds))
    while :; do
        shot "$name"
        "$check" "$name" "$@" && return 0
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.5
    done
}
# expect <seconds> <shot> <what it must show> <check> [its arguments after the shot]: as seen, but
# the session fails when the check never passed, with the last shot left for a look. A loaded
# machine shows a screen late, never differently.
expect() {
    local seconds=$1 name=$2 what=$3 check=$4
    shift 4
    seen "$seconds" "$name" "$check" "$@" || fail "$what (see $out/$name.png)"
}
# expect_after <seconds> <earlier shot> <shot> <what> <rectangle> <at least>: waits for that many
# pixels of the rectangle to change from the earlier shot.
expect_after() {
    local seconds=$1 earlier=$2 name=$3 what=$4
    shift 4
    expect "$seconds" "$name" "$what" changed_since "$earlier" "$@"
}
changed_since() { changed_from "$2" "$1" "$3" "$4"; }
# Waits until the screen stops changing (three equal looks in a row), at most $1 seconds: a busy
# machine may take longer to build a career or play a day than any fixed pause allows.
look() { import -window root -depth 8 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }
settle() {
    local last="" same=0 now deadline=$((SECONDS + ${1:-20}))
    while [ "$SECONDS" -lt "$deadline" ]; do
        now=$(look)
        if [ "$now" = "$last" ]; then
            same=$((same + 1))
            [ "$same" -ge 3 ] && return 0
        else
            same=0
        fi
        last="$now"
        sleep 0.25
    done
}
# Waits until a file holds a text, at most $3 seconds.
wait_for_text() {
    for _ in $(seq 1 $(( ${3:-20} * 4 ))); do
        grep -q "$1" "$2" 2>/dev/null && return 0
        sleep 0.25
    done
    return 1
}
# Waits until a file holds at least $3 lines matching the pattern $1, at most $4 seconds: the game's
# answer to the n-th request of a kind.
wait_for_lines() {
    local deadline=$((SECONDS + ${4:-20})) found
    while :; do
        found=$(grep -c -- "$1" "$2" 2>/dev/null || true)
        [ "${found:-0}" -ge "$3" ] && return 0
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.25
    done
}
# The software renderer keeps to two threads: the sessions run side by side with the other tests.
start_game() {
    (cd "$work" && SDL_AUDIODRIVER=dummy LP_NUM_THREADS=2 exec ./fastbreak) &
    game_pid=$!
    # Up to a minute: on two busy cores, beside three other windows, the start can take that long.
    local deadline=$((SECONDS + 60))
    while :; do
        window=$(xdotool search --onlyvisible --name '^Fastbreak$' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window opened"
        [ "$SECONDS" -ge "$deadline" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || fail "the game window did not open within a minute"
    # Clicks go to screen positions: the window's corner plus the game's own coordinates.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    left=$X
    top=$Y
}
# pointer_to <x> <y>: moves the pointer to a point of the game's window and waits until it is there.
# xdotool's --sync waits for the pointer to move, so a pointer already there (a second Continue)
# would wait about fifteen seconds for a move that never comes.
pointer_to() {
    local x=$((left + $1)) y=$((top + $2)) at
    at=$(xdotool getmouselocation 2>/dev/null | sed -E 's/^x:([0-9]+) y:([0-9]+).*/\1 \2/')
    [ "$at" = "$x $y" ] || xdotool mousemove --sync "$x" "$y"
}
# press <x> <y>: clicks a point of the game's window and goes on at once (the 3D match never
# settles).
press() {
    pointer_to "$1" "$2"
    xdotool click 1
}
# match_hud_up <shot>: the 3D match display's top bar, with its orange edge, is up.
match_hud_up() { shows_colour "$1" 1024x40+0+0 '#F0781E' 800 10; }
# lacks <shot> <check> [its arguments after the shot]: true when the check fails on the shot, for
# waiting until something has gone (expect 15 look "..." lacks popup_open).
lacks() {
    local name=$1 check=$2
    shift 2
    ! "$check" "$name" "$@"
}
# The windows a match opens over either view, on the screen's own pixels (window captions are
# #243A58), each by the right end of its caption bar: the must-leave message (400x170 at 312,300),
# the quarter break (400x200 at 312,284) and the tactics window (828x688 at 188,72).
caption='#243A58'
popup_open() { shows_colour "$1" 180x18+522+303 "$caption" 2800 2; }
break_open() { shows_colour "$1" 180x14+522+288 "$caption" 2200 2; }
tactics_open() { shows_colour "$1" 280x16+720+78 "$caption" 3800 2; }
# The tactics window's lists (five on court from y 336, the bench from y 480, 22 pixels a row): a
# name drawn red belongs to a player who is hurt or fouled out.
red_name() { shows_colour "$1" 170x16+206+$2 '#FF0000' 40 15; }
# The tactics window's answer to Done or Escape: it closed, or a message stands in front of it.
tactics_answered() { ! tactics_open "$1" || popup_open "$1"; }
# close_popup <shot>: OK of the message standing over the match, then waits for it to go.
close_popup() {
    press 512 439 # OK
    expect 15 "$1" "the message did not close" lacks popup_open
}
# close_break <shot>: "Back to the game" of a quarter break, then waits for the break to go.
close_break() {
    press 512 450 # Back to the game
    expect 15 "$1" "the quarter break did not close" lacks break_open
}
# click <x> <y> [settle seconds]: clicks a point of the game's window, waits up to 15 seconds for
# the screen to answer, then until it settles (at most 30 seconds unless given: a text field's
# blinking caret never lets it). The pointer is let rest first so the hover look (and a tooltip)
# are part of the "before", not taken for the answer.
click() {
    pointer_to "$1" "$2"
    settle 5
    local before
    before=$(look)
    xdotool click 1
    local deadline=$((SECONDS + 15))
    while [ "$SECONDS" -lt "$deadline" ] && [ "$(look)" = "$before" ]; do
        sleep 0.25
    done
    settle "${3:-30}"
}
# to_main_menu [menu shot]: starts the game, waits for the intro's ball, passes the intro with a
# key and waits for the main menu, then for it to settle. The intro ends by itself after some 20
# seconds, and a loaded machine may show the window only then: the main menu in its place is as
# good. The shots are 01-intro and 02-main-menu, or <menu shot>-intro and <menu shot> when a name
# is given (a session that starts the game again keeps the first start's shots).
intro_ball() { shows_colour "$1" 120x120+452+220 '#F07820' 4000; }
intro_or_menu() { intro_ball "$1" || main_menu "$1"; }
to_main_menu() {
    local menu="${1:-02-main-menu}" intro=01-intro
    [ -z "${1:-}" ] || intro="$1-intro"
    start_game
    expect 60 "$intro" "neither the intro's ball nor the main menu showed" intro_or_menu
    main_menu "$intro" || xdotool key --window "$window" space
    expect 60 "$menu" "the main menu did not open" main_menu
    settle 30
    shot "$menu"
}
# load_career <menu shot> <list shot> <career shot>: starts the game, opens Load career from the
# main menu and loads the only saved career; each screen is waited for under its shot's name.
load_career() {
    to_main_menu "$1"
    click 512 445 # Load career
    expect 30 "$2" "the saved career is not listed" shows_colour 740x30+140+285 '#85613F' 5000
    click 812 702 # Load
    expect 60 "$3" "the saved career did not open" changed_since "$2" 170x680+10+80 50000
}
# new_career <club's row y> [manager name] [wheel notches]: starts the game, passes the intro and
# makes a new career with the club at that height of the list (362 is the fourth club; the list is
# first scrolled down by the notches given) and the name typed in (the default name when none is
# given), then waits until it is listed and its frame is up. Each step waits for its screen and
# fails the session when it does not come; the way there is left in the shots 01-intro,
# 02-main-menu, 03-new-career, 04-club-chosen and 05-career-frame.
new_career() {
    local row="$1" name="${2:-}" notches="${3:-0}"
    to_main_menu
    click 512 390 # New career
    expect_after 30 02-main-menu 03-new-career "the new career screen did not open" 560x360+82+280 20000
    if [ "$notches" -gt 0 ]; then
        # The list scrolled down that many wheel notches: the row counts from the list's new top.
        xdotool mousemove --sync $((left + 360)) $((top + 450))
        for _ in $(seq 1 "$notches"); do xdotool click 5; done
        settle 10
        shot 03-new-career
    fi
    click 182 "$row" # the club
    expect_after 30 03-new-career 04-club-chosen "choosing a club showed nothing" 250x290+686+258 500
    if [ -n "$name" ]; then
        click 812 202 2 # manager name
        for _ in $(seq 1 12); do xdotool key --window "$window" BackSpace; done
        xdotool type --window "$window" "$name"
        expect_after 30 04-club-chosen 04-name-typed "the manager's name was not typed" 250x24+686+190 50
    fi
    click 812 634 # Start career
    wait_for_text "${name:-Manager}" "$work/data/profiles/profilelist.dat" 60 ||
        fail "the new career was not created"
    expect_after 60 04-club-chosen 05-career-frame "the career's frame did not open" 170x680+10+80 20000
    settle 30
}
# match_day <shot>: Continue to the next match day, played at once; the day panel lists the user's
# result in green. The caller sets date_area, results_area and last.
match_day() {
    press 90 608
    expect 180 "$1" "Continue did not move the date on" changed_since "$last" "$date_area" 20
    expect 180 "$1" "the day panel shows the day before's results" changed_since "$last" "$results_area" 200
    expect 180 "$1" "the day panel shows no result of ours" shows_colour "$results_area" '#00FF00' 150 10
    # The pointer leaves the button: a later move to where it already rests would wait in vain.
    xdotool mousemove --sync $((left + 760)) $((top + 62))
    settle 30
    shot "$1"
    last=$1
}
# open <x> <y> <shot> <what>: a button of the frame or a tab; the screen area must change. The caller
# sets screen_area and last.
open() {
    click "$1" "$2"
    # The pointer rests off the screen's figures, so no tooltip covers them in the shot.
    xdotool mousemove --sync $((left + 760)) $((top + 62))
    settle 5
    expect 30 "$3" "the $4 did not open" changed_since "$last" "$screen_area" 5000
    last=$3
}
# career <competition item y> <club row y> <manager name> <shot>: from the main menu, a new career
# in the competition picked from the combo (its items at 230, 258, 286) with that club and name.
career() {
    click 512 390 # New career
    expect 30 "$4-new" "the new career screen did not open" not_showing_colour 300x40+362+330 '#2C3C52' 2000 10
    click 212 202 # the competition's combo
    click 200 "$1"
    click 182 "$2"
    click 812 202 2 # manager name
    for _ in $(seq 1 12); do xdotool key --window "$window" BackSpace; done
    xdotool type --window "$window" "$3"
    settle 2
    shot "$4-new"
    click 812 634 # Start career
    wait_for_text "$3" "$work/data/profiles/profilelist.dat" 60 || fail "the career of $3 was not created"
    expect_after 60 "$4-new" "$4" "the career's frame did not open" 170x680+10+80 20000
    settle 30
}
