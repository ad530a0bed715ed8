#!/usr/bin/env bash
# The 学歴欄 window's opening (made, shown and painted) and the writing of its PDF, each timed in
# the running program over repeated runs; the median of each must stay under 100 ms.
# Needs a display; without one it runs itself under a virtual X server.
# Usage: bench/resume/measure.sh [build folder, default build-startup]
set -euo pipefail
cd "$(dirname "$0")/../.."

. bench/on-display.sh

build=${1:-build-startup}
limit_ms=100
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVESMER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target vesmer_resume_probe >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_RUNTIME_DIR="$out"

"$build/bench/resume/vesmer_resume_probe" --runs 30 2>/dev/null | tee "$out/resume.txt"
status=0
for name in resume_window_open_ms resume_pdf_ms; do
    median=$(awk -v n="$name" '$1 == n {print $3}' "$out/resume.txt")
    [ -n "$median" ] || { echo "FAIL: no $name measured"; status=1; continue; }
    echo "$name: median ${median} ms (limit ${limit_ms} ms)"
    awk -v m="$median" -v l="$limit_ms" 'BEGIN { exit !(m < l) }' ||
        { echo "FAIL: $name over ${limit_ms} ms"; status=1; }
done
exit "$status"
