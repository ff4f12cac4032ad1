#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Gives every file of the tree that lacks one an SPDX header naming the
# copyright holders and the licence (BSD-3-Clause), in the comment syntax of
# its format; files whose format has no comments are listed in .reuse/dep5.
# Run it after adding files, then check with `reuse lint` (the test
# reuse_lint does the same). Files that already carry a header are left
# alone, so running it again changes nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

holder="odu-switch-dialogs contributors"
year=2026
licence=BSD-3-Clause
tag=SPDX   # (split, so that this script's own text is not taken for a header)
copyright_line="$tag-FileCopyrightText: $year $holder"
licence_line="$tag-License-Identifier: $licence"

annotate() {
    reuse annotate --copyright "$holder" --year "$year" --license "$licence" \
        --copyright-style spdx --no-replace "$@" >/dev/null
}

# The whole script is read before it runs: it may give itself a header.
main() {
    local missing f
    # The files `reuse lint` finds without copyright and licensing information.
    missing=$(reuse lint 2>/dev/null \
        | sed -n '/^# MISSING COPYRIGHT AND LICENSING INFORMATION/,/^# /p' \
        | sed -n 's/^\* //p') || true
    if [ -z "$missing" ]; then
        echo "Every file has copyright and licensing information."
        return 0
    fi

    local hash_style=() detected=()
    while IFS= read -r f; do
        [ -f "$f" ] || continue
        case $f in
            *.1)
                # roff: comments before the title line.
                sed -i "1i .\\\\\" $copyright_line\n.\\\\\" $licence_line" "$f" ;;
            *.ui|*.qrc)
                # XML: after the declaration or document type on the first line.
                sed -i "1a <!-- $copyright_line -->\n<!-- $licence_line -->" "$f" ;;
            *.in|*.desktop|*.suppr|tests/install/*.txt|.ci/*|debian/control|debian/rules|debian/*.install|*/completions/*)
                hash_style+=("$f") ;;
            *)
                detected+=("$f") ;;
        esac
    done <<<"$missing"
    if [ ${#hash_style[@]} -gt 0 ]; then
        annotate --style python "${hash_style[@]}"
    fi
    if [ ${#detected[@]} -gt 0 ]; then
        annotate --skip-unrecognised "${detected[@]}"
    fi

    if ! reuse lint >/dev/null 2>&1; then
        reuse lint | sed -n '/^# MISSING/,/^# SUMMARY/p'
        echo "Some files still lack a header: give them one by hand, or list them in .reuse/dep5." >&2
        return 1
    fi
    echo "reuse lint passes."
}

main "$@"; exit $?
