#!/usr/bin/env bash
# Damaged content said in the game's own window when the system cannot show a message box: a
# language file cut in half, an empty world-names file, a layout without the main menu, a tooltip file
# without a hint and world data files that do not read each start the game into a screen with the
# sentence naming the file, which a key press closes with exit code 1. The game runs without a dialog
# helper on its PATH (no zenity), as on a desktop without one, so SDL cannot show its message box.
# Screenshots are left in the artefact folder.
#   damaged_content_session.sh <game folder> <artefact folder>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
begin_session "$1" "$2"
game_folder="$1"

mkdir -p "$out/no-helpers"

# start_without_helpers: starts the game as start_game does, but with a PATH that holds no dialog
# helper, and waits (bounded) for its window.
start_without_helpers() {
    (cd "$work" && PATH="$out/no-helpers" SDL_AUDIODRIVER=dummy LP_NUM_THREADS=2 exec ./fastbreak) &
    game_pid=$!
    local deadline=$((SECONDS + 60))
    window=""
    while [ -z "$window" ]; do
        window=$(xdotool search --onlyvisible --name '^Fastbreak$' 2>/dev/null | head -1 || true)
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window opened"
        [ "$SECONDS" -ge "$deadline" ] && fail "the game window did not open within a minute"
        sleep 0.2
    done
}

# The error screen: the top and bottom edges of its orange frame, and white text on its first lines
# (the intro's ball and letters lie elsewhere and in other colours).
error_screen() {
    shows_colour "$1" 900x2+62+120 '#F0781E' 1500 10 && shows_colour "$1" 900x2+62+646 '#F0781E' 1500 10 &&
        shows_colour "$1" 852x44+86+200 '#FFFFFF' 400 10
}

# damaged_start <name> <file as the log names it>: starts the game on the damaged copy, passes the
# intro, waits for the error screen, checks the sentence names the file, closes it with a key.
damaged_start() {
    local name=$1 file=$2
    rm -f "$work/log.txt"
    start_without_helpers
    xdotool key --window "$window" Escape
    expect 60 "$name" "no error screen for $name" error_screen
    # The log is written a moment after the screen.
    local said=""
    for _ in $(seq 1 80); do
        grep -qF "[CGameApp] The file $file" "$work/log.txt" 2>/dev/null && said=1 && break
        sleep 0.25
    done
    [ -n "$said" ] || fail "the sentence does not name $file"
    xdotool key --window "$window" space
    local code=0
    # The game ends at the key press; bounded, so a game that stays up fails the session.
    for _ in $(seq 1 100); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null && fail "the game stayed up after a key press ($name)"
    wait "$game_pid" || code=$?
    game_pid=""
    [ "$code" -eq 1 ] || fail "the game ended with $code, not 1 ($name)"
    cp -r "$game_folder/guifiles/." "$work/guifiles/"
}

lang="$work/guifiles/lang_en.txt"
head -c $(($(stat -c %s "$lang") / 2)) "$game_folder/guifiles/lang_en.txt" >"$lang"
damaged_start 01-language-file-cut 'guifiles\lang_en.txt is damaged'
: >"$work/guifiles/lang_data_en.txt"
damaged_start 02-world-names-empty 'guifiles\lang_data_en.txt is damaged: it holds no texts'
sed -i '/<Picture name="ID_MAINMENU"/,/^  <\/Picture>/d' "$work/guifiles/GuiXML.xml"
grep -q 'name="ID_MAINMENU"' "$work/guifiles/GuiXML.xml" && fail "the main menu was not taken out"
damaged_start 03-layout-without-main-menu 'guifiles\GuiXML.xml is damaged: it has no window ID_MAINMENU'
sed -i '/^10220 /d' "$work/guifiles/tooltips.txt"
damaged_start 04-tooltips-without-a-hint 'guifiles\tooltips.txt is damaged: it lacks the hint 10220'
# World data that does not read: the league's players cut in half, the first eight bytes of the
# EuroCup's clubs turned over.
players="$work/data/playerlist.dat"
head -c $(($(stat -c %s "$players") / 2)) "$game_folder/data/playerlist.dat" >"$players"
damaged_start 05-league-players-cut 'data/playerlist.dat is damaged'
cp "$game_folder/data/playerlist.dat" "$players"
clubs="$work/data/EuroCup/teamlist.dat"
perl -e 'open(my $f, "+<", $ARGV[0]) or die; binmode $f; seek($f, $ARGV[1], 0); read($f, my $b, 8);
    seek($f, $ARGV[1], 0); print $f ($b ^ ("\xff" x 8)); close $f' "$clubs" 0
cmp -s "$clubs" "$game_folder/data/EuroCup/teamlist.dat" && fail "the EuroCup clubs were not damaged"
damaged_start 06-eurocup-clubs-flipped 'data/EuroCup/teamlist.dat is damaged'
cp "$game_folder/data/EuroCup/teamlist.dat" "$clubs"
echo "PASSED: damaged content session, screenshots in $out"
