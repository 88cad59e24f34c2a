#!/usr/bin/env bash
# Both programs print the project's version. Skipped (77) while yuedu-cli has no --version.
# Usage: version_test.sh VERSION YUEDU_CLI [YUEDU]
set -uo pipefail
expected=$1 cli=$2
cli_out=$("$cli" --version 2>/dev/null) || { echo "yuedu-cli has no --version"; exit 77; }
number() { grep -oE '[0-9]+\.[0-9]+\.[0-9]+' | head -1; }
[ "$(number <<<"$cli_out")" = "$expected" ] || { echo "FAIL: yuedu-cli says '$cli_out', not $expected"; exit 1; }
if [ $# -ge 3 ]; then
    app_out=$(QT_QPA_PLATFORM=offscreen "$3" --version 2>&1)
    [ "$(number <<<"$app_out")" = "$expected" ] || { echo "FAIL: yuedu says '$app_out', not $expected"; exit 1; }
fi
exit 0
