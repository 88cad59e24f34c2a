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

# Inside Xvfb from here on. The sample is opened from a fixed folder so that the window
# captions in the pictures do not change with where the repository lies.
tour=/tmp/yuedu-tour
rm -rf "$tour" && mkdir -p "$tour" && cp "$top/data/samples/story.txt" "$tour/"
"$app" --no-splash --data-dir "$top/build/data" "$tour/story.txt" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$tour"' EXIT
main=$(xdotool search --sync --onlyvisible --name '^閱讀分析系統$' | head -1)
sleep 2

# Notices (the tips at the first start, the notes before and after an analysis) are answered
# with their default button, as a user reading them would.
answer_notices() {
    local w
    for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        [ "$w" = "$main" ] && continue
        xdotool windowfocus --sync "$w" key Return 2>/dev/null || true
        sleep 1
    done
    xdotool windowfocus --sync "$main"
}
# An item of the 詞彙屬性 menu by its place (0 = 斷詞處理, 1 = 詞頻統計, 3 = 詞彙級別).
word_menu() {
    xdotool key alt+p
    sleep 1
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
    sleep 2
    answer_notices
    answer_notices
}

answer_notices
# Mark the first sentence of the sample (up to its first 。), then 斷詞處理.
xdotool key ctrl+Home
first=$(head -1 "$tour/story.txt" | sed 's/。.*/。/')
for ((i = 0; i < ${#first}; i++)); do xdotool key shift+Right; done
word_menu 0
# The result document is in front: 詞頻統計 takes the whole of it.
word_menu 1
# 視窗 → 垂直顯示: the document, its segmentation and the frequency side by side.
xdotool key alt+w
sleep 1
xdotool key Down Down Return
sleep 2
import -window "$main" "$out/main-window.png"

# 詞彙級別 on the same result: the list and the grade tree.
xdotool key alt+w
sleep 1
xdotool key 2
sleep 1
word_menu 3
# Open the tree (a click on its root, then * opens every branch) and choose the second grade.
xdotool mousemove 620 111 click 1
sleep 0.5
xdotool key asterisk
sleep 0.5
xdotool mousemove 630 139 click 1
sleep 1
import -window "$main" "$out/grade-tree.png"
