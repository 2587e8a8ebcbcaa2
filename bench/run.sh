#!/usr/bin/env bash
# Measures the game against an empty Qt window in one run and prints one markdown table.
#
#   bench/run.sh [--quick] [--keep] [BUILD_DIR]   (BUILD_DIR: build, with bench-tools built)
#
# Both programs run on X servers of their own (Xvfb + openbox), the game with its music playing
# into a PulseAudio null sink, both with bench/probe preloaded. The full run plays the game for
# five minutes, through all five stages; --quick plays one minute, for trying things out;
# --keep leaves the logs in the work folder and names it.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
quick=false
keep=false
build=build
for argument in "$@"; do
    case $argument in
    --quick) quick=true ;;
    --keep) keep=true ;;
    -h | --help)
        sed -n '2,9p' "$0"
        exit 0
        ;;
    *) build=$argument ;;
    esac
done
BUILD=$(cd "$build" && pwd)
GAME=$BUILD/tanzel-punch
BASELINE=$BUILD/bench/bench-baseline
PROBE=$BUILD/bench/libtanzel-bench-probe.so
PLAYER=$BUILD/bench/bench-player
ENGINE=$BUILD/bench/bench-engine
for file in "$GAME" "$BASELINE" "$PROBE" "$PLAYER" "$ENGINE" "$BUILD/present.mid" "$BUILD/music.mid"; do
    [ -e "$file" ] || { echo "bench: $file is missing: build the bench-tools target" >&2; exit 1; }
done
for tool in Xvfb openbox xdotool xwininfo xprop; do
    command -v $tool >/dev/null || { echo "bench: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

# The title tune sounds for its first 33 seconds; the fifth stage, level 3, begins with the first
# spawn after four minutes of play.
if $quick; then
    starts=3 idle=10 silent_from=0 silent=0 play=60 level3_from=30
else
    starts=7 idle=28 silent_from=38 silent=15 play=300 level3_from=245
fi

WORK=$(mktemp -d /tmp/tanzel-bench.XXXXXX)
mkdir -m 700 "$WORK/runtime"
export XDG_RUNTIME_DIR="$WORK/runtime"
started_at=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1 /proc/loadavg)
source "$here/lib/session.sh"
source "$here/lib/measure.sh"
source "$here/lib/stats.sh"
if $keep; then
    trap 'cleanup; echo "bench: logs kept in $WORK" >&2' EXIT
else
    trap 'cleanup; rm -rf "$WORK"' EXIT
fi
progress() { echo "bench: $*" >&2; }

# The title window's client size and its "Jugar" button's centre, from the title design.
TITLE_SIZE=250x166
JUGAR_X=96
JUGAR_Y=140
GAME_SIZE=361x288

start_display game_display
start_display baseline_display
start_audio
[ -n "$PULSE_SERVER" ] || progress "no PulseAudio: the game will play without music"

progress "start-up, $starts times each"
game_starts=()
baseline_starts=()
for ((round = 0; round < starts; round++)); do
    launch "$baseline_display" "$WORK" "$WORK/start.log" "$BASELINE"
    baseline_starts+=("$(first_frame_us "$WORK/start.log")")
    stop "$LAUNCHED_PID"
    launch "$game_display" "$BUILD" "$WORK/start.log" "$GAME"
    game_starts+=("$(first_frame_us "$WORK/start.log")")
    stop "$LAUNCHED_PID"
done

progress "the title window, idle, for $idle s"
launch "$game_display" "$BUILD" "$WORK/game.log" "$GAME"
game_pid=$LAUNCHED_PID
launch "$baseline_display" "$WORK" "$WORK/baseline.log" "$BASELINE"
baseline_pid=$LAUNCHED_PID
first_frame_us "$WORK/game.log" >/dev/null
first_frame_us "$WORK/baseline.log" >/dev/null
title_from=$(now_seconds)
sleep 5
require_running "$game_pid" game
require_running "$baseline_pid" baseline
declare -A reading
for who in game baseline; do
    pid_var=${who}_pid
    reading[$who.rss.start]=$(memory_kb "${!pid_var}" Rss)
    reading[$who.pss.start]=$(memory_kb "${!pid_var}" Pss)
