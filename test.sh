#!/usr/bin/env bash
# Builds Yuedu and runs every test (core, GUI offscreen, data, the Python package). Installs what
# it needs first.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
yuedu_install_packages
yuedu_build -DYUEDU_PYTHON=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
yuedu_python_tests
