#!/bin/bash
# Runs each fuzz target of the sanitizer build (ASan + UBSan) as CI runs them
# (scripts/fuzz-target.sh: the same options, the real data, a scratch folder for new inputs) for
# SECONDS_EACH seconds (60 by default), and prints the runs a second of each. The first runs are
# the seeds themselves, the megabyte-long one of the reading and segmenting targets among them,
# so short runs understate the rate.
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
    scripts/fuzz-target.sh "$name" "$work/$name" "$seconds" >/dev/null
    runs=$(awk '/^stat::number_of_executed_units/ { print $NF + 0 }' "$work/$name.log")
    awk -v n="$name" -v r="$runs" -v s="$seconds" \
        'BEGIN { printf "%-10s %8d runs in %d s: %6.0f runs a second\n", n, r, s, r / s }'
done
