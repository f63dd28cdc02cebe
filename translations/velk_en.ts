<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>draw</name>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人</source>
        <translation>Handicap: Meijin</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段</source>
        <translation>Handicap: 8-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段</source>
        <translation>Handicap: 7-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段</source>
        <translation>Handicap: 6-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段</source>
        <translation>Handicap: 5-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段</source>
        <translation>Handicap: 4-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段</source>
        <translation>Handicap: 3-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段</source>
        <translation>Handicap: 2-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段</source>
        <translation>Handicap: 1-dan</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級</source>
        <translation>Handicap: 1-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級</source>
        <translation>Handicap: 2-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級</source>
        <translation>Handicap: 3-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級</source>
        <translation>Handicap: 4-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級</source>
        <translation>Handicap: 5-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級</source>
        <translation>Handicap: 6-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級</source>
        <translation>Handicap: 7-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級</source>
        <translation>Handicap: 8-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級</source>
        <translation>Handicap: 9-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級</source>
        <translation>Handicap: 10-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級</source>
        <translation>Handicap: 11-kyu</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級</source>
        <translation>Handicap: 12-kyu</translation>
    </message>
    <message>
        <source>手目</source>
        <translation>moves</translation>
    </message>
    <message>
        <source>LEVEL</source>
        <translation>LEVEL</translation>
    </message>
    <message>
        <source>COMミス</source>
        <translation>COM miss</translation>
    </message>
    <message>
        <source>MANミス</source>
        <translation>MAN miss</translation>
    </message>
    <message>
        <source>思考中</source>
        <translation>Thinking</translation>
    </message>
    <message>
        <source>公正</source>
        <translation>Fair</translation>
    </message>
</context>
<context>
    <name>file</name>
    <message>
        <source>ﾌｧｲﾙが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙではなくﾌｫﾙﾀﾞです</source>
        <translation>This is a folder, not a file</translation>
    </message>
    <message>
        <source>通常のﾌｧｲﾙではありません（ﾊﾟｲﾌﾟや装置は使えません）</source>
        <translation>This is not a regular file (pipes and devices cannot be used)</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名がありません</source>
        <translation>The file name is missing</translation>
    </message>
    <message>
        <source>書き込みが禁止されたﾃﾞｨｽｸです</source>
        <translation>The disk is write-protected</translation>
    </message>
    <message>
        <source>ﾃﾞｨｽｸに空きがありません</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <source>ﾃﾞｨｽｸの使用量が上限に達しています</source>
        <translation>The disk quota has been reached</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が長すぎます</source>
        <translation>The file name is too long</translation>
    </message>
    <message>
        <source>ｱｸｾｽが許可されていません</source>
        <translation>Access is not permitted</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙまたはﾌｫﾙﾀﾞが見つかりません</source>
        <translation>The file or folder cannot be found</translation>
    </message>
    <message>
        <source>同じ名前のﾌｫﾙﾀﾞがあります</source>
        <translation>A folder of the same name exists</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞの指定が正しくありません</source>
        <translation>The folder is not valid</translation>
    </message>
    <message>
        <source>同じ名前のﾌｧｲﾙがあります</source>
        <translation>A file of the same name exists</translation>
    </message>
    <message>
        <source>ﾃﾞｨｽｸの読み書きに失敗しました</source>
        <translation>Reading or writing the disk failed</translation>
    </message>
    <message>
        <source>ﾘﾝｸをたどれません</source>
        <translation>The link cannot be followed</translation>
    </message>
    <message>
        <source>開いているﾌｧｲﾙが多すぎます</source>
        <translation>Too many files are open</translation>
    </message>
    <message>
        <source>ﾃﾞﾊﾞｲｽが準備できていません</source>
        <translation>The device is not ready</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙが使用中です</source>
        <translation>The file is in use</translation>
    </message>
    <message>
        <source>そのﾌｧｲﾙ名は使えません</source>
        <translation>That file name cannot be used</translation>
    </message>
    <message>
        <source>ﾒﾓﾘが足りません</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙを扱えませんでした</source>
        <translation>The file could not be handled</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が入力されていません</source>
        <translation>No file name has been entered</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名に「/」や「\」は使えません</source>
        <translation>A file name cannot contain &quot;/&quot; or &quot;\&quot;</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名に制御文字は使えません</source>
        <translation>A file name cannot contain control characters</translation>
    </message>
