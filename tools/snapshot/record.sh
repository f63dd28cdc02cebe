#!/usr/bin/env bash
# Records what the analysis command answers to the inputs of make_inputs.py, so that a change can
# be diffed against the commit before it (compare.sh).
#   tools/snapshot/record.sh CLI INPUTS OUT
# CLI is a built velk-tsuitate-cli (copy it aside first when the build will be rebuilt). Every
# play script runs in the same fresh game folder, holding only the repository's settings file, so
# that what the panel lists and the picture digests do not depend on a temporary folder's name.
set -u
cli=$(readlink -f "$1")
inputs=$(readlink -f "$2")
mkdir -p "$3"
out=$(readlink -f "$3")
repo=$(cd "$(dirname "$0")/../.." && pwd)
game=${TMPDIR:-/tmp}/velk-snapshot-game
for c in legal survey mate com; do
    "$cli" "$c" < "$inputs/positions.txt" > "$out/$c.txt" 2>&1
    echo "exit $?" >> "$out/$c.txt"
done
"$cli" miss < "$inputs/miss.txt" > "$out/miss.txt" 2>&1
echo "exit $?" >> "$out/miss.txt"
for f in "$inputs"/play/*.txt; do
    b=$(basename "$f" .txt)
    for lang in ja en; do
        rm -rf "$game" && mkdir -p "$game" && cp "$repo/Velkついたて将棋.ini" "$game/"
        (cd "$game" && timeout 60 "$cli" play --lang "$lang" < "$f" > "$out/play-$b-$lang.txt" 2>&1
         echo "exit $?" >> "$out/play-$b-$lang.txt")
    done
done
rm -rf "$game"
for seed in 1 2; do
    for level in 1 2 3; do
        timeout 300 "$cli" match --games 4 --seed "$seed" --level "$level" \
            > "$out/match-$seed-$level.txt" 2>&1
    done
done
