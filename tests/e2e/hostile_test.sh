#!/usr/bin/env bash
# Runs Tanzel Punch where things are missing or odd, each case with one outcome: no display, no
# sound, no SoundFont, no tunes, a read-only folder, the C locale, windows closed by their close box.
# Usage: hostile_test.sh RUN_DIR SCREENSHOT_DIR POINTER_SHAPE
set -euo pipefail
source "$(dirname "$0")/common.sh"
e2e_init "$@"

TITLE='^Tanzel Punch$'
HINT_AREA='233x17+56+0'

# Sound set-ups that do not depend on the machine: no audio server or device at all, or an ALSA
# device that takes the sound and plays it nowhere, so that the SoundFont and tunes come next.
: >"$WORK/alsa-nothing.conf"
echo 'pcm.!default { type null }' >"$WORK/alsa-null.conf"
NO_SERVERS=(PULSE_SERVER="unix:$WORK/no-pulse-server" PIPEWIRE_REMOTE="$WORK/no-pipewire-server")
NO_AUDIO=("${NO_SERVERS[@]}" ALSA_CONFIG_PATH="$WORK/alsa-nothing.conf")
NULL_AUDIO=("${NO_SERVERS[@]}" ALSA_CONFIG_PATH="$WORK/alsa-null.conf")
NO_AUDIO_LINE='tanzel-punch: music off: no audio output (tried pulseaudio, pipewire, alsa)'

# A mount namespace of our own, as root or through a user namespace; empty when there is none.
if unshare -m true 2>/dev/null; then
    NAMESPACE=(unshare -m)
elif unshare -r -m true 2>/dev/null; then
    NAMESPACE=(unshare -r -m)
else
    NAMESPACE=()
fi

# A folder holding a copy of the game and the given files of the run folder.
copy_of_game() {
    local folder="$WORK/$1" file
    shift
    mkdir -p "$folder"
    cp "$RUN_DIR/tanzel-punch" "$folder/"
    for file in "$@"; do cp "$RUN_DIR/$file" "$folder/"; done
    echo "$folder"
}

game_stderr() { cat "$WORK/game.err"; }

expect_stderr() {
    local seen
    seen=$(game_stderr)
    [ "$seen" = "$1" ] || expect_failure "stderr should be:
$1
but is:
$seen"
}

# The title window is up; TITLE_WIN is its id.
await_title() {
    await_window 20 title "$TITLE" 250 166
    TITLE_WIN=$FOUND
}

# The music device reports from its own thread: wait for its first line.
stderr_has_lines() { [ "$(grep -c . "$WORK/game.err")" -ge "$1" ]; }
await_stderr_lines() {
    wait_until 10 stderr_has_lines "$1" ||
        fail "fewer than $1 line(s) on stderr after 10 s: $(game_stderr)"
}

start_game() {
    click "$TITLE_WIN" 96 140
    await_window 10 game '^Tanzel Punch$' 361 288
    GAME_WIN=$FOUND
    wait_until 5 is_active "$GAME_WIN" || fail "the game window did not get the focus"
}

# title_back WINDOW WHAT: WINDOW has closed and the title window is back as it was, and active.
title_back() {
    wait_until 5 window_gone "$1" || fail "the $2 window did not close"
    wait_until 5 title_in_place ||
        fail "the title window did not come back in its place: $WMAP, ${WW}x$WH at $WX,$WY"
    wait_until 5 is_active "$TITLE_WIN" || fail "the title window is not active"
    game_running || ended_early "after the $2 window closed"
}

# Ends a session from the idle title with its close box.
close_title() {
    click_close_box "$TITLE_WIN"
    wait_exit 10
    [ "$EXIT_STATUS" -eq 0 ] || fail "closing the title window: exit status $EXIT_STATUS, not 0"
    find_window "$TITLE" && fail "a window of the game is still shown after its exit"
    return 0
}

# hint_drawn FILE: the game window's hint, once it is drawn, goes to FILE.
hint_drawn() {
    geometry "$GAME_WIN"
    import -window root -depth 8 "$WORK/probe.png" 2>/dev/null
    crop "$WORK/probe.png" "${HINT_AREA%%+*}+$((WX + 56))+$WY" "$1"
    local pale_yellow='r >= 230 && g >= 230 && b >= 150 && b <= 215'
    [ "$(count_pixels "$1" "${HINT_AREA%%+*}+0+0" "$pale_yellow")" -gt 50 ]
}

# Without a display the program says so and ends; no Qt abort, no core dump.
no_display() {
    local folder status=0
    folder=$(copy_of_game "$1" present.mid music.mid)
    (cd "$folder" && ulimit -c unlimited && exec env -i PATH=/usr/bin:/bin HOME="$WORK/home" \
        XDG_RUNTIME_DIR="$WORK/runtime" "${@:2}" ./tanzel-punch) \
        >"$WORK/game.out" 2>"$WORK/game.err" || status=$?
    [ "$status" -eq 1 ] || expect_failure "exit status $status, not 1"
    expect_stderr "tanzel-punch: no display to open the game window on"
    [ ! -s "$WORK/game.out" ] || expect_failure "stdout is not empty: $(cat "$WORK/game.out")"
    if compgen -G "$folder/core*" >/dev/null; then expect_failure "a core dump was written"; fi
}

