#!/usr/bin/env bash
# Shows with strace that a whole session of Tanzel Punch writes no file and opens no network socket.
# Usage: strace_test.sh RUN_DIR SCREENSHOT_DIR POINTER_SHAPE
set -euo pipefail
source "$(dirname "$0")/common.sh"
e2e_init "$@"

step "X server and window manager"
start_x
X_SOCKET="/tmp/.X11-unix/X${DISPLAY#:}"

step "title window under strace"
# -ff: one file per thread, so no call is split in two; -y: the path behind every descriptor.
WRAP=(strace -f -ff -qq -y -e trace=%file,%network -o "$WORK/trace")
launch
await_window 30 title '^Tanzel Punch$' 250 166
TITLE_WIN=$FOUND
shot title

step "a game ended by punching every hole"
click "$TITLE_WIN" 96 140
await_window 20 game '^Tanzel Punch$' 361 288
GAME_WIN=$FOUND
wait_until 5 is_active "$GAME_WIN" || fail "the game window did not get the focus"
punch_until_game_over
GAME_OVER_WIN=$FOUND
shot game-over

step "back to the title, then Salir"
click "$GAME_OVER_WIN" 120 240
wait_until 10 title_in_place || fail "the title did not come back"
shot title-again
click "$TITLE_WIN" 160 140
wait_exit 20
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS, not 0"

step "what the trace shows"
TRACE="$WORK/all-calls"
cat "$WORK"/trace.* >"$TRACE"
[ -s "$TRACE" ] || fail "strace recorded nothing"
grep -q '^execve(".*tanzel-punch"' "$TRACE" || fail "the trace does not show the game starting"

# Where a call leaves its mark: a relative name is joined to the folder its descriptor names.
WRITE_CALLS='^(creat|mkdir|mkdirat|rmdir|unlink|unlinkat|rename|renameat|renameat2|link|linkat|'
WRITE_CALLS+='symlink|symlinkat|truncate|chmod|fchmodat|chown|lchown|fchownat|utime|utimes|utimensat|'
WRITE_CALLS+='futimesat|mknod|mknodat|setxattr|lsetxattr|removexattr|lremovexattr)\('
OPEN_FOR_WRITING='^(open|openat|openat2)\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND|O_TMPFILE)'
written_paths() {
    grep -E "$WRITE_CALLS|$OPEN_FOR_WRITING" "$TRACE" | awk '
        {
            call = $0; sub(/\(.*/, "", call)
            dir = ""
            if (match($0, /^[a-z0-9_]+\((AT_FDCWD|[0-9]+)<[^>]*>/)) {
                dir = substr($0, RSTART, RLENGTH); sub(/^[^<]*</, "", dir); sub(/>$/, "", dir)
            }
            path = $0; sub(/^[^"]*"/, "", path); sub(/".*/, "", path)
            if (path !~ /^\// && dir != "") path = dir "/" path
            result = $0; sub(/.*\) += /, "", result)
            print call, path, (result ~ /^-1/ ? "failed" : "done")
        }' | sort | uniq -c
}
ALLOWED_WRITES="^($WORK/runtime|/dev/[^ ]*|$WORK/runtime/[^ ]*|$WORK/home/.cache/fontconfig/[^ ]*) "

WRITES=$(written_paths)
FORBIDDEN_WRITES=$(awk '{print $3, $0}' <<<"$WRITES" | grep -Ev "$ALLOWED_WRITES" |
    cut -d' ' -f2- || true)

SOCKETS=$(grep -E '^socket\(' "$TRACE" | sed -E 's/^socket\(([A-Z0-9_]+),.*/\1/' |
    sort | uniq -c || true)
FORBIDDEN_SOCKETS=$(grep -Ev ' AF_UNIX$' <<<"$SOCKETS" | grep . || true)

# Every address a socket was pointed at: connect, sendto, sendmsg, bind.
ADDRESSES=$(grep -E '^(connect|sendto|sendmsg|bind)\(.*sa_family=' "$TRACE" |
    sed -E 's/^([a-z]+)\(.*sa_family=([A-Z0-9_]+)(, sun_path=@?"([^"]*)")?.*\) += (.*)$/\1 \2 \4 \5/' |
    sed -E 's/ (-1 [A-Z]+).*/ \1/; s/ [0-9]+$/ ok/' | sort | uniq -c || true)
ALLOWED_PEERS="^ *[0-9]+ connect AF_UNIX ($X_SOCKET|[^ ]*/pulse/native|[^ ]*/pipewire-0) "
FORBIDDEN_ADDRESSES=$(grep -Ev "$ALLOWED_PEERS" <<<"$ADDRESSES" | grep . || true)

CHILDREN=$(grep -E '^execve\(' "$TRACE" | grep -Ev '^execve\("([^"]*/env|\./tanzel-punch)"' |
    sed -E 's/^execve\("([^"]*)".*\) += (.*)$/\1 \2/' | sed -E 's/ (-1 [A-Z]+).*/ \1/' |
    sort | uniq -c || true)

THREADS=$(find "$WORK" -maxdepth 1 -name 'trace.*' | wc -l)
echo "Calls traced: $(wc -l <"$TRACE") in $THREADS threads"
echo "Files opened or tried for reading: $(grep -cE '^(open|openat)\(.*O_RDONLY' "$TRACE")"
echo "Writes and creations (count, call, path, outcome):"
sed 's/^/    /' <<<"${WRITES:-none}"
echo "Sockets created (count, family):"
sed 's/^/    /' <<<"${SOCKETS:-none}"
echo "Socket addresses (count, call, family, path, outcome):"
sed 's/^/    /' <<<"${ADDRESSES:-none}"
echo "Other programs started or tried (count, path, outcome):"
sed 's/^/    /' <<<"${CHILDREN:-none}"

[ -z "$FORBIDDEN_WRITES" ] || fail "the game wrote outside /dev and its runtime folder:
$FORBIDDEN_WRITES"
[ -z "$FORBIDDEN_SOCKETS" ] || fail "sockets other than unix sockets: $FORBIDDEN_SOCKETS"
[ -z "$FORBIDDEN_ADDRESSES" ] || fail "socket addresses other than the X server and an audio server:
$FORBIDDEN_ADDRESSES"
grep -qE "connect AF_UNIX $X_SOCKET ok" <<<"$ADDRESSES" ||
    fail "no connection to the X server $X_SOCKET in the trace: the address parsing is off"

finish
