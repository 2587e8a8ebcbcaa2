# The benchmark's private desktop: X servers with a window manager, and a silent audio server.
# Sourced by run.sh. Everything started here is remembered by process id and ended by cleanup.
# shellcheck shell=bash

STARTED_PIDS=()

# Starts Xvfb on a free display number and openbox on it; sets the named variable to ":N".
start_display() {
    local -n display_var=$1
    local number_file
    number_file=$(mktemp "$WORK/display.XXXX")
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    local tries=0
    until [ -s "$number_file" ]; do
        tries=$((tries + 1))
        [ $tries -gt 100 ] && { echo "bench: Xvfb did not start" >&2; return 1; }
        sleep 0.05
    done
    display_var=":$(head -n1 "$number_file")"
    DISPLAY=$display_var openbox >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    until DISPLAY=$display_var xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; do
        sleep 0.05
    done
}

# A PulseAudio server of our own with a null sink, so that the game synthesizes its music
# where the machine has no sound card. Sets PULSE_SERVER, or leaves it empty without PulseAudio.
start_audio() {
    PULSE_SERVER=
    command -v pulseaudio >/dev/null || return 0
    local runtime="$WORK/pulse"
    mkdir -p "$runtime"
    HOME="$runtime" XDG_RUNTIME_DIR="$runtime" pulseaudio -n --daemonize=no --use-pid-file=no \
        --exit-idle-time=-1 --disallow-exit --disable-shm=no \
        -L "module-null-sink sink_name=bench" \
        -L "module-native-protocol-unix socket=$runtime/native auth-anonymous=1" \
        >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    local tries=0
    until PULSE_SERVER="unix:$runtime/native" pactl info >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ $tries -gt 100 ] && { echo "bench: PulseAudio did not start" >&2; return 0; }
        sleep 0.05
    done
    PULSE_SERVER="unix:$runtime/native"
}

# Streams of one process playing into our null sink: one while the game's synthesizer runs.
# FluidSynth's own player plays into the same sink, so the streams are told apart by process.
audio_streams() {
    [ -n "$PULSE_SERVER" ] || { echo 0; return; }
    PULSE_SERVER=$PULSE_SERVER pactl list sink-inputs 2>/dev/null |
        awk -v pid="\"$1\"" '$1 == "application.process.id" && $3 == pid { n++ } END { print n + 0 }'
}

cleanup() {
    local pid
    for ((i = ${#STARTED_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${STARTED_PIDS[i]}
        { kill "$pid" && wait "$pid"; } 2>/dev/null || true
    done
    STARTED_PIDS=()
}
