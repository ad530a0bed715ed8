#!/usr/bin/env bash
# Builds the Debian package (vesmer, vesmer-cli, Tosvel, desktop entries, icons, AppStream
# metainfo, manual pages) with CPack and prints its path on the last line.
#   scripts/package.sh [BUILD_DIR]        (default: build)
# Packagers give their own project page and maintainer through the environment:
#   VESMER_PROJECT_PAGE=https://… VESMER_PACKAGE_MAINTAINER="Name <mail>" scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh package >&2
build="${1:-build}"
settings=(-DCMAKE_BUILD_TYPE=Release)
[ -z "${VESMER_PROJECT_PAGE:-}" ] || settings+=("-DVESMER_PROJECT_PAGE=$VESMER_PROJECT_PAGE")
[ -z "${VESMER_PACKAGE_MAINTAINER:-}" ] ||
    settings+=("-DVESMER_PACKAGE_MAINTAINER=$VESMER_PACKAGE_MAINTAINER")
cmake -S . -B "$build" "${settings[@]}" >&2
cmake --build "$build" -j"$(nproc)" >&2
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$PWD/package" >&2)
ls "$(cd "$build" && pwd)"/package/*.deb
