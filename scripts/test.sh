#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds and runs every test, builds the
# page and runs its browser tests beside vesmer-cli and its budgets, builds the Debian package and
# checks it with lintian and installed, then builds and runs the tests once more with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-format.sh

jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVESMER_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The page: built from the same engine, tested in Chromium beside vesmer-cli, checked for its size
# budgets (scripts/web.sh budget checks its speed too, on a machine that runs nothing else).
scripts/web.sh build
VESMER_CLI="$PWD/build/cli/vesmer-cli" node --test tests/web/page.test.mjs
node bench/web/budget.mjs --sizes

if [ "$(id -u)" -eq 0 ]; then
    tests/package/package_check.sh
else
    echo "Package check skipped: installing the package with dpkg -i needs root."
fi

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVESMER_SANITIZE=ON -DVESMER_WERROR=ON
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
