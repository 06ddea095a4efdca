#!/usr/bin/env bash
# Runs one test program in a private copy of the game folder it is started in, with no saved
# careers. Tests that start or save careers or write the options then never leave them in the
# build's game folder (the player's) and never meet another test's running beside them.
#   in_game_copy.sh <program> [arguments]
set -eu
game=$PWD
copy=$(mktemp -d "${TMPDIR:-/tmp}/fastbreak-test-XXXXXX")
trap 'cd / && rm -rf "$copy"' EXIT
# The options are copied (tests write them), the rest linked, the data entry by entry beside an
# empty folder of saved careers. A handful of commands: this runs before every test.
ln -s "$game"/* "$copy"/
rm "$copy/data" "$copy/guifiles"
cp -r "$game/guifiles" "$copy/guifiles"
mkdir "$copy/data"
ln -s "$game"/data/* "$copy/data/"
rm -f "$copy/data/profiles" "$copy/data/profiles.lock"
mkdir "$copy/data/profiles"
: >"$copy/data/profiles/profilelist.dat"
cd "$copy"
"$@"
