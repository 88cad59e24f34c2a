#!/usr/bin/env bash
# Installs what building and testing Yuedu needs (Debian 12), then configures and builds into
# build/. Sourced by run.sh and test.sh; safe to run again.
set -euo pipefail

YUEDU_PACKAGES=(
    g++ cmake ninja-build pkg-config ccache
    libicu-dev libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-translations-l10n qt6-l10n-tools qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev
    libxcb1-dev fonts-arphic-uming xvfb xauth
    # the readers of Word, OpenDocument, EPUB, web pages and PDF
    libzip-dev libpugixml-dev libgumbo-dev libpoppler-cpp-dev
    # the data files' check sum (XXH64, compiled in from the header)
    libxxhash-dev
    # Simplified to Traditional conversion (the library and its s2tw configuration)
    libopencc-dev libopencc-data
    # the install and package checks: desktop entry, Debian package (dpkg-shlibdeps), icons
    desktop-file-utils dpkg-dev file lintian
    # the Python package: its build (pybind11, setuptools), virtual environment, pandas results,
    # the Dask recipe and the tests
    python3-dev pybind11-dev python3-setuptools python3-wheel python3-venv python3-pandas
    python3-dask python3-distributed python3-pytest
    # open lexical sources the data files are built from
    libchewing3-data rime-essay rime-data-stroke opencc libopencc-data unicode-data bzip2
)

yuedu_install_packages() {
    yuedu_install "${YUEDU_PACKAGES[@]}"
}

# Installs the named Debian packages that are not installed yet.
yuedu_install() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# Only CI and whoever runs the sanitizer build or the fuzz targets need these.
YUEDU_CHECK_PACKAGES=(clang libclang-rt-14-dev)

yuedu_install_check_packages() {
    yuedu_install "${YUEDU_CHECK_PACKAGES[@]}"
}

# The core, its tests and the fuzz targets built with Clang under AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ (no GUI, starter data). Any finding aborts.
yuedu_sanitizer_build() {
    local top flags
    top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    # Coverage for the fuzz targets' guidance; the tests run with it too. Edges and their counts
    # only, without a traced call at every integer compare (the sanitizers' own checks among
    # them): that tracing cost the data-file target two thirds of its runs, and every target
    # reaches as much code in the same time without it. Every sanitizer check stays, and the
    # compared strings still guide the fuzzer through the sanitizers' memcmp and strcmp.
    flags="$flags -fsanitize=fuzzer-no-link -fno-sanitize-coverage=trace-cmp"
    CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
        -DYUEDU_BUILD_GUI=OFF -DYUEDU_BUILD_BENCH=OFF -DYUEDU_FULL_DATA=OFF -DYUEDU_FUZZ=ON "$@" >/dev/null
    cmake --build "$top/build-asan" -j "$(nproc)"
}

# The Python package installed into .venv from the tree in build/ (configured with
# -DYUEDU_PYTHON=ON, so only the module is brought up to date), then its tests, which compare it
# with build/src/cli/yuedu-cli.
yuedu_python_tests() {
    local top
    top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    [ -x "$top/.venv/bin/python" ] || /usr/bin/python3 -m venv --system-site-packages "$top/.venv"
    YUEDU_BUILD_DIR="$top/build" "$top/.venv/bin/pip" install --quiet --no-build-isolation \
        --no-deps "$top/python"
    (cd "$top/python/tests" && YUEDU_BUILD_DIR="$top/build" "$top/.venv/bin/python" -m pytest -q)
}

yuedu_build() {
    local top
    top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DYUEDU_WERROR="${YUEDU_WERROR:-OFF}" "$@" >/dev/null
    cmake --build "$top/build" -j "$(nproc)"
}
