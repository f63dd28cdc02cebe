#!/usr/bin/env bash
# Reads the KIF our program writes with json-kifu-format, a KIF parser library independent of
# this game, and asserts that every file is read to its last move with the moves we wrote.
# Skipped (status 77) when node or npm is missing or the package cannot be installed.
set -euo pipefail
samples=$1 cli=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "node or npm not installed: skipped"
  exit 77
fi
mkdir -p "$work/npm"
if [ ! -d "$work/npm/node_modules/json-kifu-format" ]; then
  if ! npm install --prefix "$work/npm" --no-audit --no-fund --silent json-kifu-format@5.5.0 >/dev/null 2>&1; then
    echo "json-kifu-format could not be installed: skipped"
    exit 77
  fi
fi
rm -rf "$work/games" && mkdir -p "$work/games"
"$samples" "$work/games" 30

# Games of the program itself, through the play command and the kif command: the human first,
# and the computer first.
play() {
  (cd "$work/games" && "$cli" play >/dev/null) || true
}
printf 'SENTE\nmove 3 7 3 6\nmove 2 8 8 2 right\nmove 3 9 8 2\nmove 7 7 7 6\nKIFU_WRITE\ntext 1 played1\ntext 2 試合\ntext 3 あなた\ntext 4 COM\nRETURN\n' | play
printf 'GOTE\nmove 7 7 7 6\nmove 3 7 3 6\nmove 8 8 7 7\nmove 3 9 3 8\nKIFU_WRITE\ntext 1 played2\ntext 2 試合\ntext 3 COM\ntext 4 あなた\nRETURN\n' | play
for f in "$work"/games/played*.棋譜; do
  [ -e "$f" ] || { echo "no game was written by the play command"; exit 1; }
  base=${f%.棋譜}
  "$cli" kif < "$f" > "$base.kifu"
  "$cli" kif --sjis < "$f" > "$base.kif"
  # Moves from the record lines: the kif command is checked against the record itself.
  : > "$base.expect"
  first=$(sed -n 4p "$f" | cut -c6-9 | tr -d ' ')
  tail -n +4 "$f" | tr -d '\r' | while IFS= read -r line; do
    fx=${line:0:2} fy=${line:2:1} tx=${line:3:1} ty=${line:4:1}
    after=${line:5:4} before=${line:9:4}
    fx=${fx// /}
    if [ "$first" -lt 0 ]; then to=$(( (10 - tx) * 10 + ty )); else to=$(( tx * 10 + 10 - ty )); fi
    if [ "$fx" = 11 ] || [ "$fx" = -1 ]; then from=0
    elif [ "$first" -lt 0 ]; then from=$(( (10 - fx) * 10 + fy )); else from=$(( fx * 10 + 10 - fy )); fi
    echo "$from $to $([ "$after" = "$before" ] && echo 0 || echo 1)" >> "$base.expect"
  done
done
NODE_PATH="$work/npm/node_modules" node "$here/read_kif.js" "$work/games"
