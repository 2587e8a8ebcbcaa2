# Readings of a running program: its probe log, its windows, its memory and CPU from /proc.
# Sourced by run.sh.
# shellcheck shell=bash

CLOCK_TICKS=$(getconf CLK_TCK)

# Starts a program on a display from a folder, with the probe preloaded and logging to a file, its
# standard error appended to another. Sets LAUNCHED_PID.
launch() {
    local display=$1 folder=$2 log=$3 errors=$4
    shift 4
    : >"$log"
    (
        cd "$folder" || exit
        export DISPLAY=$display PULSE_SERVER
        export TANZEL_PROBE_LOG=$log LD_PRELOAD=$PROBE
        TANZEL_PROBE_T0=$(date +%s%N)
        export TANZEL_PROBE_T0
        exec "$@"
    ) >/dev/null 2>>"$errors" &
    LAUNCHED_PID=$!
    STARTED_PIDS+=("$LAUNCHED_PID")
}

# FluidSynth's own command-line player on a MIDI file, with the synthesizer and audio settings the
# game gives FluidSynth and into the same audio server: what the tune costs with nothing around it.
# With "loop" the file plays over and over (the player's shell command, from a command file, as
# FluidSynth 2.3 has no setting or option for it). Sets FLUIDSYNTH_PID.
fluidsynth_play() {
    local tune=$1 loop=${2:-} commands=()
    if [ "$loop" = loop ]; then
        echo "player_loop -1" >"$WORK/loop.fluidsynth"
        commands=(-f "$WORK/loop.fluidsynth")
    fi
    (
        export PULSE_SERVER
        exec fluidsynth -n -i -q -a pulseaudio -r 44100 -o audio.period-size=2048 \
            -o audio.pulseaudio.adjust-latency=0 -o synth.dynamic-sample-loading=1 \
            "${commands[@]}" "$SOUND_FONT" "$tune"
    ) </dev/null >/dev/null 2>>"$WORK/programs.stderr" &
    FLUIDSYNTH_PID=$!
    STARTED_PIDS+=("$FLUIDSYNTH_PID")
}

# Microseconds from the program's start to its first frame, once it is there.
first_frame_us() {
    local log=$1 tries=0
    until grep -q '^frame ' "$log"; do
        tries=$((tries + 1))
        [ $tries -gt 400 ] && { echo "bench: no first frame in $log" >&2; return 1; }
        sleep 0.025
    done
    awk '$1 == "frame" { print $2; exit }' "$log"
}

# Ends a program started by launch and forgets it.
stop() {
    local pid=$1 kept=() started
    { kill "$pid" && wait "$pid"; } 2>/dev/null || true
    for started in "${STARTED_PIDS[@]}"; do
        [ "$started" = "$pid" ] || kept+=("$started")
    done
    STARTED_PIDS=("${kept[@]}")
    return 0
}

# The visible window of a process with the given client size ("361x288"); waits for it.
window_of() {
    local display=$1 pid=$2 size=$3 tries=0 id
    while [ $tries -lt 200 ]; do
        for id in $(DISPLAY=$display xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            if DISPLAY=$display xwininfo -id "$id" 2>/dev/null |
                awk -v size="$size" '/Width:/ { w = $2 } /Height:/ { h = $2 }
                                     END { exit !(w "x" h == size) }'; then
                echo "$id"
                return 0
            fi
        done
        tries=$((tries + 1))
        sleep 0.05
    done
    echo "bench: no $size window of process $pid" >&2
    return 1
}

# Resident or proportional set size in kB; "-" when the process is not there (no audio server
# for FluidSynth's player, or it has ended).
memory_kb() {
    awk -v field="$2:" '$1 == field { print $2 }' "/proc/$1/smaps_rollup" 2>/dev/null || echo -
}

# User plus system CPU time of all the process's threads, in clock ticks; "-" once it has ended.
cpu_ticks() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo -; return 0; }
    awk '{ print $12 + $13 }' <<<"${stat##*) }"
}

now_seconds() {
    date +%s.%N
}

# Sleeps until `seconds` after the moment `since` (both from now_seconds).
sleep_until() {
    local since=$1 seconds=$2 left
    left=$(awk -v s="$since" -v d="$seconds" -v n="$(now_seconds)" 'BEGIN { print s + d - n }')
    awk -v l="$left" 'BEGIN { exit !(l > 0) }' && sleep "$left"
    return 0
}

# Share of one core, in per cent, between two readings of cpu_ticks at two moments; "-" when a
# reading is missing.
cpu_percent() {
    awk -v t0="$1" -v t1="$2" -v s0="$3" -v s1="$4" -v hz="$CLOCK_TICKS" 'BEGIN {
        if (t0 == "-" || t1 == "-") print "-"
        else printf "%.2f", 100 * (t1 - t0) / hz / (s1 - s0)
    }'
}

# Ends the run with a message when a measured program has ended on its own.
require_running() {
    kill -0 "$1" 2>/dev/null && return 0
    echo "bench: the $2 ended on its own; its last messages:" >&2
    tail -n 5 "$WORK/programs.stderr" >&2
    exit 1
}
