#!/usr/bin/env bash
# Compares two snapshots made by record.sh: names each file that differs and, for a play script,
# the command at its first difference with the two lines there, so that every change of
# behaviour can be traced to a cause.
#   tools/snapshot/compare.sh BEFORE AFTER
set -u
same=0
different=0
for f in "$1"/*.txt; do
    b=$(basename "$f")
    if cmp -s "$f" "$2/$b"; then
        same=$((same + 1))
        continue
    fi
    different=$((different + 1))
    python3 - "$f" "$2/$b" <<'PY'
import sys
a = open(sys.argv[1], encoding="utf-8", errors="replace").read().split("\n")
b = open(sys.argv[2], encoding="utf-8", errors="replace").read().split("\n")
command = ""
for x, y in zip(a, b):
    if x.startswith("> "):
        command = x
    if x != y:
        name = sys.argv[1].rsplit("/", 1)[-1]
        print(f"{name}: after '{command}': {x[:70]} || {y[:70]}")
        break
else:
    print(f"{sys.argv[1].rsplit('/', 1)[-1]}: one output is longer")
PY
done
echo "$same identical, $different different"
