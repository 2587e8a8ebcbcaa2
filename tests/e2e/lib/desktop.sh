# shellcheck shell=bash
# Shared by the e2e tests, run as TEST RUN_DIR SCREENSHOT_DIR: Xvfb under openbox, waits with
# deadlines; acts on settled windows only, named "title:width:height" as title and game share one.
set -euo pipefail -o errtrace
RUN_DIR=$1 SHOTS=$2

E2E=$(dirname "${BASH_SOURCE[0]}")/..
rm -rf "$SHOTS" && mkdir -p "$SHOTS"
WORK=$(mktemp -d /tmp/tanzel-e2e.XXXXXX)
mkdir -m 700 "$WORK/home" "$WORK/runtime"
PIDS=()
trap 'kill "${PIDS[@]}" 2>/dev/null; wait; rm -rf "$WORK"' EXIT
# A command that fails outside a test of its status ends the test with a message, not in silence.
trap '[ "$BASHPID" != "$$" ] || fail "status $? from $BASH_COMMAND (line $LINENO)"' ERR

fail() {
    echo "FAIL: $*" >&2
    import -window root "$SHOTS/failure.png" || true
    grep -v '^\[' "$WORK/game.err" | sed 's/^/  stderr: /' >&2 || true
    exit 1
}

need() { for tool; do type -P "$tool" >/dev/null || fail "no $tool: install-deps.sh test"; done; }

# wait_for SECONDS WHAT COMMAND...: polls COMMAND every 0.1 s until it succeeds.
wait_for() {
    local deadline=$((SECONDS + $1))
    until "${@:3}"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "$2: not within $1 s"
        sleep 0.1
    done
}

start_desktop() {
    need Xvfb openbox xdotool xprop xwininfo import convert identify timeout tail "$@"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" & PIDS+=($!)
    wait_for 10 "Xvfb" grep -q '[0-9]' "$WORK/display"
    DISPLAY=":$(<"$WORK/display")" && export DISPLAY
    HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home" openbox --sm-disable \
        --config-file "$E2E/openbox.xml" >"$WORK/openbox.log" 2>&1 & PIDS+=($!)
    wait_for 10 "openbox" wm_up $!
}
wm_up() {
    kill -0 "$1" 2>/dev/null || fail "openbox ended: $(<"$WORK/openbox.log")"
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}
in_state() { xprop -id "$1" WM_STATE 2>/dev/null | grep -q "window state: $2"; }

# run_game [VAR=VALUE...] [COMMAND...]: the game through COMMAND with only the environment given,
# its own home and runtime folder (no user settings, no audio server), until its title has settled.
run_game() {
    (cd "$RUN_DIR" && exec env -i PATH=/usr/bin:/bin HOME="$WORK/home" \
        XDG_RUNTIME_DIR="$WORK/runtime" LANG=C.UTF-8 "$@" ./tanzel-punch) \
        >"$WORK/game.out" 2>"$WORK/game.err" &
    GAME_PID=$! && PIDS+=("$GAME_PID")
    settle "$TITLE" 20
}

# place WINDOW: "XID X Y ..." where its client shows (X window XID, at X Y), then what tells that
# it moved. Under X11, a viewable window that the window manager holds as Normal.
place() {
    local name w h id info
    IFS=: read -r name w h <<<"$1"
    for id in $(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null); do
        info=$(xwininfo -id "$id" 2>/dev/null |
            awk '/Absolute|Width|Height|Map State/ { printf " %s", $NF }')
        [[ $info == *" $w $h IsViewable" ]] && in_state "$id" Normal && echo "$id 0 0$info" &&
            return
    done
    return 1
}
focus_on() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
active() { focus_on "$(place "$1" | cut -d' ' -f1)"; }

