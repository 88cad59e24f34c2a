#!/usr/bin/env bash
# Fails, naming the files, when a tracked C++ file differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
report="$(clang-format --dry-run "${files[@]}" 2>&1 || true)"
unformatted="$(printf '%s\n' "$report" | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)"
if [ -n "$unformatted" ]; then
    echo "Not formatted with clang-format (run clang-format -i on them):" >&2
    printf '  %s\n' $unformatted >&2
    exit 1
fi
echo "clang-format: ${#files[@]} files formatted"
