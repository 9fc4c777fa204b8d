#!/usr/bin/env bash
# Installs a built Marklet into a scratch prefix and checks the layout:
#   check_install.sh <cmake> <build dir> <scratch prefix> <expect webpane 0|1>
set -uo pipefail

cmake_command=$1
build_dir=$2
prefix=$3
expect_webpane=$4

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

desktop=$prefix/share/applications/marklet.desktop
check "bin/marklet is an executable" test -x "$prefix/bin/marklet"
if [ "$expect_webpane" = 1 ]; then
    check "lib/marklet/libmarklet_webpane.so" test -f "$prefix/lib/marklet/libmarklet_webpane.so"
fi
check "share/applications/marklet.desktop" test -f "$desktop"
check "the icon" test -s "$prefix/share/icons/hicolor/scalable/apps/marklet.svg"
check "the icon is an SVG image" grep -q "<svg" "$prefix/share/icons/hicolor/scalable/apps/marklet.svg"

entry() { # key: its value in the [Desktop Entry] group
    sed -n '/^\[Desktop Entry\]/,/^\[/p' "$desktop" | sed -n "s/^$1=//p"
}
check "Name=Marklet" test "$(entry Name)" = "Marklet"
check "Exec=marklet %f" test "$(entry Exec)" = "marklet %f"
check "Icon=marklet" test "$(entry Icon)" = "marklet"
check "MimeType has text/html and text/css" test "$(entry MimeType)" = "text/html;text/css;"
check "Comment in Italian" test "$(entry Comment)" = "Editor di sorgenti HTML"
check "Categories" test "$(entry Categories)" = "Development;WebDevelopment;TextEditor;"

if command -v desktop-file-validate >/dev/null 2>&1; then
    check "desktop-file-validate" desktop-file-validate "$desktop"
else
    echo "desktop-file-validate not installed (package desktop-file-utils): not run"
fi

echo "install_layout: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