# settled WINDOW: true when WINDOW is at the place it had on the poll before and painted (its
# picture is not of one colour); HERE becomes that place. All that acts on a window waits for this.
settled() {
    local spot
    spot=$(place "$1") || spot=
    [ -n "$spot" ] && [ "$spot" = "$SPOT" ] &&
        [ "$(grab "$1" "$spot" png:- | identify -format %k - 2>/dev/null)" -gt 1 ] 2>/dev/null &&
        HERE=$spot && return
    SPOT=$spot && return 1
}
settle() { SPOT= && wait_for "${2:-10}" "${1%%:*} settled (placed and painted)" settled "$1"; }
grab() {
    local w h win x y
    IFS=: read -r _ w h <<<"$1" && read -r win x y _ <<<"$2"
    import -window "$win" -crop "${w}x$h+$x+$y" +repage "$3"
}

click() {
    local win x y
    settle "$1" && read -r win x y _ <<<"$HERE"
    xdotool mousemove --sync --window "$win" $((x + $2)) $((y + $3)) click 1
}
keys() { settle "$1" && shift && xdotool key --delay 15 "$@"; }
shot() { settle "$1" && grab "$1" "$HERE" "$SHOTS/$2.png"; }
gone() { ! place "$1" >/dev/null; }
all_gone() { gone "$1" && gone "$2"; }

TITLE="Tanzel Punch:250:166" GAME="Tanzel Punch:361:288" OVER="GAME OVER:237:286"

start_game() {
    click "$TITLE" 96 140
    settle "$GAME"
    # Minimised under X11, hidden on Wayland (the Qt tests tell which): gone from the desktop.
    wait_for 5 "the title window out of the way" gone "$TITLE"
    wait_for 5 "the keyboard focus on the game" active "$GAME"
}

close_game_over() {
    click "$OVER" 120 240
    wait_for 5 "the game windows closed" all_gone "$OVER" "$GAME"
    wait_for 5 "the title window active" active "$TITLE"
}

# HAMMER becomes the hole whose cell (80 x 88 from 20 + 80 column, 20 + 88 row, top row 7 8 9) holds
# the hammer's red head: 20 pixels or more of its colour.
hammer() {
    settle "$GAME"
    HAMMER=$(grab "$GAME" "$HERE" png:- | convert png:- -crop 240x264+20+20 +repage \
        -fill black +opaque '#A3121E' -fill white -opaque '#A3121E' -crop 80x88 \
        -format '%[fx:mean*w*h] ' info: |
        awk '{ for (row = 0; row < 3; row++) for (column = 0; column < 3; column++)
                 if ($(3 * row + column + 1) >= 20) printf "%d", 7 - 3 * row + column }')
}
hammer_at() { hammer && [ "$HAMMER" = "$1" ]; }
over_or_hammer_at() { ! gone "$OVER" || hammer_at "$1"; }

# punch HOLE COMMAND...: COMMAND (a key, a click) moves the hammer over HOLE. A golden creature
# under the hammer ends the game at once, and the game-over window may hide it: a new game, again.
punch() {
    local try
    for try in 1 2 3; do
        "${@:2}"
        wait_for 5 "the hammer over hole $1 after ${*:2} (game $try)" over_or_hammer_at "$1"
        gone "$OVER" && return
        close_game_over && start_game
    done
    fail "three games in a row ended at ${*:2}"
}

play_to_the_end() {
    shot "$GAME" 2-game
    local deadline=$((SECONDS + 90)) digits
    until place "$OVER" >/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || fail "no game-over window after 90 s of punching"
        mapfile -t digits < <(shuf -e {1..9})
        keys "$GAME" "${digits[@]}"
    done
    shot "$OVER" 3-game-over
}

quit() {
    close_game_over
    shot "$TITLE" 1-title
    click "$TITLE" 160 140
    timeout 10 tail -s 0.1 --pid="$GAME_PID" -f /dev/null || fail "no end within 10 s of Salir"
    wait "$GAME_PID" || fail "exit status $? after Salir"
}
