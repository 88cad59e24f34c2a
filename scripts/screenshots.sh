#!/usr/bin/env bash
# Takes the README's pictures from the real desktop program under Xvfb: the main window with
# the sample, its segmentation and the word frequency, and the vocabulary grade tree. Run it
# again when the windows change:   scripts/screenshots.sh [OUTDIR]   (default doc/images)
# Needs a build (./run.sh or ./test.sh) and installs xdotool and ImageMagick when missing.
set -euo pipefail
export LC_ALL=C.UTF-8
top="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$top/doc/images}")"
app="$top/build/src/app/yuedu"
[ -x "$app" ] || { echo "Build first (./run.sh or ./test.sh): $app is missing." >&2; exit 1; }

. "$top/scripts/setup.sh"
YUEDU_PACKAGES=(xvfb xauth xdotool imagemagick fonts-arphic-uming)
yuedu_install_packages
mkdir -p "$out"

if [ -z "${YUEDU_SHOT_INNER:-}" ]; then
    # A screen of its own, and settings of its own so that the pictures show a first start.
    config=$(mktemp -d)
    trap 'rm -rf "$config"' EXIT
    YUEDU_SHOT_INNER=1 XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1024x720x24" "$0" "$out"
    # Smaller files for the repository, when the optimisers are there.
    for png in "$out"/*.png; do
        command -v pngquant >/dev/null && pngquant --force --skip-if-larger --output "$png" -- "$png" || true
        command -v optipng >/dev/null && optipng -quiet -o5 "$png" || true
    done
    ls -l "$out"/*.png
    exit 0
fi

# Inside Xvfb from here on.
"$app" --no-splash --data-dir "$top/build/data" "$top/data/samples/story.txt" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
main=$(xdotool search --sync --onlyvisible --name '^閱讀分析系統$' | head -1)
sleep 2
# The tips shown at the first start stand over the documents: close them.
for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    [ "$w" = "$main" ] || xdotool windowclose "$w" 2>/dev/null || true
done
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
xdotool windowsize "$main" 1024 720 windowmove "$main" 0 0
sleep 1

keys() { xdotool key --clearmodifiers --delay 150 "$@"; sleep 1.5; }
# Mark the first sentence of the sample (up to its first 。), then 斷詞處理.
keys ctrl+Home
first=$(head -1 "$top/data/samples/story.txt" | sed 's/。.*/。/')
for ((i = 0; i < ${#first}; i++)); do xdotool key shift+Right; done
keys alt+p Return
# The result document is in front: 詞頻統計 takes the whole of it.
keys alt+p Down Return
sleep 1
import -window root "$out/main-window.png"

# 詞彙級別 on the same result: the list and the grade tree.
xdotool key --clearmodifiers Escape
keys alt+w 2
keys alt+p Down Down Down Return
sleep 1
import -window root "$out/grade-tree.png"
