# Shared by the e2e tests: a private X server and openbox, the game, its windows, keys and pixels.
# Sourced by play_test.sh, strace_test.sh and hostile_test.sh, which set -euo pipefail first.
# shellcheck shell=bash

# Arguments of every test: the folder holding tanzel-punch and its tunes, the screenshot folder and
# the pointer-shape helper.
e2e_init() {
    [ $# -eq 3 ] || { echo "usage: $0 RUN_DIR SCREENSHOT_DIR POINTER_SHAPE" >&2; exit 2; }
    RUN_DIR=$(cd "$1" && pwd)
    SHOTS=$2
    POINTER_SHAPE=$3
    [ -x "$RUN_DIR/tanzel-punch" ] || { echo "no tanzel-punch in $RUN_DIR" >&2; exit 2; }
    rm -rf "$SHOTS"
    mkdir -p "$SHOTS"
    WORK=$(mktemp -d /tmp/tanzel-e2e.XXXXXX)
    # A home, a runtime folder and an empty cursor path of the test's own: no user settings reach
    # the game, and the pointer shapes come from the core cursor font on every machine.
    mkdir -p "$WORK/home" "$WORK/no-cursor-theme"
    mkdir -m 700 "$WORK/runtime"
    SHOT_COUNT=0
    STEP="start"
    SOFT_FAILURES=()
    XVFB_PID=""
    WM_PID=""
    GAME_PID=""
    trap e2e_cleanup EXIT
}

e2e_cleanup() {
    local pid
    for pid in "$GAME_PID" "$WM_PID" "$XVFB_PID"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    for pid in "$GAME_PID" "$WM_PID" "$XVFB_PID"; do
        [ -n "$pid" ] && wait "$pid" 2>/dev/null || true
    done
    # The read-only case leaves folders without write permission behind.
    [ -n "${WORK:-}" ] && chmod -R u+w "$WORK" 2>/dev/null && rm -rf "$WORK"
    return 0
}

# Names the step, and shows what the game wrote to stderr during the last one.
step() {
    show_new_stderr
    STEP=$1
    echo "--- $STEP"
}

STDERR_SHOWN=0
show_new_stderr() {
    [ -f "$WORK/game.err" ] || return 0
    local lines
    lines=$(wc -l <"$WORK/game.err")
    [ "$lines" -gt "$STDERR_SHOWN" ] &&
        tail -n +$((STDERR_SHOWN + 1)) "$WORK/game.err" | sed 's/^/    stderr: /'
    STDERR_SHOWN=$lines
}

shot() {
    SHOT_COUNT=$((SHOT_COUNT + 1))
    local file
    file=$(printf '%s/%02d-%s.png' "$SHOTS" "$SHOT_COUNT" "$1")
    import -display "$DISPLAY" -window root -depth 8 "$file" 2>/dev/null || true
    LAST_SHOT=$file
}

game_log() {
    local file
    for file in "$WORK"/game.err "$WORK"/game.out; do
        [ -s "$file" ] && { echo "  ${file##*/}:"; sed 's/^/    /' "$file"; }
    done
    return 0
}

# Stops the test at once, naming the step.
fail() {
    echo "FAIL [$STEP]: $*" >&2
    [ -n "$XVFB_PID" ] && shot "failed-${STEP// /-}"
    game_log >&2
    exit 1
}

# Records a wrong detail and lets the test go on; the test fails at its end.
expect_failure() {
    echo "FAIL [$STEP]: $*" >&2
    SOFT_FAILURES+=("[$STEP] $*")
}

finish() {
    if [ ${#SOFT_FAILURES[@]} -gt 0 ]; then
        echo "${#SOFT_FAILURES[@]} check(s) failed:" >&2
        printf '  %s\n' "${SOFT_FAILURES[@]}" >&2
        exit 1
    fi
    echo "PASS ($SECONDS s, screenshots in $SHOTS)"
}

now() { echo "${EPOCHREALTIME//[!0-9]/}"; } # microseconds, whatever the locale's decimal mark

# wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds.
wait_until() {
    local limit=$(( $(now) + $1 * 1000000 ))
    shift
    until "$@"; do
        [ "$(now)" -lt "$limit" ] || return 1
        sleep 0.1
    done
}

# --- the X server and the window manager

start_x() {
    local display_file="$WORK/display"
    : >"$display_file"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$display_file" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_until 20 grep -q '^[0-9]' "$display_file" ||
        fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    export DISPLAY=":$(head -n1 "$display_file")"
    export XCURSOR_PATH="$WORK/no-cursor-theme"
    # Openbox as installed, less the iconify animation, which moves windows while it plays.
    [ -f /etc/xdg/openbox/rc.xml ] || fail "no /etc/xdg/openbox/rc.xml"
    sed 's#<animateIconify>yes</animateIconify>#<animateIconify>no</animateIconify>#' \
        /etc/xdg/openbox/rc.xml >"$WORK/openbox-rc.xml"
    HOME="$WORK/home" openbox --sm-disable --config-file "$WORK/openbox-rc.xml" \
        >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    wait_until 20 wm_running || fail "openbox did not start: $(cat "$WORK/openbox.log")"
    SCREEN_W=1024
    SCREEN_H=768
}

wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# The top-level windows: after the game, the same as before it.
top_level_windows() {
    xwininfo -root -children | grep -E '^ +0x' | awk '{print $1}' | sort
}

windows_as_before() { [ "$(top_level_windows)" = "$1" ]; }

# --- the game

# launch [VAR=VALUE...]: starts the game from FOLDER (default RUN_DIR) with a clean environment plus
# the given variables; WRAP (an array) is put in front of it, e.g. strace or unshare.
launch() {
    local folder=${FOLDER:-$RUN_DIR}
    STDERR_SHOWN=0
    (cd "$folder" && exec "${WRAP[@]}" env -i PATH=/usr/bin:/bin HOME="$WORK/home" \
        DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$WORK/runtime" XCURSOR_PATH="$XCURSOR_PATH" \
        LANG=C.UTF-8 "$@" ./tanzel-punch) >"$WORK/game.out" 2>"$WORK/game.err" &
    GAME_PID=$!
}
WRAP=()

game_running() { kill -0 "$GAME_PID" 2>/dev/null; }

game_ended() { ! game_running; }

# Waits for the game to end; EXIT_STATUS is its exit status.
wait_exit() {
    wait_until "$1" game_ended || fail "the program is still running after $1 s"
    EXIT_STATUS=0
    wait "$GAME_PID" || EXIT_STATUS=$?
    GAME_PID=""
}

# --- windows

# Sets WX WY WW WH (client area on the screen) and WMAP for window $1.
geometry() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    WX=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
    WY=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
    WW=$(awk '/Width:/ {print $2}' <<<"$info")
    WH=$(awk '/Height:/ {print $2}' <<<"$info")
    WMAP=$(awk '/Map State:/ {print $3}' <<<"$info")
}

# The title the window manager shows.
visible_title() {
    xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}

# find_window REGEX [WIDTH HEIGHT]: sets FOUND to a mapped window whose name matches and whose
# client area has that size. The X server is the test's own, so every such window is the game's.
find_window() {
    local id
    FOUND=""
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        geometry "$id" || continue
        [ "$WMAP" = IsViewable ] || continue
        if [ $# -eq 1 ] || { [ "$WW" = "$2" ] && [ "$WH" = "$3" ]; }; then
            FOUND=$id
            return 0
        fi
    done
    return 1
}

# await_window SECONDS WHAT REGEX [WIDTH HEIGHT]: the window's id goes to FOUND, or the test fails.
await_window() {
    local seconds=$1 what=$2
    shift 2
    wait_until "$seconds" found_or_ended "$@" || fail "no $what window ($*) within $seconds s"
    [ -n "$FOUND" ] || ended_early "while waiting for the $what window"
    geometry "$FOUND"
}

found_or_ended() { find_window "$@" || ! game_running; }

# Fails naming how the program ended.
ended_early() {
    local status=0
    wait "$GAME_PID" || status=$?
    GAME_PID=""
    [ "$status" -gt 128 ] && fail "the program was killed by signal $((status - 128)) $1"
    fail "the program ended with status $status $1"
}

window_gone() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 0
    ! grep -q IsViewable <<<"$info"
}

active_window() { xdotool getactivewindow 2>/dev/null || true; }

is_active() { [ "$(active_window)" = "$1" ]; }

wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state:/ {print $3}'; }

# The title window ($TITLE_WIN) as it must be whenever it is idle: shown, normal, in its place.
title_in_place() {
    geometry "$TITLE_WIN" && [ "$WMAP" = IsViewable ] && [ "$(wm_state "$TITLE_WIN")" = Normal ] &&
        [ "$WX,$WY ${WW}x$WH" = "163,162 250x166" ]
}

# click WINDOW X Y: a left click at a point of the window's client area.
click() {
    geometry "$1" || fail "window $1 vanished before a click"
    xdotool mousemove --sync $((WX + $2)) $((WY + $3)) click 1
}

# point WINDOW X Y: moves the pointer there, through a point just beside it so that it really moves.
point() {
    geometry "$1" || fail "window $1 vanished"
    xdotool mousemove --sync $((WX + $2 + 1)) $((WY + $3)) \
        mousemove --sync $((WX + $2)) $((WY + $3))
}

# Clicks the window manager's close box: openbox draws it at the right end of the title bar.
click_close_box() {
    geometry "$1" || fail "window $1 vanished before its close box was clicked"
    xdotool mousemove --sync $((WX + WW - 10)) $((WY - 10)) click 1
}

# --- pictures

# count_pixels FILE WxH+X+Y TEST: how many pixels of the area pass an awk test on r, g, b.
count_pixels() {
    convert "$1" -crop "$2" +repage -depth 8 txt:- |
        awk -F'[(),]' "NR > 1 { r = \$3; g = \$4; b = \$5; if ($3) n++ } END { print n + 0 }"
}

same_pixels() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# crop FILE WxH+X+Y OUT
crop() { convert "$1" -crop "$2" +repage "$3"; }

# Yellow, as the score is written.
YELLOW='r >= 220 && g >= 220 && b <= 60'

# --- keys

# One pass over all nine holes in a random order: every creature that stands up is punched.
punch_all_holes() {
    # shellcheck disable=SC2046
    xdotool key --delay 15 $(shuf -e "$@")
}
DIGIT_ROW=(1 2 3 4 5 6 7 8 9)
# The keypad with NumLock off, as many keyboards start: Home is 7, Up is 8, and so on.
KEYPAD_NUMLOCK_OFF=(KP_End KP_Down KP_Next KP_Left KP_Begin KP_Right KP_Home KP_Up KP_Prior)

# Punches every hole with the digit row until the game-over window shows; FOUND is that window.
punch_until_game_over() {
    local since=$SECONDS
    until find_window '^GAME OVER' 237 286; do
        game_running || ended_early "while punching"
        [ $((SECONDS - since)) -lt 150 ] || fail "the game did not end in 150 s of punching"
        punch_all_holes "${DIGIT_ROW[@]}"
    done
}