</context>
<context>
    <name>help</name>
    <message>
        <source>ﾈｯﾄ対局</source>
        <translation>Network game</translation>
    </message>
    <message>
        <source>対局 → ﾈｯﾄ対局 → 作るで、対局サーバーに対局を作ります。表示される参加ｺｰﾄﾞを相手に伝えてください。相手は参加でサーバーのアドレスとｺｰﾄﾞを入れて加わります。COMとの対局と同じく、自分の駒だけが見えます。対局が終わると、相手の駒と棋譜のすべてが届きます。</source>
        <translation>Game → Network game → Create makes a game on a game server. Give the join code it shows to your opponent, who joins with Join, the server&apos;s address and the code. As against the computer, you see only your own pieces. When the game is over, the other side&apos;s pieces and the whole record arrive.</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
    <message>
        <source>ついたて将棋の遊び方</source>
        <translation>How to play screen shogi</translation>
    </message>
    <message>
        <source>ついたて</source>
        <translation>The screen</translation>
    </message>
    <message>
        <source>審判</source>
        <translation>The referee</translation>
    </message>
    <message>
        <source>このプログラムが審判です。審判だけが本当の盤を見ていて、王手、ミス、COMが持駒を使ったことを知らせます。そのほかにCOMの駒を知る手立ては、局面 → 一時表示でCOMの駒を見ることだけです。一時表示を使った対局は、KIFの棋譜と指し手一覧にそう書かれます。</source>
        <translation>The program is the referee. Only the referee sees the real board: it announces check, every miss, and each time COM drops a piece from its hand. Apart from these announcements, the only way to learn where COM&apos;s pieces stand is Position → Peek, which shows them; a game in which Peek was used says so in its KIF record and in the move list.</translation>
    </message>
    <message>
        <source>三つのミス</source>
        <translation>The three kinds of miss</translation>
    </message>
    <message>
        <source>自分の側から見て指せる手でも、本当の盤では指せないことがあります。それがミスです。審判はその手を認めず、ミスを一つ数えます。あなたはもう一度指します。図の薄い駒は、あなたには見えないCOMの駒です。</source>
        <translation>A move that looks legal from your side of the screen may be illegal on the real board. That is a miss: the referee refuses the move and counts one miss against you, and you move again. In the pictures, the faint piece is a COM piece you cannot see.</translation>
    </message>
    <message>
        <source>飛び越え: 飛・角・香が、見えないCOMの駒を飛び越えようとしました。</source>
        <translation>Jumping: your rook, bishop or lance tried to pass over a hidden COM piece.</translation>
    </message>
    <message>
        <source>駒の上に張り駒: 持駒を、見えないCOMの駒がいる桝に打とうとしました。</source>
        <translation>Dropping on a piece: you tried to drop a piece from your hand on a square where a hidden COM piece stands.</translation>
    </message>
    <message>
        <source>王手になる手: 指した後のあなたの王に、見えないCOMの駒が利いています。</source>
        <translation>Moving into check: after your move, a hidden COM piece attacks your king.</translation>
    </message>
    <message>
        <source>十回目のミス</source>
        <translation>The tenth miss</translation>
    </message>
    <message>
        <source>ミスの回数は盤の横に出ます。九回までは許されますが、十回目のミスで負けです。COMも同じで、COMが十回ミスをすればあなたの勝ちです。</source>
        <translation>Each side&apos;s misses are counted beside the board. Nine misses are allowed; the tenth loses the game. The same holds for COM: if COM makes its tenth miss, you win.</translation>
    </message>
    <message>
        <source>COM対局ﾚﾍﾞﾙ</source>
        <translation>COM&apos;s level</translation>
    </message>
    <message>
        <source>ﾚﾍﾞﾙが変えるのは、COMがミスをする多さだけです。LEVEL1のCOMはよくミスをし、LEVEL2では時々、LEVEL3では決してミスをしません。読みの強さはどのﾚﾍﾞﾙも同じです。</source>
        <translation>The level changes only how often COM makes a miss. At LEVEL1 COM misses often, at LEVEL2 now and then, and at LEVEL3 never. COM reads the position equally well at every level.</translation>
    </message>
    <message>
        <source>マウスとキー</source>
        <translation>Mouse and keys</translation>
    </message>
    <message>
        <source>左クリック</source>
        <translation>Left click</translation>
    </message>
    <message>
        <source>駒を選び、行き先の桝で指します</source>
        <translation>Select a piece, then click its destination to move</translation>
    </message>
    <message>
        <source>右クリック</source>
        <translation>Right click</translation>
    </message>
    <message>
        <source>行き先の桝で成って指します</source>
        <translation>On the destination: move and promote</translation>
    </message>
    <message>
        <source>矢印キー</source>
        <translation>Arrow keys</translation>
    </message>
    <message>
        <source>対局中、盤と持駒の上でカーソルを動かします</source>
        <translation>During a game, move the cursor over the board and your hand</translation>
    </message>
    <message>
        <source>カーソルの駒を選び、もう一度押すとそこへ指します</source>
        <translation>Select the piece under the cursor; press again to move it there</translation>
    </message>
    <message>
        <source>成って指します</source>
        <translation>Move and promote</translation>
    </message>
    <message>
        <source>棋譜を一手戻す・進める（戻・進と同じ）</source>
        <translation>Step the record back or forward one move (as Back / Forward)</translation>
    </message>
    <message>
        <source>棋譜の最初・最後へ行きます</source>
        <translation>Go to the start or the end of the record</translation>
    </message>
    <message>
        <source>棋譜を書き込みます（書込）</source>
        <translation>Save the record (Save)</translation>
    </message>
    <message>
        <source>棋譜を読み込みます（読込）</source>
        <translation>Load a record (Load)</translation>
    </message>
    <message>
        <source>この遊び方を開きます</source>
        <translation>Open this page</translation>
    </message>
    <message>
        <source>先手で新しい対局を始めます</source>
        <translation>Starts a new game, you moving first</translation>
    </message>
    <message>
        <source>後手で新しい対局を始めます</source>
        <translation>Starts a new game, you moving second</translation>
    </message>
    <message>
        <source>メニューを開きます（Altと下線の文字でも開きます）</source>
        <translation>Opens the menus (Alt and the underlined letter open one too)</translation>
    </message>
    <message>
        <source>カーソルの桝に置く予想駒を選びます（Deleteで取ります）</source>
        <translation>Chooses a guess marker for the cursor&apos;s square (Delete takes it away)</translation>
    </message>
    <message>
        <source>対局 → 投了で、負けを認めて対局を終えることができます。</source>
        <translation>Game → Resign gives the game up.</translation>
    </message>
    <message>
        <source>二人対局</source>
        <translation>Two players</translation>
    </message>
    <message>
        <source>対局 → 対局 → 二人対局では、二人がこの画面で交互に指します。手番の人は盤の下側から自分の駒だけを見て指し、指し終わると幕が下ります。次の人がクリックすると、その人の側が現れます。</source>
        <translation>Game → Game → Two players lets two people take turns at this screen. The player to move sees only their own pieces, from the bottom of the board; after the move a curtain comes down, and the next player&apos;s side appears when they click.</translation>
    </message>
    <message>
        <source>ついたて将棋は、盤の真ん中についたてを立てて指す将棋です。あなたには自分の駒しか見えず、コンピュータ（COM）の駒は見えません。分かるのは、COMの持駒の数と、COMが指した先の桝（駒は「？？」）だけです。駒の動き、成り、持駒の打ち方は普通の将棋と同じで、見えないCOMの駒がいる桝に指せば、その駒を取ります。</source>
        <translation>Screen shogi is shogi played with a screen standing across the middle of the board. You see only your own pieces, never the computer&apos;s (COM). All you learn is how many pieces COM holds in hand and the square each COM move lands on (its piece shown as &quot;？？&quot;). Pieces move, promote and are dropped exactly as in ordinary shogi, and moving onto a square where a hidden COM piece stands captures it.</translation>
    </message>
    <message>
        <source>公正のCOMは、あなたと同じく自分の側しか見えません。あなたの駒の場所を推し量って指すので、本当のミスをします。わざとミスをすることはありません。</source>
        <translation>At Fair, COM sees only its own side, as you do. It guesses where your pieces stand, so its misses are real ones. It never makes a miss on purpose.</translation>
    </message>
    <message>
        <source>あなたの番に、あなたの側から見た一手を示します（ﾋﾝﾄ）</source>
        <translation>On your move, show a move found from your side alone (Hint)</translation>
    </message>
