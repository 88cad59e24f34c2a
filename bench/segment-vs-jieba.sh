#!/bin/sh
# Segmentation speed against jieba-rs, side by side on the same text: yuedu-cli segment (the
# whole process, start-up included) and jieba-rs 2.0.3 through its Node binding @node-rs/jieba
# (its bundled dictionary, HMM on, the dictionary load excluded: only the cut is timed). The
# text is a realistic one of CHARS characters (2,000,000 by default) made by make-text.py from
# the data files of the build, one sentence a line, in UTF-8. Prints the median CPU seconds of
# RUNS runs of each (7 by default), interleaved, and how many times faster yuedu-cli is.
#
#   npm install --prefix /tmp/jb @node-rs/jieba          (once; a general resource, not shipped)
#   JIEBA_DIR=/tmp/jb bench/segment-vs-jieba.sh [BUILD_DIR [CHARS]]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
chars=${2:-2000000}
cli=${CLI:-$build/src/cli/yuedu-cli} # CLI: another yuedu-cli to time
data=$build/data
runs=${RUNS:-7}
jieba=${JIEBA_DIR:-/tmp/jb}
[ -d "$jieba/node_modules/@node-rs/jieba" ] ||
    { echo "no @node-rs/jieba under $jieba (see the top of this script)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/make-text.py" "$data" "$chars" >"$work/text.txt"
cat >"$work/cut.js" <<'JS'
// CPU seconds of one cut of the whole text with HMM, the dictionary loaded beforehand.
const fs = require('fs')
const { Jieba } = require(process.argv[3] + '/node_modules/@node-rs/jieba')
const { dict } = require(process.argv[3] + '/node_modules/@node-rs/jieba/dict')
const text = fs.readFileSync(process.argv[2])
const jieba = Jieba.withDict(dict)
const t0 = process.cpuUsage()
jieba.cut(text, true)
const t = process.cpuUsage(t0)
console.log(((t.user + t.system) / 1e6).toFixed(3))
JS

: >"$work/yuedu"
: >"$work/jieba"
i=0
while [ "$i" -lt "$runs" ]; do
    /usr/bin/time -f '%U %S' -o "$work/t" "$cli" segment --data-dir "$data" "$work/text.txt" >/dev/null
    awk '{ printf "%.3f\n", $1 + $2 }' "$work/t" >>"$work/yuedu"
    node "$work/cut.js" "$work/text.txt" "$jieba" >>"$work/jieba"
    i=$((i + 1))
done
mid=$(((runs + 1) / 2))
y=$(sort -n "$work/yuedu" | sed -n "${mid}p")
j=$(sort -n "$work/jieba" | sed -n "${mid}p")
echo "text: $chars characters, $(wc -c <"$work/text.txt") bytes; median of $runs runs, CPU seconds"
echo "yuedu-cli segment (whole process): $y   runs: $(tr '\n' ' ' <"$work/yuedu")"
echo "jieba-rs cut, HMM (load excluded): $j   runs: $(tr '\n' ' ' <"$work/jieba")"
awk -v y="$y" -v j="$j" 'BEGIN { printf "yuedu-cli is %.2f times as fast\n", j / y }'
