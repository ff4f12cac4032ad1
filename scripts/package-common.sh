# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Shared by the scripts that build from debian/ (sourced, not run):
# build-packages.sh and refresh-symbols.sh.

# Installs what dpkg-buildpackage and the checks need, then the build
# dependencies that debian/control names. Run from the top of the tree.
install_package_build_deps() {
    local sudo="" p missing=() unmet
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    for p in dpkg-dev debhelper fakeroot git lintian pkg-kde-tools; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        $sudo apt-get update -qq
        $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
    unmet=$(dpkg-checkbuilddeps debian/control 2>&1 | sed -n 's/.*Unmet build dependencies: //p')
    if [ -n "$unmet" ]; then
        # "name (>= version) <!nocheck>" to "name": Debian 12 has versions
        # that satisfy them.
        $sudo apt-get update -qq
        # shellcheck disable=SC2046
        $sudo apt-get install -y -qq --no-install-recommends $(echo "$unmet" | sed 's/([^)]*)//g; s/<[^>]*>//g')
    fi
}

# snapshot_tree <tar file>: a copy of the tree as it is now (what git tracks,
# with changes not yet committed, and new files that are not ignored), so
# that a build starts from exactly these files wherever it is unpacked.
snapshot_tree() {
    git ls-files -z --cached --others --exclude-standard \
        | xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh \
        | tar --null -T - -cf "$1"
}

# The package builds run beside four other people's work on two cores.
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-parallel=2}"
