#!/bin/bash
# Runs each fuzz target of the sanitizer build (ASan + UBSan), as CI runs them
# (same options, the real data, a scratch copy of the seed corpus), for SECONDS_EACH seconds (60 by
# default), and prints the runs a second of each. The first runs are the seeds themselves, the
# megabyte-long one of the text targets among them, so short runs understate the rate.
#
#   . scripts/setup.sh && yuedu_sanitizer_build        (once: build-asan/, and build/data)
#   bench/fuzz-rates.sh [TARGET...]                     (article, datafile, ...; all by default)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
seconds=${SECONDS_EACH:-60}
export YUEDU_DATA_DIR="$top/build/data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for target in build-asan/tests/fuzz/*_fuzz; do
        names+=("$(basename "$target" _fuzz)")
    done
fi
for name in "${names[@]}"; do
    target=build-asan/tests/fuzz/${name}_fuzz
    [ -x "$target" ] || { echo "no $target (build it with yuedu_sanitizer_build)" >&2; exit 2; }
    mkdir -p "$work/$name"
    cp -r "tests/fuzz/corpus/$name/." "$work/$name/"
    options=()
    if [ -f "tests/fuzz/corpus/$name/big5" ]; then
        options+=(-dict=tests/fuzz/text.dict)
        scripts/fuzz-large-seed.sh "tests/fuzz/corpus/$name/big5" "$work/$name/large-one-line"
    fi
    "$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
        "${options[@]}" -artifact_prefix="$work/$name-" "$work/$name" >"$work/$name.log" 2>&1
    runs=$(awk '/^stat::number_of_executed_units/ { print $NF + 0 }' "$work/$name.log")
    awk -v n="$name" -v r="$runs" -v s="$seconds" \
        'BEGIN { printf "%-10s %8d runs in %d s: %6.0f runs a second\n", n, r, s, r / s }'
done
