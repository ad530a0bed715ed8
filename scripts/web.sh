#!/usr/bin/env bash
# The page: the engine and the input layer as WebAssembly with the page's files, in web/dist/.
#   build    builds web/dist/
#   serve    builds it and serves it on 127.0.0.1, port PORT (default 8080) (the default)
#   budget   builds it and checks its size and speed budgets in headless Chromium
#   pictures builds it and makes the README's pictures of it, docs/web-phone.png and
#            docs/web-desktop.png
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emscripten finds its Node modules only through NODE_PATH with a Node of another origin.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"

build() {
    scripts/install-deps.sh web
    emcmake cmake -S web -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build-web -j"$(nproc)"
    rm -rf web/dist
    mkdir -p web/dist
    cp build-web/vesmer.js build-web/vesmer.wasm web/page/style.css web/page/manifest.webmanifest \
        web/dist/
    node web/prerender.mjs build-web/vesmer.js web/page/index.html web/page/header.css \
        web/dist/index.html
    cp res/vesmer.svg web/dist/icon.svg
    cp res/icons/vesmer-256.png web/dist/icon-256.png
    # The service worker keeps every file; a new build is a new cache.
    local version files
    version="$(cat web/dist/* web/page/sw.js | sha256sum | cut -c1-16)"
    files="'./'$(cd web/dist && for file in *; do printf ", './%s'" "$file"; done)"
    sed -e "s|@VERSION@|$version|" -e "s|@FILES@|$files|" web/page/sw.js >web/dist/sw.js
    echo "Page built in web/dist/"
}

case "${1:-serve}" in
    build) build ;;
    serve)
        build
        exec node web/serve.mjs web/dist
        ;;
    budget)
        scripts/install-deps.sh test
        build
        node bench/web/budget.mjs
        ;;
    pictures)
        scripts/install-deps.sh test
        build
        node scripts/web-pictures.mjs
        ;;
    *)
        echo "usage: $0 [build|serve|budget|pictures]" >&2
        exit 2
        ;;
esac
