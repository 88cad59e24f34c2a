#!/usr/bin/env bash
# Installs the build into a temporary prefix (cmake --install) or unpacks its Debian package
# (cpack -G DEB), then checks that it is a complete desktop program: the programs, the desktop
# entry, the icons, the MIME type, the manual pages, and programs that find their data by
# themselves. Usage: install_test.sh install|deb BUILD_DIR SAMPLE VERSION
set -uo pipefail
mode=$1 build=$2 sample=$3 version=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $mode in
install)
    cmake --install "$build" --prefix "$work/prefix" >"$work/log" 2>&1 ||
        { cat "$work/log"; echo "FAIL: cmake --install"; exit 1; }
    root=$work/prefix
    ;;
deb)
    (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg") >"$work/log" 2>&1 ||
        { cat "$work/log"; echo "FAIL: cpack -G DEB"; exit 1; }
    deb=$(ls "$work"/pkg/*.deb 2>/dev/null | head -1)
    [ -n "$deb" ] || { echo "FAIL: no .deb written"; exit 1; }
    depends=$(dpkg-deb -f "$deb" Depends)
    for p in libqt6widgets6 libqt6printsupport6 libicu qt6-qpa-plugins fonts-arphic-uming; do
        grep -q "$p" <<<"$depends" || fail "the package does not depend on $p: $depends"
    done
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
    # Debian's own check of the package: no errors.
    if command -v lintian >/dev/null; then
        lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || { cat "$work/lintian"; fail "lintian"; }
    else
        fail "lintian is not installed (scripts/setup.sh installs it)"
    fi
    # The listing goes to a file: grep -q leaving a pipe early would fail dpkg-deb under pipefail.
    dpkg-deb -c "$deb" >"$work/contents"
    for f in copyright changelog.gz DATA-SOURCES.md; do
        grep -q "/usr/share/doc/yuedu/$f\$" "$work/contents" || fail "no /usr/share/doc/yuedu/$f"
    done
    dpkg-deb -x "$deb" "$work/root"
    root=$work/root/usr
    ;;
*)
    echo "unknown mode $mode"
    exit 2
    ;;
esac

for f in bin/yuedu bin/yuedu-cli share/applications/yuedu.desktop share/mime/packages/yuedu.xml \
    share/man/man1/yuedu.1.gz share/man/man1/yuedu-cli.1.gz share/yuedu/gdphvbdn.byt \
    share/yuedu/dpphvbdn.byt share/yuedu/phwdvbdn.byt share/yuedu/userword.apd share/yuedu/manifest.txt; do
    [ -e "$root/$f" ] || fail "$f is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/yuedu.png
    file "$icon" 2>/dev/null | grep -q "PNG image data, $size x $size" || fail "no ${size}px icon"
done
desktop-file-validate "$root/share/applications/yuedu.desktop" || fail "desktop-file-validate"
grep -q '^Name=閱讀分析系統$' "$root/share/applications/yuedu.desktop" || fail "no Chinese name"
grep -q 'glob pattern="\*.rxt"' "$root/share/mime/packages/yuedu.xml" || fail ".rxt has no type"

# The installed programs find the installed data without being told where it is: the same
# segmentation as the build tree's with its data, and no warning about missing data files.
expected=$("$build/src/cli/yuedu-cli" segment --data-dir "$build/data" "$sample")
got=$(cd / && env -u YUEDU_DATA_DIR "$root/bin/yuedu-cli" segment "$sample" 2>"$work/err")
[ -s "$work/err" ] && fail "installed yuedu-cli warns: $(cat "$work/err")"
[ -n "$got" ] && [ "$got" = "$expected" ] || fail "installed yuedu-cli segments differently"
# PDFs and zip containers are read by modules the programs load only then: the installed ones
# find their own, and without them such a file is refused with a message naming the module.
formats=$(dirname "$0")/../core/docfile/data/formats
for m in pdf:libreoffice.pdf zip:pandoc.docx; do
    module=$root/lib/yuedu/modules/yuedu-${m%%:*}.so file=$formats/${m#*:}
    [ -f "$module" ] || fail "lib/yuedu/modules/yuedu-${m%%:*}.so is not installed"
    got=$(cd / && env -u YUEDU_DATA_DIR "$root/bin/yuedu-cli" segment "$file" 2>/dev/null)
    grep -q "小明" <<<"$got" || fail "installed yuedu-cli does not read ${m#*:}"
    mv "$module" "$work/module.so"
    (cd / && env -u YUEDU_DATA_DIR "$root/bin/yuedu-cli" segment "$file" >/dev/null 2>"$work/err")
    rc=$?
    { [ "$rc" -ne 0 ] && [ "$rc" -lt 128 ] && grep -q "yuedu-${m%%:*}.so" "$work/err"; } ||
        fail "without its module ${m#*:} gives status $rc: $(cat "$work/err")"
    mv "$work/module.so" "$module"
done
# So is the conversion of Simplified Chinese, by its own module.
module=$root/lib/yuedu/modules/yuedu-opencc.so
[ -f "$module" ] || fail "lib/yuedu/modules/yuedu-opencc.so is not installed"
printf '这是简体中文。\n' >"$work/simplified.txt"
got=$(cd / && env -u YUEDU_DATA_DIR "$root/bin/yuedu-cli" segment --to-traditional "$work/simplified.txt" 2>/dev/null)
grep -q "這是" <<<"$got" || fail "installed yuedu-cli does not convert Simplified Chinese: $got"
mv "$module" "$work/module.so"
(cd / && env -u YUEDU_DATA_DIR "$root/bin/yuedu-cli" segment --to-traditional "$work/simplified.txt" >/dev/null 2>"$work/err")
rc=$?
{ [ "$rc" -ne 0 ] && [ "$rc" -lt 128 ] && grep -q "yuedu-opencc.so" "$work/err"; } ||
    fail "without its module the conversion gives status $rc: $(cat "$work/err")"
mv "$work/module.so" "$module"
out=$(cd / && env -u YUEDU_DATA_DIR QT_QPA_PLATFORM=offscreen "$root/bin/yuedu" --version 2>&1) ||
    fail "installed yuedu does not start: $out"
grep -q "$version" <<<"$out" || fail "installed yuedu --version says '$out'"
[ "$failures" -eq 0 ]