</context>
<context>
    <name>kif</name>
    <message>
        <source>Shift-JISで書き込めない文字があります
（.kifuならUTF-8で書き込めます）</source>
        <translation>Some characters cannot be written in Shift-JIS
(a name ending in .kifu is written in UTF-8)</translation>
    </message>
    <message>
        <source>KIFを書き込みました</source>
        <translation>The KIF file has been saved</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙを読み込めませんでした
%1</source>
        <translation>The KIF file could not be loaded
%1</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙに指し手がありません</source>
        <translation>The KIF file holds no moves</translation>
    </message>
    <message>
        <source>手番が交互ではありません</source>
        <translation>the sides do not move in turn</translation>
    </message>
    <message>
        <source>対局名や対局者名に制御文字は使えません</source>
        <translation>The title and the players&apos; names cannot contain control characters</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙが大きすぎます</source>
        <translation>The KIF file is too large</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙの中に文字でないﾃﾞｰﾀがあります（KIFﾌｧｲﾙではないようです）</source>
        <translation>The KIF file holds data that is not text (it does not seem to be a KIF file)</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙの文字ｺｰﾄﾞがUTF-8ではありません</source>
        <translation>The KIF file is not in UTF-8</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙの文字ｺｰﾄﾞがShift-JISでもUTF-8でもありません</source>
        <translation>The KIF file is neither in Shift-JIS nor in UTF-8</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙの改行の形式が違います（行の終わりがCRだけです）</source>
        <translation>The KIF file has the wrong line breaks (lines end with CR alone)</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙの改行の形式が違います（行の終わりが%1です）</source>
        <translation>The KIF file has the wrong line breaks (lines end with %1)</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙの%1行目が正しくありません（%2）</source>
        <translation>Line %1 of the KIF file is not valid (%2)</translation>
    </message>
    <message>
        <source>局面図のある棋譜は読み込めません（平手の初めの局面から始まる棋譜だけです）</source>
        <translation>a record with a position diagram cannot be loaded (only records that start from the even-game opening position can)</translation>
    </message>
    <message>
        <source>平手の棋譜ではありません（駒落ちの棋譜は読み込めません）</source>
        <translation>it is not an even game (handicap games cannot be loaded)</translation>
    </message>
    <message>
        <source>読み取れない行です</source>
        <translation>the line cannot be read</translation>
    </message>
    <message>
        <source>手数が%1ではありません</source>
        <translation>the move number is not %1</translation>
    </message>
    <message>
        <source>手数が%1手を超えています</source>
        <translation>the record has more than %1 moves</translation>
    </message>
    <message>
        <source>消費時間が正しくありません</source>
        <translation>the time taken is not valid</translation>
    </message>
    <message>
        <source>指し手の後ろに読み取れない文字があります</source>
        <translation>the move is followed by text that cannot be read</translation>
    </message>
    <message>
        <source>消費時間が長すぎます</source>
        <translation>the time taken is too long</translation>
    </message>
    <message>
        <source>消費時間が合計より長くなっています</source>
        <translation>the time taken for the move is longer than the total</translation>
    </message>
    <message>
        <source>1手目に「同」は使えません</source>
        <translation>the first move cannot use 同 (same square)</translation>
    </message>
    <message>
        <source>移動先が読み取れません</source>
        <translation>the destination square cannot be read</translation>
    </message>
    <message>
        <source>駒の名前が読み取れません</source>
        <translation>the piece name cannot be read</translation>
    </message>
    <message>
        <source>その駒は打てません</source>
        <translation>that piece cannot be dropped</translation>
    </message>
    <message>
        <source>%1の持駒に%2がありません</source>
        <translation>%1 has no %2 in hand</translation>
    </message>
    <message>
        <source>駒のあるところには打てません</source>
        <translation>a piece cannot be dropped on an occupied square</translation>
    </message>
    <message>
        <source>そこには打てません</source>
        <translation>the piece cannot be dropped there</translation>
    </message>
    <message>
        <source>移動元が書かれていません</source>
        <translation>the square the piece moves from is missing</translation>
    </message>
    <message>
        <source>移動元が読み取れません</source>
        <translation>the square the piece moves from cannot be read</translation>
    </message>
    <message>
        <source>移動元に%1の駒がありません</source>
        <translation>%1 has no piece on the square it moves from</translation>
    </message>
    <message>
        <source>移動元の駒が%1ではありません</source>
        <translation>the piece on the square it moves from is not %1</translation>
    </message>
    <message>
        <source>その駒はそこへ動けません</source>
        <translation>that piece cannot move there</translation>
    </message>
    <message>
        <source>そこでは成れません</source>
        <translation>the piece cannot promote there</translation>
    </message>
    <message>
        <source>成らずに動けない手です</source>
        <translation>the piece cannot move there without promoting</translation>
    </message>
    <message>
        <source>成らなければならない手です</source>
        <translation>the move must be a promotion</translation>
    </message>
    <message>
        <source>記録の時間が読み取れません</source>
        <translation>the recorded times cannot be read</translation>
    </message>
    <message>
        <source>終局の後に指し手があります</source>
        <translation>there is a move after the end of the game</translation>
    </message>
