#!/usr/bin/env bash
# Tests work on copies of the game folder: the saved careers, the options and the data of the
# build's own folder (the player's) must be as they were before the run.
#   game_folder_state.sh <game folder> record|compare <state file>
set -euo pipefail
game=$1
state=$3
snapshot() {
    cd "$game" && find data guifiles -printf '%p %s %T@\n' 2>/dev/null | sort
}
case "$2" in
record) snapshot >"$state" ;;
compare)
    if ! diff <(cat "$state") <(snapshot); then
        echo "FAILED: the test run changed the build's game folder (lines above: < before, > after)"
        exit 1
    fi
    echo "The build's game folder is as it was before the tests."
    ;;
esac
