#!/usr/bin/env bash
# Fuzzes one target of the sanitizer build for SECONDS seconds, the way CI does: the committed
# seeds of tests/fuzz/corpus/NAME are only read, new inputs go to WORK (a folder), findings to
# WORK-crash-... and the log to WORK.log. The targets that read text get the byte pairs of Big5
# and GB18030 as a dictionary, and a seed above the megabyte the encoding is guessed from, one
# line long (made here, not committed): the reading and segmenting targets fuzz it with the
# others; the article target runs it once before, as a check, since mutations a megabyte long
# would leave it a few dozen runs a second where the small seeds give a thousand. Fails with
# the end of the log on a finding.
#   scripts/fuzz-target.sh NAME WORK SECONDS
set -euo pipefail
name="$1" work="$2" seconds="$3"
cd "$(dirname "$0")/.."
target="build-asan/tests/fuzz/${name}_fuzz"
seeds="tests/fuzz/corpus/$name"
mkdir -p "$work"
common=(-timeout=20 -rss_limit_mb=2048 -artifact_prefix="$work-")
options=()
if [ -f "$seeds/big5" ]; then
    options+=(-dict=tests/fuzz/text.dict)
    large="$work/large-one-line"
    [ "$name" = article ] && large="$work.large-one-line"
    [ -f "$large" ] || scripts/fuzz-large-seed.sh "$seeds/big5" "$large"
    if [ "$name" = article ] && ! "$target" "${common[@]}" "$large" >"$work.log" 2>&1; then
        tail -n 60 "$work.log"
        exit 1
    fi
fi
status=0
"$target" -max_total_time="$seconds" -print_final_stats=1 "${common[@]}" "${options[@]}" \
    "$work" "$seeds" >"$work.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    tail -n 60 "$work.log"
    exit 1
fi
