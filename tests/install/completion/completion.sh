#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# The bash completions of odu-switch and odu-switch-translate, called as bash
# calls them: file names with blanks, quoted or not, come back whole, and
# set offers the field names of the array's kind.
#
#   completion.sh ODU_SWITCH_COMPLETION TRANSLATE_COMPLETION ODU_SWITCH_DIR
set -u
PATH=$(cd "$3" && pwd):$PATH
. "$1"
. "$2"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 2
odu-switch default vlan -o "unit 7 vlan.bin" || exit 2
odu-switch default qos -o q.bin || exit 2
printf 'not an array\n' >notes.txt
mkfifo pipe
failed=0 count=0

# expect FUNCTION 'REPLIES' WORD...: completes the last word of the command
# line WORD... and compares the replies, sorted and joined by |.
expect() {
    local function=$1 want=$2 got
    shift 2
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    "$function"
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd '|')
    count=$((count + 1))
    if [[ $got != "$want" ]]; then
        echo "FAIL: ${*@Q}: got '$got', want '$want'" >&2
        failed=$((failed + 1))
    fi
}

# Names with blanks: plain, backslashed, in double and in single quotes.
expect _odu_switch 'unit 7 vlan.bin' odu-switch show un
expect _odu_switch 'unit 7 vlan.bin' odu-switch show 'unit\ 7'
expect _odu_switch 'unit 7 vlan.bin' odu-switch show '"unit 7 v'
expect _odu_switch 'unit 7 vlan.bin' odu-switch check "'unit 7"
expect _odu_switch 'unit 7 vlan.bin' odu-switch diff q.bin un
expect _odu_switch 'unit 7 vlan.bin' odu-switch set -o un
expect _odu_switch '' odu-switch show nothing-begins-so
# set: the fields of the first file's kind, as NAME=.
expect _odu_switch 'vlan_mode=' odu-switch set 'unit\ 7\ vlan.bin' vlan_m
expect _odu_switch 'ch1_scheduling=|ch2_scheduling=' odu-switch set q.bin ch
expect _odu_switch 'default_vid.line2=|default_vid.line3=|default_vid.line4=|default_vid.modem1=|default_vid.modem2=|default_vid.nms=' \
    odu-switch set '"unit 7 vlan.bin"' -o out.bin default_vid
# A QoS array has no VLAN field: files then.
expect _odu_switch '' odu-switch set q.bin vlan_m
# No array before the word, or not an array, or not a regular file: files.
expect _odu_switch 'q.bin' odu-switch set q
expect _odu_switch 'notes.txt' odu-switch set notes.txt no
expect _odu_switch 'pipe' odu-switch set pipe pi
# A value (bash splits NAME=VALUE at the =): none offered.
expect _odu_switch '' odu-switch set q.bin ch1_scheduling = ''
expect _odu_switch '' odu-switch set q.bin ch1_scheduling = W
# The options and words of their own.
expect _odu_switch 'qos' odu-switch show --kind q
expect _odu_switch 'set|show' odu-switch s
expect _odu_switch_translate 'unit 7 vlan.bin' odu-switch-translate check un
expect _odu_switch_translate 'unit 7 vlan.bin' odu-switch-translate pseudo -o '"unit'
expect _odu_switch_translate 'po|xliff' odu-switch-translate export --format ''

echo "$((count - failed)) passed, $failed failed"
[[ $failed -eq 0 ]]
