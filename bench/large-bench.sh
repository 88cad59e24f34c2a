#!/bin/sh
# Times two builds of yuedu-cli side by side on large inputs, whole process, with plain
# /usr/bin/time (elapsed, CPU and peak memory of one run each):
#   - freq, grades and senses on about 250 MB of segmented text,
#   - compare on one text of about 200 MB,
#   - compare --jobs 1 over 5,000 small texts (about 1,000 characters each).
# The texts are made by make-text.py from the data files under a scratch folder (TMPDIR, /tmp by
# default; about 1 GB free is needed) and removed at the end. BEFORE is usually the build of
# main, AFTER the build under test; both read the same data.
#
#   bench/large-bench.sh BEFORE_BUILD_DIR AFTER_BUILD_DIR [DATA_DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
before=$1/src/cli/yuedu-cli
after=$2/src/cli/yuedu-cli
data=${3:-$2/data}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/make-text.py" "$data" 67500000 >"$work/text.txt"
"$after" segment --data-dir "$data" "$work/text.txt" >"$work/segmented.txt"
mkdir "$work/small"
python3 "$here/make-text.py" "$data" 5000000 | python3 -c '
import sys
lines = sys.stdin.read().splitlines(keepends=True)
per = max(1, len(lines) // 5000)
for i in range(5000):
    with open(f"{sys.argv[1]}/t{i:04d}.txt", "w") as f:
        f.writelines(lines[i * per:(i + 1) * per])
' "$work/small"

# name, then the arguments of yuedu-cli; both builds must give the same output
measure() {
    name=$1
    shift
    line="$(printf '%-22s' "$name")"
    for which in before after; do
        cli=$before
        [ "$which" = after ] && cli=$after
        /usr/bin/time -f '%e %U %S %M' -o "$work/t" "$cli" "$@" >"$work/$which.out" 2>/dev/null ||
            true
        line="$line $(awk '{ printf "%s: %6.1f s, %6.1f s cpu, %5d MB", w, $1, $2 + $3, $4 / 1024 }' \
            w="$which" "$work/t")  "
    done
    cmp -s "$work/before.out" "$work/after.out" || line="$line OUTPUT DIFFERS"
    echo "$line"
}

echo "segmented text: $(wc -c <"$work/segmented.txt") bytes; text: $(wc -c <"$work/text.txt") bytes"
measure freq freq --data-dir "$data" "$work/segmented.txt"
measure grades grades --data-dir "$data" "$work/segmented.txt"
measure senses senses --data-dir "$data" "$work/segmented.txt"
measure "compare (one text)" compare --data-dir "$data" "$work/text.txt"
measure "compare 5000 texts" compare --jobs 1 --summary --data-dir "$data" "$work/small"
