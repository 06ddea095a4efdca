#!/usr/bin/env bash
# The guard of the build's game folder holds: a career saved through the test runners' copies leaves
# a game folder as it was, one saved in the folder itself is caught by the comparison, and every
# registered test that may start a game runs under the guard.
#   game_folder_guard.sh <game folder> <build folder>
set -u
game=$1
build=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
state_tool="$here/game_folder_state.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# A game folder of its own to play the player's: the programs linked, the data and options copied,
# no saved careers.
folder="$scratch/game"
mkdir "$folder"
for entry in "$game"/*; do
    case "$(basename "$entry")" in
    data | guifiles | log.txt) ;;
    *) ln -s "$entry" "$folder/" ;;
    esac
done
cp -r "$game/guifiles" "$folder/guifiles"
cp -r "$game/data" "$folder/data"
rm -rf "$folder/data/profiles"
mkdir "$folder/data/profiles"
: >"$folder/data/profiles/profilelist.dat"
state="$scratch/state.txt"
bash "$state_tool" "$folder" record "$state" || fail "the state was not recorded"

# The test programs' runner: a career started and saved inside it stays in its copy.
(cd "$folder" && bash "$here/in_game_copy.sh" "$folder/probe" --data . --new-career 3 --save Tester) \
    >"$scratch/out.txt" 2>&1 || fail "the probe did not save in the runner's copy: $(tail -n 3 "$scratch/out.txt")"
grep -q '^saved Tester in data/profiles/' "$scratch/out.txt" || fail "the probe did not say it saved"
bash "$state_tool" "$folder" compare "$state" >/dev/null || fail "a career saved through in_game_copy.sh reached the folder"

# The probe's runner: a whole case of saves and loads.
bash "$here/../tools/probe/probe_test.sh" "$folder" save-load >"$scratch/out.txt" 2>&1 ||
    fail "the probe case failed: $(tail -n 3 "$scratch/out.txt")"
bash "$state_tool" "$folder" compare "$state" >/dev/null || fail "the probe's case left something in the folder"

# A career saved in the folder itself is what the guard is for: the comparison fails and names it.
"$folder/probe" --data "$folder" --new-career 3 --save Tester >/dev/null 2>&1 || fail "the probe did not save"
if bash "$state_tool" "$folder" compare "$state" >"$scratch/out.txt" 2>&1; then
    fail "the comparison missed a career saved in the game folder"
fi
grep -q 'data/profiles' "$scratch/out.txt" || fail "the comparison did not name the saved career"

# Every test that may start the game (all but the source checks and the guard's own two) runs
# between the guard's record and its comparison.
listing="$scratch/tests.json"
(cd "$build" && ctest --show-only=json-v1 >"$listing" 2>/dev/null) || fail "ctest could not list the tests"
unguarded=$(python3 - "$listing" <<'EOF'
import json, sys
tests = json.load(open(sys.argv[1]))["tests"]
for test in tests:
    name = test["name"]
    if name.startswith("Sources.") or name in ("GameFolder.Record", "GameFolder.UnchangedByTheTests"):
        continue
    # A build of only some suites (CI's ThreadSanitizer run) lists a stand-in for each one not built.
    if name.endswith("_NOT_BUILT"):
        continue
    props = {p["name"]: p["value"] for p in test.get("properties", [])}
    if "game_folder" not in props.get("FIXTURES_REQUIRED", []):
        print(name)
EOF
) || fail "the test list could not be read"
[ -z "$unguarded" ] || fail "tests outside the game folder's guard: $unguarded"
count=$(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))["tests"]))' "$listing")
[ "$count" -gt 20 ] || fail "only $count tests listed"
echo "The guard holds over $count tests: runner copies keep careers away, a career left behind is caught."