</context>
<context>
    <name>language</name>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>markers</name>
    <message>
        <source>玉</source>
        <translation>King</translation>
    </message>
    <message>
        <source>飛</source>
        <translation>Rook</translation>
    </message>
    <message>
        <source>角</source>
        <translation>Bishop</translation>
    </message>
    <message>
        <source>金</source>
        <translation>Gold</translation>
    </message>
    <message>
        <source>銀</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>桂</source>
        <translation>Knight</translation>
    </message>
    <message>
        <source>香</source>
        <translation>Lance</translation>
    </message>
    <message>
        <source>歩</source>
        <translation>Pawn</translation>
    </message>
    <message>
        <source>消す</source>
        <translation>Remove</translation>
    </message>
</context>
<context>
    <name>match</name>
    <message>
        <source>終わりますか？</source>
        <translation>Quit the game?</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>最初からやり直しますか？</source>
        <translation>Start again from the beginning?</translation>
    </message>
    <message>
        <source>最初</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>保存していない手があります<byte value="xd"/><byte value="xd"/>%1</source>
        <translation>Some moves have not been saved.<byte value="xd"/><byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>棋譜を &apos;進 &apos;で進めて下さい</source>
        <translation>Step through the record with &apos;Forward&apos;</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>「対局」で始めて下さい</source>
        <translation>Start a game from the &quot;Game&quot; menu</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>王のいない局面からは再開できません</source>
        <translation>Play cannot resume from a position without both kings</translation>
    </message>
    <message>
        <source>OKですか？</source>
        <translation>Resume the game from here?</translation>
    </message>
    <message>
        <source>再開</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>王のいない局面では対局できません</source>
        <translation>A game cannot be played from a position without both kings</translation>
    </message>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>あなたの番です</source>
        <translation>Your move</translation>
    </message>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>マウスの右をクリックして下さい</source>
        <translation>This piece must promote: click with the right mouse button</translation>
    </message>
    <message>
        <source>成り</source>
        <translation>Promote</translation>
    </message>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
    <message>
        <source>ＣＯＭ</source>
        <translation>COM</translation>
    </message>
    <message>
        <source>ＭＡＮ</source>
        <translation>MAN</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀ</source>
        <translation>The computer</translation>
    </message>
    <message>
        <source>%1の勝ちです</source>
        <translation>%1 won</translation>
    </message>
    <message>
        <source>投了しますか？</source>
        <translation>Do you resign?</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>投了できるのは対局中だけです</source>
        <translation>You can resign only during a game</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>Sente (first)</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Gote (second)</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>500手に達しました<byte value="xd"/><byte value="xd"/>棋譜に残せないので対局を終わります</source>
        <translation>The game has reached 500 moves.<byte value="xd"/><byte value="xd"/>The record holds no more, so the game ends here.</translation>
    </message>
    <message>
        <source>続けますか？</source>
        <translation>Play another game?</translation>
    </message>
    <message>
        <source>再ゲーム</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>  ** COMのミス! **<byte value="xd"/><byte value="xd"/></source>
        <translation>  ** COM missed! **<byte value="xd"/><byte value="xd"/></translation>
    </message>
    <message>
        <source>  ** MANのミス! **<byte value="xd"/><byte value="xd"/></source>
        <translation>  ** MAN missed! **<byte value="xd"/><byte value="xd"/></translation>
    </message>
    <message>
        <source>COM駒を飛び越えました</source>
        <translation>The move jumped over a hidden piece</translation>
    </message>
    <message>
        <source>COM駒の上に張り駒しました</source>
        <translation>The piece was dropped on a hidden piece</translation>
    </message>
    <message>
        <source>MANの王手ですね</source>
        <translation>COM left its own king in check</translation>
    </message>
    <message>
        <source>COMの王手になります</source>
        <translation>That move leaves your king in check</translation>
    </message>
    <message>
        <source>%1%2</source>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>反則</source>
        <translation>Miss</translation>
    </message>
    <message>
        <source>よし！!</source>
        <translation>Got you!</translation>
    </message>
    <message>
        <source>詰め ?</source>
        <translation>Mate?</translation>
    </message>
    <message>
        <source>   ** 王手 **</source>
        <translation>   ** Check **</translation>
    </message>
    <message>
        <source>持駒を使いました</source>
        <translation>COM dropped a piece from its hand</translation>
    </message>
    <message>
        <source>張り駒</source>
        <translation>Drop</translation>
    </message>
    <message>
        <source>できません</source>
        <translation>Not possible</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>棋譜ﾓｰﾄﾞではできません</source>
        <translation>Not possible while a record is shown</translation>
    </message>
    <message>
        <source>この局面はCOMの番です<byte value="xd"/><byte value="xd"/>「後手」で始めて下さい</source>
        <translation>In this position the computer moves next.<byte value="xd"/><byte value="xd"/>Start the game with &apos;Move second&apos;.</translation>
    </message>
    <message>
        <source>この局面はあなたの番です<byte value="xd"/><byte value="xd"/>「先手」で始めて下さい</source>
        <translation>In this position you move next.<byte value="xd"/><byte value="xd"/>Start the game with &apos;Move first&apos;.</translation>
    </message>
    <message>
        <source>対局中はできません</source>
        <translation>Not possible during a game</translation>
    </message>
    <message>
        <source>二人対局中はできません</source>
        <translation>Not possible in a game between two players</translation>
    </message>
    <message>
        <source>一時表示</source>
        <translation>Show for a moment</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>設定ﾌｧｲﾙ「%1」に書き込めません
