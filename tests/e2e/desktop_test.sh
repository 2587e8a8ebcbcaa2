#!/usr/bin/env bash
# The player's desktop under X11, in one game: clicks on holes and between them, another window
# in front for 10 s, a minimise for 10 s, and the digit row of a French keyboard.
# Usage: desktop_test.sh RUN_DIR SCREENSHOT_DIR
set -euo pipefail
RUN_DIR=$1 SHOTS=$2
# shellcheck source-path=SCRIPTDIR source=lib/desktop.sh
source "$(dirname "$0")/lib/desktop.sh"
need xmessage setxkbmap compare
start_desktop
run_game DISPLAY="$DISPLAY"
start_game

# The game's picture as PPM, which holds nothing but the pixels.
picture() { settle "$GAME" && grab "$GAME" "$HERE" "ppm:$WORK/$1.ppm"; }
# The pause: not a pixel of the board's own colour left, and "PAUSA · PAUSED" in yellow over it.
shows_pause() {
    convert "$WORK/$1.ppm" -depth 8 -format %c histogram:info:- | awk '/ #6600FF / { board = 1 }
        / #FFFF00 / { text = $1 + 0 } END { exit board || text < 500 }'
}
paused() { picture paused && shows_pause paused; }
same() { [ "$(compare -metric AE "$WORK/$1.ppm" "$WORK/$2.ppm" null: 2>&1)" = 0 ]; }
# going_on: the picture without the pause, and not the same as on the poll before.
going_on() {
    picture now && ! shows_pause now || return
    [ -e "$WORK/last.ppm" ] && ! same now last && return
    mv "$WORK/now.ppm" "$WORK/last.ppm" && return 1
}
goes_on() { rm -f "$WORK/last.ppm" && wait_for 5 "the game going on $1" going_on; }
other_window() { OTHER=$(xdotool search --onlyvisible --name '^xmessage$') && [ -n "$OTHER" ]; }

# Each hole's cell is 65 pixels square; columns from 24 by 80, rows 1-2-3 from 200 up by 88.
for hole in {1..9}; do
    punch "$hole" click "$GAME" $((56 + 80 * ((hole - 1) % 3))) $((232 - 88 * ((hole - 1) / 3)))
done
click "$GAME" 176 144
click "$GAME" 136 100
# After the clicks, which may have ended a game and started another in a new window.
GAME_ID=$(place "$GAME" | cut -d' ' -f1)

xmessage -geometry +0+700 "Elsewhere" & PIDS+=($!)
wait_for 5 "the other window" other_window
xdotool windowactivate "$OTHER"
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
until=$((SECONDS + 10))
while [ "$SECONDS" -lt "$until" ]; do
    if ! in_state "$GAME_ID" Iconic || focus_on "$GAME_ID"; then fail "the game came back"; fi
    sleep 0.2
done
xdotool windowactivate "$GAME_ID"
goes_on "after its restore"

setxkbmap fr
setxkbmap -query | grep -q '^layout: *fr$' || fail "no French layout"
row=(ampersand eacute quotedbl apostrophe parenleft minus egrave underscore ccedilla)
for hole in {1..9}; do punch "$hole" keys "$GAME" "${row[hole - 1]}"; done
echo "PASS in $SECONDS s; screenshots in $SHOTS"
