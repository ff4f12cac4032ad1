#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# README's two commands on a fresh Debian 13 (trixie): makes a minimal root
# with debootstrap from Debian's archive, copies this tree into it and runs,
# as root inside it, scripts/run-demo.sh (no display there, so it writes its
# pictures) and the normal-build part of scripts/test.sh (the sanitizer build
# is left to the Debian 12 run). Prints the time of each stage and exits
# non-zero when either command fails or no picture was written.
#
# Needs root (chroot, mounts) and Debian's archive; installs debootstrap on the
# host when it is missing.
#
#   scripts/test-debian13.sh
#
# DEBIAN13_ROOT=<dir> builds the root there and keeps it, and a later run with
# the same directory reuses it (and the build trees in it) instead of starting
# from nothing. DEBIAN13_MIRROR chooses the archive (default deb.debian.org).
set -euo pipefail
cd "$(dirname "$0")/.."
tree=$PWD

if [ "$(id -u)" -ne 0 ]; then
    echo "test-debian13: needs root (debootstrap and chroot)" >&2
    exit 1
fi

mirror=${DEBIAN13_MIRROR:-http://deb.debian.org/debian}
keep=0
if [ -n "${DEBIAN13_ROOT:-}" ]; then
    root=$(realpath -m "$DEBIAN13_ROOT")
    keep=1
else
    root=$(mktemp -d /var/tmp/odu-debian13.XXXXXX)
    chmod 755 "$root" # a root directory the system users inside can enter
fi
case "$root/" in
    "$tree"/*) echo "test-debian13: the root must lie outside the tree" >&2; exit 1 ;;
esac

stages=()
SECONDS=0
stage_start=0
stage_done() {
    stages+=("$(printf '%-28s %4d s' "$1" $((SECONDS - stage_start)))")
    stage_start=$SECONDS
}
report() {
    echo "== Debian 13 stage times =="
    printf '%s\n' "${stages[@]}" "$(printf '%-28s %4d s' total "$SECONDS")"
}

mounted=()
cleanup() {
    local status=$?
    # Unmount in reverse order, and never remove the root while anything is
    # still mounted below it.
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}" || true
    done
    if [ "$keep" = 0 ] && [ -d "$root" ]; then
        if findmnt -rn -o TARGET | grep -q "^$root/"; then
            echo "test-debian13: something is still mounted below $root; left in place" >&2
        else
            rm -rf --one-file-system "$root"
        fi
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if ! command -v debootstrap >/dev/null || [ ! -e /usr/share/keyrings/debian-archive-trixie-stable.gpg ]; then
    echo "== Installing debootstrap and Debian's archive keys on the host =="
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        debootstrap debian-archive-keyring >/dev/null
fi

if [ ! -x "$root/usr/bin/apt-get" ]; then
    echo "== Making a minimal Debian 13 root in $root from $mirror =="
    debootstrap --variant=minbase trixie "$root" "$mirror" >"$root.debootstrap.log" 2>&1 || {
        tail -n 30 "$root.debootstrap.log" >&2
        exit 1
    }
    rm -f "$root.debootstrap.log"
    stage_done "debootstrap"
fi
# Packages install without starting services: nothing in the root runs
# until the commands below start it.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

mount_in() { # mount_in TARGET MOUNT-ARGS...
    local target=$root$1
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    mounted+=("$target")
}
mount_in /proc -t proc proc
mount_in /sys -t sysfs sysfs
mount_in /dev --rbind /dev
mount --make-rslave "$root/dev"
mount_in /tmp -t tmpfs tmpfs

# The tree as a clone would have it: tracked and new files, no build trees.
src=/src/odu-switch-dialogs
mkdir -p "$root$src"
if git -C "$tree" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$tree" ls-files -z --cached --others --exclude-standard \
        | (cd "$tree" && tar --null --no-recursion --ignore-failed-read -T - -cf -) | tar -C "$root$src" -xf -
else
    tar -C "$tree" --exclude='./build*' --exclude=./screenshots -cf - . | tar -C "$root$src" -xf -
fi

in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 TERM=dumb /bin/bash -c "cd $src && $1"
}

echo "== Debian 13: $(in_root 'cat /etc/debian_version') =="
status=0
echo "== Debian 13: scripts/run-demo.sh =="
rm -rf "$root$src/screenshots"
if in_root scripts/run-demo.sh; then
    pictures=$(find "$root$src/screenshots" -name '*.png' -size +0 2>/dev/null | wc -l)
    echo "run-demo.sh wrote $pictures pictures"
    if [ "$pictures" -eq 0 ]; then
        echo "test-debian13: run-demo.sh wrote no picture" >&2
        status=1
    fi
else
    echo "test-debian13: run-demo.sh failed" >&2
    status=1
fi
stage_done "install, build, run demo"

echo "== Debian 13: scripts/test.sh (normal build) =="
if ! in_root 'ODU_SKIP_SANITIZER=1 scripts/test.sh'; then
    echo "test-debian13: test.sh failed" >&2
    status=1
fi
stage_done "test.sh (normal build)"

report
if [ "$status" -eq 0 ]; then
    echo "Debian 13: run-demo.sh wrote its pictures and test.sh passed"
fi
exit "$status"
