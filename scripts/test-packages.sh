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
#
# MIRROR overrides the archive (default http://deb.debian.org/debian).
# BASE_CACHE names a tarball of the bare root: made on the first run and
# unpacked instead of running debootstrap again on later runs.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
debs=$(realpath "${1:-build-packages}")
mirror=${MIRROR:-http://deb.debian.org/debian}

if [ "$(id -u)" -ne 0 ]; then
    echo "test-packages.sh makes a root with debootstrap and chroot: run it as root" >&2
    exit 2
fi
shopt -s nullglob
packages=("$debs"/*.deb)
if [ ${#packages[@]} -eq 0 ]; then
    echo "no packages in $debs: run scripts/build-packages.sh first" >&2
    exit 2
fi
if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi

root=$(mktemp -d /var/tmp/odu-switch-root.XXXXXX)
mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R -l "${mounted[i]}" 2>/dev/null || true
    done
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT

SECONDS=0
if [ -n "${BASE_CACHE:-}" ] && [ -f "$BASE_CACHE" ]; then
    echo "== Unpacking the bare Debian 12 root from $BASE_CACHE =="
    tar -C "$root" -xzf "$BASE_CACHE"
else
    echo "== debootstrap: a minimal Debian 12 root from $mirror =="
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 \
        || { tail -20 "$root.log"; rm -f "$root.log"; exit 1; }
    rm -f "$root.log"
    if [ -n "${BASE_CACHE:-}" ]; then
        tar -C "$root" -czf "$BASE_CACHE" .
    fi
fi
echo "   $SECONDS s"

# /dev with what is mounted below it (/dev/pts for apt and dpkg).
for m in proc dev sys; do
    mount --rbind /$m "$root/$m"
    mount --make-rslave "$root/$m"
    mounted+=("$root/$m")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
# A root thrown away afterwards: dpkg need not wait for each file to reach the disk.
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/unsafe-io"

# What the test brings: the packages, the consumer projects, the script.
mkdir -p "$root/test/debs"
cp "${packages[@]}" "$root/test/debs/"
cp -r tests/install/consumer tests/install/tool-consumer "$root/test/"
cp tests/packages/in-root.sh "$root/test/"

echo "== Installing the packages and a compiler into the root =="
chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive sh -c '
    apt-get update -qq &&
    apt-get install -y -qq --no-install-recommends \
        /test/debs/*.deb cmake make g++ pkg-config fonts-dejavu-core file >/dev/null'
echo "   $SECONDS s"

echo "== Running the tests inside =="
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 sh /test/in-root.sh
echo "== Installed-packages test passed ($SECONDS s) =="
