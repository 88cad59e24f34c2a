#!/usr/bin/env bash
# Installs what building and testing Yuedu needs (Debian 12), then configures and builds into
# build/. Sourced by run.sh and test.sh; safe to run again.
set -euo pipefail

YUEDU_PACKAGES=(
    g++ cmake ninja-build pkg-config ccache
    libicu-dev libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-translations-l10n qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev
    libxcb1-dev fonts-arphic-uming xvfb xauth
    # the install and package checks: desktop entry, Debian package (dpkg-shlibdeps), icons
    desktop-file-utils dpkg-dev file
    # open lexical sources the data files are built from
    libchewing3-data rime-essay rime-data-stroke opencc libopencc-data unicode-data bzip2
)

yuedu_install_packages() {
    local missing=()
    for p in "${YUEDU_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

yuedu_build() {
    local top
    top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$top/build" -j "$(nproc)"
}
