#!/bin/sh
# Times the whole yuedu-cli process for each subcommand on a realistic text of about 50 MB
# (made by make-text.py from the data files of the build when none is given), with plain
# /usr/bin/time: the median of RUNS runs of elapsed and CPU seconds, and the peak memory.
#
#   bench/cli-bench.sh [BUILD_DIR [TEXT_FILE]]      (RUNS=5 by default)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
cli=$build/src/cli/yuedu-cli
data=$build/data
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

text=${2:-}
if [ -z "$text" ]; then
    text=$work/text.txt
    python3 "$here/make-text.py" "$data" 17000000 >"$text"
fi
"$cli" segment --data-dir "$data" "$text" >"$work/segmented.txt"
printf '%s\n' "今天天氣很好。" >"$work/one.txt"

# name, then the arguments of yuedu-cli
measure() {
    name=$1
    shift
    : >"$work/times"
    i=0
    while [ "$i" -lt "$runs" ]; do
        /usr/bin/time -f '%e %U %S %M' -o "$work/t" "$cli" "$@" >/dev/null 2>"$work/err" ||
            { echo "$name: failed: $(cat "$work/err")" >&2; return; }
        cat "$work/t" >>"$work/times"
        i=$((i + 1))
    done
    mid=$(((runs + 1) / 2))
    median() { awk "{ print $1 }" "$work/times" | sort -n | sed -n "${mid}p"; }
    printf '%-20s %8s s elapsed %8s s cpu %8s MB peak\n' "$name" "$(median '$1')" \
        "$(median '$2 + $3')" "$(median 'int($4 / 1024)')"
}

echo "text: $(wc -c <"$text") bytes; median of $runs runs"
measure "start-up (segment)" segment --data-dir "$data" "$work/one.txt"
measure segment segment --data-dir "$data" "$text"
measure profile profile --data-dir "$data" "$text"
measure attrs attrs --data-dir "$data" "$text"
measure charprofile charprofile --data-dir "$data" "$text"
measure freq freq --data-dir "$data" "$work/segmented.txt"
measure grades grades --data-dir "$data" "$work/segmented.txt"
measure senses senses --data-dir "$data" "$work/segmented.txt"

# Words in context, on the kept segmentation of the text (made by the first, unmeasured run).
export YUEDU_CACHE_DIR="$work/cache"
/usr/bin/time -f '%e s elapsed, %M KB peak' -o "$work/t" \
    "$cli" concord --data-dir "$data" 的 "$text" >/dev/null 2>&1
echo "segmenting and keeping the text once: $(cat "$work/t")"
"$cli" freq --data-dir "$data" "$work/segmented.txt" 2>/dev/null | head -n 20000 >"$work/ref.tsv"
measure "concord 的 (kept)" concord --data-dir "$data" 的 "$text"
measure "concord 因為 (kept)" concord --data-dir "$data" --sort left1 因為 "$text"
measure "collocates (kept)" collocates --data-dir "$data" 的 "$text"
measure "keywords (kept)" keywords --data-dir "$data" --reference "$work/ref.tsv" "$text"
measure "ngrams -n 3 (kept)" ngrams --data-dir "$data" -n 3 --min-freq 5 "$text"
