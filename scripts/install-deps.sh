#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Installs the Debian packages the build, the tests and the demo host need,
# when any of them is missing. Needs root (or sudo) only when something is missing.
# Works on Debian 12 and 13: the names carry no release's compiler version, and
# where the releases package a file differently the archive decides (below).
set -euo pipefail

packages=(
    cmake ninja-build g++ lld pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    clang libclang-rt-dev
    # DejaVu draws the Latin, Cyrillic and Arabic catalogues, Noto CJK the
    # Chinese and Japanese ones (translations/).
    fontconfig fonts-dejavu-core fonts-dejavu-extra fonts-liberation fonts-noto-cjk
    xvfb dbus dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0
    reuse abigail-tools man-db groff-base
    # The translators' own tools, which the kit's PO and XLIFF are tested
    # against: gettext's msgfmt, the translate toolkit (with its INI reader)
    # and Qt's lconvert.
    gettext translate-toolkit python3-iniparse qt6-l10n-tools
    # The test opening_instructions counts instructions under callgrind.
    valgrind
    # The API reference (target docs): Doxygen, and qhelpgenerator for its .qch.
    doxygen qt6-documentation-tools
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

# Liberation Sans Narrow, the dialogs' face where Tahoma is missing (the face
# their layout tests are measured on): part of fonts-liberation in Debian 12, a
# package of its own from Debian 13 on, whose fonts-liberation lacks it.
narrow_face=/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf
narrow_package=fonts-liberation-sans-narrow

if [ ${#missing[@]} -eq 0 ] && [ -e "$narrow_face" ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
if [ ! -e "$narrow_face" ] && apt-cache show "$narrow_package" >/dev/null 2>&1; then
    missing+=("$narrow_package")
fi
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing missing packages: ${missing[*]}"
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
