#!/usr/bin/env bash
# Measures the game against an empty Qt window in one run and prints one markdown table.
#
#   bench/run.sh [--quick] [--keep] [BUILD_DIR]   (BUILD_DIR: build, with bench-tools built)
#
# Both programs run on X servers of their own (Xvfb + openbox), the game with its music playing
# into a PulseAudio null sink, both with bench/probe preloaded. While a tune plays, FluidSynth's
# own command-line player plays the same file into the same sink, so that the game's CPU and
# memory are also set against what the music alone costs. The full run (about 12 minutes) plays
# the game for ten minutes, through all five stages, then stops punching and waits for the
# game-over window; --quick plays one minute at the first stage and gives the game-over window
# only a few seconds, for trying things out; --keep keeps the logs (a failed run always does).
# The libraries that it sources are checked with it (shellcheck -x).
# shellcheck source-path=SCRIPTDIR
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
        sed -n '2,12p' "$0"
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
for tool in Xvfb openbox xdotool xwininfo xprop fluidsynth; do
    command -v $tool >/dev/null || { echo "bench: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

# The title tune sounds for its first 33 seconds; the fifth stage, level 3, begins with the first
# spawn after four minutes of play. Unpunched at level 3, the game runs out of power within about
# a minute; at level 1 it takes longer. The game-over window is measured once the music's tail
# has died away. Memory growth is counted from the first minute of play (from 0:20 in a quick
# run, so that the reading comes before the CPU window and not in it).
if $quick; then
    starts=3 idle=10 silent_from=0 silent=0 play=60 grown_from=20 level3_from=30 over_within=240 over=5
else
    starts=7 idle=28 silent_from=42 silent=15 play=600 grown_from=60 level3_from=245 over_within=240 over=15
fi
over_tail=3
SOUND_FONT=/usr/share/sounds/sf2/TimGM6mb.sf2

WORK=$(mktemp -d /tmp/tanzel-bench.XXXXXX)
mkdir -m 700 "$WORK/runtime"
export XDG_RUNTIME_DIR="$WORK/runtime"
started_at=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1 /proc/loadavg)
source "$here/lib/session.sh"
source "$here/lib/measure.sh"
source "$here/lib/stats.sh"
# A run that fails keeps its logs too: what went wrong is in the programs' standard error.
finish() {
    local status=$?
    cleanup
    if $keep || [ "$status" -ne 0 ]; then
        echo "bench: logs kept in $WORK" >&2
    else
        rm -rf "$WORK"
    fi
}
trap finish EXIT
progress() { echo "bench: $*" >&2; }

# The game's and the baseline's CPU over the next `seconds`, as reading[game.cpu.NAME] and
# reading[baseline.cpu.NAME].
cpu_of_both() {
    local name=$1 seconds=$2 from to game0 baseline0
    from=$(now_seconds)
    game0=$(cpu_ticks "$game_pid")
    baseline0=$(cpu_ticks "$baseline_pid")
    sleep "$seconds"
    to=$(now_seconds)
    reading[game.cpu.$name]=$(cpu_percent "$game0" "$(cpu_ticks "$game_pid")" "$from" "$to")
    reading[baseline.cpu.$name]=$(cpu_percent "$baseline0" "$(cpu_ticks "$baseline_pid")" "$from" "$to")
}

# The title window's client size and its "Jugar" button's centre, from the title design.
TITLE_SIZE=250x166
JUGAR_X=96
JUGAR_Y=140
GAME_SIZE=361x288

# start_display sets each display through its name, which shellcheck cannot follow.
game_display='' baseline_display=''
start_display game_display
start_display baseline_display
start_audio
[ -n "$PULSE_SERVER" ] || progress "no PulseAudio: the game will play without music"

progress "start-up, $starts times each"
game_starts=()
baseline_starts=()
for ((round = 0; round < starts; round++)); do
    launch "$baseline_display" "$WORK" "$WORK/start.log" "$WORK/programs.stderr" "$BASELINE"
    baseline_starts+=("$(first_frame_us "$WORK/start.log")")
    stop "$LAUNCHED_PID"
    launch "$game_display" "$BUILD" "$WORK/start.log" "$WORK/game-starts.stderr" "$GAME"
    game_starts+=("$(first_frame_us "$WORK/start.log")")
    stop "$LAUNCHED_PID"
done

