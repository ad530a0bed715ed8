#!/usr/bin/env bash
# Speed checks: BuildHistoryText on the longest route (Google Benchmark, at most 2 us), loading
# both settings files at their largest of 8 MiB (under 50 ms), and
# vesmer-cli as a whole process against a bare QtCore program that only parses its arguments,
# measured side by side in this run (at most 1.5 times its time); then the window's start-up and
# Calculate timings (bench/startup/measure.sh), and the 学歴欄 window's opening and PDF, each under
# 100 ms (bench/resume/measure.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVESMER_BUILD_BENCHMARKS=ON \
    -DVESMER_BUILD_TESTS=OFF -DVESMER_BUILD_APP=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" \
    --target history_benchmark settings_benchmark bare_qtcore_args vesmer-cli >/dev/null

status=0
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

build-bench/bench/history_benchmark --benchmark_filter=BM_BuildHistoryText \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv >"$out/history.csv" 2>/dev/null
ns=$(awk -F, '/BM_BuildHistoryText_median/ {print $4}' "$out/history.csv")
echo "BuildHistoryText, longest route with ages: ${ns} ns per history (limit 2000 ns)"
awk -v ns="$ns" 'BEGIN { exit !(ns <= 2000) }' || { echo "FAIL: over 2 us"; status=1; }

build-bench/bench/settings_benchmark --benchmark_filter=BM_LoadStartupInputs \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv >"$out/settings.csv" 2>/dev/null
ms=$(awk -F, '/BM_LoadStartupInputs_median/ {print $3}' "$out/settings.csv")
echo "Loading both settings files at 8 MiB each: ${ms} ms (limit 50 ms)"
awk -v ms="$ms" 'BEGIN { exit !(ms < 50) }' || { echo "FAIL: loading over 50 ms"; status=1; }

args=(--today 2026-12-06 --show-age)
hyperfine --warmup 20 --runs 300 -N --style none --export-csv "$out/cli.csv" \
    "build-bench/bench/bare_qtcore_args ${args[*]}" \
    "build-bench/cli/vesmer-cli ${args[*]} --final 7" >/dev/null
bare=$(awk -F, 'NR == 2 {print $2}' "$out/cli.csv")
cli=$(awk -F, 'NR == 3 {print $2}' "$out/cli.csv")
ratio=$(awk -v a="$cli" -v b="$bare" 'BEGIN { printf "%.2f", a / b }')
printf 'bare QtCore program: %.2f ms, vesmer-cli: %.2f ms, ratio %s (limit 1.5)\n' \
    "$(awk -v s="$bare" 'BEGIN { print s * 1000 }')" "$(awk -v s="$cli" 'BEGIN { print s * 1000 }')" "$ratio"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.5) }' || { echo "FAIL: vesmer-cli over 1.5x"; status=1; }

bench/startup/measure.sh || status=1
bench/resume/measure.sh || status=1
exit "$status"
