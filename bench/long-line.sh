#!/bin/sh
# yuedu-cli segment on one line of MB megabytes (1000 by default): a realistic text made by
# make-text.py from the data files of the build, its line ends taken out, repeated to the size.
# Prints the elapsed and CPU seconds and the peak memory, which stays that of a short text
# however long the line. The text is made in TMPDIR (or /tmp) and deleted afterwards: it needs
# MB megabytes free there.
#
#   bench/long-line.sh [BUILD_DIR [MB]]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
mb=${2:-1000}
cli=${CLI:-$build/src/cli/yuedu-cli} # CLI: another yuedu-cli to time
data=$build/data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/make-text.py" "$data" 2000000 | tr -d '\r\n' >"$work/part.txt"
part=$(wc -c <"$work/part.txt")
n=$(((mb * 1000000 + part - 1) / part))
i=0
while [ "$i" -lt "$n" ]; do
    cat "$work/part.txt"
    i=$((i + 1))
done >"$work/line.txt"
rm "$work/part.txt"
echo "one line of $(wc -c <"$work/line.txt") bytes"
/usr/bin/time -f '%e s elapsed, %U s user, %S s system, %M KB peak' -o "$work/t" \
    "$cli" segment --data-dir "$data" "$work/line.txt" | wc -c >"$work/out"
echo "segment: $(cat "$work/t"); $(cat "$work/out") bytes written"
