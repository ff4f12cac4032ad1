#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# The main job: builds the library and the demo host (installing missing
# packages first) and starts the demo host on its built-in unconfigured unit.
# Without a display it says so and writes pictures of every dialog page
# instead, into the folder it names.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j"$(nproc)" --target odu-switch-demo

demo=build-release/host/odu-switch-demo
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$demo" "$@"
fi

out=${SCREENSHOT_DIR:-screenshots}
mkdir -p "$out"
echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): writing pictures of every dialog page into $out/ instead."
QT_QPA_PLATFORM=offscreen "$demo" --screenshot "$out" "$@"
# Without options of the caller's: the same dialogs on two other desktops, a
# dark palette, and right to left in Arabic.
if [ $# -eq 0 ]; then
    mkdir -p "$out/dark" "$out/rtl"
    QT_QPA_PLATFORM=offscreen "$demo" --screenshot "$out/dark" --palette dark >/dev/null
    QT_QPA_PLATFORM=offscreen "$demo" --screenshot "$out/rtl" -reverse --catalogue translations/ar.ini >/dev/null
    echo "Pictures on a dark desktop and right to left in Arabic: $out/dark/ and $out/rtl/"
fi
