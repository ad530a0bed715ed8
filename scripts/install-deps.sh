#!/usr/bin/env bash
# Installs the Debian packages that are missing for one purpose:
#   run      building and running the programs (scripts/run.sh)
#   package  the above and what building and checking the Debian package needs
#            (scripts/package.sh, tests/package/package_check.sh)
#   web      building and serving the page (scripts/web.sh): emscripten and Node
#   test     all of it and the test, check and benchmark tools, Chromium for the page's tests
#            (the default)
set -euo pipefail

run=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins
    qt6-translations-l10n fonts-ipafont-gothic
)
package=(help2man man-db python3 dpkg-dev file lintian appstream desktop-file-utils)
test=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format clang libclang-rt-14-dev
    xvfb xauth xdotool imagemagick hyperfine time poppler-utils
    python3-pyatspi at-spi2-core dbus-daemon dbus-bin
    chromium
)
web=(cmake make emscripten)
# Node and npm may come from elsewhere than Debian; Debian's are installed only when there are none.
command -v node >/dev/null || web+=(nodejs)
command -v npm >/dev/null || web+=(npm)

case "${1:-test}" in
    run) packages=("${run[@]}") ;;
    package) packages=("${run[@]}" "${package[@]}") ;;
    web) packages=("${web[@]}") ;;
    test) packages=("${run[@]}" "${package[@]}" "${test[@]}" "${web[@]}") ;;
    *)
        echo "usage: $0 [run|package|web|test]" >&2
        exit 2
        ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Packages are missing and this is not root: run as root or install them first." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ "${1:-test}" = test ]; then
    # The browser tests' driver and checker, at the versions pinned in their lock file.
    (cd "$(dirname "$0")/../tests/web" && npm ci --no-audit --no-fund)
fi
