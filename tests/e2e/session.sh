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

# Xvfb picks a free display itself and tells us which.
open_display() {
    local displayfile="$out/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 1 50); do
        [ -s "$displayfile" ] && break
        sleep 0.1
    done
    [ -s "$displayfile" ] || { echo "FAILED: Xvfb did not start"; exit 1; }
    export DISPLAY=":$(cat "$displayfile")"
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
# Waits until the screen stops changing (three equal looks in a row), at most $1 seconds: a busy
# machine may take longer to build a career or play a day than any fixed pause allows.
settle() {
    local last="" same=0 now
    for _ in $(seq 1 $(( ${1:-20} * 4 ))); do
        now=$(import -window root -depth 8 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1)
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
start_game() {
    (cd "$work" && SDL_AUDIODRIVER=dummy exec ./fastbreak) &
    game_pid=$!
    for _ in $(seq 1 50); do
        window=$(xdotool search --onlyvisible --name '^Fastbreak$' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || fail "the game window did not open"
    # Clicks go to screen positions: the window's corner plus the game's own coordinates.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    left=$X
    top=$Y
}
click() {
    xdotool mousemove --sync $((left + $1)) $((top + $2))
    sleep 0.3
    xdotool click 1
    sleep "${3:-0.5}"
    settle 30
}
# new_career <club's row y> [manager name]: starts the game, passes the intro and makes a new
# career with the club at that height of the list (362 is the fourth club) and the name typed in
# (the default name when none is given), then waits until it is listed and its frame has settled.
# With career_shots=1 the way there is shot: 01-intro, 02-main-menu, 03-new-career, 04-club-chosen.
new_career() {
    local row="$1" name="${2:-}"
    start_game
    sleep 1
    career_shot 01-intro
    xdotool key --window "$window" space
    sleep 1
    settle 60
    career_shot 02-main-menu
    click 512 390 2 # New career
    career_shot 03-new-career
    click 182 "$row" # the club
    if [ -n "$name" ]; then
        click 812 202 0.3 # manager name
        for _ in $(seq 1 12); do xdotool key --window "$window" BackSpace; done
        xdotool type --window "$window" "$name"
        sleep 0.5
    fi
    career_shot 04-club-chosen
    click 812 634 1 # Start career
    wait_for_text "${name:-Manager}" "$work/data/profiles/profilelist.dat" 60 ||
        fail "the new career was not created"
    settle 30
}
career_shot() {
    if [ -n "${career_shots:-}" ]; then shot "$1"; fi
}
