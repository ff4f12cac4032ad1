#!/bin/sh

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Runs inside the fresh Debian 12 root that scripts/test-packages.sh made,
# with the packages installed: everything here uses only what they installed.
set -eu
cd /test
step() { echo "-- $*"; }

step "a host built with find_package(OduSwitchDialogs)"
cmake -S consumer -B build-cmake >/dev/null
cmake --build build-cmake >/dev/null
build-cmake/consumer

step "the same host built with pkg-config"
g++ -std=c++20 -fPIC consumer/main.cpp -o consumer-pc \
    $(pkg-config --cflags --libs odu-switch-dialogs)
./consumer-pc

step "a window-free tool built with pkg-config odu-switch-core"
g++ -std=c++20 -fPIC tool-consumer/main.cpp -o tool-pc $(pkg-config --cflags --libs odu-switch-core)
./tool-pc
if readelf -d tool-pc | grep -Eq 'Qt6(Gui|Widgets)|odu-switch-dialogs'; then
    echo "the core alone pulls in widgets or the dialogs" >&2
    exit 1
fi

step "a window-free tool built with find_package(OduSwitchDialogs COMPONENTS Core), no Qt Widgets"
cmake -S tool-consumer -B build-tool -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Widgets=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Gui=ON >/dev/null
cmake --build build-tool >/dev/null
build-tool/tool-consumer

step "both libraries unload (dlopen, dlclose, gone from the mappings)"
libdir=/usr/lib/$(gcc -print-multiarch)
g++ -std=c++20 -O1 unload.cpp -o unload
./unload $libdir/libodu-switch-core.so.1 $libdir/libodu-switch-dialogs.so.1
if readelf --dyn-syms -W $libdir/libodu-switch-core.so.1 $libdir/libodu-switch-dialogs.so.1 \
    | grep -E 'UNIQUE|<OS specific>: 10'; then
    echo "STB_GNU_UNIQUE symbols (above) keep a library loaded" >&2
    exit 1
fi

step "odu-switch on real files"
odu-switch default vlan -o vlan.bin
odu-switch default qos -o qos.bin
test "$(stat -c %s vlan.bin)" -eq 82
test "$(stat -c %s qos.bin)" -eq 40
odu-switch check vlan.bin qos.bin
cp vlan.bin before.bin
odu-switch set vlan.bin vlan_mode="Single Tag"
status=0
odu-switch diff before.bin vlan.bin >diff.txt || status=$?
test "$status" -eq 1
grep -q vlan_mode diff.txt
odu-switch show --json qos.bin | odu-switch encode - -o qos-again.bin
cmp qos.bin qos-again.bin

step "odu-switch-translate on real files"
odu-switch-translate template -o template.ini
grep -q '^\[VLAN\]' template.ini
# The untranslated template is all English, and leaves empty the keys whose
# English is not one line (a translation gives them one): check says so and
# exits 1.
status=0
odu-switch-translate check template.ini --density 96 >template.txt || status=$?
test "$status" -eq 1
grep -q 'still the English text' template.txt
grep -q 'All_changes_msg: empty value' template.txt
if grep -v -e 'still the English text' -e 'missing: the English text' -e 'empty value: the English text is shown' \
        -e '^note:' -e 'findings$' template.txt; then
    echo "the template has findings beside its English texts" >&2
    exit 1
fi
# An installed translation has none, with the fonts this system has.
odu-switch-translate check /usr/share/odu-switch-dialogs/translations/de.ini --density 96
odu-switch-translate pseudo --expand 30 -o pseudo.ini
status=0
odu-switch-translate check pseudo.ini --density 96 >/dev/null || status=$?
test "$status" -le 1

step "the demo host's screenshot mode"
mkdir shots
odu-switch-demo --screenshot shots --catalogue /usr/share/odu-switch-dialogs/translations/de.ini >shots.txt
count=$(ls shots/*.png | wc -l)
test "$count" -ge 5
file shots/*.png | grep -vq 'PNG image data' && { echo "not a PNG in shots/" >&2; exit 1; }

# ---- examples/ and the API reference (libodu-switch-doc) ----
step "the examples, built against the installed packages"
for example in minimal-host keep-copy-host edit-saved-array; do
    cmake -S examples/$example -B build-$example >/dev/null
    cmake --build build-$example >/dev/null
done
build-minimal-host/minimal-host --answer ok >example.txt
grep -q 'VLAN dialog: result 1 (OK)' example.txt
build-keep-copy-host/keep-copy-host --answer cancel >example.txt
grep -q 'VLAN: cancelled; the array is as it was' example.txt
odu-switch default vlan -o example.bin
build-edit-saved-array/edit-saved-array example.bin vlan_mode="Single Tag" >example.txt
grep -q 'vlan_mode: Disable -> Single Tag' example.txt
odu-switch show example.bin | grep -q 'Single Tag'

step "the API reference"
test -s /usr/share/doc/libodu-switch-doc/html/index.html
test -s /usr/share/qt6/doc/odu-switch-dialogs.qch
# ---- end of the examples' block ----

step "manual pages and completions"
for page in odu-switch odu-switch-translate odu-switch-demo; do
    test -s /usr/share/man/man1/$page.1.gz
done
test -s /usr/share/bash-completion/completions/odu-switch
test -s /usr/share/bash-completion/completions/odu-switch-translate
test -s /usr/share/applications/odu-switch-demo.desktop
grep -q '<launchable type="desktop-id">odu-switch-demo.desktop</launchable>' \
    /usr/share/metainfo/org.odu_switch_dialogs.demo.metainfo.xml

step "the tool's package needs no GUI library, the translator kit's package has the kit"
if dpkg-query -W -f='${Depends}\n' odu-switch | grep -E 'libqt6(gui|widgets)|libodu-switch-dialogs'; then
    echo "odu-switch depends on a GUI library (above)" >&2
    exit 1
fi
test "$(dpkg-query -S /usr/bin/odu-switch-translate | cut -d: -f1)" = odu-switch-translate
echo "all passed"
