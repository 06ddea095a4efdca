#!/bin/bash
# The closing tables of the quick results against the flat court, in markdown, from a built tree:
#  1. each league class and tournament world at a new career's defaults, a side's figures on the flat
#     court at once, watched through the match centre, and in quick results (bench_match2d_boxscore
#     --engines);
#  2. every club's field goals, steals, turnovers, blocks and fouls on the flat court and in quick
#     results, a figure outside the per-club bands in bold (bench_match2d_boxscore --clubs);
#  3. the player comparison after twenty continues of a new career at fast simulation, played through
#     the game's screens by the probe: the user's club's points, turnovers and steals a game against
#     the mean of its league's other clubs, each within a quarter or not.
# Usage: bench/tables_quick_v_flat.sh [BUILD_DIR] > tables.md   (default: the build folder beside bench/)
# GAMES (flat matches a column, default 3000), ROUNDS (the league clubs' home-and-away rounds, 10),
# WORLD_GAMES (matches among a tournament world's clubs, 2000), SEED (2026), JOBS (processes at once,
# 3), CAREERS ("0 8 16"), SEEDS ("1 2 3") and CONTINUES (20) set the batches.
set -eu
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
games=${GAMES:-3000}
rounds=${ROUNDS:-10}
world_games=${WORLD_GAMES:-2000}
seed=${SEED:-2026}
jobs=${JOBS:-3}
careers=${CAREERS:-0 8 16}
probe_seeds=${SEEDS:-1 2 3}
continues=${CONTINUES:-20}
bench=$build/bench/bench_match2d_boxscore
game=$build/game
probe=$game/probe
for tool in "$bench" "$probe"; do
    [ -x "$tool" ] || { echo "$tool is missing: build bench_match2d_boxscore and probe first" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
started=$(date +%s)

# At most $jobs at once; a job's output in $work/NAME.md, its messages in $work/NAME.err.
running=0
failed=0
spawn() {
    local name=$1
    shift
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    "$@" >"$work/$name.md" 2>"$work/$name.err" &
    running=$((running + 1))
}

# The probe plays in a private copy of the game folder, as its own tests do: a new career writes a
# profile, and the player's careers are never touched.
probe_run() {
    local career=$1 probe_seed=$2
    local copy=$work/game-$career-$probe_seed
    mkdir "$copy"
    for entry in "$game"/*; do
        case "$(basename "$entry")" in
        data | guifiles) ;;
        *) ln -s "$entry" "$copy/" ;;
        esac
    done
    cp -r "$game/guifiles" "$copy/guifiles"
    cp -r "$game/data" "$copy/data"
    rm -rf "$copy/data/profiles"
    mkdir "$copy/data/profiles"
    local steps=()
    for _ in $(seq "$continues"); do
        steps+=(--continue)
    done
    # Points and games (left) and steals and turnovers (right) of every player of each league.
    steps+=(--open 10358 --dump ID_FR_CLUB --dump 10362 --select 10364 10 --select 10368 7)
    for league in 1 2 3; do
        steps+=(--select 10362 "$league" --select 10366 "$league" --dump 10359 --dump 10360)
    done
    "$probe" --data "$copy" --seed "$probe_seed" --set EnableFastSimulation=1 --new-career "$career" \
        "${steps[@]}" --dump-date
}

spawn leagues "$bench" --engines --leagues --games="$games" --seed="$seed"
spawn worlds "$bench" --engines --tournaments --games="$games" --seed="$seed"
spawn clubs "$bench" --clubs="$rounds" --games="$world_games" --seed="$seed"
for career in $careers; do
    for probe_seed in $probe_seeds; do
        spawn "probe-$career-$probe_seed" probe_run "$career" "$probe_seed"
    done
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
if [ "$failed" -ne 0 ]; then
    # The match centre's pictures are not loaded headless: those lines are no failure.
    for log in "$work"/*.err; do
        said=$(grep -v '^\[CGuiElement::SetImage\]' "$log" | tail -n 5)
        [ -z "$said" ] || printf '== %s\n%s\n' "$(basename "$log" .err)" "$said"
    done >&2
    echo "a batch failed" >&2
    exit 1
fi

echo "# Quick results against the flat court"
echo
echo "Commit $(git -C "$(dirname "$0")" rev-parse --short HEAD 2>/dev/null || echo unknown)," \
    "$(date -u '+%Y-%m-%d %H:%M UTC'). Figures a side at a new career's defaults (offence 0, man-to-man 13 on" \
    "both sides); the watched column is the user's side watched at Fast through the match centre and left" \
    "alone."
echo
echo "## 1. A side's figures by class and tournament world"
echo
echo "\`bench_match2d_boxscore --engines --games=$games --seed=$seed\` (the league classes at seed $seed + class," \
    "the EuroCup and WorldCup among all their clubs at the tournament's level, seeds $((seed + 70)) and $((seed + 71));" \
    "matches a column in brackets). The leading scorer is a club's best scorer's points a match over the batch," \
    "the mean of the clubs."
echo
cat "$work/leagues.md" "$work/worlds.md"

# Per-club rows: the league table and each tournament world's two tables (flat court, quick results),
# joined by club; the figures outside the bands bold, and how many there are a column.
echo "## 2. Every club (bold: outside the per-club bands FG 42-50 %, steals 5-10.5, turnovers 8-18, blocks 2.5-7, fouls 15-25)"
echo
awk -v rounds="$rounds" -v seed="$seed" -v worldGames="$world_games" '
function trim(s) { gsub(/^ +| +$/, "", s); return s }
function band(name, value) {
    if (name ~ /FG%/) return value >= 42 && value <= 50
    if (name ~ /Stl/) return value >= 5 && value <= 10.5
    if (name ~ /TO/) return value >= 8 && value <= 18
    if (name ~ /Blk/) return value >= 2.5 && value <= 7
    if (name ~ /Fouls/) return value >= 15 && value <= 25
    return 1
}
function cell(name, value) {
    if (band(name, value + 0)) return " " value " |"
    outside[name]++
    return " **" value "** |"
}
function printTable(title, section, lead,    i, c, k, line) {
    print "### " title "\n"
    line = "|" lead " club |"
    for (i = 1; i <= nShown; ++i) line = line " " shown[i] " |"
    print line
    line = "|---|"
    if (lead != "") line = line "---|"
    for (i = 1; i <= nShown; ++i) line = line "---|"
    print line
    delete outside
    for (c = 1; c <= nClubs[section]; ++c) {
        k = section SUBSEP c
        line = "|" (lead != "" ? " " leadValue[k] " |" : "") " " clubName[k] " |"
        for (i = 1; i <= nShown; ++i) line = line cell(shown[i], value[k, shown[i]])
        print line
    }
    line = "| outside the band |"
    if (lead != "") line = line " |"
    for (i = 1; i <= nShown; ++i) line = line " " (outside[shown[i]] + 0) " of " nClubs[section] " |"
    print line "\n"
}
BEGIN {
    nShown = split("FG%,Stl,TO,Blk,Fouls,quick FG%,quick Stl,quick TO,quick Blk,quick Fouls", shown, ",")
    section = "league"
}
/^EuroCup, / { section = "EuroCup" }
/^WorldCup, / { section = "WorldCup" }
/^\| / {
    n = split($0, f, "|")
    if (trim(f[2]) == "class" || trim(f[2]) == "club") {
        delete column
        for (i = 2; i < n; ++i) column[trim(f[i])] = i
        next
    }
    if (f[2] ~ /^-+$/) next
    club = trim(f[column["club"]])
    if (!((section, club) in index_)) {
        index_[section, club] = ++nClubs[section]
        clubName[section, nClubs[section]] = club
    }
    k = section SUBSEP index_[section, club]
    if ("class" in column && section == "league") leadValue[k] = trim(f[column["class"]])
    if ("matches" in column) leadValue[k] = trim(f[column["matches"]])
    for (name in column)
        if (name != "club" && name != "class") value[k, name] = trim(f[column[name]])
}
END {
    printTable("League clubs: " rounds " home-and-away rounds against their class (flat court and quick results alike), seeds " seed + 50 "-" seed + 52, "league", " class |")
    printTable("EuroCup clubs: " worldGames " flat-court matches among them at seed " seed + 70 ", " rounds " rounds of quick results among them (first column: flat-court matches played)", "EuroCup", " matches |")
    printTable("WorldCup clubs: " worldGames " flat-court matches among them at seed " seed + 71 ", " rounds " rounds of quick results among them (first column: flat-court matches played)", "WorldCup", " matches |")
}' "$work/clubs.md"

# The comparison screen as the probe dumps it: a club's games are the most any of its players has.
echo "## 3. The player comparison after $continues continues at fast simulation"
echo
echo "\`probe --seed S --set EnableFastSimulation=1 --new-career C\` and $continues \`--continue\`, then the comparison" \
    "window's grids (category 10 for games and points, 7 for steals and turnovers), each league in turn. A figure" \
    "a game: the user's club, the mean of the other clubs of its league that played, and whether the club lies" \
    "within a quarter of that mean."
echo
echo "| career | seed | date | club | games | points | rivals | within | turnovers | rivals | within | steals | rivals | within |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
for career in $careers; do
    for probe_seed in $probe_seeds; do
        awk -v career="$career" -v probeSeed="$probe_seed" '
function unquote(s) { sub(/^ *"/, "", s); sub(/" *$/, "", s); return s }
/^[0-9]+ ID_FR_CLUB / { match($0, /"[^"]*"$/); user = substr($0, RSTART + 1, RLENGTH - 2) }
/^[0-9][0-9]\.[0-9][0-9]\.[0-9]+$/ { date = $0 }
/^10359 / { grid = "L"; ++league }
/^10360 / { grid = "R" }
/^  row [0-9]+: / {
    line = $0
    sub(/^  row [0-9]+: /, "", line)
    n = split(line, f, /" \| "/)
    team = unquote(f[3])
    key = league SUBSEP team
    if (!(key in seen)) { seen[key] = 1; clubs[league] = clubs[league] SUBSEP team }
    if (grid == "L") {
        g = unquote(f[4]) + 0
        if (g > games[key]) games[key] = g
        points[key] += unquote(f[5])
    } else {
        steals[key] += unquote(f[6])
        turnovers[key] += unquote(f[8])
    }
}
function figure(sums,    own, mean, rivals, k, i, m, names) {
    own = sums[userKey] / games[userKey]
    m = split(clubs[userLeague], names, SUBSEP)
    for (i = 2; i <= m; ++i) {
        k = userLeague SUBSEP names[i]
        if (names[i] == user || games[k] == 0) continue
        mean += sums[k] / games[k]
        ++rivals
    }
    mean = rivals > 0 ? mean / rivals : 0
    within = mean > 0 && own >= 0.75 * mean && own <= 1.25 * mean ? "yes" : "**no**"
    return sprintf(" %.1f | %.1f | %s |", own, mean, within)
}
END {
    for (key in seen) {
        split(key, parts, SUBSEP)
        if (parts[2] == user) { userLeague = parts[1]; userKey = key }
    }
    if (userKey == "" || games[userKey] == 0) {
        printf "| %s | %s | %s | %s | no games |\n", career, probeSeed, date, user
        exit
    }
    printf "| %s | %s | %s | %s | %d |%s%s%s\n", career, probeSeed, date, user, games[userKey],
           figure(points), figure(turnovers), figure(steals)
}' "$work/probe-$career-$probe_seed.md"
    done
done
echo
echo "Run time: $(($(date +%s) - started)) s with up to $jobs processes at once."
