#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Rewrites the symbols files of both libraries (debian/libodu-switch-*1.symbols)
# from what the libraries export now, checks them as the package build does
# (DPKG_GENSYMBOLS_CHECK_LEVEL=4) and, given a configured build folder,
# refreshes the ABI baseline in abi/ too. Run it after a change that adds or
# drops an exported symbol on purpose, then review and commit the result.
#
#   scripts/refresh-symbols.sh [BUILD_DIR]      (ABI baseline: BUILD_DIR, default build/)
#   scripts/refresh-symbols.sh --no-abi          (the symbols files only)
#
# The libraries are built as the package build builds them (debian/rules, in
# a copy of the tree, up to the installation into debian/<package>/).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
# shellcheck source=scripts/package-common.sh
. scripts/package-common.sh

abi_build=build
for arg in "$@"; do
    case $arg in
        --no-abi) abi_build="" ;;
        -*) echo "unknown option $arg" >&2; exit 2 ;;
        *) abi_build=$arg ;;
    esac
done
if [ -n "$abi_build" ] && [ ! -f "$abi_build/CMakeCache.txt" ]; then
    echo "no configured build in $abi_build for the ABI baseline (see README.md, or --no-abi)" >&2
    exit 2
fi

install_package_build_deps
version=$(dpkg-parsechangelog -S Version)
upstream=${version%%-*}
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

work=$(mktemp -d /var/tmp/odu-switch-symbols.XXXXXX)
trap 'rm -rf "$work"' EXIT
snapshot_tree "$work/source.tar"
src=$work/odu-switch-dialogs-$version
mkdir -p "$src"
tar -C "$src" -xf "$work/source.tar"

echo "== Building the libraries as the package build does =="
# The old symbols files are left out: the new ones start from nothing, so a
# symbol that went away does not linger as a missing one.
rm -f "$src"/debian/*.symbols
(cd "$src" && nice debian/rules build-arch >"$work/build.log" 2>&1 \
    && nice debian/rules install-arch >>"$work/build.log" 2>&1) \
    || { tail -40 "$work/build.log"; exit 1; }

for lib in core dialogs; do
    pkg=libodu-switch-${lib}1
    so=$src/debian/$pkg/usr/lib/$multiarch/libodu-switch-$lib.so.1
    raw=$work/$pkg.symbols.$arch
    (cd "$src" && DPKG_GENSYMBOLS_CHECK_LEVEL=0 pkgkde-gensymbols -p"$pkg" -v"$upstream" \
        -O"$raw" -e"$so" >/dev/null)
    pkgkde-symbolshelper create -o "$work/$pkg.symbols" -v "$upstream" "$raw" >/dev/null 2>&1
    # Every symbol is a C++ name: symbolshelper's header, then the -dev
    # package whose version a package built against this one depends on.
    sed '2a * Build-Depends-Package: libodu-switch-dev' "$work/$pkg.symbols" >"$top/debian/$pkg.symbols"
    # Names that mangle a size, made to hold on 32-bit architectures too.
    perl scripts/portable-symbols.pl "$top/debian/$pkg.symbols"
    # The check the package build makes: nothing new, nothing missing.
    cp "$top/debian/$pkg.symbols" "$src/debian/$pkg.symbols"
    (cd "$src" && DPKG_GENSYMBOLS_CHECK_LEVEL=4 pkgkde-gensymbols -p"$pkg" -v"$upstream" \
        -O"$work/check-$pkg" -e"$so" -c4)
    echo "debian/$pkg.symbols: $(grep -c '^ ' "$top/debian/$pkg.symbols") symbols"
done

if [ -n "$abi_build" ]; then
    echo "== ABI baseline from $abi_build =="
    nice cmake --build "$abi_build" -j2 --target abi-baseline
fi
git -C "$top" status --short debian/*.symbols abi/
