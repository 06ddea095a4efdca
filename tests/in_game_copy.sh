#!/usr/bin/env bash
# Runs one test program in a private copy of the game folder it is started in: every entry linked
# except the saved careers, which start empty. Tests that start or save careers then never leave
# one in the build's game folder (the player's) and never meet another test's running beside them.
#   in_game_copy.sh <program> [arguments]
set -eu
game=$PWD
copy=$(mktemp -d "${TMPDIR:-/tmp}/fastbreak-test-XXXXXX")
trap 'cd / && rm -rf "$copy"' EXIT
for entry in "$game"/*; do
    [ "$(basename "$entry")" = data ] || ln -s "$entry" "$copy/"
done
mkdir -p "$copy/data/profiles"
: >"$copy/data/profiles/profilelist.dat"
for entry in "$game"/data/*; do
    case "$(basename "$entry")" in
    profiles | profiles.lock) ;;
    *) ln -s "$entry" "$copy/data/" ;;
    esac
done
cd "$copy"
"$@"
