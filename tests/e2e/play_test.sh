#!/usr/bin/env bash
# Plays Tanzel Punch as a player would, in Xvfb under openbox: about boxes, pointers, two games.
# Usage: play_test.sh RUN_DIR SCREENSHOT_DIR POINTER_SHAPE
set -euo pipefail
source "$(dirname "$0")/common.sh"
e2e_init "$@"

TITLE='^Tanzel Punch$'
GAME='^Tanzel Punch$'
GAME_OVER='^GAME OVER'
ABOUT='^RorozeDivor'

# The score label of each window, where a resolved punch writes in yellow.
GAME_SCORE_AREA='105x33+256+0'
GAME_OVER_SCORE_AREA='121x41+8+48'

# The pointer over the strip on the title window's right edge.
SQUARE_IN_SQUARE='16x16 hot 8,8
................
.oooooooooooooo.
.o############o.
.o#..........#o.
.o#..........#o.
.o#..oooooo..#o.
.o#..o####o..#o.
.o#..o####o..#o.
.o#..o####o..#o.
.o#..o####o..#o.
.o#..oooooo..#o.
.o#..........#o.
.o#..........#o.
.o############o.
.oooooooooooooo.
................'

# Yellow pixels in an area of window $1's client area, from a fresh screenshot.
yellow_in() {
    geometry "$1" || { echo 0; return; }
    local area=$2 size offset x y
    size=${area%%+*}
    offset=${area#*+}
    x=$((WX + ${offset%+*}))
    y=$((WY + ${offset#*+}))
    import -window root -depth 8 "$WORK/probe.png" 2>/dev/null
    count_pixels "$WORK/probe.png" "$size+$x+$y" "$YELLOW"
}

check_title_window() {
    wait_until 5 title_in_place || fail "the title window is not shown in its place: state" \
        "$WMAP $(wm_state "$TITLE_WIN"), client area ${WW}x$WH at $WX,$WY, not 250x166 at 163,162"
}

pointer_is() {
    SEEN_SHAPE=$("$POINTER_SHAPE")
    [ "$SEEN_SHAPE" = "$1" ]
}

# point_and_expect X Y WHAT SHAPE: the pointer over that point of the title window takes the shape.
point_and_expect() {
    point "$TITLE_WIN" "$1" "$2"
    wait_until 5 pointer_is "$4" ||
        expect_failure "over $3 ($1,$2) the pointer should be $(head -n1 <<<"$4") but is:
$SEEN_SHAPE"
}

# open_about X Y WHAT: clicks a link, checks the modal box and closes it with Return.
open_about() {
    click "$TITLE_WIN" "$1" "$2"
    await_window 10 "about box from \"$3\"" "$ABOUT"
    local box=$FOUND title
    title=$(visible_title "$box")
    [ "$title" = RorozeDivor ] ||
        expect_failure "the about box's title is \"$title\", not \"RorozeDivor\""
    xprop -id "$box" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "$TITLE_WIN")" ||
        fail "the about box does not belong to the title window"
    xprop -id "$box" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL ||
        fail "the about box is not modal"
    wait_until 5 is_active "$box" || fail "the about box did not take the focus"
    shot "about-${3// /-}"
    crop "$LAST_SHOT" "${WW}x$WH+$WX+$WY" "$WORK/box-$1.png"
    xdotool key Return
    wait_until 5 window_gone "$box" || fail "Return did not close the about box"
    wait_until 5 is_active "$TITLE_WIN" || fail "the title window did not get the focus back"
}

minimised() { [ "$(wm_state "$1")" = Iconic ]; }

# start_game: clicks "Jugar"; GAME_WIN is the game window, with the keyboard focus.
start_game() {
    click "$TITLE_WIN" 96 140
    await_window 10 game "$GAME" 361 288
    GAME_WIN=$FOUND
    [ "$GAME_WIN" != "$TITLE_WIN" ] || fail "the title window took the game's size"
    [ "$WX" -ge 0 ] && [ "$WY" -ge 0 ] && [ $((WX + WW)) -le "$SCREEN_W" ] &&
        [ $((WY + WH)) -le "$SCREEN_H" ] || fail "the game window is not wholly on screen ($WX,$WY)"
    wait_until 5 minimised "$TITLE_WIN" ||
        fail "the title window was not minimised (WM_STATE $(wm_state "$TITLE_WIN"))"
    wait_until 5 is_active "$GAME_WIN" || fail "the game window did not get the keyboard focus"
}

# await_game_over SECONDS WHAT: GAME_OVER_WIN is the game-over window, checked for place and score.
await_game_over() {
    await_window "$1" "game-over ($2)" "$GAME_OVER" 237 286
    GAME_OVER_WIN=$FOUND
    local title
    title=$(visible_title "$GAME_OVER_WIN")
    [ "$title" = "GAME OVER" ] ||
        expect_failure "the game-over window's title is \"$title\", not \"GAME OVER\""
    local dx=$((2 * WX + WW - SCREEN_W)) dy=$((2 * WY + WH - SCREEN_H))
    [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] ||
        fail "the game-over window is not centred on the screen (client area at $WX,$WY)"
    find_window "$GAME" 361 288 && [ "$FOUND" = "$GAME_WIN" ] ||
        fail "the game window did not stay on screen behind the game-over window"
    wait_until 5 is_active "$GAME_OVER_WIN" || fail "the game-over window did not become active"
    [ "$(yellow_in "$GAME_OVER_WIN" "$GAME_OVER_SCORE_AREA")" -gt 30 ] ||
        fail "the game-over window shows no score, though punches landed"
    shot "game-over-$2"
}

# back_to_title: after the game-over window has been closed, the title is back and idle.
back_to_title() {
    wait_until 5 window_gone "$GAME_OVER_WIN" || fail "the game-over window did not close"
    wait_until 5 window_gone "$GAME_WIN" || fail "the game window did not close"
    check_title_window
    wait_until 5 is_active "$TITLE_WIN" || fail "the title window did not become active"
    game_running || fail "the program ended"
}

step "X server and window manager"
start_x
BEFORE=$(top_level_windows)
QUESTION_ARROW=$("$POINTER_SHAPE" glyph 92)
ARROW=$("$POINTER_SHAPE" glyph 68)

step "title window"
launch
await_window 20 title "$TITLE" 250 166
TITLE_WIN=$FOUND
check_title_window
wait_until 5 is_active "$TITLE_WIN" || fail "the title window is not the active window"
shot title

step "pointer shapes"
point_and_expect 20 8 '"About"' "$QUESTION_ARROW"
point_and_expect 125 60 'the logo' "$ARROW"
point_and_expect 249 60 'the right edge' "$SQUARE_IN_SQUARE"
point_and_expect 228 8 '"Acerca de"' "$QUESTION_ARROW"
point_and_expect 125 100 'the logo' "$ARROW"
shot pointer-over-logo

step "about boxes"
open_about 20 8 About
open_about 228 8 "Acerca de"
same_pixels "$WORK/box-20.png" "$WORK/box-228.png" &&
    fail "\"About\" and \"Acerca de\" show the same box"
check_title_window

step "first game: Jugar"
start_game
shot game-started

step "first game: keypad punches with NumLock off"
punched() {
    find_window "$GAME_OVER" 237 286 || [ "$(yellow_in "$GAME_WIN" "$GAME_SCORE_AREA")" -gt 30 ]
}
PUNCHING_SINCE=$SECONDS
until punched; do
    game_running || ended_early "while punching with the keypad"
    [ $((SECONDS - PUNCHING_SINCE)) -lt 60 ] || fail "no punch landed after a minute of keypad keys"
    punch_all_holes "${KEYPAD_NUMLOCK_OFF[@]}"
done
shot game-punched

step "first game: the Power bar runs out"
GAME_STARTED=$SECONDS
await_game_over 150 1
echo "    game over $((SECONDS - GAME_STARTED)) s after the last punch"

step "first game: the game-over button"
click "$GAME_OVER_WIN" 120 240
back_to_title
shot title-after-game-1

step "title usable after a game"
open_about 228 8 "Acerca de again"

step "second game: random digits until it ends"
start_game
GAME_STARTED=$SECONDS
punch_until_game_over
echo "    game over after $((SECONDS - GAME_STARTED)) s of punching"
await_game_over 5 2

step "second game: the game-over window's close box"
click_close_box "$GAME_OVER_WIN"
back_to_title
shot title-after-game-2

step "Salir"
click "$TITLE_WIN" 160 140
wait_exit 10
shot after-exit
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS, not 0"
wait_until 5 windows_as_before "$BEFORE" ||
    fail "windows left behind: $(comm -13 <(echo "$BEFORE") <(top_level_windows))"

step "stderr"
if [ "$(grep -c . "$WORK/game.err")" -gt 1 ] || grep -qv '^tanzel-punch: music off: ' "$WORK/game.err"
then
    expect_failure "stderr should hold at most one \"music off\" line, but holds:
$(cat "$WORK/game.err")"
fi

finish
