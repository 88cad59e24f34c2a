#!/usr/bin/env bash
# Writes a fuzz seed of a little over 1 MB from a small one: its bytes doubled until they are
# that long, the line ends taken out, so that the fuzz targets reach the megabyte sample the
# encoding is guessed from and a line of that length. The first byte is kept (it chooses how
# some targets read the rest).
#   scripts/fuzz-large-seed.sh SEED OUT
set -euo pipefail
seed="$1" out="$2"
[ -s "$seed" ] || { echo "empty seed: $seed" >&2; exit 1; }
body="$out.body"
tail -c +2 "$seed" | tr -d '\r\n' >"$body"
[ -s "$body" ] || { echo "seed without a body: $seed" >&2; exit 1; }
while [ "$(stat -c %s "$body")" -lt 1100000 ]; do
    cat "$body" "$body" >"$body.2"
    mv "$body.2" "$body"
done
{ head -c 1 "$seed"; cat "$body"; } >"$out"
rm -f "$body"
