#!/bin/bash
# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause
#
# Seeds small faults into one source file, one at a time, and runs the tests
# that should notice each: a comparison flipped, a number moved by one, a
# check dropped, a return value or exit code changed, && and || swapped.
# Prints which faults no test caught. The file is restored after every fault
# and on any exit, and the build is brought back to it at the end.
#
#   scripts/seed-faults.sh [options] FILE [TEST_REGEX]
#
#   FILE         a source file of the tree (.cpp or .h)
#   TEST_REGEX   the ctest tests to run (ctest -R); default: every test
#                whose program is rebuilt when FILE changes is NOT guessed,
#                so name them, e.g. 'tst_tool|tst_array_check'
#   -n COUNT     faults to seed (default 8); -a seeds every candidate
#   -s SEED      which candidates are chosen (default 1)
#   -l LINES     only candidates on these lines, e.g. 40-90
#   -b DIR       the build folder (default build)
#   -t SECONDS   time limit of each test (default 300)
#   -k           list the candidates and stop
#
# Only the test programs that TEST_REGEX names are rebuilt (with what they
# need), so a fault costs one compile, a few links and the tests' run.

set -u

count=8
seed=1
build=build
timeout=300
lines=
list_only=0
all=0
while getopts "n:s:b:t:l:ak" opt; do
    case $opt in
        n) count=$OPTARG ;;
        s) seed=$OPTARG ;;
        b) build=$OPTARG ;;
        t) timeout=$OPTARG ;;
        l) lines=$OPTARG ;;
        a) all=1 ;;
        k) list_only=1 ;;
        *) sed -n '/^#   scripts/,/^# need/p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
file=${1:-}
regex=${2:-.}
if [ -z "$file" ] || [ ! -f "$file" ]; then
    echo "seed-faults: give a source file" >&2
    exit 2
fi
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    echo "seed-faults: no configured build in $build" >&2
    exit 2
fi

work=$(mktemp -d)
cp "$file" "$work/original"
restore() {
    # Write the content back (not the time stamp): the build sees a change
    # and recompiles the original.
    if ! cmp -s "$work/original" "$file"; then
        cat "$work/original" > "$file"
    fi
}
finish() {
    restore
    rm -rf "$work"
}
trap 'rm -rf "$work"' EXIT

# The candidates, one a line: index<TAB>line<TAB>edits (JSON)<TAB>description.
python3 - "$file" "$work" "$lines" <<'PY'
import json, re, sys

path, work, only = sys.argv[1], sys.argv[2], sys.argv[3]
src = open(path, encoding="utf-8").read().split("\n")
lo, hi = 1, len(src)
if only:
    a, _, b = only.partition("-")
    lo, hi = int(a), int(b or a)

