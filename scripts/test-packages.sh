#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# The installed-packages test: installs the packages that
# scripts/build-packages.sh built into a new minimal Debian 12 root made with
# debootstrap from Debian's archive, and there builds small hosts against the
# installed library (CMake and pkg-config), runs them offscreen, runs
# odu-switch and odu-switch-translate on real files and the demo host's
# screenshot mode (tests/packages/in-root.sh). Needs root.
#
#   scripts/test-packages.sh [PACKAGE_DIR]     (default build-packages/)
#   BASE_CACHE=<file> scripts/test-packages.sh --prepare
#
# MIRROR overrides the archive (default http://deb.debian.org/debian).
# BASE_CACHE names a tar file of the root before the packages go in (the bare
# system with the compiler and tools the test uses, none of what the packages
# depend on): made on the first run and unpacked instead of running
# debootstrap again on later runs. --prepare only makes that file, which
# needs no packages: CI makes it while the packages build.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
prepare=0
debs_arg=build-packages
for arg in "$@"; do
    case $arg in
        --prepare) prepare=1 ;;
        -*) echo "unknown option $arg" >&2; exit 2 ;;
        *) debs_arg=$arg ;;
    esac
done
mirror=${MIRROR:-http://deb.debian.org/debian}

if [ "$(id -u)" -ne 0 ]; then
    echo "test-packages.sh makes a root with debootstrap and chroot: run it as root" >&2
    exit 2
fi
if [ "$prepare" -eq 1 ] && [ -z "${BASE_CACHE:-}" ]; then
    echo "--prepare writes the root into the file BASE_CACHE names: set it" >&2
    exit 2
fi
shopt -s nullglob
packages=()
if [ "$prepare" -eq 0 ]; then
    debs=$(realpath "$debs_arg")
    packages=("$debs"/*.deb)
    if [ ${#packages[@]} -eq 0 ]; then
        echo "no packages in $debs: run scripts/build-packages.sh first" >&2
        exit 2
    fi
fi
if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi

root=$(mktemp -d /var/tmp/odu-switch-root.XXXXXX)
chmod 755 "$root" # a root directory the system users inside (apt's) can enter
mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R -l "${mounted[i]}" 2>/dev/null || true
    done
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT

# What the test itself uses, beside what the packages bring.
tools=(cmake make g++ pkg-config fonts-dejavu-core file)

# /dev with what is mounted below it (/dev/pts for apt and dpkg).
mount_system() {
    for m in proc dev sys; do
        mount --rbind /$m "$root/$m"
        mount --make-rslave "$root/$m"
        mounted+=("$root/$m")
    done
}
unmount_system() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R -l "${mounted[i]}" 2>/dev/null || true
    done
    mounted=()
}

SECONDS=0
if [ -n "${BASE_CACHE:-}" ] && [ -f "$BASE_CACHE" ]; then
    echo "== Unpacking the Debian 12 root from $BASE_CACHE =="
    tar -C "$root" -xf "$BASE_CACHE"
    mount_system
else
    echo "== debootstrap: a minimal Debian 12 root from $mirror =="
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 \
        || { tail -20 "$root.log"; rm -f "$root.log"; exit 1; }
    rm -f "$root.log"
    # A root thrown away afterwards: dpkg need not wait for each file to reach the disk.
    echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/unsafe-io"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount_system
    echo "== Installing the compiler and tools into the root =="
    chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive sh -c '
        apt-get update -qq &&
        apt-get install -y -qq --no-install-recommends "$@" >/dev/null &&
        apt-get clean' sh "${tools[@]}"
    if [ -n "${BASE_CACHE:-}" ]; then
        # Written under another name first, so that an interrupted run leaves
        # no half a root; compressed as the file's suffix says (none for .tar).
        part=$(dirname "$BASE_CACHE")/.part.$(basename "$BASE_CACHE")
        unmount_system
        tar -C "$root" -caf "$part" . && mv "$part" "$BASE_CACHE"
        mount_system
    fi
fi
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/unsafe-io"
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "   $SECONDS s"
if [ "$prepare" -eq 1 ]; then
    echo "== Root ready in $BASE_CACHE =="
    exit 0
fi

# What the test brings: the packages, the consumer projects, the script.
mkdir -p "$root/test/debs"
cp "${packages[@]}" "$root/test/debs/"
cp -r tests/install/consumer tests/install/tool-consumer "$root/test/"
cp tests/packages/in-root.sh "$root/test/"
# ---- examples/: built against the installed packages (tests/packages/in-root.sh) ----
cp -r examples "$root/test/"

echo "== Installing the packages into the root =="
chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive sh -c '
    apt-get update -qq &&
    apt-get install -y -qq --no-install-recommends /test/debs/*.deb "$@" >/dev/null' sh "${tools[@]}"
echo "   $SECONDS s"

echo "== Running the tests inside =="
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 sh /test/in-root.sh
echo "== Installed-packages test passed ($SECONDS s) =="
