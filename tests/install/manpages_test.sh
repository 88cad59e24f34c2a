#!/usr/bin/env bash
# Every command and option the programs know, as their own --help lists them, is described in
# their manual pages: each command in a section of its own that names its options.
# Usage: manpages_test.sh YUEDU_CLI CLI_PAGE [YUEDU YUEDU_PAGE]
set -uo pipefail
cli=$1 clipage=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The page as plain text: "\-" is a hyphen, font escapes go.
plain() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\&//g' "$1"; }
options_of() { grep -o -- '--[a-z][a-z0-9-]*' | sort -u; }

global=$("$cli" --help) || fail "yuedu-cli --help exits non-zero"
commands=$(awk '/^commands:/ {on = 1; next} on && /^  [a-z]/ {print $1}' <<<"$global")
[ "$(wc -w <<<"$commands")" -ge 8 ] || fail "too few commands read from yuedu-cli --help: $commands"
# Options common to all commands: the first usage line; they belong in OPTIONS.
common_section=$(plain "$clipage" | awk '/^\.SH/ {on = ($2 == "OPTIONS")} on')
for opt in $(head -1 <<<"$global" | options_of); do
    grep -q -- "$opt" <<<"$common_section" || fail "$clipage: OPTIONS lacks $opt"
done
# Every encoding name the usage offers.
for enc in $(head -1 <<<"$global" | grep -o -- '--encoding [a-z0-9|]*' | cut -d' ' -f2 | tr '|' ' '); do
    plain "$clipage" | awk '/^\.SH/ {on = ($2 == "INPUT" || $2 == "OPTIONS")} on' |
        grep -qw -- "$enc" || fail "$clipage: encoding $enc is not described"
done
for cmd in $commands; do
    section=$(plain "$clipage" | awk -v c="$cmd" '/^\.S[SH]/ {on = ($1 == ".SS" && $2 == c)} on')
    if [ -z "$section" ]; then
        fail "$clipage: no section for the command $cmd"
        continue
    fi
    usage=$("$cli" "$cmd" --help) || fail "yuedu-cli $cmd --help exits non-zero"
    for opt in $(options_of <<<"$usage"); do
        grep -q -- "$opt" <<<"$section$common_section" || fail "$clipage: $cmd: $opt is not described"
    done
done

if [ $# -ge 4 ]; then
    app=$3 apppage=$4
    # --help must work without a display (the man page says so).
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$app" --help) ||
        fail "yuedu --help fails without a display"
    section=$(plain "$apppage" | awk '/^\.SH/ {on = ($2 == "OPTIONS")} on')
    for opt in $(options_of <<<"$help"); do
        grep -q -- "$opt" <<<"$section" || fail "$apppage: OPTIONS lacks $opt"
    done
fi
[ "$failures" -eq 0 ]