progress "the title window, idle, for $idle s, and FluidSynth's player on the title tune"
launch "$game_display" "$BUILD" "$WORK/game.log" "$WORK/game.stderr" "$GAME"
game_pid=$LAUNCHED_PID
# Started with the game, so that both are at the same place in the tune.
fluidsynth_pid=-
if [ -n "$PULSE_SERVER" ]; then
    fluidsynth_play "$BUILD/present.mid"
    fluidsynth_pid=$FLUIDSYNTH_PID
fi
launch "$baseline_display" "$WORK" "$WORK/baseline.log" "$WORK/programs.stderr" "$BASELINE"
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
reading[fluidsynth.rss.start]=$(memory_kb "$fluidsynth_pid" Rss)
idle_from=$(now_seconds)
game_idle0=$(cpu_ticks "$game_pid")
baseline_idle0=$(cpu_ticks "$baseline_pid")
fluidsynth_idle0=$(cpu_ticks "$fluidsynth_pid")
music_streams=$(audio_streams "$game_pid")
sleep "$idle"
idle_to=$(now_seconds)
reading[game.cpu.idle]=$(cpu_percent "$game_idle0" "$(cpu_ticks "$game_pid")" "$idle_from" "$idle_to")
reading[baseline.cpu.idle]=$(cpu_percent "$baseline_idle0" "$(cpu_ticks "$baseline_pid")" "$idle_from" "$idle_to")
reading[fluidsynth.cpu.idle]=$(cpu_percent "$fluidsynth_idle0" "$(cpu_ticks "$fluidsynth_pid")" \
    "$idle_from" "$idle_to")
[ "$fluidsynth_pid" = - ] || stop "$fluidsynth_pid"
reading[game.cpu.silent]=-
reading[baseline.cpu.silent]=-
if [ "$silent_from" -gt 0 ]; then
    progress "the title window, its tune over, for $silent s"
    sleep_until "$title_from" "$silent_from"
    cpu_of_both silent "$silent"
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
STARTED_PIDS+=("$player_pid")
(
    while sleep 2; do
        if DISPLAY=$game_display xdotool search --onlyvisible --name '^GAME OVER$' >/dev/null 2>&1; then
            now_seconds >"$WORK/game-over"
            break
        fi
    done
) &
STARTED_PIDS+=($!)

sleep_until "$play_from" "$grown_from"
require_running "$game_pid" game
require_running "$baseline_pid" baseline
for who in game baseline; do
    pid_var=${who}_pid
    reading[$who.rss.early]=$(memory_kb "${!pid_var}" Rss)
done
# FluidSynth's player starts on the game tune a few seconds early, so that its start-up (the
# SoundFont, the first instruments) falls outside the measure; it loops the tune as the game does.
sleep_until "$play_from" $((level3_from - 5))
fluidsynth_pid=-
if [ -n "$PULSE_SERVER" ]; then
    fluidsynth_play "$BUILD/music.mid" loop
    fluidsynth_pid=$FLUIDSYNTH_PID
fi
sleep_until "$play_from" "$level3_from"
level3_from_at=$(now_seconds)
game_play0=$(cpu_ticks "$game_pid")
baseline_play0=$(cpu_ticks "$baseline_pid")
fluidsynth_play0=$(cpu_ticks "$fluidsynth_pid")
sleep_until "$play_from" "$play"
level3_to_at=$(now_seconds)
require_running "$game_pid" game
require_running "$baseline_pid" baseline
reading[game.cpu.play]=$(cpu_percent "$game_play0" "$(cpu_ticks "$game_pid")" "$level3_from_at" "$level3_to_at")
reading[baseline.cpu.play]=$(cpu_percent "$baseline_play0" "$(cpu_ticks "$baseline_pid")" "$level3_from_at" "$level3_to_at")
reading[fluidsynth.cpu.play]=$(cpu_percent "$fluidsynth_play0" "$(cpu_ticks "$fluidsynth_pid")" \
    "$level3_from_at" "$level3_to_at")
[ "$fluidsynth_pid" = - ] || stop "$fluidsynth_pid"
for who in game baseline; do
    pid_var=${who}_pid
    reading[$who.rss.end]=$(memory_kb "${!pid_var}" Rss)
    reading[$who.pss.end]=$(memory_kb "${!pid_var}" Pss)
done

progress "the game-over window: no more punches, so the game runs out of power"
for ((tries = 0; tries < 50; tries++)); do
    kill -0 "$player_pid" 2>/dev/null || break
    sleep 0.1