def code_part(line):
    """The line without a trailing // comment and with string literals blanked."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  "); i += 2; continue
            out.append(" " if c != quote else c)
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c; out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)

cands = []
in_block = False
for n, raw in enumerate(src, 1):
    stripped = raw.strip()
    if in_block:
        if "*/" in stripped:
            in_block = False
        continue
    if stripped.startswith("/*"):
        in_block = "*/" not in stripped
        continue
    if not (lo <= n <= hi) or stripped.startswith(("#", "//", "static_assert")) or not stripped:
        continue
    code = code_part(raw)
    # Comparisons (not <<, >>, ->, or the brackets of a template's arguments).
    templates = [m.span() for m in re.finditer(
        r"\b[A-Za-z_][\w:]*\s*<(?:[\w:\s,*&]|<[\w:\s,*&]*>)*>", code)]
    for m in re.finditer(r"(?<![<>=!&|+\-*/%^])(<=|>=|==|!=|<|>)(?![<>=])", code):
        op = m.group(1)
        if any(a <= m.start() < b for a, b in templates) or "operator" in code[max(0, m.start() - 9):m.start()]:
            continue
        if op == ">" and code[m.start() - 1:m.start()] == "-":
            continue
        flip = {"<=": "<", "<": "<=", ">=": ">", ">": ">=", "==": "!=", "!=": "=="}[op]
        cands.append((n, [(n, m.start(), m.end(), flip)], f"'{op}' -> '{flip}'"))
    # Numbers moved by one (not in array sizes of declarations or bit masks written in hex).
    for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.'])", code):
        value = int(m.group(1))
        if value > 100000:
            continue
        cands.append((n, [(n, m.start(), m.end(), str(value + 1))], f"{value} -> {value + 1}"))
    # && and || swapped.
    for m in re.finditer(r"&&|\|\|", code):
        flip = "||" if m.group() == "&&" else "&&"
        cands.append((n, [(n, m.start(), m.end(), flip)], f"'{m.group()}' -> '{flip}'"))
    # A check dropped: the condition of an if is never true.
    for m in re.finditer(r"\bif\s*\(", code):
        # The whole condition, to its closing parenthesis (on this line or a later one).
        depth, at, line = 1, m.end(), n
        text = code
        while depth and line <= len(src):
            while at < len(text) and depth:
                depth += {"(": 1, ")": -1}.get(text[at], 0)
                at += 1
            if depth:
                line, at = line + 1, 0
                text = code_part(src[line - 1]) if line <= len(src) else ""
        if depth == 0:
            cands.append((n, [(n, m.end(), m.end(), "false && ("), (line, at - 1, at - 1, ")")], "if: check dropped"))
    # A returned boolean or exit code changed.
    m = re.search(r"\breturn\s+(true|false|ExitOk|ExitFindings|ExitTrouble|kKitClean|kKitFindings|kKitUnusable)\s*;", code)
    if m:
        other = {"true": "false", "false": "true", "ExitOk": "ExitFindings", "ExitFindings": "ExitTrouble",
                 "ExitTrouble": "ExitFindings", "kKitClean": "kKitFindings", "kKitFindings": "kKitClean",
                 "kKitUnusable": "kKitFindings"}[m.group(1)]
        cands.append((n, [(n, m.start(1), m.end(1), other)], f"return {m.group(1)} -> {other}"))
    # A statement that returns early dropped.
    m = re.match(r"(\s*)(return\b[^;]*;|continue;|break;)\s*$", code)
    if m and n > 1 and re.search(r"\bif\s*\(|else\s*$", code_part(src[n - 2])):
        cands.append((n, [(n, m.start(2), m.end(2), ";")], f"'{raw[m.start(2):m.end(2)].strip()[:40]}' dropped"))

with open(f"{work}/candidates", "w") as out:
    for i, (n, edits, what) in enumerate(cands):
        out.write(f"{i}\t{n}\t{json.dumps(edits)}\t{what}\n")
PY

total=$(wc -l < "$work/candidates")
if [ "$total" -eq 0 ]; then
    echo "seed-faults: no place to seed a fault in $file" >&2
    exit 2
fi
if [ "$list_only" -eq 1 ]; then
    awk -F'\t' '{printf "%4d  line %4d  %s\n", $1, $2, $4}' "$work/candidates"
    exit 0
fi
# One run at a time in a build folder: two would rebuild over each other and
# take each other's seeded file for the original.
exec 9> "$build/.seed-faults.lock"
if ! flock -n 9; then
    echo "seed-faults: another run is using $build" >&2
    exit 2
fi

# From here on the file is changed: it is restored on any exit.
trap finish EXIT
trap 'exit 130' INT TERM HUP
if [ "$all" -eq 1 ]; then
    cut -f1 "$work/candidates" > "$work/chosen"
else
    python3 -c "
import random, sys
n, count, seed = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
print('\n'.join(str(i) for i in sorted(random.Random(seed).sample(range(n), min(n, count)))))
" "$total" "$count" "$seed" > "$work/chosen"
fi

# The test programs the regex names: the targets to rebuild.
targets=$(ctest --test-dir "$build" -N -R "$regex" --show-only=json-v1 2>/dev/null | python3 -c "
import json, os, sys
seen = []
for t in json.load(sys.stdin).get('tests', []):
    cmd = t.get('command') or []
    # A program not built yet has no command: its target is named as the test.
    name = os.path.basename(cmd[0]) if cmd else t.get('name', '')
    if name.startswith('tst_') and name not in seen:
        seen.append(name)
print(' '.join(seen))")
if [ -z "$targets" ]; then
    echo "seed-faults: no test program matches '$regex'" >&2
    exit 2
fi
echo "seed-faults: $file, $(wc -l < "$work/chosen") of $total candidates; tests '$regex' ($targets)"

# The tests must pass before any fault is seeded.
# shellcheck disable=SC2086
if ! cmake --build "$build" -j2 --target $targets > "$work/log" 2>&1; then
    echo "seed-faults: the build fails before any fault is seeded" >&2
    tail -20 "$work/log" >&2
    exit 2
fi
if ! QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -R "$regex" --timeout "$timeout" > "$work/log" 2>&1; then
    echo "seed-faults: the tests fail before any fault is seeded" >&2
    grep -E 'Failed|\*\*\*' "$work/log" >&2
    exit 2
fi

caught=0
survived=0
unbuilt=0
: > "$work/survivors"
while read -r index; do
    IFS=$'\t' read -r _ line edits what < <(sed -n "$((index + 1))p" "$work/candidates")
    python3 - "$file" "$edits" <<'PY'
import json, sys
path, edits = sys.argv[1], json.loads(sys.argv[2])
src = open(path, encoding="utf-8").read().split("\n")
# From the end, so that an edit does not move the places of the others.
for line, start, end, text in sorted(edits, key=lambda e: (e[0], e[1]), reverse=True):
    s = src[line - 1]
    src[line - 1] = s[:start] + text + s[end:]
open(path, "w", encoding="utf-8").write("\n".join(src))
PY
    label="line $line: $what"
    # shellcheck disable=SC2086
    if ! cmake --build "$build" -j2 --target $targets > "$work/log" 2>&1; then
        echo "  not built  $label"
        unbuilt=$((unbuilt + 1))
    elif QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -R "$regex" --timeout "$timeout" > "$work/log" 2>&1; then
        echo "  SURVIVED   $label"
        echo "$label" >> "$work/survivors"
        survived=$((survived + 1))
    else
        echo "  caught     $label  (by $(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*/\1/p' "$work/log" | head -3 | paste -sd ' '))"
        caught=$((caught + 1))
    fi
    restore
done < "$work/chosen"

# Back to the original program.
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $targets > "$work/log" 2>&1 || echo "seed-faults: rebuilding the original failed" >&2

seeded=$((caught + survived))
if [ "$seeded" -gt 0 ]; then
    echo "seed-faults: $caught of $seeded caught ($((100 * caught / seeded)) %); $unbuilt did not build"
else
    echo "seed-faults: no fault built"
fi
if [ "$survived" -gt 0 ]; then
    echo "survivors:"
    sed 's/^/  /' "$work/survivors"
    exit 1
fi
exit 0
