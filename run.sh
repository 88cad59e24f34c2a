#!/usr/bin/env bash
# Builds Yuedu (with its data files) and starts it. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
yuedu_install_packages
yuedu_build
if [ -x build/src/app/yuedu ]; then
    exec build/src/app/yuedu --data-dir build/data "$@"
fi
# Until the desktop program is there, segment the bundled sample.
exec build/src/cli/yuedu-cli segment --data-dir build/data data/samples/story.txt "$@"