done
idle_from=$(now_seconds)
game_idle0=$(cpu_ticks "$game_pid")
baseline_idle0=$(cpu_ticks "$baseline_pid")
music_streams=$(audio_streams)
sleep "$idle"
idle_to=$(now_seconds)
reading[game.cpu.idle]=$(cpu_percent "$game_idle0" "$(cpu_ticks "$game_pid")" "$idle_from" "$idle_to")
reading[baseline.cpu.idle]=$(cpu_percent "$baseline_idle0" "$(cpu_ticks "$baseline_pid")" "$idle_from" "$idle_to")
reading[game.cpu.silent]=-
reading[baseline.cpu.silent]=-
if [ "$silent_from" -gt 0 ]; then
    progress "the title window, its tune over, for $silent s"
    sleep_until "$title_from" "$silent_from"
    silent_at=$(now_seconds)
    game_silent0=$(cpu_ticks "$game_pid")
    baseline_silent0=$(cpu_ticks "$baseline_pid")
    sleep "$silent"
    silent_to=$(now_seconds)
    reading[game.cpu.silent]=$(cpu_percent "$game_silent0" "$(cpu_ticks "$game_pid")" "$silent_at" "$silent_to")
    reading[baseline.cpu.silent]=$(cpu_percent "$baseline_silent0" "$(cpu_ticks "$baseline_pid")" "$silent_at" "$silent_to")
fi

progress "playing for $play s"
title_window=$(window_of "$game_display" "$game_pid" "$TITLE_SIZE")
DISPLAY=$game_display xdotool mousemove --window "$title_window" $JUGAR_X $JUGAR_Y click 1
play_from=$(now_seconds)
baseline_window=$(window_of "$baseline_display" "$baseline_pid" "$GAME_SIZE")
DISPLAY=$baseline_display xdotool mousemove --window "$baseline_window" 180 144 click 1
game_window=$(window_of "$game_display" "$game_pid" "$GAME_SIZE")
DISPLAY=$game_display xdotool windowfocus --sync "$game_window"
DISPLAY=$game_display "$PLAYER" --window "$game_window" --seconds "$play" \
    --mirror "$baseline_display" >"$WORK/player.out" 2>>"$WORK/programs.stderr" &
player_pid=$!
STARTED_PIDS+=($player_pid)
(
    while sleep 2; do
        if DISPLAY=$game_display xdotool search --onlyvisible --name '^GAME OVER$' >/dev/null 2>&1; then
            awk -v s="$play_from" -v n="$(now_seconds)" 'BEGIN { printf "%d", n - s }' >"$WORK/game-over"
            break
        fi
    done
) &
STARTED_PIDS+=($!)

sleep_until "$play_from" 60
require_running "$game_pid" game
require_running "$baseline_pid" baseline
for who in game baseline; do
    pid_var=${who}_pid
    reading[$who.rss.minute1]=$(memory_kb "${!pid_var}" Rss)
done
sleep_until "$play_from" "$level3_from"
level3_from_at=$(now_seconds)
game_play0=$(cpu_ticks "$game_pid")
baseline_play0=$(cpu_ticks "$baseline_pid")
sleep_until "$play_from" "$play"
level3_to_at=$(now_seconds)
require_running "$game_pid" game
require_running "$baseline_pid" baseline
reading[game.cpu.play]=$(cpu_percent "$game_play0" "$(cpu_ticks "$game_pid")" "$level3_from_at" "$level3_to_at")
reading[baseline.cpu.play]=$(cpu_percent "$baseline_play0" "$(cpu_ticks "$baseline_pid")" "$level3_from_at" "$level3_to_at")
for who in game baseline; do
    pid_var=${who}_pid
    reading[$who.rss.end]=$(memory_kb "${!pid_var}" Rss)
    reading[$who.pss.end]=$(memory_kb "${!pid_var}" Pss)
done
wait "$player_pid" || true
stop "$game_pid"
stop "$baseline_pid"