%2

ｵﾌﾟｼｮﾝの設定は終了するまで有効ですが、次回には残りません</source>
        <translation>The settings file &quot;%1&quot; cannot be written
%2

The options stay in force until the program ends, but will not be kept for next time</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Velkついたて将棋
バージョン %1

ついたて将棋（衝立将棋）: 相手の駒が見えない将棋です。
ライセンス: MIT License</source>
        <translation>Velk Tsuitate Shogi
Version %1

Tsuitate shogi (screen shogi): shogi in which you cannot see your opponent&apos;s pieces.
Licence: MIT License</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Velkついたて将棋</source>
        <translation>Velkついたて将棋</translation>
    </message>
    <message>
        <source>Direct Soundインターフェースが作成できません。</source>
        <translation>The sound device cannot be opened.</translation>
    </message>
</context>
<context>
    <name>menu</name>
    <message>
        <source>ﾈｯﾄ対局</source>
        <translation>Network game</translation>
    </message>
    <message>
        <source>作る</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>参加</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>Move first</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Move second</translation>
    </message>
    <message>
        <source>COM対局ﾚﾍﾞﾙ</source>
        <translation>COM level</translation>
    </message>
    <message>
        <source>LEVEL1</source>
        <translation>LEVEL1</translation>
    </message>
    <message>
        <source>LEVEL2</source>
        <translation>LEVEL2</translation>
    </message>
    <message>
        <source>LEVEL3</source>
        <translation>LEVEL3</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>局面</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>戻</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>一時表示</source>
        <translation>Peek</translation>
    </message>
    <message>
        <source>最初</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>書込</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>読込</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>KIF書込</source>
        <translation>Save KIF</translation>
    </message>
    <message>
        <source>KIF読込</source>
        <translation>Load KIF</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>背景画</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>畳</source>
        <translation>Tatami</translation>
    </message>
    <message>
        <source>竹</source>
        <translation>Bamboo</translation>
    </message>
    <message>
        <source>宇宙</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>煉瓦</source>
        <translation>Brick</translation>
    </message>
    <message>
        <source>経過時間</source>
        <translation>Elapsed time</translation>
    </message>
    <message>
        <source>BGM</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>About</translation>
    </message>
    <message>
        <source>指し手一覧</source>
        <translation>Move list</translation>
    </message>
    <message>
        <source>予想駒を置く</source>
        <translation>Place a guess marker</translation>
    </message>
    <message>
        <source>公正</source>
        <translation>Fair</translation>
    </message>
    <message>
        <source>二人対局</source>
        <translation>Two players</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>ﾋﾝﾄ</source>
        <translation>Hint</translation>
    </message>