done
stop "$player_pid"
player_stopped_at=$(now_seconds)
until [ -s "$WORK/game-over" ]; do
    require_running "$game_pid" game
    awk -v s="$player_stopped_at" -v d="$over_within" -v n="$(now_seconds)" 'BEGIN { exit !(n - s > d) }' &&
        break
    sleep 1
done
reading[game.cpu.over]=-
reading[baseline.cpu.over]=-
over_after=-
if [ -s "$WORK/game-over" ]; then
    over_opened_at=$(cat "$WORK/game-over")
    over_after=$(awk -v s="$player_stopped_at" -v o="$over_opened_at" 'BEGIN { d = o - s; printf "%d", d < 0 ? 0 : d }')
    sleep_until "$over_opened_at" "$over_tail"
    require_running "$game_pid" game
    cpu_of_both over "$over"
else
    progress "no game-over window within $over_within s of the last punch"
fi
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
mb() { awk -v k="$1" 'BEGIN { if (k == "-") print "-"; else printf "%.1f MB", k / 1024 }'; }
percent() { awk -v p="$1" 'BEGIN { print (p == "-") ? "-" : p " %" }'; }
ms_from_us() { awk -v u="$1" -v d="${2:-1}" 'BEGIN { if (u == "-") print "-"; else printf "%.*f ms", d, u / 1000 }'; }
row() { printf '| %s | %s | %s | %s | %s | %s |\n' "$@"; }
g=game
b=baseline
if $quick; then
    play_label="play, last 30 s of a 1-minute game (level 1)"
    growth_label="RSS growth, 0:20 → 1:00 of play (quick run)"
    silent_label="CPU, title window idle, its tune over (not in a quick run)"
else
    play_label="play at level 3, 4:05–10:00"
    growth_label="RSS growth, minute 1 → 10 of play"
    silent_label="CPU, title window idle, its tune over ($silent s)"
fi
if [ "$over_after" = - ]; then
    over_label="CPU, game-over window (none came within $over_within s)"
else
    over_label="CPU, game-over window, its music over ($over s from $over_tail s after it opened, $over_after s after the last punch)"
fi
game_growth=$((reading[$g.rss.end] - reading[$g.rss.early]))
baseline_growth=$((reading[$b.rss.end] - reading[$b.rss.early]))
if [ "$music_streams" -gt 0 ]; then music="on (FluidSynth → PulseAudio null sink)"; else music="**off** (no audio output)"; fi
# A game-over window before the end of play means the player lost.
game_over=$(awk -v s="$play_from" -v e="$level3_to_at" '{ if ($1 < e) printf "%d", $1 - s }' "$WORK/game-over" 2>/dev/null || true)
game_stderr=$(wc -l <"$WORK/game.stderr")
game_starts_stderr=$(wc -l <"$WORK/game-starts.stderr")

echo "Tanzel Punch against an empty Qt 6 window of ${GAME_SIZE/x/ × }: $started_at," \
    "$(lscpu | sed -n 's/^Model name: *//p' | head -n1), $(nproc) cores," \
    "$(free -g | awk '/^Mem:/ { print $2 }') GiB; music $music. Load average before and after:" \
    "$load_before, $(cut -d' ' -f1 /proc/loadavg)."
[ -z "$game_over" ] || echo "**The player lost the game after $game_over s: the play figures after that are of the game-over window.**"
echo "Player: $(cat "$WORK/player.out")."
echo "In the rows that name FluidSynth's player, the baseline column is \`fluidsynth\` playing the same file alone."
echo
row measure game baseline ratio target met
row --- ---: ---: ---: --- ---
row "start-up to the first frame (median of $starts)" "$(ms_from_us "$game_start" 0)" "$(ms_from_us "$baseline_start" 0)" \
    "$(ratio "$game_start" "$baseline_start")" "≤ 1.3x" "$(verdict "g <= 1.3 * b" g="$game_start" b="$baseline_start")"
# The music alone holds about as much as the empty window, so the floor for memory is the two
# together: the empty window and FluidSynth's player, read at the same moment as the game.
player_rss=${reading[fluidsynth.rss.start]}
memory_floor=$(awk -v b="${reading[$b.rss.start]}" -v p="$player_rss" 'BEGIN { print (p == "-") ? "-" : b + p }')
row "RSS after start-up" "$(mb "${reading[$g.rss.start]}")" "$(mb "${reading[$b.rss.start]}")" \
    "$(ratio "${reading[$g.rss.start]}" "${reading[$b.rss.start]}")" "≤ empty window + player ($(mb "$memory_floor"))" \
    "$(verdict "g <= b + p" g="${reading[$g.rss.start]}" b="${reading[$b.rss.start]}" p="$player_rss")"
