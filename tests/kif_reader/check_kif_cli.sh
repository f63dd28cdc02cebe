#!/usr/bin/env bash
# The kif and kif-import subcommands as a user runs them: a record through KIF and back is the
# same file in both encodings, and bad input gets the reader's message and status 1.
set -euo pipefail
cli=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAILED: $*"; exit 1; }

printf 'SENTE\nwait 3\nmove 3 7 3 6\nwait 65\nmove 2 8 8 2 right\nmove 3 9 8 2\nKIFU_WRITE\ntext 1 game\ntext 2 試合\ntext 3 あなた\ntext 4 ｺﾝﾋﾟｭｰﾀ\nRETURN\n' |
  "$cli" play >/dev/null || true
[ -s game.棋譜 ] || fail "the play command wrote no record"

"$cli" kif < game.棋譜 > game.kifu
"$cli" kif --sjis < game.棋譜 > game.kif
head -1 game.kifu | grep -q '^#KIF version=2.0 encoding=UTF-8' || fail "no encoding line"
grep -q '^手合割：平手' game.kifu || fail "no 手合割"
grep -q '^   1 ７六歩(77)   ( 0:03/00:00:03)' game.kifu || fail "first move line"
iconv -f CP932 -t UTF-8 game.kif > kif-as-utf8.txt || fail "the --sjis output is not CP932"
cmp <(tail -n +2 game.kifu) kif-as-utf8.txt || fail "the two encodings differ"
"$cli" kif-import < game.kifu > back1.棋譜
"$cli" kif-import < game.kif > back2.棋譜
cmp game.棋譜 back1.棋譜 || fail "UTF-8 round trip"
cmp game.棋譜 back2.棋譜 || fail "CP932 round trip"

status=0
printf '手合割：香落ち\n' | "$cli" kif-import > out.txt 2> err.txt || status=$?
[ "$status" = 1 ] || fail "kif-import of a handicap game exited $status"
[ ! -s out.txt ] || fail "kif-import of a handicap game wrote output"
grep -q 'KIFﾌｧｲﾙの1行目が正しくありません（平手の棋譜ではありません' err.txt || fail "message: $(cat err.txt)"
# No move read is no record: an empty file, a lone BOM, a header only, and moves that line ends
# other than LF and CRLF would run into one line, each with its reason.
while IFS='|' read -r input reason; do
  status=0
  printf "$input" | "$cli" kif-import > out.txt 2> err.txt || status=$?
  [ "$status" = 1 ] && [ ! -s out.txt ] && grep -q "$reason" err.txt ||
    fail "kif-import of '$input' exited $status: $(cat err.txt)"
done <<'INPUTS'
|KIFﾌｧｲﾙに指し手がありません
\xEF\xBB\xBF|KIFﾌｧｲﾙに指し手がありません
手合割：平手\n手数----指手---------消費時間--\n|KIFﾌｧｲﾙに指し手がありません
#KIF\r手合割：平手\r   1 ７六歩(77)\r|行の終わりがCRだけです
#KIF\xE2\x80\xA8手合割：平手\xE2\x80\xA8   1 ７六歩(77)\xE2\x80\xA8|行の終わりがU+2028です
#KIF\xC2\x85手合割：平手\xC2\x85   1 ７六歩(77)\xC2\x85|行の終わりがU+0085です
INPUTS
status=0
printf 'not a record\n' | "$cli" kif > out.txt 2> err.txt || status=$?
[ "$status" = 1 ] && [ ! -s out.txt ] && grep -q '棋譜ﾌｧｲﾙの' err.txt || fail "kif of a bad record: $status $(cat err.txt)"
status=0
"$cli" kif --utf16 < game.棋譜 > /dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "an unknown option exited $status"
echo "kif and kif-import passed"