</context>
<context>
    <name>movelist</name>
    <message>
        <source>開始局面</source>
        <translation>Starting position</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resigned</translation>
    </message>
    <message>
        <source>MANのミス %1回（通算%2回）</source>
        <translation>MAN misses: %1 (%2 in all)</translation>
    </message>
    <message>
        <source>COMのミス（反則） %1回（通算%2回）</source>
        <translation>COM misses (fouls): %1 (%2 in all)</translation>
    </message>
    <message>
        <source>一時表示でCOMの駒を見ました</source>
        <translation>COM&apos;s pieces were seen with Peek</translation>
    </message>
</context>
<context>
    <name>net</name>
    <message>
        <source>ﾈｯﾄ対局</source>
        <translation>Network game</translation>
    </message>
    <message>
        <source>サーバー</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>手番</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>First (sente)</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Second (gote)</translation>
    </message>
    <message>
        <source>ﾗﾝﾀﾞﾑ</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>切断から勝ちまで（秒）</source>
        <translation>Seconds a disconnected player may be gone</translation>
    </message>
    <message>
        <source>参加ｺｰﾄﾞ</source>
        <translation>Join code</translation>
    </message>
    <message>
        <source>サーバーに接続しています…</source>
        <translation>Connecting to the server…</translation>
    </message>
    <message>
        <source>相手の参加を待っています　参加ｺｰﾄﾞ：%1</source>
        <translation>Waiting for the opponent to join. Join code: %1</translation>
    </message>
    <message>
        <source>相手の番です　思考中…</source>
        <translation>The opponent&apos;s move: thinking…</translation>
    </message>
    <message>
        <source>相手の接続が切れています</source>
        <translation>The opponent is disconnected</translation>
    </message>
    <message>
        <source>接続が切れました　再接続しています…</source>
        <translation>Disconnected: reconnecting…</translation>
    </message>
    <message>
        <source>相手が持駒を打ちました</source>
        <translation>The opponent dropped a piece</translation>
    </message>
    <message>
        <source>相手</source>
        <translation>The opponent</translation>
    </message>
    <message>
        <source>サーバーとの接続が切れました<byte value="xd"/><byte value="xd"/>%1</source>
        <translation>The connection to the server is lost.<byte value="xd"/><byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>サーバーの返事：%1</source>
        <translation>The server says: %1</translation>
    </message>
    <message>
        <source>ﾈｯﾄ対局中はできません</source>
        <translation>Not possible during a network game</translation>
    </message>
    <message>
        <source>ﾈｯﾄ対局を離れますか？</source>
        <translation>Leave the network game?</translation>
    </message>
    <message>
        <source>サーバーのアドレスが正しくありません：%1</source>
        <translation>Not a server address: %1</translation>
    </message>
    <message>
        <source>参加ｺｰﾄﾞを入れてください</source>
        <translation>Enter the join code</translation>
    </message>
