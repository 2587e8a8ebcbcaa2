#!/usr/bin/env bash
# One session of the real game in Xvfb under openbox and strace, played with xdotool: the title,
# a game ended by punching, the way back, "Salir"; then what the trace says it touched.
# Usage: session_test.sh RUN_DIR SCREENSHOT_DIR
set -euo pipefail
SHOTS=$2
rm -rf "$SHOTS" && mkdir -p "$SHOTS"
WORK=$(mktemp -d /tmp/tanzel-e2e.XXXXXX)
mkdir -m 700 "$WORK/home" "$WORK/runtime"
PIDS=()
trap 'kill "${PIDS[@]}" 2>/dev/null; wait; rm -rf "$WORK"' EXIT

fail() {
    echo "FAIL: $*" >&2
    import -window root "$SHOTS/failure.png" || true
    sed 's/^/  stderr: /' "$WORK/game.err" >&2 || true
    exit 1
}

# wait_for SECONDS WHAT COMMAND...: polls COMMAND every 0.1 s until it succeeds.
wait_for() {
    local deadline=$((SECONDS + $1)) limit=$1 what=$2
    shift 2
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "$what: not within $limit s"
        sleep 0.1
    done
}

# found VAR NAME W H: VAR becomes the shown window named NAME whose client area is W x H.
found() {
    local id
    for id in $(xdotool search --onlyvisible --name "$2" 2>/dev/null); do
        [[ $(xdotool getwindowgeometry "$id" 2>/dev/null) == *"Geometry: $3x$4"* ]] &&
            printf -v "$1" %s "$id" && return
    done
    return 1
}
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
in_state() { xprop -id "$1" WM_STATE 2>/dev/null | grep -q "window state: $2"; }
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }
title_back() { gone "$GAME_OVER" && gone "$GAME" && ! gone "$TITLE" && in_state "$TITLE" Normal; }
click() { xdotool mousemove --sync --window "$1" "$2" "$3" click 1; }
shot() { import -window "$1" "$SHOTS/$2.png"; }

# The columns of the playfield where the hammer's red head shows: 0 (holes 7 4 1), 2 (holes 9 6 3).
hammer_columns() {
    import -window "$GAME" "$WORK/game.png" 2>/dev/null || return 0
    local column
    for column in 0 2; do
        [ "$(convert "$WORK/game.png" -crop "100x288+$((90 * column))+0" txt:- |
            grep -c '#A3121E')" -lt 20 ] || echo -n "$column"
    done
}
hammer_at() { [ "$(hammer_columns)" = "$1" ]; }

start_game() {
    click "$TITLE" 96 140
    wait_for 10 "the game window" found GAME '^Tanzel Punch$' 361 288
    wait_for 5 "the title window minimised" in_state "$TITLE" Iconic
    wait_for 5 "the keyboard focus on the game" active "$GAME"
}

# close_game_over: its button closes the game-over and game windows and brings the title back.
close_game_over() {
    click "$GAME_OVER" 120 240
    wait_for 5 "the game windows closed and the title back" title_back
    wait_for 5 "the title window active" active "$TITLE"
}

# press KEY COLUMN [TRY]: the key moves the hammer into that column alone. A golden creature under
# the hammer ends the game at once, and the game-over window may hide it: a new game, the same key.
press() {
    xdotool key "$1"
    wait_for 5 "the hammer in column $2 after $1" over_or_hammer_at "$2"
    found GAME_OVER '^GAME OVER$' 237 286 || return 0
    [ "${3:-1}" -lt 3 ] || fail "three games in a row ended at $1"
    close_game_over
    start_game
    press "$1" "$2" $((${3:-1} + 1))
}
over_or_hammer_at() { found GAME_OVER '^GAME OVER$' 237 286 || hammer_at "$1"; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" & PIDS+=($!)
wait_for 10 "Xvfb" grep -q '[0-9]' "$WORK/display"
DISPLAY=":$(<"$WORK/display")" && export DISPLAY
HOME="$WORK/home" openbox --sm-disable >/dev/null 2>&1 & PIDS+=($!)
wait_for 10 "openbox" wm_up

# A home and a runtime folder of its own: no user settings and no audio server reach the game.
(cd "$1" && exec strace -f -ff -qq -o "$WORK/trace" -e trace=%file,%network \
    env -i PATH=/usr/bin:/bin HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" \
    DISPLAY="$DISPLAY" LANG=C.UTF-8 ./tanzel-punch) >"$WORK/game.out" 2>"$WORK/game.err" &
GAME_PID=$! && PIDS+=("$GAME_PID")
wait_for 20 "the title window" found TITLE '^Tanzel Punch$' 250 166

start_game
hammer_at "" || fail "the hammer shows before any key"
press 3 2
press KP_Home 0
shot "$GAME" 2-game

deadline=$((SECONDS + 90))
until found GAME_OVER '^GAME OVER$' 237 286; do
    [ "$SECONDS" -lt "$deadline" ] || fail "no game-over window after 90 s of punching"
    shuf -e 1 2 3 4 5 6 7 8 9 | xargs xdotool key --delay 15
done
wait_for 5 "the game-over window active" active "$GAME_OVER"
shot "$GAME_OVER" 3-game-over
close_game_over
# Taken once the title is back: right after it maps, it may not be painted yet.
shot "$TITLE" 1-title

click "$TITLE" 160 140
wait_for 10 "the end of the program after Salir" ended
wait "$GAME_PID" || fail "exit status $? after Salir"
[ -z "$(sed -n '2p; /^tanzel-punch: music off: /!p' "$WORK/game.err")" ] ||
    fail "stderr holds more than one line saying the music is off"

cat "$WORK"/trace.* >"$WORK/calls"
grep -q '^connect(.*X11-unix' "$WORK/calls" || fail "the trace holds no connection to the X server"
WRITE='^(open|openat|creat)\(.*O_(WRONLY|RDWR|CREAT|TRUNC|APPEND)|^(mkdir|rmdir|unlink|rename|'
WRITE+='link|symlink|truncate|f?chmod|f?chown|lchown|mknod|utimensat)(at|at2)?\('
# The audio client library makes its folder in the runtime folder, which dies with the session.
grep -E "$WRITE" "$WORK/calls" | grep -v ' = -1 ' |
    grep -v -e '"/dev/' -e "\"$WORK/runtime/" >&2 && fail "the game wrote the files above"
grep -E '^socket\(' "$WORK/calls" | grep -v '^socket(AF_UNIX' >&2 && fail "non-local sockets above"
echo "PASS in $SECONDS s; screenshots in $SHOTS"
