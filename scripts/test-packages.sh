#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# The installed-packages test: installs the packages that
# scripts/build-packages.sh built into a new minimal Debian 12 root made with
# debootstrap from Debian's archive, with the very install commands that
# README.md and docs/packaging.md give (each `sudo apt install
# ./build-packages/...` line, run as written from the root's /test, the
# narrower ones of docs/packaging.md first), after checking with apt-get -s
# that odu-switch installs without any Qt GUI library. There it builds small
# hosts against the installed library (CMake, also with the Core component
# alone where Qt Widgets cannot be found, and pkg-config), runs them
# offscreen, loads and unloads both libraries, runs odu-switch and
# odu-switch-translate on real files and the demo host's screenshot mode
# (tests/packages/in-root.sh). Before that, it checks the tree's symbols
# files for names that hold on 64-bit architectures only. Needs root.
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
install_lines=()
if [ "$prepare" -eq 0 ]; then
    # The symbols files serve every architecture (Architecture: any): a size
    # mangled as a 64-bit number (Lm<n>E) must be a {size_t} substitution or one
    # of an arch-bits pair (scripts/portable-symbols.pl).
    if grep -n 'Lm[0-9]*E' debian/*.symbols | grep -Ev '\((.*\|)?(subst|arch-bits=64)(\|.*)?\)'; then
        echo "symbols for 64-bit architectures only (above): run scripts/portable-symbols.pl" >&2
        exit 1
    fi

    # The install commands of README.md and docs/packaging.md, each once; those
    # that install every package last.
    mapfile -t install_lines < <(cat docs/packaging.md README.md 2>/dev/null \
        | sed -n 's|^    \(sudo apt install \./build-packages/.*\)$|\1|p' \
        | awk '!seen[$0]++ { if (index($0, "/*.deb")) last = last $0 "\n"; else print } END { printf "%s", last }')
    if [ ${#install_lines[@]} -eq 0 ]; then
        echo "no 'sudo apt install ./build-packages/...' line in README.md or docs/packaging.md" >&2
        exit 1
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

# What the test itself uses, beside what the packages bring (sudo: the
# install lines are run as written).
tools=(cmake make g++ pkg-config fonts-dejavu-core file sudo)

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

# What the test brings: the packages where README's lines expect them, the
# consumer projects, the unload check, the script.
mkdir -p "$root/test/build-packages"
cp "${packages[@]}" "$root/test/build-packages/"
cp -r tests/install/consumer tests/install/tool-consumer "$root/test/"
cp tests/install/unload/unload.cpp tests/packages/in-root.sh "$root/test/"
# ---- examples/: built against the installed packages (tests/packages/in-root.sh) ----
cp -r examples "$root/test/"

in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 "$@"
}

echo "== The tools of the test into the root =="
in_root sh -c 'apt-get update -qq && apt-get install -y -qq --no-install-recommends "$@" >/dev/null' sh "${tools[@]}"

echo "== odu-switch alone: Qt Core, no GUI library (apt-get -s) =="
in_root sh -c 'cd /test && apt-get install -s ./build-packages/odu-switch_*.deb ./build-packages/libodu-switch-core1_*.deb' \
    >"$root/test/simulated.txt"
would=$(grep -c '^Inst ' "$root/test/simulated.txt" || true)
if grep -E '^Inst (libqt6(gui|widgets|opengl|xcb)|libx11-6|libgl1|libegl1|libodu-switch-dialogs1) ' "$root/test/simulated.txt"; then
    echo "odu-switch would bring a GUI library (above)" >&2
    exit 1
fi
grep -q '^Inst libqt6core6 ' "$root/test/simulated.txt"
echo "   $would packages, among them libqt6core6 and no GUI library"

# Each line on the clean root: a person answers apt's question with yes; the
# line leaves each package it names installed (and one that names only the
# tool and the core no Qt GUI library); then it is purged with what it
# brought, for the next line.
echo 'APT::Get::Assume-Yes "true";' >"$root/etc/apt/apt.conf.d/90yes"
for line in "${install_lines[@]}"; do
    echo "== As the documentation says: $line =="
    in_root sh -c "cd /test && $line" >"$root/test/install.log" 2>&1 \
        || { tail -20 "$root/test/install.log"; echo "failed: $line" >&2; exit 1; }
    names=()
    for deb in $(in_root sh -c "cd /test && for f in ${line#sudo apt install }; do echo \$f; done"); do
        names+=("$(dpkg-deb -f "$root/test/$deb" Package)")
    done
    for name in "${names[@]}"; do
        in_root dpkg-query -W -f='${Status}\n' "$name" | grep -q 'install ok installed' \
            || { echo "$line left $name uninstalled" >&2; exit 1; }
    done
    if ! printf '%s\n' "${names[@]}" | grep -qvx -e odu-switch -e libodu-switch-core1 \
        && in_root dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | grep -E '^ii +libqt6(gui|widgets)'; then
        echo "$line installed a Qt GUI library (above)" >&2
        exit 1
    fi
    echo "   installed: ${names[*]}"
    if [ "$line" != "${install_lines[-1]}" ]; then
        in_root apt-get purge -y -qq --autoremove "${names[@]}" >/dev/null
    fi
done
rm "$root/etc/apt/apt.conf.d/90yes"
# Everything, for the tests below (a line above may have named less).
in_root sh -c 'apt-get install -y -qq --no-install-recommends /test/build-packages/*.deb >/dev/null'
echo "   $SECONDS s"

echo "== Running the tests inside =="
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 sh /test/in-root.sh
echo "== Installed-packages test passed ($SECONDS s) =="
