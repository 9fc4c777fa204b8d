#!/usr/bin/env bash
# Installs a built Marklet into a scratch prefix, checks what lands where, and
# starts the installed program there (it finds its plugin from its own place):
#   check_install.sh <cmake> <build dir> <scratch prefix> <expect webpane 0|1>
#                    <bindir> <plugin dir> <AppStream id> <version> <with_xvfb.sh>
set -uo pipefail

cmake_command=$1
build_dir=$2
prefix=$3
expect_webpane=$4
bindir=$5
plugin_dir=$6
appstream_id=$7
version=$8
with_xvfb=$9

passed=0
failed=0
check() { # description, command...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what" >&2
    fi
}

rm -rf "$prefix"
if ! "$cmake_command" --install "$build_dir" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi

program=$prefix/$bindir/marklet
plugin=$prefix/$plugin_dir/libmarklet_webpane.so
share=$prefix/share
desktop=$share/applications/marklet.desktop
metainfo=$share/metainfo/$appstream_id.metainfo.xml
check "$bindir/marklet is an executable" test -x "$program"
if [ "$expect_webpane" = 1 ]; then
    check "$plugin_dir/libmarklet_webpane.so" test -f "$plugin"
fi
check "share/applications/marklet.desktop" test -f "$desktop"
check "the scalable icon is an SVG image" grep -q "<svg" "$share/icons/hicolor/scalable/apps/marklet.svg"
png_size() { # a PNG file's width x height, from its header
    local header
    header=$(od -An -tx1 -N24 "$1" 2>/dev/null | tr -d ' \n')
    [ "${header:0:16}" = 89504e470d0a1a0a ] || return
    echo "$((16#${header:32:8}))x$((16#${header:40:8}))"
}
for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/marklet.png
    check "the ${size}x$size icon" test "$(png_size "$icon")" = "${size}x$size"
done
check "the manual page, compressed" gzip -t "$share/man/man1/marklet.1.gz"
check "the manual page names the version" bash -c "zcat '$share/man/man1/marklet.1.gz' | grep -q '\"Marklet $version\"'"
check "the copyright file" test -s "$share/doc/marklet/copyright"
check "the changelog starts with this version" \
    bash -c "zcat '$share/doc/marklet/changelog.gz' | head -n 1 | grep -q '^marklet ($version)'"
check "the AppStream metadata names this release" grep -q "<release version=\"$version\"" "$metainfo"

entry() { # key: its value in the [Desktop Entry] group
    sed -n '/^\[Desktop Entry\]/,/^\[/p' "$desktop" | sed -n "s/^$1=//p"
}
check "Exec takes several files" test "$(entry Exec)" = "marklet %F"
check "Icon=marklet" test "$(entry Icon)" = "marklet"
check "MimeType" test "$(entry MimeType)" = "text/html;application/xhtml+xml;text/css;"
check "Categories" test "$(entry Categories)" = "Development;WebDevelopment;TextEditor;"
check "Italian name and comment" test -n "$(entry 'Name\[it\]')" -a -n "$(entry 'Comment\[it\]')"

if command -v desktop-file-validate >/dev/null 2>&1; then
    check "desktop-file-validate" bash -c "! desktop-file-validate '$desktop' | grep -E '(error|warning):'"
else
    echo "desktop-file-validate not installed (package desktop-file-utils): not run"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    check "appstreamcli validate" appstreamcli validate --no-net "$metainfo"
else
    echo "appstreamcli not installed (package appstream): not run"
fi

# The installed program, from wherever the prefix is.
check "--version" test "$("$program" --version)" = "marklet $version"
page=$prefix/pagina.htm
echo '<p>Ciao</p>' >"$page"
out=$prefix/two-windows.out
MARKLET_EXIT_WHEN_SHOWN=1 QT_QPA_PLATFORM=offscreen timeout 60 "$program" "$page" "$page" >"$out" 2>&1
for _ in $(seq 300); do
    [ "$(grep -c '^MARKLET_SHOWN' "$out")" -ge 2 ] && break
    sleep 0.2
done
check "two files: two windows painted" test "$(grep -c '^MARKLET_SHOWN' "$out")" -eq 2
if [ "$expect_webpane" = 1 ]; then
    shown=$(MARKLET_EXIT_WHEN_PREVIEW_SHOWN=1 timeout 120 "$with_xvfb" "$program" "$page" 2>&1)
    check "the pane is loaded from $plugin_dir" \
        grep -qxF "MARKLET_PREVIEW_SHOWN $(realpath "$plugin")" <<<"$shown"
    check "the pane shows the page" grep -qxF "MARKLET_DOCUMENT $page" <<<"$shown"
fi

echo "install_layout: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
