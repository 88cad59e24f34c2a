#!/usr/bin/env bash
# Builds Yuedu (with its data files) and starts it. Installs what it needs first.
# Without a display, shows what the command line makes of the bundled sample instead.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
yuedu_install_packages
yuedu_build

cli=build/src/cli/yuedu-cli
sample=data/samples/story.txt
if [ -x build/src/app/yuedu ]; then
    # The desktop program checks the display itself; status 3 (after its one sentence) means
    # there is none.
    status=0
    build/src/app/yuedu --data-dir build/data "$@" || status=$?
    [ "$status" -eq 3 ] || exit "$status"
else
    echo "The desktop program was not built (Qt 6 is missing)."
fi

echo "Here is what the command line (build/src/cli/yuedu-cli) makes of the sample $sample:"
echo
echo "== Word segmentation (yuedu-cli segment) =="
"$cli" segment --data-dir build/data "$sample"
echo
echo "== Article structure profile (yuedu-cli profile) =="
"$cli" profile --data-dir build/data "$sample"
echo
echo "== Word frequency (yuedu-cli segment | yuedu-cli freq) =="
"$cli" segment --data-dir build/data "$sample" | "$cli" freq
