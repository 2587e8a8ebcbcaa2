#!/usr/bin/env bash
# The player's desktop under X11, the game under strace: keys and clicks on holes and between them,
# another window in front for 10 s, a minimise for 10 s, the digit row of a French keyboard, a game
# played to its end, the way back, "Salir"; then what the trace says the game touched.
# shellcheck source-path=SCRIPTDIR source=lib/desktop.sh
source "$(dirname "$0")/lib/desktop.sh"
start_desktop xmessage setxkbmap compare strace
run_game DISPLAY="$DISPLAY" strace -f -ff -qq -o "$WORK/trace" -e trace=%file,%network
start_game
hammer_at "" || fail "the hammer shows before any key"
punch 7 keys "$GAME" KP_Home

# The game's picture as PPM, which holds nothing but the pixels.
picture() { settle "$GAME" && grab "$GAME" "$HERE" "ppm:$WORK/$1.ppm"; }
# The pause: not a pixel of the board's own colour left, and "PAUSA · PAUSED" in yellow over it.
shows_pause() {
    convert "$WORK/$1.ppm" -depth 8 -format %c histogram:info:- | awk '/ #6600FF / { board = 1 }
        / #FFFF00 / { text = $1 + 0 } END { exit board || text < 500 }'
}
paused() { picture paused && shows_pause paused; }
same() { [ "$(compare -metric AE "$WORK/$1.ppm" "$WORK/$2.ppm" null: 2>&1)" = 0 ]; }
going_on() {
    picture now && ! shows_pause now || return
    [ -e "$WORK/last.ppm" ] && ! same now last && return
    mv "$WORK/now.ppm" "$WORK/last.ppm" && return 1
}
goes_on() { rm -f "$WORK/last.ppm" && wait_for 5 "the game going on $1" going_on; }

# Each hole's cell is 65 pixels square; columns from 24 by 80, rows 1-2-3 from 200 up by 88.
for hole in {1..9}; do
    punch "$hole" click "$GAME" $((56 + 80 * ((hole - 1) % 3))) $((232 - 88 * ((hole - 1) / 3)))
done
click "$GAME" 176 144
click "$GAME" 136 100
# After the clicks, which may have ended a game and started another in a new window.
GAME_ID=$(place "$GAME" | cut -d' ' -f1)

xmessage -geometry +0+700 "Elsewhere" & PIDS+=($!)
timeout 5 xdotool search --sync --onlyvisible --name '^xmessage$' windowactivate ||
    fail "the other window: not within 5 s"
# Events come in order: once the pause shows, the clicks between holes have been taken.
wait_for 5 "the pause over the game" paused
mv "$WORK/paused.ppm" "$WORK/before.ppm"
shot "$GAME" paused
sleep 10
# Nothing moved, the creatures and the Power bar included.
if ! paused || ! same paused before; then fail "the game moved behind another window"; fi
xdotool windowactivate "$GAME_ID"
goes_on "when active again"
hammer_at 9 || fail "a click between holes moved the hammer to $HAMMER"

# A minimise leaves the window too, which the pause above covers; a restore makes it active at
# once, so what is checked here is that the minimise is the player's, and the game after it.
xdotool windowminimize "$GAME_ID"
wait_for 5 "the game minimised" in_state "$GAME_ID" Iconic
for _ in {1..50}; do
    if ! in_state "$GAME_ID" Iconic || focus_on "$GAME_ID"; then fail "the game came back"; fi
    sleep 0.2
done
xdotool windowactivate "$GAME_ID"
goes_on "after its restore"

setxkbmap fr
setxkbmap -query | grep -q '^layout: *fr$' || fail "no French layout"
row=(ampersand eacute quotedbl apostrophe parenleft minus egrave underscore ccedilla)
for hole in {1..9}; do punch "$hole" keys "$GAME" "${row[hole - 1]}"; done
play_to_the_end
wait_for 5 "the game-over window active" active "$OVER"
quit
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
