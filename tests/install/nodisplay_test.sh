#!/usr/bin/env bash
# Without a display the desktop program says so in one sentence and exits with status 3,
# instead of Qt's message about platform plugins; --version still works.
# Usage: nodisplay_test.sh YUEDU
set -uo pipefail
app=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# No display named at all, and a display named that nobody answers on.
for display in "" ":97"; do
    if [ -z "$display" ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$app" --no-splash >"$out" 2>&1
    else
        env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$app" --no-splash >"$out" 2>&1
    fi
    status=$?
    [ "$status" -eq 3 ] || fail "DISPLAY='$display': exit status $status, not 3"
    grep -q "no display" "$out" || fail "DISPLAY='$display': no plain sentence: $(cat "$out")"
    grep -qi "plugin" "$out" && fail "DISPLAY='$display': Qt's plugin message shown"
    [ "$(wc -l <"$out")" -eq 1 ] || fail "DISPLAY='$display': more than one line: $(cat "$out")"
done
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$app" --version 2>&1) ||
    fail "--version fails without a display: $version"
[ "$failures" -eq 0 ]