step "no DISPLAY"
no_display no-display

step "DISPLAY naming no X server"
no_display no-server DISPLAY=:65000

step "X server and window manager"
start_x

step "no audio server or device: silent, one line"
launch "${NO_AUDIO[@]}"
await_title
await_stderr_lines 1
start_game
shot no-audio-game
click_close_box "$GAME_WIN"
title_back "$GAME_WIN" game
close_title
expect_stderr "$NO_AUDIO_LINE"

step "no SoundFont: silent, one line"
if [ ${#NAMESPACE[@]} -eq 0 ]; then
    echo "SKIPPED: no mount namespace (unshare -m and unshare -r -m fail) to hide the SoundFont in"
else
    mkdir -p "$WORK/empty"
    WRAP=("${NAMESPACE[@]}" sh -c 'mount --bind "$0" /usr/share/sounds/sf2 && exec "$@"'
        "$WORK/empty")
    launch "${NULL_AUDIO[@]}"
    WRAP=()
    await_title
    await_stderr_lines 1
    start_game
    shot no-soundfont-game
    click_close_box "$GAME_WIN"
    title_back "$GAME_WIN" game
    close_title
    expect_stderr "tanzel-punch: music off: no SoundFont at /usr/share/sounds/sf2/TimGM6mb.sf2"
fi

step "working folder without the tunes: silent, one line per missing tune"
FOLDER=$(copy_of_game no-tunes)
launch "${NULL_AUDIO[@]}"
await_title
await_stderr_lines 1
start_game
shot no-tunes-game
click_close_box "$GAME_WIN"
title_back "$GAME_WIN" game
close_title
expect_stderr "tanzel-punch: music off: present.mid: no such file
tanzel-punch: music off: music.mid: no such file"
unset FOLDER

step "read-only working folder: a whole game"
FOLDER=$(copy_of_game read-only present.mid music.mid)
chmod -R a-w "$FOLDER"
BEFORE=$(cd "$FOLDER" && ls -la --time-style=full-iso && sha256sum ./*)
# Root writes through permissions: a read-only mount makes the folder read-only for root too.
if [ "$(id -u)" -eq 0 ] && [ ${#NAMESPACE[@]} -gt 0 ]; then
    WRAP=("${NAMESPACE[@]}" sh -c \
        'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" && cd "$0" && exec "$@"' "$FOLDER")
fi
launch "${NO_AUDIO[@]}"
WRAP=()
await_title
start_game
punch_until_game_over
GAME_OVER_WIN=$FOUND
shot read-only-game-over
click "$GAME_OVER_WIN" 120 240
title_back "$GAME_OVER_WIN" game-over
close_title
expect_stderr "$NO_AUDIO_LINE"
[ "$(cd "$FOLDER" && ls -la --time-style=full-iso && sha256sum ./*)" = "$BEFORE" ] ||
    fail "the working folder changed"
unset FOLDER

step "closing the game window in the middle of a game"
launch "${NO_AUDIO[@]}"
await_title
start_game
wait_until 5 hint_drawn "$WORK/hint-utf8.png" || fail "the hint was not drawn"
shot utf8-game
# No punches: one on the golden chick would end the game, and then the game window takes no input.
click_close_box "$GAME_WIN"
title_back "$GAME_WIN" game
find_window '^GAME OVER' && fail "closing the game window brought up the game-over window"
shot title-after-closing-game
click "$TITLE_WIN" 160 140
wait_exit 10
[ "$EXIT_STATUS" -eq 0 ] || fail "Salir ended the program with status $EXIT_STATUS"
if grep -v '^tanzel-punch: music' "$WORK/game.err"; then
    expect_failure "unexpected lines on stderr (above)"
fi

step "LANG=C and LC_ALL=C: the Spanish hint still renders"
launch "${NO_AUDIO[@]}" LANG=C LC_ALL=C
await_title
start_game
hint_as_in_utf8() {
    hint_drawn "$WORK/hint-c.png" && same_pixels "$WORK/hint-c.png" "$WORK/hint-utf8.png"
}
wait_until 5 hint_as_in_utf8 ||
    expect_failure "under LANG=C the hint \"¡Usa el teclado numérico para jugar!\" looks different"
shot c-locale-game
click_close_box "$GAME_WIN"
title_back "$GAME_WIN" game
close_title
expect_stderr "$NO_AUDIO_LINE"

step "closing the title window while idle"
launch "${NO_AUDIO[@]}"
await_title
await_stderr_lines 1
close_title
expect_stderr "$NO_AUDIO_LINE"

finish
