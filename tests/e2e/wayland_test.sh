#!/usr/bin/env bash
# One session of the game on Wayland: weston nested in Xvfb, so that xdotool drives it through
# weston's X window, and the game a native Wayland client whose protocol log tells what it asked.
# shellcheck source-path=SCRIPTDIR source=lib/desktop.sh
source "$(dirname "$0")/lib/desktop.sh"
start_desktop weston weston-debug
export XDG_RUNTIME_DIR="$WORK/runtime" WAYLAND_DISPLAY=tanzel-e2e
# Weston takes pointer motion only after the pointer has entered its window: it starts outside.
xdotool mousemove 0 0
HOME="$WORK/home" weston --backend=x11-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" \
    --width=640 --height=480 --config="$E2E/weston.ini" --debug >"$WORK/weston.log" 2>&1 &
PIDS+=($!)
wait_for 10 "weston" grep -q 'x11 output .*window id [0-9]*$' "$WORK/weston.log"
WESTON=$(sed -n 's/^.*x11 output .*window id \([0-9]*\)$/\1/p' "$WORK/weston.log")
xdotool windowactivate "$WESTON"
wait_for 5 "weston's window active" focus_on "$WESTON"

# The game's log of its requests and events. A surface has settled once it has acknowledged the
# last configure that it was sent and committed a frame after its first acknowledgement.
LOG=$WORK/game.err
committed() {
    awk -v wl="$1" '
        function obj(kind) { match($0, kind "@[0-9]+"); return substr($0, RSTART, RLENGTH) }
        / -> xdg_wm_base@[0-9]+\.get_xdg_surface\(/ {
            x = obj("xdg_surface"); surface[x] = obj("wl_surface"); due[x] = 1; shown[x] = 0 }
        /^\[[0-9. ]+\] xdg_surface@[0-9]+\.configure\(/ { due[obj("xdg_surface")] = 1 }
        / -> xdg_surface@[0-9]+\.ack_configure\(/ { due[obj("xdg_surface")] = 0 }
        / -> wl_surface@[0-9]+\.commit\(\)/ {
            for (x in surface) if (surface[x] == obj("wl_surface") && !due[x]) shown[x] = 1 }
        / -> xdg_surface@[0-9]+\.destroy\(\)/ { delete surface[obj("xdg_surface")] }
        END { for (x in surface) if (surface[x] == wl) exit due[x] || !shown[x]; exit 1 }' "$LOG"
}
# Under weston the place is weston's X window, the client's offset in it and the surface. Weston's
# scene graph lists each shown window with its place, frame included: where the compositor draws
# no frame, Qt draws one of 3 pixels with a title bar of 30.
place() {
    local name w h spot
    IFS=: read -r name w h <<<"$1"
    spot=$(weston-debug scene-graph 2>/dev/null | awk -v title="'$name'" -v w="$w" -v h="$h" '
        /role xdg_toplevel/ {
            mine = index($0, "top-level window " title " of")
            match($0, /surface ID [0-9]+/); id = substr($0, RSTART + 11, RLENGTH - 11) }
        mine && /position: / {
            gsub(/->/, ""); gsub(/[^-0-9]+/, " ")
            if ($3 - $1 == w + 6 && $4 - $2 == h + 33) { print $1 + 3, $2 + 30, id; exit } }')
    [ -n "$spot" ] && committed "wl_surface@${spot##* }" && echo "$WESTON $spot"
}
# The keyboard's last enter, not followed by a leave, was on the window's surface.
active() {
    local spot
    spot=$(place "$1") && grep -aE '^\[[0-9. ]+\] wl_keyboard@[0-9]+\.(enter|leave)\(' "$LOG" |
        tail -1 | grep -q "enter([0-9]*, wl_surface@${spot##* },"
}

run_game QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$WAYLAND_DISPLAY" WAYLAND_DEBUG=1
start_game
punch 3 keys "$GAME" 3
punch 7 keys "$GAME" 7
play_to_the_end
quit

grep -aq 'xdg_toplevel@[0-9]*\.set_app_id("tanzel-punch")' "$LOG" || fail "no app_id tanzel-punch"
grep -a 'qt\.qpa' "$LOG" >&2 && fail "Qt's platform warnings above"
grep -aq 'set_minimized()' "$LOG" && fail "a minimise asked for, which Wayland cannot undo"
echo "PASS in $SECONDS s; screenshots in $SHOTS"
