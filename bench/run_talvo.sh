#!/usr/bin/env bash
# Whole-process benchmark of talvo on generated (seeded) data, with `cat` of
# the same data file as the floor. Prints the median wall time of several runs
# and the peak resident memory of one.
#   usage: bench/run_talvo.sh path/to/talvo [runs]
set -euo pipefail
talvo=$(realpath "$1")
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# 20000 lines of 10 columns, values in [0, 100).
awk 'BEGIN { srand(1); for (i = 0; i < 20000; i++) { line = ""; for (c = 0; c < 10; c++) line = line sprintf("%.6f ", rand() * 100); print line } }' >ten.txt
# 20000 lines of 90 fields, each line 1024 characters.
awk 'BEGIN { srand(2); for (i = 0; i < 20000; i++) { line = ""; for (c = 0; c < 90; c++) line = line sprintf("%10.5f ", rand() * 1000); printf "%-1024s\n", line } }' >wide.txt

nanoseconds() { date +%s%N; }

# Median wall time in milliseconds of a command run `runs` times.
median_ms() {
    local times=() start end
    for _ in $(seq "$runs"); do
        start=$(nanoseconds)
        "$@" >/dev/null 2>&1 || true
        end=$(nanoseconds)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.2f", a[int((NR + 1) / 2)] / 1000 }'
}

peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

run_case() {
    local name=$1 data=$2 answers=$3
    printf '%s' "$answers" >answers.txt
    local talvo_ms cat_ms peak
    talvo_ms=$(median_ms sh -c "\"$talvo\" <answers.txt")
    cat_ms=$(median_ms cat "$data")
    peak=$(peak_kb sh -c "exec \"$talvo\" <answers.txt")
    printf '%-26s talvo %8s ms   cat %6s ms   peak %6s KB\n' "$name" "$talvo_ms" "$cat_ms" "$peak"
}

start_ms=$(median_ms "$talvo" </dev/null)
printf '%-26s talvo %8s ms\n' "process start (no input)" "$start_ms"
run_case "10 columns, 100 bins" ten.txt $'ten.txt\nh1.txt\n3\n0\n1\n100\n99\n'
run_case "1,000,000 bins" ten.txt $'ten.txt\nh2.txt\n3\n0\n0.0001\n100\n99\n'
run_case "90 fields, column 90" wide.txt $'wide.txt\nh3.txt\n90\n0\n10\n1000\n99\n'