row "RSS, FluidSynth's player on the title tune, at the same moment" - "$(mb "$player_rss")" - - -
row "PSS after start-up" "$(mb "${reading[$g.pss.start]}")" "$(mb "${reading[$b.pss.start]}")" \
    "$(ratio "${reading[$g.pss.start]}" "${reading[$b.pss.start]}")" "-" "-"
row "RSS after $play s of play" "$(mb "${reading[$g.rss.end]}")" "$(mb "${reading[$b.rss.end]}")" \
    "$(ratio "${reading[$g.rss.end]}" "${reading[$b.rss.end]}")" "-" "-"
row "PSS after $play s of play" "$(mb "${reading[$g.pss.end]}")" "$(mb "${reading[$b.pss.end]}")" \
    "$(ratio "${reading[$g.pss.end]}" "${reading[$b.pss.end]}")" "-" "-"
row "$growth_label" "$game_growth kB" "$baseline_growth kB" "-" "none (≤ 1 % of RSS)" \
    "$(verdict "growth <= 0.01 * rss" growth="$game_growth" rss="${reading[$g.rss.end]}")"
row "CPU, title window idle, its tune playing ($idle s)" "${reading[$g.cpu.idle]} %" "${reading[$b.cpu.idle]} %" \
    "$(ratio "${reading[$g.cpu.idle]}" "${reading[$b.cpu.idle]}")" "-" "-"
row "CPU, the same, against FluidSynth's player on the title tune" "${reading[$g.cpu.idle]} %" \
    "$(percent "${reading[fluidsynth.cpu.idle]}")" "$(ratio "${reading[$g.cpu.idle]}" "${reading[fluidsynth.cpu.idle]}")" \
    "≤ 1.25x the player" "$(verdict "g <= 1.25 * p" g="${reading[$g.cpu.idle]}" p="${reading[fluidsynth.cpu.idle]}")"
row "$silent_label" "$(percent "${reading[$g.cpu.silent]}")" \
    "$(percent "${reading[$b.cpu.silent]}")" "$(ratio "${reading[$g.cpu.silent]}" "${reading[$b.cpu.silent]}")" \
    "≤ 0.3 % of a core" "$(verdict "g <= 0.3" g="${reading[$g.cpu.silent]}")"
row "CPU, $play_label" "${reading[$g.cpu.play]} %" "${reading[$b.cpu.play]} %" \
    "$(ratio "${reading[$g.cpu.play]}" "${reading[$b.cpu.play]}")" "-" "-"
row "CPU, the same, against FluidSynth's player on the game tune" "${reading[$g.cpu.play]} %" \
    "$(percent "${reading[fluidsynth.cpu.play]}")" "$(ratio "${reading[$g.cpu.play]}" "${reading[fluidsynth.cpu.play]}")" \
    "≤ 1.25x the player + 1 point" \
    "$(verdict "g <= 1.25 * p + 1" g="${reading[$g.cpu.play]}" p="${reading[fluidsynth.cpu.play]}")"
row "$over_label" "$(percent "${reading[$g.cpu.over]}")" "$(percent "${reading[$b.cpu.over]}")" \
    "$(ratio "${reading[$g.cpu.over]}" "${reading[$b.cpu.over]}")" "≤ 0.3 % of a core" \
    "$(verdict "g <= 0.3" g="${reading[$g.cpu.over]}")"
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
    "$(ratio "$game_key_p99" "$base_key_p99")" "≤ 1.5x" "$(verdict "g <= 1.5 * b" g="$game_key_p99" b="$base_key_p99")"
row "paint after a key, p50 / p99" "$(ms_from_us "$game_paint_p50" 3) / $(ms_from_us "$game_paint_p99" 3)" \
    "$(ms_from_us "$base_paint_p50" 3) / $(ms_from_us "$base_paint_p99" 3)" "$(ratio "$game_paint_p50" "$base_paint_p50")" "-" "-"
row "headless engine, random player" "$(awk -v r="$engine_rate" 'BEGIN { printf "%.2f M ticks/s", r / 1e6 }')" "-" "-" \
    "> 1 M ticks/s" "$(verdict "r > 1000000" r="${engine_rate:--}")"
echo
echo "game's stderr: $game_stderr lines (and $game_starts_stderr over its $starts start-ups)."
