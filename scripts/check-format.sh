#!/usr/bin/env bash
# Fails when a C++ file tracked by git is not formatted with the project's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."

files=$(git ls-files '*.cpp' '*.h')
[ -n "$files" ] || exit 0
# shellcheck disable=SC2086
if ! clang-format --dry-run --Werror $files; then
    echo "Unformatted files: run clang-format -i on the files above." >&2
    exit 1
fi
echo "Formatting: ok"
