#!/bin/sh
# Start-up of yuedu-cli, whole process: `segment` of a one-line text, with the data files of
# the build. Each program given runs ROUNDS times (9 by default) in turn, each time 20 runs under
# `perf stat`; prints the median and the range of the rounds' mean wall and task-clock ms, so
# that programs compared in one call share the machine's drift.
#
#   bench/startup.sh [BUILD_DIR [OTHER_YUEDU_CLI...]]       (needs perf: linux-perf)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
[ $# -gt 0 ] && shift
data=${DATA_DIR:-$build/data}
rounds=${ROUNDS:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%s\n' "今天天氣很好。" >"$work/one.txt"

set -- "$build/src/cli/yuedu-cli" "$@"
r=0
while [ "$r" -lt "$rounds" ]; do
    n=0
    for cli in "$@"; do
        n=$((n + 1))
        perf stat -x, -r 20 -e task-clock "$cli" segment --data-dir "$data" "$work/one.txt" \
            2>"$work/stat" >/dev/null
        awk -F, '$3 == "task-clock" { print $1 }' "$work/stat" >>"$work/cpu$n"
        # The wall clock of the same runs, from a second, plain measurement.
        perf stat -r 20 "$cli" segment --data-dir "$data" "$work/one.txt" 2>"$work/stat" >/dev/null
        awk '/seconds time elapsed/ { print $1 * 1000 }' "$work/stat" >>"$work/wall$n"
    done
    r=$((r + 1))
done
summary() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { printf "%.2f (%.2f-%.2f)", v[int((NR + 1) / 2)], v[1], v[NR] }'
}
n=0
for cli in "$@"; do
    n=$((n + 1))
    echo "$cli: wall ms $(summary "$work/wall$n"), task-clock ms $(summary "$work/cpu$n")"
done
