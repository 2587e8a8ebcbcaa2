#!/usr/bin/env bash
# One session of the real game in Xvfb under openbox and strace, played with xdotool: the title,
# a game ended by punching, the way back, "Salir"; then what the trace says it touched.
# Usage: session_test.sh RUN_DIR SCREENSHOT_DIR
set -euo pipefail
RUN_DIR=$1 SHOTS=$2
# shellcheck source-path=SCRIPTDIR source=lib/desktop.sh
source "$(dirname "$0")/lib/desktop.sh"
need strace
start_desktop

run_game DISPLAY="$DISPLAY" strace -f -ff -qq -o "$WORK/trace" -e trace=%file,%network

start_game
hammer_at "" || fail "the hammer shows before any key"
punch 3 keys "$GAME" 3
punch 7 keys "$GAME" KP_Home
shot "$GAME" 2-game
play_to_the_end
wait_for 5 "the game-over window active" active "$OVER"
shot "$OVER" 3-game-over
close_game_over
shot "$TITLE" 1-title

click "$TITLE" 160 140
wait_for 10 "the end of the program after Salir" ended "$GAME_PID"
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