</context>
<context>
    <name>record</name>
    <message>
        <source>反転後は書き込みできません</source>
        <translation>The record cannot be saved after the board was reversed</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません</source>
        <translation>The record cannot be saved once a handicap is set</translation>
    </message>
    <message>
        <source>棋譜書込</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>  </source>
        <translation>  </translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が長すぎます
（英数字なら%1文字、かなや漢字なら%2文字までです）</source>
        <translation>The file name is too long
(up to %1 letters or digits, or %2 kana or kanji)</translation>
    </message>
    <message>
        <source>保存するデータがありません</source>
        <translation>There is nothing to save</translation>
    </message>
    <message>
        <source>棋譜保存</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>「%1」は既にあります。
上書きしますか？</source>
        <translation>&quot;%1&quot; already exists.
Replace it?</translation>
    </message>
    <message>
        <source>棋譜を書き込めませんでした
%1</source>
        <translation>The record could not be saved
%1</translation>
    </message>
    <message>
        <source>棋譜を書き込みました</source>
        <translation>The record has been saved</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙを読み込めませんでした
%1</source>
        <translation>The record file could not be loaded
%1</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません</source>
        <translation>The record file holds no moves</translation>
    </message>
    <message>
        <source>棋譜を読み込みますか？</source>
        <translation>Load the record?</translation>
    </message>
    <message>
        <source> 読み込みました</source>
        <translation> The record has been loaded</translation>
    </message>
    <message>
        <source>ｴﾗｰ</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名 ：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>KIFﾌｧｲﾙ名：</source>
        <translation>KIF file:</translation>
    </message>
    <message>
        <source>対 局 名：</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>先    手 ：</source>
        <translation>Sente:</translation>
    </message>
    <message>
        <source>後    手 ：</source>
        <translation>Gote:</translation>
    </message>
