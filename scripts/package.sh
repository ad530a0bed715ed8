#!/usr/bin/env bash
# Builds the Debian package (vesmer, vesmer-cli, Tosvel, desktop entries, icons, AppStream
# metainfo, manual pages, Debian changelog) with CPack and prints its path on the last line.
#   scripts/package.sh [BUILD_DIR]        (default: build-package)
# The package has a build folder of its own, without the tests, and is hardened with the flags
# Debian builds its own packages with (dpkg-buildflags, hardening=+all). Packagers give their own
# project page and maintainer through the environment:
#   VESMER_PROJECT_PAGE=https://… VESMER_PACKAGE_MAINTAINER="Name <mail>" scripts/package.sh
# and may add build options of their own in DEB_BUILD_MAINT_OPTIONS or DEB_CXXFLAGS_MAINT_APPEND.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh package >&2
build="${1:-build-package}"

# All hardening, and no debug information: the package ships stripped programs only.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all ${DEB_BUILD_MAINT_OPTIONS:-}"
export DEB_CXXFLAGS_MAINT_STRIP="-g ${DEB_CXXFLAGS_MAINT_STRIP:-}"
flag() { dpkg-buildflags --get "$1"; }
# CMake does not read CPPFLAGS, and reads CXXFLAGS and LDFLAGS only into a new cache: all are
# given explicitly so that a second run on the same folder builds with the same flags.
settings=(
    -DCMAKE_BUILD_TYPE=Release
    -DVESMER_BUILD_TESTS=OFF
    -DVESMER_BUILD_BENCHMARKS=OFF
    -DVESMER_SANITIZE=OFF
    -DVESMER_FUZZ=OFF
    "-DCMAKE_CXX_FLAGS=$(flag CPPFLAGS) $(flag CXXFLAGS)"
    "-DCMAKE_EXE_LINKER_FLAGS=$(flag LDFLAGS)"
)
[ -z "${VESMER_PROJECT_PAGE:-}" ] || settings+=("-DVESMER_PROJECT_PAGE=$VESMER_PROJECT_PAGE")
[ -z "${VESMER_PACKAGE_MAINTAINER:-}" ] ||
    settings+=("-DVESMER_PACKAGE_MAINTAINER=$VESMER_PACKAGE_MAINTAINER")
cmake -S . -B "$build" "${settings[@]}" >&2
cmake --build "$build" -j"$(nproc)" >&2
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$PWD/package" >&2)
ls "$(cd "$build" && pwd)"/package/*.deb
