# The window session shared by the scripted sessions: Xvfb, starting the game, waiting for the
# screen to settle, screenshots and clicks. Sourced after $out and $work are set.
# Xvfb picks a free display itself and tells us which.
displayfile="$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 50); do
    [ -s "$displayfile" ] && break
    sleep 0.1
done
[ -s "$displayfile" ] || { echo "FAILED: Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$displayfile")"
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

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