</context>
<context>
    <name>record_file</name>
    <message>
        <source>対局名</source>
        <translation>The title</translation>
    </message>
    <message>
        <source>上側の対局者名</source>
        <translation>The upper player&apos;s name</translation>
    </message>
    <message>
        <source>下側の対局者名</source>
        <translation>The lower player&apos;s name</translation>
    </message>
    <message>
        <source>半角256文字、全角128文字まで</source>
        <translation>up to 256 half-width or 128 full-width characters</translation>
    </message>
    <message>
        <source>%1に書き込めない文字があります</source>
        <translation>%1 has characters that cannot be saved</translation>
    </message>
    <message>
        <source>%1に制御文字は使えません</source>
        <translation>%1 cannot contain control characters</translation>
    </message>
    <message>
        <source>%1が長すぎます（%2）</source>
        <translation>%1 is too long (%2)</translation>
    </message>
    <message>
        <source>%1手目のﾃﾞｰﾀが正しくありません（%2）</source>
        <translation>Move %1 is not valid (%2)</translation>
    </message>
    <message>
        <source>手数が正しくありません</source>
        <translation>The number of moves is wrong</translation>
    </message>
    <message>
        <source>移動先が盤の外です</source>
        <translation>the destination is off the board</translation>
    </message>
    <message>
        <source>移動元の持駒の欄がありません</source>
        <translation>the piece in hand it comes from does not exist</translation>
    </message>
    <message>
        <source>移動元が盤の外です</source>
        <translation>the origin is off the board</translation>
    </message>
    <message>
        <source>移動先が移動元と同じです</source>
        <translation>the destination is the origin</translation>
    </message>
    <message>
        <source>駒の番号が先手と後手で食い違っています</source>
        <translation>the piece codes of sente and gote disagree</translation>
    </message>
    <message>
        <source>持駒の打ち方が正しくありません</source>
        <translation>the drop is not valid</translation>
    </message>
    <message>
        <source>持駒の打ち方が正しくありません（打って駒は取れません）</source>
        <translation>the drop is not valid (a drop cannot capture)</translation>
    </message>
    <message>
        <source>成りの組み合わせが正しくありません</source>
        <translation>the promotion does not match the pieces</translation>
    </message>
    <message>
        <source>取った駒が正しくありません</source>
        <translation>the captured piece is wrong</translation>
    </message>
    <message>
        <source>駒の位置が正しくありません</source>
        <translation>a square is wrong</translation>
    </message>
    <message>
        <source>持駒がありません</source>
        <translation>no such piece in hand</translation>
    </message>
    <message>
        <source>移動元に駒がありません</source>
        <translation>no piece on the origin</translation>
    </message>
    <message>
        <source>移動先の駒が合いません</source>
        <translation>the piece on the destination does not match</translation>
    </message>
    <message>
        <source>駒の動き方か成り方が正しくありません</source>
        <translation>the piece cannot move or promote that way</translation>
    </message>
    <message>
        <source>自分の王に王手がかかる手です（ミスになる手です）</source>
        <translation>the move leaves the mover&apos;s own king in check (a miss)</translation>
    </message>
    <message>
        <source>王が取られた後の指し手です</source>
        <translation>a move comes after a king was taken</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙが大きすぎます</source>
        <translation>The record file is too large</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの中に文字でないﾃﾞｰﾀがあります（棋譜ﾌｧｲﾙではないようです）</source>
        <translation>The record file holds data that is not text (it does not seem to be a record file)</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの改行の形式が違います（行の終わりがCRだけです）</source>
        <translation>The record file has the wrong line breaks (lines end with CR alone)</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの手数が%1手を超えています</source>
        <translation>The record file has more than %1 moves</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの%1行目がありません</source>
        <translation>Line %1 of the record file is missing</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの%1行目が正しくありません（%2）</source>
        <translation>Line %1 of the record file is not valid (%2)</translation>
    </message>
    <message>
        <source>文字でない記号（制御文字）が入っています</source>
        <translation>it contains control characters</translation>
    </message>
    <message>
        <source>文字ｺｰﾄﾞがShift-JISではありません</source>
        <translation>it is not in Shift-JIS</translation>
    </message>
    <message>
        <source>指し手の行が空です</source>
        <translation>the move line is empty</translation>
    </message>
    <message>
        <source>指し手の行は%1文字のところ、%2文字あります</source>
        <translation>a move line has %1 characters, this one %2</translation>
    </message>
    <message>
        <source>数字でない欄か空の欄があります</source>
        <translation>a field is empty or not a number</translation>
    </message>
    <message>
        <source>時間がﾏｲﾅｽです</source>
        <translation>a time is negative</translation>
    </message>
    <message>
        <source>駒の番号が正しくありません</source>
        <translation>the piece code is wrong</translation>
    </message>
</context>
<context>
    <name>status</name>
    <message>
        <source>あなたの番です</source>
        <translation>Your move</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀの番です&#x3000;思考中…</source>
        <translation>Computer to move: thinking…</translation>
    </message>
    <message>
        <source>王手！</source>
        <translation>Check!</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀが持駒を打ちました</source>
        <translation>The computer dropped a piece</translation>
    </message>
    <message>
        <source>COMのミス</source>
        <translation>COM missed</translation>
    </message>
    <message>
        <source>MANのミス</source>
        <translation>MAN missed</translation>
    </message>
    <message>
        <source>そこへは指せません</source>
        <translation>You cannot move there</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resigned</translation>
    </message>
    <message>
        <source>先手の番です。クリックして始めてください</source>
        <translation>Sente to move. Click to begin</translation>
    </message>
    <message>
        <source>後手の番です。クリックして始めてください</source>
        <translation>Gote to move. Click to begin</translation>
    </message>
    <message>
        <source>500手に達したので終わりました</source>
        <translation>The game ended at 500 moves</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>終局&#x3000;%1の勝ちです</source>
        <translation>Game over. %1 won</translation>
    </message>
    <message>
        <source>ﾋﾝﾄ：%1</source>
        <translation>Hint: %1</translation>
    </message>
</context>
</TS>
