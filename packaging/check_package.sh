#!/usr/bin/env bash
# Checks the Debian package that `make package` made, then uses it as a user
# would:
#   check_package.sh [BUILD_DIR] [--scratch-root DIR | --clean-system]
#                    [--without-recommends]
# 1. lintian, desktop-file-validate and appstreamcli validate on the package:
#    any error or warning fails;
# 2. installs it with apt-get, as a user would: on this machine, or with
#    --scratch-root into the Debian system in DIR (made there by debootstrap
#    when DIR has none), or with --clean-system into a new minimal Debian that
#    is thrown away afterwards, so that nothing but the package's own
#    dependencies is there (with --without-recommends only those it cannot do
#    without, and xdg-utils for the menu entry's check); runs
#    packaging/use_installed.sh under Xvfb, and removes the package again.
#
# A minimal Debian is made once per machine and kept as a tar file in
# /var/cache/marklet; the scratch system takes its packages from this
# machine's apt cache and leaves new ones there.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=build
root=
throwaway=0
install_options=(-y -q)
extra_packages=()
while [ $# -gt 0 ]; do
    case $1 in
    --scratch-root) root=$2; shift 2 ;;
    --clean-system) throwaway=1; shift ;;
    --without-recommends)
        install_options+=(--no-install-recommends)
        extra_packages+=(xdg-utils)
        shift
        ;;
    *) build=$1; shift ;;
    esac
done

debs=("$build"/marklet_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "check_package: want one $build/marklet_*.deb (make package), found: ${debs[*]}" >&2
    exit 1
fi
deb=$(realpath "${debs[0]}")
work=$(mktemp -d)
if [ "$throwaway" = 1 ]; then
    root=$work/root
fi
run=()
xvfb_pid=
mounted=()
installed=0
cleanup() {
    # An interrupted check removes what it installed.
    if [ "$installed" = 1 ]; then
        "${run[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q marklet >/dev/null 2>&1
    fi
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null; done
    # Never remove files through a folder of the machine still mounted there.
    if [ -n "$root" ] && grep -qF " $(realpath -m "$root")/" /proc/self/mounts; then
        echo "check_package: $root still has mounts; left in place" >&2
        return
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "== $(basename "$deb"): $(du -k "$deb" | cut -f1) KiB, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
dpkg-deb -f "$deb" Version Depends Recommends Suggests

echo "== lintian"
lintian --display-info --fail-on error,warning "$deb"

echo "== the menu entry and the AppStream metadata"
dpkg-deb -x "$deb" "$work/tree"
desktop=$work/tree/usr/share/applications/marklet.desktop
desktop-file-validate "$desktop" | tee "$work/desktop.log"
if grep -Eq '(error|warning):' "$work/desktop.log"; then
    echo "check_package: desktop-file-validate found faults in marklet.desktop" >&2
    exit 1
fi
appstreamcli validate --no-net "$work"/tree/usr/share/metainfo/*.metainfo.xml

mount_here() { # folder of the machine, place in the scratch system
    mkdir -p "$2"
    mount --bind "$1" "$2"
    mounted+=("$2")
}

echo "== installed, as a user would"
if [ -n "$root" ]; then
    base=/var/cache/marklet/bookworm-minbase.tar
    if [ ! -x "$root/usr/bin/apt-get" ]; then
        mkdir -p "$root"
        if [ -f "$base" ]; then
            tar -C "$root" -xf "$base"
        else
            debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
            mkdir -p "$(dirname "$base")"
            tar -C "$root" -cf "$base.new" . && mv "$base.new" "$base"
        fi
    fi
    # The machine's own package sources (updates and security fixes too).
    rm -f "$root/etc/apt/sources.list"
    for sources in /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources; do
        [ -f "$sources" ] && cp "$sources" "$root$sources"
    done
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    for place in /proc /sys /dev /dev/pts /dev/shm /tmp/.X11-unix /var/cache/apt/archives; do
        mkdir -p "$place"
        mount_here "$place" "$root$place"
    done
    cp "$deb" "$here/use_installed.sh" "$root/tmp/"
    run=(chroot "$root")
    target=/tmp/$(basename "$deb")
    checks=/tmp/use_installed.sh
    chroot "$root" apt-get update -q
else
    target=$deb
    checks=$here/use_installed.sh
fi
if "${run[@]}" dpkg-query -W -f '${Status}' marklet 2>/dev/null | grep -q "ok installed"; then
    echo "check_package: marklet is installed already; remove it first" >&2
    exit 1
fi
# -noreset: the server must not reset when the last client leaves, or a
# second window started while the first one exits is refused the display.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x900x24 -nolisten tcp -noreset 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display <&3

installed=1
"${run[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install "${install_options[@]}" "$target" "${extra_packages[@]}"
status=0
"${run[@]}" env DISPLAY=":$display" bash "$checks" || status=$?
"${run[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q marklet
installed=0
if "${run[@]}" test -e /usr/bin/marklet; then
    echo "check_package: /usr/bin/marklet is still there after removal" >&2
    status=1
fi
exit $status
