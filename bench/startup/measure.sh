#!/usr/bin/env bash
# Start-up and Calculate timing of the main window, measured side by side in this run:
#  - start-up to the first painted window against a bare Qt dialog with one button
#    (at most 1.25 times its time),
#  - Calculate to the history text on the screen (median and 95th percentile under 5 ms),
#  - peak memory (maximum resident set) of both programs.
# Needs a display; without one it runs itself under a virtual X server.
# Usage: bench/startup/measure.sh [build folder, default build-startup]
set -euo pipefail
cd "$(dirname "$0")/../.."

. bench/on-display.sh

build=${1:-build-startup}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVESMER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target vesmer_startup_probe vesmer_bare_dialog >/dev/null
probe="$build/bench/startup/vesmer_startup_probe"
bare="$build/bench/startup/vesmer_bare_dialog"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_RUNTIME_DIR="$out"
status=0

mkdir "$out/settings"
# Rounds of both programs one after the other, so that a change in the machine's load during the
# run touches both alike; the ratio is the median of the rounds' ratios of median times.
rounds=7
for round in $(seq "$rounds"); do
    hyperfine --warmup 2 --runs 12 -N --export-csv "$out/round$round.csv" \
        "$bare" "$probe --settings $out/settings" >/dev/null
done
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
bare_s=$(for f in "$out"/round*.csv; do awk -F, 'NR == 2 {print $4}' "$f"; done | median)
probe_s=$(for f in "$out"/round*.csv; do awk -F, 'NR == 3 {print $4}' "$f"; done | median)
ratio=$(for f in "$out"/round*.csv; do
    awk -F, 'NR == 2 {b = $4} NR == 3 {printf "%.4f\n", $4 / b}' "$f"
done | median)
ratio=$(awk -v r="$ratio" 'BEGIN { printf "%.2f", r }')
printf 'start-up to first paint (medians of %d rounds of 12): bare dialog %.1f ms, Vesmer %.1f ms, ratio %s (limit 1.25)\n' \
    "$rounds" "$(awk -v s="$bare_s" 'BEGIN { print s * 1000 }')" \
    "$(awk -v s="$probe_s" 'BEGIN { print s * 1000 }')" "$ratio"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.25) }' || { echo "FAIL: start-up over 1.25x"; status=1; }

calc=$("$probe" --settings "$out/settings" --calculate 200 2>/dev/null)
echo "$calc"
median=$(echo "$calc" | awk '/calculate_to_shown_ms/ {print $3}')
p95=$(echo "$calc" | awk '/calculate_to_shown_ms/ {print $5}')
awk -v m="$median" -v p="$p95" 'BEGIN { exit !(m < 5 && p < 5) }' ||
    { echo "FAIL: Calculate to text shown not under 5 ms"; status=1; }

bare_kb=$(/usr/bin/time -f %M "$bare" 2>&1 >/dev/null | tail -1)
probe_kb=$(/usr/bin/time -f %M "$probe" --settings "$out/settings" --calculate 20 2>&1 >/dev/null |
    tail -1)
printf 'peak memory: bare dialog %d KiB, Vesmer after 20 Calculates %d KiB\n' "$bare_kb" "$probe_kb"
exit "$status"