progress "the headless engine"
engine_rate=$("$ENGINE" --benchmark_min_time=2 --benchmark_format=csv 2>/dev/null | awk -F, '
    /^name,/ { for (i = 1; i <= NF; i++) if ($i == "\"ticks/s\"") column = i; next }
    column { printf "%.0f", $column; exit }')

read -r game_tick_mean game_tick_p99 game_tick_worst game_drift game_ticks < <(tick_stats "$WORK/game.log")
read -r base_tick_mean base_tick_p99 base_tick_worst base_drift base_ticks < <(tick_stats "$WORK/baseline.log")
read -r game_key_p50 game_key_p99 game_keys < <(key_stats "$WORK/game.log")
read -r base_key_p50 base_key_p99 base_keys < <(key_stats "$WORK/baseline.log")
read -r game_paint_p50 game_paint_p99 _ < <(key_stats "$WORK/game.log" paint)
read -r base_paint_p50 base_paint_p99 _ < <(key_stats "$WORK/baseline.log" paint)
game_start=$(median "${game_starts[@]}")
baseline_start=$(median "${baseline_starts[@]}")

# Markdown table rows: measure, game, baseline, ratio, target, met. A verdict is an awk condition
# on the variables given after it; a missing figure ("-") gives no verdict.
verdict() {
    local condition=$1 assignment arguments=()
    shift
    for assignment in "$@"; do
        [ "${assignment#*=}" = - ] && { echo -; return; }
        arguments+=(-v "$assignment")
    done
    awk "${arguments[@]}" "function abs(x) { return x < 0 ? -x : x }
        BEGIN { print (($condition) ? \"yes\" : \"**no**\") }"
}
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }
ms_from_us() { awk -v u="$1" -v d="${2:-1}" 'BEGIN { if (u == "-") print "-"; else printf "%.*f ms", d, u / 1000 }'; }
row() { printf '| %s | %s | %s | %s | %s | %s |\n' "$@"; }
g=game
b=baseline
if $quick; then
    play_label="play, last 30 s of a 1-minute game (level 1)"
    growth_label="RSS growth, minute 1 → 1 (quick run)"
else
    play_label="play at level 3, 4:05–5:00"
    growth_label="RSS growth, minute 1 → 5 of play"
fi
game_growth=$((reading[$g.rss.end] - reading[$g.rss.minute1]))
baseline_growth=$((reading[$b.rss.end] - reading[$b.rss.minute1]))
if [ "$music_streams" -gt 0 ]; then music="on (FluidSynth → PulseAudio null sink)"; else music="**off** (no audio output)"; fi
game_over=$(cat "$WORK/game-over" 2>/dev/null || echo "")

echo "Tanzel Punch against an empty Qt 6 window of ${GAME_SIZE/x/ × }: $started_at," \
    "$(lscpu | sed -n 's/^Model name: *//p' | head -n1), $(nproc) cores," \
    "$(free -g | awk '/^Mem:/ { print $2 }') GiB; music $music. Load average before and after:" \
    "$load_before, $(cut -d' ' -f1 /proc/loadavg)."
[ -z "$game_over" ] || echo "**The player lost the game after $game_over s: the play figures after that are of the game-over window.**"
echo "Player: $(cat "$WORK/player.out")."
echo
row measure game baseline ratio target met
row --- ---: ---: ---: --- ---
row "start-up to the first frame (median of $starts)" "$(ms_from_us "$game_start" 0)" "$(ms_from_us "$baseline_start" 0)" \
    "$(ratio "$game_start" "$baseline_start")" "≤ 1.5x" "$(verdict "g <= 1.5 * b" g="$game_start" b="$baseline_start")"
row "RSS after start-up" "$(mb "${reading[$g.rss.start]}")" "$(mb "${reading[$b.rss.start]}")" \
    "$(ratio "${reading[$g.rss.start]}" "${reading[$b.rss.start]}")" "≤ 1.6x" \
    "$(verdict "g <= 1.6 * b" g="${reading[$g.rss.start]}" b="${reading[$b.rss.start]}")"
row "PSS after start-up" "$(mb "${reading[$g.pss.start]}")" "$(mb "${reading[$b.pss.start]}")" \
    "$(ratio "${reading[$g.pss.start]}" "${reading[$b.pss.start]}")" "≤ 1.6x" \
    "$(verdict "g <= 1.6 * b" g="${reading[$g.pss.start]}" b="${reading[$b.pss.start]}")"
row "RSS after $play s of play" "$(mb "${reading[$g.rss.end]}")" "$(mb "${reading[$b.rss.end]}")" \
    "$(ratio "${reading[$g.rss.end]}" "${reading[$b.rss.end]}")" "-" "-"
row "PSS after $play s of play" "$(mb "${reading[$g.pss.end]}")" "$(mb "${reading[$b.pss.end]}")" \
    "$(ratio "${reading[$g.pss.end]}" "${reading[$b.pss.end]}")" "-" "-"
row "$growth_label" "$game_growth kB" "$baseline_growth kB" "-" "none (≤ 1 % of RSS)" \
    "$(verdict "growth <= 0.01 * rss" growth="$game_growth" rss="${reading[$g.rss.end]}")"
row "CPU, title window idle, its tune playing ($idle s)" "${reading[$g.cpu.idle]} %" "${reading[$b.cpu.idle]} %" \
    "$(ratio "${reading[$g.cpu.idle]}" "${reading[$b.cpu.idle]}")" "≤ 1 % of a core" "$(verdict "g <= 1" g="${reading[$g.cpu.idle]}")"
row "CPU, title window idle, its tune over ($silent s)" "${reading[$g.cpu.silent]} %" "${reading[$b.cpu.silent]} %" \
    "$(ratio "${reading[$g.cpu.silent]}" "${reading[$b.cpu.silent]}")" "≤ 1 % of a core" "$(verdict "g <= 1" g="${reading[$g.cpu.silent]}")"
row "CPU, $play_label" "${reading[$g.cpu.play]} %" "${reading[$b.cpu.play]} %" \
    "$(ratio "${reading[$g.cpu.play]}" "${reading[$b.cpu.play]}")" "≤ 3 % of a core" "$(verdict "g <= 3" g="${reading[$g.cpu.play]}")"
row "tick interval, mean ($game_ticks and $base_ticks ticks)" "$game_tick_mean ms" "$base_tick_mean ms" "-" "50.0 ± 0.5 ms" \
    "$(verdict "abs(g - 50) <= 0.5" g="$game_tick_mean")"
row "tick interval, p99" "$game_tick_p99 ms" "$base_tick_p99 ms" "$(ratio "$game_tick_p99" "$base_tick_p99")" "≤ 55 ms" \
    "$(verdict "g <= 55" g="$game_tick_p99")"
row "tick interval, worst" "$game_tick_worst ms" "$base_tick_worst ms" "$(ratio "$game_tick_worst" "$base_tick_worst")" "-" "-"
row "tick drift against the clock" "$game_drift ms/min" "$base_drift ms/min" "-" "≤ 50 ms/min (a tick)" \
    "$(verdict "abs(g) <= 50" g="$game_drift")"
row "key to end of paint, p50 ($game_keys and $base_keys keys)" "$(ms_from_us "$game_key_p50" 3)" "$(ms_from_us "$base_key_p50" 3)" \
    "$(ratio "$game_key_p50" "$base_key_p50")" "-" "-"
row "key to end of paint, p99" "$(ms_from_us "$game_key_p99" 3)" "$(ms_from_us "$base_key_p99" 3)" \
    "$(ratio "$game_key_p99" "$base_key_p99")" "< 2 ms" "$(verdict "g < 2000" g="$game_key_p99")"
row "paint after a key, p50 / p99" "$(ms_from_us "$game_paint_p50" 3) / $(ms_from_us "$game_paint_p99" 3)" \
    "$(ms_from_us "$base_paint_p50" 3) / $(ms_from_us "$base_paint_p99" 3)" "$(ratio "$game_paint_p50" "$base_paint_p50")" "-" "-"
row "headless engine, random player" "$(awk -v r="$engine_rate" 'BEGIN { printf "%.2f M ticks/s", r / 1e6 }')" "-" "-" \
    "> 1 M ticks/s" "$(verdict "r > 1000000" r="${engine_rate:--}")"
