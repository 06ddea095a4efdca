#!/usr/bin/env bash
# scripts/check-layers on a small tree of its own: an include that breaks a row (the simulation
# seeing a screen, a screen seeing the shell, a folder above a layer's reach) fails the check and is
# named with its file and line; includes that keep to their rows, headers beside the file and
# third-party paths pass.
#   check_layers_test.sh <repository>
set -euo pipefail
check="$1/scripts/check-layers"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{career,screens,match,engine,app}
printf '#include "career/Lineup.h"\n#include "match/Squad.h"\n#include "Local.h"\n#include <vector>\n' \
    >"$tree/career/Good.cpp"
printf '#include "gui/Element.h"\n#include "guidefines.h"\n#include "career/Lineup.h"\n' >"$tree/screens/Good.cpp"
printf '#include "pugixml/pugixml.hpp"\n  #  include "engine/Log.h"\n' >"$tree/match/Good.h"
printf '#include "app/GameShell.h"\n' >"$tree/app/Good.cpp"

out=$("$check" "$tree" 2>&1) || { echo "FAILED: a tree that keeps its rows was refused: $out"; exit 1; }

printf '// a comment: "screens/Nothing.h"\n#include "engine/Log.h"\n#include "screens/match/MatchHud.h"\n' \
    >"$tree/career/Bad.cpp"
printf '#include "app/GameShell.h" // the shell\n' >"$tree/screens/Bad.h"
printf '#include "guidefines.h"\n' >"$tree/engine/Bad.cpp"
if out=$("$check" "$tree" 2>&1); then
    echo "FAILED: includes that break their rows passed: $out"
    exit 1
fi
for expected in "career/Bad.cpp:3: career may not include screens/match/MatchHud.h" \
    "screens/Bad.h:1: screens may not include app/GameShell.h" \
    "engine/Bad.cpp:1: engine may not include guidefines.h"; do
    grep -qF "$expected" <<<"$out" || { echo "FAILED: not named: $expected"; echo "$out"; exit 1; }
done
[ "$(grep -c 'may not include' <<<"$out")" -eq 3 ] || { echo "FAILED: more than the three named: $out"; exit 1; }
echo "PASSED: check-layers names each include that breaks a row"
