# Summaries of the probe logs and of lists of numbers. Sourced by run.sh.
# shellcheck shell=bash

# The tick's intervals over its longest unbroken run (a pause of a second or more breaks it):
# "mean_ms p99_ms worst_ms drift_ms_per_minute ticks".
tick_stats() {
    awk '$1 == "tick" { print $2 }' "$1" | awk '
        NR > 1 && $1 - last >= 1e9 { run = 0 }
        {
            if (run == 0) start = $1
            run++
            if (run > best) { best = run; bestStart = start; bestEnd = $1 }
            last = $1
        }
        END { print bestStart, bestEnd }' >"$1.run"
    read -r first last <"$1.run"
    [ -n "$first" ] || { echo "- - - - 0"; return; }
    awk -v first="$first" -v last="$last" '$1 == "tick" && $2 >= first && $2 <= last { print $2 }' "$1" |
        awk -v first="$first" '
            # Drift is the slope of a least-squares line through (tick number, time), so that
            # one late tick, which the following ones make up for, does not count as drift.
            {
                t = ($1 - first) / 1e6
                n = NR - 1
                sn += n; st += t; snn += n * n; snt += n * t
                if (NR > 1) print "interval", t - previous
                previous = t
            }
            END {
                if (NR < 2) exit
                slope = (NR * snt - sn * st) / (NR * snn - sn * sn)
                print "drift", (slope / 50 - 1) * 60000
            }' >"$1.intervals"
    local drift
    drift=$(awk '$1 == "drift" { printf "%.2f", $2 }' "$1.intervals")
    awk '$1 == "interval" { print $2 }' "$1.intervals" | sort -n |
        awk -v drift="$drift" '
            { value[NR] = $1; sum += $1 }
            END {
                if (NR == 0) { print "- - - - 0"; exit }
                p99 = value[int(NR * 0.99 + 0.999999)]
                printf "%.3f %.2f %.2f %s %d\n", sum / NR, p99, value[NR], drift, NR + 1
            }'
}

# Key press to the end of the next paint, in microseconds: "p50 p99 keys"; with "paint",
# the same for the paint's own duration.
key_stats() {
    local column=2
    [ "${2:-}" = paint ] && column=3
    awk -v c=$column '$1 == "key" { print $c }' "$1" | sort -n | awk '
        { value[NR] = $1 }
        END {
            if (NR == 0) { print "- - 0"; exit }
            printf "%d %d %d\n", value[int(NR * 0.5 + 0.999999)], value[int(NR * 0.99 + 0.999999)], NR
        }'
}

# The median of the numbers given as arguments.
median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 == 0 || a == "-") print "-"; else printf "%.2fx", a / b }'
}
