// Every text the game shows or writes, in one place, grouped by where it appears.
//
// Fixed texts are constants; a text built from parts is a small function, so that the parts
// can be reordered without touching the code that shows it. Nothing here includes the game's
// own headers: every layer may use the catalogue.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text for Qt's translation tools (lupdate) without making the catalogue depend on Qt:
// the text itself is the constant, and the window and the command line look it up by its
// context (the namespace it lives in) and its Japanese source text.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace velk::texts {

// Puts the arguments in place of %1, %2 ... in one pass (an argument's own % signs stay).
inline std::string arg(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (k < args.size()) {
                out.append(args.begin()[k]);
                ++i;
                continue;
            }
        }
        out.push_back(c);
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Message boxes of the match: each pair is a box's text and its title.
namespace match {

// Closing the window with unsaved moves.
inline constexpr const char* QUIT_QUESTION = QT_TRANSLATE_NOOP("match", "終わりますか？");
inline constexpr const char* QUIT_TITLE = QT_TRANSLATE_NOOP("match", "終わり");
// 最初 with unsaved moves.
inline constexpr const char* RESET_QUESTION =
    QT_TRANSLATE_NOOP("match", "最初からやり直しますか？");
inline constexpr const char* RESET_TITLE = QT_TRANSLATE_NOOP("match", "最初");
// Put before QUIT_QUESTION, RESET_QUESTION or record::READ_QUESTION when unsaved moves would be
// lost.
inline constexpr const char* UNSAVED_MOVES =
    QT_TRANSLATE_NOOP("match", "保存していない手があります\r\r%1");
inline std::string unsavedMovesQuestion(std::string_view question) {
    return arg(UNSAVED_MOVES, {question});
}

// A click on the board while a record is read: asks to step on with 進 (also shown after
// reading a record, under record::TITLE).
inline constexpr const char* STEP_WITH_AFTER =
    QT_TRANSLATE_NOOP("match", "棋譜を '進 'で進めて下さい");
inline constexpr const char* STEP_WITH_AFTER_TITLE = QT_TRANSLATE_NOOP("match", "棋譜");
// A click on the board before any game.
inline constexpr const char* START_WITH_GAME_MENU =
    QT_TRANSLATE_NOOP("match", "「対局」で始めて下さい");
inline constexpr const char* START_TITLE = QT_TRANSLATE_NOOP("match", "開始");
// A click on the board while play is interrupted by stepping through the record.
inline constexpr const char* NO_RESUME_WITHOUT_KINGS =
    QT_TRANSLATE_NOOP("match", "王のいない局面からは再開できません");
inline constexpr const char* RESUME = QT_TRANSLATE_NOOP("match", "OKですか？");
inline constexpr const char* RESUME_TITLE = QT_TRANSLATE_NOOP("match", "再開");
// 先手 or 後手 on a position without both kings.
inline constexpr const char* NO_GAME_WITHOUT_KINGS =
    QT_TRANSLATE_NOOP("match", "王のいない局面では対局できません");
inline constexpr const char* NO_GAME_TITLE = QT_TRANSLATE_NOOP("match", "対局");
// 先手 or 後手 on a position stepped to in a record, when the record says the other side moves
// next: the game would give one side two moves in a row.
inline constexpr const char* COM_MOVES_HERE =
    QT_TRANSLATE_NOOP("match", "この局面はCOMの番です\r\r「後手」で始めて下さい");
inline constexpr const char* MAN_MOVES_HERE =
    QT_TRANSLATE_NOOP("match", "この局面はあなたの番です\r\r「先手」で始めて下さい");
// 先手 chosen: the human moves first.
inline constexpr const char* YOUR_TURN = QT_TRANSLATE_NOOP("match", "あなたの番です");
inline constexpr const char* YOUR_TURN_TITLE = QT_TRANSLATE_NOOP("match", " ");
// A move that must promote was made with another button than the right one.
inline constexpr const char* PROMOTE_WITH_RIGHT =
    QT_TRANSLATE_NOOP("match", "マウスの右をクリックして下さい");
inline constexpr const char* PROMOTE_TITLE = QT_TRANSLATE_NOOP("match", "成り");

// The winner's names in winnerIs: the human by mate or capture of the king, or because the
// computer has no move.
inline constexpr const char* WINNER_YOU = QT_TRANSLATE_NOOP("match", "あなた");
// The computer, when the human has made too many misses.
inline constexpr const char* WINNER_COM_ON_MISSES = QT_TRANSLATE_NOOP("match", "ＣＯＭ");
// The human, when the computer has made too many misses.
inline constexpr const char* WINNER_MAN_ON_MISSES = QT_TRANSLATE_NOOP("match", "ＭＡＮ");
// The computer by mate or capture of the king.
inline constexpr const char* WINNER_COMPUTER = QT_TRANSLATE_NOOP("match", "ｺﾝﾋﾟｭｰﾀ");
// A side of a game between two people at this screen, by its role.
inline constexpr const char* WINNER_SENTE = QT_TRANSLATE_NOOP("match", "先手");
inline constexpr const char* WINNER_GOTE = QT_TRANSLATE_NOOP("match", "後手");
// 投了: asked once; refused outside a game.
inline constexpr const char* RESIGN_QUESTION = QT_TRANSLATE_NOOP("match", "投了しますか？");
inline constexpr const char* RESIGN_TITLE = QT_TRANSLATE_NOOP("match", "投了");
inline constexpr const char* RESIGN_ONLY_IN_GAME =
    QT_TRANSLATE_NOOP("match", "投了できるのは対局中だけです");
inline constexpr const char* WINNER_IS = QT_TRANSLATE_NOOP("match", "%1の勝ちです");
inline std::string winnerIs(std::string_view name) {
    return arg(WINNER_IS, {name});
}
inline constexpr const char* END_TITLE = QT_TRANSLATE_NOOP("match", "終了");
// The game has filled the record (under END_TITLE).
inline constexpr const char* RECORD_FULL =
    QT_TRANSLATE_NOOP("match", "500手に達しました\r\r棋譜に残せないので対局を終わります");
// After the end of a game: Yes starts again, No ends the program.
inline constexpr const char* ANOTHER_GAME = QT_TRANSLATE_NOOP("match", "続けますか？");
inline constexpr const char* ANOTHER_GAME_TITLE = QT_TRANSLATE_NOOP("match", "再ゲーム");

// A miss of either side: missReport(header, reason) under FOUL_TITLE.
inline constexpr const char* MISS_HEADER_COM = QT_TRANSLATE_NOOP("match", "  ** COMのミス! **\r\r");
inline constexpr const char* MISS_HEADER_MAN = QT_TRANSLATE_NOOP("match", "  ** MANのミス! **\r\r");
// A ranging move passed over a hidden piece.
inline constexpr const char* MISS_JUMPED = QT_TRANSLATE_NOOP("match", "COM駒を飛び越えました");
// A drop on a square with a hidden piece.
inline constexpr const char* MISS_DROPPED_ON =
    QT_TRANSLATE_NOOP("match", "COM駒の上に張り駒しました");
// The computer's move left its king in check.
inline constexpr const char* MISS_COM_KING_EXPOSED = QT_TRANSLATE_NOOP("match", "MANの王手ですね");
// The human's move left the king in check.
inline constexpr const char* MISS_MAN_KING_EXPOSED =
    QT_TRANSLATE_NOOP("match", "COMの王手になります");
// The header and the reason as one text; both parts are translated on their own.
inline constexpr const char* MISS_REPORT = QT_TRANSLATE_NOOP("match", "%1%2");
inline std::string missReport(std::string_view header, std::string_view reason) {
    return arg(MISS_REPORT, {header, reason});
}
inline constexpr const char* FOUL_TITLE = QT_TRANSLATE_NOOP("match", "反則");

// After the computer's move: it thinks the human is mated, the human is in check, it dropped.
inline constexpr const char* COM_SEES_MATE = QT_TRANSLATE_NOOP("match", "よし！!");
inline constexpr const char* COM_SEES_MATE_TITLE = QT_TRANSLATE_NOOP("match", "詰め ?");
inline constexpr const char* CHECK = QT_TRANSLATE_NOOP("match", "   ** 王手 **");
inline constexpr const char* CHECK_TITLE = QT_TRANSLATE_NOOP("match", "");
inline constexpr const char* COM_DROPPED = QT_TRANSLATE_NOOP("match", "持駒を使いました");
inline constexpr const char* COM_DROPPED_TITLE = QT_TRANSLATE_NOOP("match", "張り駒");

// 戻 and 進 where the record allows no step, and 進 at the end of a record being read.
inline constexpr const char* CANNOT = QT_TRANSLATE_NOOP("match", "できません");
inline constexpr const char* BACK_TITLE = QT_TRANSLATE_NOOP("match", "戻る");
inline constexpr const char* FORWARD_TITLE = QT_TRANSLATE_NOOP("match", "進む");
inline constexpr const char* RECORD_END = QT_TRANSLATE_NOOP("match", "終わり");
// 反転 while a record is read.
inline constexpr const char* NO_REVERSE_IN_RECORD =
    QT_TRANSLATE_NOOP("match", "棋譜ﾓｰﾄﾞではできません");
// 反転 during a game: it would show the computer's pieces.
inline constexpr const char* NO_REVERSE_IN_GAME = QT_TRANSLATE_NOOP("match", "対局中はできません");
// 一時表示 in a game between two people would show one player the other's pieces.
inline constexpr const char* NO_SHOW_IN_TWO_PLAYER_GAME =
    QT_TRANSLATE_NOOP("match", "二人対局中はできません");
inline constexpr const char* SHOW_TITLE = QT_TRANSLATE_NOOP("match", "一時表示");
inline constexpr const char* REVERSE_TITLE = QT_TRANSLATE_NOOP("match", "反転");

// The settings file could not be written (once a run).
inline constexpr const char* SETTINGS_NOT_SAVED =
    QT_TRANSLATE_NOOP("match",
                      "設定ﾌｧｲﾙ「%1」に書き込めません\n%"
                      "2\n\nｵﾌﾟｼｮﾝの設定は終了するまで有効ですが、次回には残りません");
inline std::string settingsNotSaved(std::string_view fileName, std::string_view reason) {
    return arg(SETTINGS_NOT_SAVED, {fileName, reason});
}
inline constexpr const char* SETTINGS_TITLE = QT_TRANSLATE_NOOP("match", "ｵﾌﾟｼｮﾝ");
// The information box of その他.
inline constexpr const char* ABOUT =
    QT_TRANSLATE_NOOP("match",
                      "Velkついたて将棋\nバージョン %1\n\nついたて将棋（衝立将棋）: "
                      "相手の駒が見えない将棋です。\nライセンス: MIT License");
inline std::string about(std::string_view version) {
    return arg(ABOUT, {version});
}
inline constexpr const char* ABOUT_TITLE = QT_TRANSLATE_NOOP("match", "その他");
// Title of the warnings about sound: the program's name.
inline constexpr const char* SOUND_TITLE = QT_TRANSLATE_NOOP("match", "Velkついたて将棋");
inline constexpr const char* NO_SOUND_DEVICE =
    QT_TRANSLATE_NOOP("match", "Direct Soundインターフェースが作成できません。");

}  // namespace match

// ---------------------------------------------------------------------------------------------
// The 棋譜 menu and the record panel: boxes and the panel's labels.
namespace record {

// 書込 is refused after 反転 or a handicap.
inline constexpr const char* NO_WRITE_AFTER_REVERSE =
    QT_TRANSLATE_NOOP("record", "反転後は書き込みできません");
inline constexpr const char* NO_WRITE_AFTER_HANDICAP =
    QT_TRANSLATE_NOOP("record", "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません");
inline constexpr const char* WRITE_TITLE = QT_TRANSLATE_NOOP("record", "棋譜書込");
// Title of the boxes about the name typed into the panel, and of the box after a write.
inline constexpr const char* NAME_TITLE = QT_TRANSLATE_NOOP("record", "  ");
// The typed name and the extension exceed the file system's limit; room is in bytes.
inline constexpr const char* NAME_TOO_LONG = QT_TRANSLATE_NOOP(
    "record", "ﾌｧｲﾙ名が長すぎます\n（英数字なら%1文字、かなや漢字なら%2文字までです）");
inline std::string nameTooLong(std::size_t roomLatin, std::size_t roomKana) {
    return arg(NAME_TOO_LONG, {std::to_string(roomLatin), std::to_string(roomKana)});
}
inline constexpr const char* NOTHING_TO_SAVE =
    QT_TRANSLATE_NOOP("record", "保存するデータがありません");
inline constexpr const char* SAVE_TITLE = QT_TRANSLATE_NOOP("record", "棋譜保存");
inline constexpr const char* OVERWRITE_QUESTION =
    QT_TRANSLATE_NOOP("record", "「%1」は既にあります。\n上書きしますか？");
inline std::string overwriteQuestion(std::string_view fileName) {
    return arg(OVERWRITE_QUESTION, {fileName});
}
inline constexpr const char* NOT_WRITTEN =
    QT_TRANSLATE_NOOP("record", "棋譜を書き込めませんでした\n%1");
inline std::string notWritten(std::string_view reason) {
    return arg(NOT_WRITTEN, {reason});
}
inline constexpr const char* WRITTEN = QT_TRANSLATE_NOOP("record", "棋譜を書き込みました");

// Reading a record file (all under TITLE).
inline constexpr const char* TITLE = QT_TRANSLATE_NOOP("record", "棋譜");
inline constexpr const char* NOT_READ =
    QT_TRANSLATE_NOOP("record", "棋譜ﾌｧｲﾙを読み込めませんでした\n%1");
inline std::string notRead(std::string_view reason) {
    return arg(NOT_READ, {reason});
}
inline constexpr const char* NO_MOVES = QT_TRANSLATE_NOOP("record", "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません");
// A record is about to replace a game with unsaved moves.
inline constexpr const char* READ_QUESTION = QT_TRANSLATE_NOOP("record", "棋譜を読み込みますか？");
inline constexpr const char* READ_DONE = QT_TRANSLATE_NOOP("record", " 読み込みました");
// A drive chosen in the panel is not ready (text file::DEVICE_NOT_READY).
inline constexpr const char* DRIVE_TITLE = QT_TRANSLATE_NOOP("record", "ｴﾗｰ");

// Labels of the panel's four fields: file name, title, first and second player.
inline constexpr const char* PANEL_LABELS[4] = {
    QT_TRANSLATE_NOOP("record", "ﾌｧｲﾙ名 ："), QT_TRANSLATE_NOOP("record", "対 局 名："),
    QT_TRANSLATE_NOOP("record", "先    手 ："), QT_TRANSLATE_NOOP("record", "後    手 ：")};
// The file name's label while the panel writes KIF, and the name it offers when the game has
// none yet (no record read or written).
inline constexpr const char* KIF_FILE_LABEL = QT_TRANSLATE_NOOP("record", "KIFﾌｧｲﾙ名：");
inline constexpr const char* DEFAULT_GAME_NAME = "棋譜";

}  // namespace record

// ---------------------------------------------------------------------------------------------
// Why a record could not be written or read: the reasons of the record file's reader and writer.
namespace record_file {

// The three header lines, as named in the reasons.
inline constexpr const char* HEADER_NAMES[3] = {QT_TRANSLATE_NOOP("record_file", "対局名"),
                                                QT_TRANSLATE_NOOP("record_file", "上側の対局者名"),
                                                QT_TRANSLATE_NOOP("record_file", "下側の対局者名")};
// The header's length limit as the player counts: a kanji or kana takes two bytes in the file.
inline constexpr const char* HEADER_LIMIT =
    QT_TRANSLATE_NOOP("record_file", "半角256文字、全角128文字まで");
inline constexpr const char* HEADER_UNWRITABLE =
    QT_TRANSLATE_NOOP("record_file", "%1に書き込めない文字があります");
inline std::string headerUnwritable(std::string_view header) {
    return arg(HEADER_UNWRITABLE, {header});
}
inline constexpr const char* HEADER_HAS_CONTROLS =
    QT_TRANSLATE_NOOP("record_file", "%1に制御文字は使えません");
inline std::string headerHasControls(std::string_view header) {
    return arg(HEADER_HAS_CONTROLS, {header});
}
inline constexpr const char* HEADER_TOO_LONG =
    QT_TRANSLATE_NOOP("record_file", "%1が長すぎます（%2）");
inline std::string headerTooLong(std::string_view header) {
    return arg(HEADER_TOO_LONG, {header, HEADER_LIMIT});
}

// A record entry that cannot be written or read back: moveFaulty(n, reason).
inline constexpr const char* MOVE_FAULTY =
    QT_TRANSLATE_NOOP("record_file", "%1手目のﾃﾞｰﾀが正しくありません（%2）");
inline std::string moveFaulty(int n, std::string_view reason) {
    return arg(MOVE_FAULTY, {std::to_string(n), reason});
}
inline constexpr const char* BAD_MOVE_COUNT =
    QT_TRANSLATE_NOOP("record_file", "手数が正しくありません");
// Reasons an entry is malformed in itself.
inline constexpr const char* TO_OFF_BOARD = QT_TRANSLATE_NOOP("record_file", "移動先が盤の外です");
inline constexpr const char* NO_HAND_SLOT =
    QT_TRANSLATE_NOOP("record_file", "移動元の持駒の欄がありません");
inline constexpr const char* FROM_OFF_BOARD =
    QT_TRANSLATE_NOOP("record_file", "移動元が盤の外です");
inline constexpr const char* TO_IS_FROM =
    QT_TRANSLATE_NOOP("record_file", "移動先が移動元と同じです");
inline constexpr const char* BAD_PIECE_CODE =
    QT_TRANSLATE_NOOP("record_file", "駒の番号が正しくありません");
inline constexpr const char* SIDES_DISAGREE =
    QT_TRANSLATE_NOOP("record_file", "駒の番号が先手と後手で食い違っています");
inline constexpr const char* BAD_DROP =
    QT_TRANSLATE_NOOP("record_file", "持駒の打ち方が正しくありません");
inline constexpr const char* DROP_CAPTURES =
    QT_TRANSLATE_NOOP("record_file", "持駒の打ち方が正しくありません（打って駒は取れません）");
inline constexpr const char* BAD_PROMOTION =
    QT_TRANSLATE_NOOP("record_file", "成りの組み合わせが正しくありません");
inline constexpr const char* BAD_CAPTURE =
    QT_TRANSLATE_NOOP("record_file", "取った駒が正しくありません");
// Reasons an entry does not follow from the position before it.
inline constexpr const char* BAD_SQUARE =
    QT_TRANSLATE_NOOP("record_file", "駒の位置が正しくありません");
inline constexpr const char* NOT_IN_HAND = QT_TRANSLATE_NOOP("record_file", "持駒がありません");
inline constexpr const char* FROM_EMPTY =
    QT_TRANSLATE_NOOP("record_file", "移動元に駒がありません");
inline constexpr const char* TO_MISMATCH =
    QT_TRANSLATE_NOOP("record_file", "移動先の駒が合いません");
// Reasons an entry is not a move the referee would have taken in a game (the KIF reader's too).
inline constexpr const char* AGAINST_THE_RULES =
    QT_TRANSLATE_NOOP("record_file", "駒の動き方か成り方が正しくありません");
inline constexpr const char* KING_LEFT_ATTACKED =
    QT_TRANSLATE_NOOP("record_file", "自分の王に王手がかかる手です（ミスになる手です）");
inline constexpr const char* AFTER_KING_TAKEN =
    QT_TRANSLATE_NOOP("record_file", "王が取られた後の指し手です");

// Faults of the whole file.
inline constexpr const char* FILE_TOO_LARGE =
    QT_TRANSLATE_NOOP("record_file", "棋譜ﾌｧｲﾙが大きすぎます");
inline constexpr const char* NOT_TEXT = QT_TRANSLATE_NOOP(
    "record_file", "棋譜ﾌｧｲﾙの中に文字でないﾃﾞｰﾀがあります（棋譜ﾌｧｲﾙではないようです）");
inline constexpr const char* LONE_CR =
    QT_TRANSLATE_NOOP("record_file", "棋譜ﾌｧｲﾙの改行の形式が違います（行の終わりがCRだけです）");
inline constexpr const char* TOO_MANY_MOVES =
    QT_TRANSLATE_NOOP("record_file", "棋譜ﾌｧｲﾙの手数が%1手を超えています");
inline std::string tooManyMoves(int maxMoves) {
    return arg(TOO_MANY_MOVES, {std::to_string(maxMoves)});
}
inline constexpr const char* LINE_MISSING =
    QT_TRANSLATE_NOOP("record_file", "棋譜ﾌｧｲﾙの%1行目がありません");
inline std::string lineMissing(std::size_t lineNo) {
    return arg(LINE_MISSING, {std::to_string(lineNo)});
}
// A faulty line: lineFaulty(lineNo, reason).
inline constexpr const char* LINE_FAULTY =
    QT_TRANSLATE_NOOP("record_file", "棋譜ﾌｧｲﾙの%1行目が正しくありません（%2）");
inline std::string lineFaulty(std::size_t lineNo, std::string_view reason) {
    return arg(LINE_FAULTY, {std::to_string(lineNo), reason});
}
// Reasons a line is faulty.
inline constexpr const char* CONTROL_CHARACTERS =
    QT_TRANSLATE_NOOP("record_file", "文字でない記号（制御文字）が入っています");
inline constexpr const char* NOT_SHIFT_JIS =
    QT_TRANSLATE_NOOP("record_file", "文字ｺｰﾄﾞがShift-JISではありません");
inline constexpr const char* EMPTY_MOVE_LINE =
    QT_TRANSLATE_NOOP("record_file", "指し手の行が空です");
inline constexpr const char* MOVE_LINE_LENGTH =
    QT_TRANSLATE_NOOP("record_file", "指し手の行は%1文字のところ、%2文字あります");
inline std::string moveLineLength(std::size_t expected, std::size_t actual) {
    return arg(MOVE_LINE_LENGTH, {std::to_string(expected), std::to_string(actual)});
}
inline constexpr const char* BAD_FIELD =
    QT_TRANSLATE_NOOP("record_file", "数字でない欄か空の欄があります");
inline constexpr const char* NEGATIVE_TIME = QT_TRANSLATE_NOOP("record_file", "時間がﾏｲﾅｽです");

}  // namespace record_file

// ---------------------------------------------------------------------------------------------
// KIF records: the KIF items' boxes, the reasons of the KIF reader and writer, and the comment
// lines written into a KIF file in the game's words. The KIF syntax itself (header keys, piece
// names, closing words, the marks the reader looks for) is the file's format and stays in
// record/kif.cpp.
namespace kif {

// The KIF items of the 棋譜 menu (titles as for the .棋譜 record, texts record::).
inline constexpr const char* NOT_CP932 = QT_TRANSLATE_NOOP(
    "kif", "Shift-JISで書き込めない文字があります\n（.kifuならUTF-8で書き込めます）");
inline constexpr const char* WRITTEN = QT_TRANSLATE_NOOP("kif", "KIFを書き込みました");
inline constexpr const char* NOT_READ =
    QT_TRANSLATE_NOOP("kif", "KIFﾌｧｲﾙを読み込めませんでした\n%1");
inline std::string notRead(std::string_view reason) {
    return arg(NOT_READ, {reason});
}
inline constexpr const char* NO_MOVES = QT_TRANSLATE_NOOP("kif", "KIFﾌｧｲﾙに指し手がありません");
// The kif subcommand of the command-line tool, asked for Shift-JIS: the tool's own error output,
// not a box, so it is not translated.
inline constexpr const char* CLI_NOT_CP932 = "Shift-JISで書けない文字があります";

// Why a record cannot be written as KIF (besides record_file:: reasons).
inline constexpr const char* SIDES_NOT_ALTERNATING =
    QT_TRANSLATE_NOOP("kif", "手番が交互ではありません");
inline constexpr const char* HEADER_HAS_CONTROLS =
    QT_TRANSLATE_NOOP("kif", "対局名や対局者名に制御文字は使えません");

// Comment lines of a KIF file, after the comment mark. They are the file's content, not texts
// of the window: a KIF file reads the same whatever language the window shows, so they are not
// marked for translation. The sides as named in them and in the reader's reasons (where they
// stay as they are in English too).
inline constexpr const char* SIDE_MAN = "MAN";
inline constexpr const char* SIDE_COM = "COM";
// Misses charged since the previous move, and all so far.
inline std::string manMisses(int added, int total) {
    return "MANのミス " + std::to_string(added) + "回（通算" + std::to_string(total) + "回）";
}
inline std::string comMisses(int added, int total) {
    return "COMのミス（反則） " + std::to_string(added) + "回（通算" + std::to_string(total) +
           "回）";
}
inline constexpr const char* COM_TOOK_KING = "COMがMANの王を取りました";
inline constexpr const char* MAN_TOOK_KING = "MANがCOMの王を取りました";
inline constexpr const char* PAWN_DROP_MATE = "打ち歩詰め（ついたて将棋では反則になりません）";
inline constexpr const char* TENTH_MISS_MAN = "MANのミスが10回になりました";
inline constexpr const char* TENTH_MISS_COM = "COMのミスが10回になりました";
inline constexpr const char* MOVE_LIMIT = "500手に達したので対局を終わりました";
// Before the first move of a game in which 一時表示 showed the computer's pieces.
inline constexpr const char* COM_PIECES_SHOWN = "一時表示でCOMの駒を見ました";

// Faults of a whole KIF file.
inline constexpr const char* FILE_TOO_LARGE = QT_TRANSLATE_NOOP("kif", "KIFﾌｧｲﾙが大きすぎます");
inline constexpr const char* NOT_TEXT =
    QT_TRANSLATE_NOOP("kif", "KIFﾌｧｲﾙの中に文字でないﾃﾞｰﾀがあります（KIFﾌｧｲﾙではないようです）");
inline constexpr const char* NOT_UTF8 =
    QT_TRANSLATE_NOOP("kif", "KIFﾌｧｲﾙの文字ｺｰﾄﾞがUTF-8ではありません");
inline constexpr const char* UNKNOWN_ENCODING =
    QT_TRANSLATE_NOOP("kif", "KIFﾌｧｲﾙの文字ｺｰﾄﾞがShift-JISでもUTF-8でもありません");
// Line ends that would run the lines together: CR alone, or a Unicode line end (named by its
// code, which stays as it is in English).
inline constexpr const char* LONE_CR =
    QT_TRANSLATE_NOOP("kif", "KIFﾌｧｲﾙの改行の形式が違います（行の終わりがCRだけです）");
inline constexpr const char* OTHER_LINE_END =
    QT_TRANSLATE_NOOP("kif", "KIFﾌｧｲﾙの改行の形式が違います（行の終わりが%1です）");
inline std::string otherLineEnd(std::string_view name) {
    return arg(OTHER_LINE_END, {name});
}
// A faulty line: lineFaulty(lineNo, reason).
inline constexpr const char* LINE_FAULTY =
    QT_TRANSLATE_NOOP("kif", "KIFﾌｧｲﾙの%1行目が正しくありません（%2）");
inline std::string lineFaulty(std::size_t lineNo, std::string_view reason) {
    return arg(LINE_FAULTY, {std::to_string(lineNo), reason});
}
// Reasons a line is faulty (besides record_file:: reasons).
inline constexpr const char* HAS_POSITION = QT_TRANSLATE_NOOP(
    "kif", "局面図のある棋譜は読み込めません（平手の初めの局面から始まる棋譜だけです）");
inline constexpr const char* NOT_EVEN_GAME =
    QT_TRANSLATE_NOOP("kif", "平手の棋譜ではありません（駒落ちの棋譜は読み込めません）");
inline constexpr const char* UNREADABLE_LINE = QT_TRANSLATE_NOOP("kif", "読み取れない行です");
inline constexpr const char* MOVE_NUMBER_NOT = QT_TRANSLATE_NOOP("kif", "手数が%1ではありません");
inline std::string moveNumberNot(int expected) {
    return arg(MOVE_NUMBER_NOT, {std::to_string(expected)});
}
inline constexpr const char* TOO_MANY_MOVES = QT_TRANSLATE_NOOP("kif", "手数が%1手を超えています");
inline std::string tooManyMoves(int maxMoves) {
    return arg(TOO_MANY_MOVES, {std::to_string(maxMoves)});
}
inline constexpr const char* BAD_TIME = QT_TRANSLATE_NOOP("kif", "消費時間が正しくありません");
inline constexpr const char* TRAILING_TEXT =
    QT_TRANSLATE_NOOP("kif", "指し手の後ろに読み取れない文字があります");
inline constexpr const char* TIME_TOO_LONG = QT_TRANSLATE_NOOP("kif", "消費時間が長すぎます");
inline constexpr const char* MOVE_TIME_OVER_TOTAL =
    QT_TRANSLATE_NOOP("kif", "消費時間が合計より長くなっています");
inline constexpr const char* SAME_ON_FIRST_MOVE =
    QT_TRANSLATE_NOOP("kif", "1手目に「同」は使えません");
inline constexpr const char* NO_DESTINATION = QT_TRANSLATE_NOOP("kif", "移動先が読み取れません");
inline constexpr const char* NO_PIECE_NAME = QT_TRANSLATE_NOOP("kif", "駒の名前が読み取れません");
inline constexpr const char* KIND_NOT_DROPPABLE = QT_TRANSLATE_NOOP("kif", "その駒は打てません");
// A drop of a piece the side does not hold: notInHand(SIDE_MAN, piece name). The piece names
// are the KIF file's own and stay as they are in English.
inline constexpr const char* NOT_IN_HAND = QT_TRANSLATE_NOOP("kif", "%1の持駒に%2がありません");
inline std::string notInHand(std::string_view side, std::string_view piece) {
    return arg(NOT_IN_HAND, {side, piece});
}
inline constexpr const char* DROP_ON_PIECE =
    QT_TRANSLATE_NOOP("kif", "駒のあるところには打てません");
inline constexpr const char* DROP_NOT_ALLOWED = QT_TRANSLATE_NOOP("kif", "そこには打てません");
inline constexpr const char* NO_SOURCE = QT_TRANSLATE_NOOP("kif", "移動元が書かれていません");
inline constexpr const char* BAD_SOURCE = QT_TRANSLATE_NOOP("kif", "移動元が読み取れません");
inline constexpr const char* NO_PIECE_OF_SIDE =
    QT_TRANSLATE_NOOP("kif", "移動元に%1の駒がありません");
inline std::string noPieceOfSide(std::string_view side) {
    return arg(NO_PIECE_OF_SIDE, {side});
}
inline constexpr const char* SOURCE_IS_NOT =
    QT_TRANSLATE_NOOP("kif", "移動元の駒が%1ではありません");
inline std::string sourceIsNot(std::string_view piece) {
    return arg(SOURCE_IS_NOT, {piece});
}
inline constexpr const char* CANNOT_MOVE_THERE =
    QT_TRANSLATE_NOOP("kif", "その駒はそこへ動けません");
inline constexpr const char* CANNOT_PROMOTE_THERE = QT_TRANSLATE_NOOP("kif", "そこでは成れません");
inline constexpr const char* MUST_PROMOTE_DECLINED =
    QT_TRANSLATE_NOOP("kif", "成らずに動けない手です");
inline constexpr const char* MUST_PROMOTE = QT_TRANSLATE_NOOP("kif", "成らなければならない手です");
inline constexpr const char* BAD_EXACT_TIMES =
    QT_TRANSLATE_NOOP("kif", "記録の時間が読み取れません");
// A move line after the closing line (投了, 中断 ...) or the まで line.
inline constexpr const char* MOVE_AFTER_END =
    QT_TRANSLATE_NOOP("kif", "終局の後に指し手があります");

}  // namespace kif

// ---------------------------------------------------------------------------------------------
// Why a file could not be read or written, and what is wrong with a typed file name.
namespace file {

inline constexpr const char* TOO_LARGE = QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙが大きすぎます");
inline constexpr const char* A_FOLDER = QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙではなくﾌｫﾙﾀﾞです");
inline constexpr const char* NOT_REGULAR =
    QT_TRANSLATE_NOOP("file", "通常のﾌｧｲﾙではありません（ﾊﾟｲﾌﾟや装置は使えません）");
// A path that ends in a folder separator.
inline constexpr const char* NO_NAME = QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙ名がありません");

// Reasons by the system's error code; withSystemText adds the system's own wording.
inline constexpr const char* READ_ONLY_DISK =
    QT_TRANSLATE_NOOP("file", "書き込みが禁止されたﾃﾞｨｽｸです");
inline constexpr const char* DISK_FULL = QT_TRANSLATE_NOOP("file", "ﾃﾞｨｽｸに空きがありません");
inline constexpr const char* QUOTA_REACHED =
    QT_TRANSLATE_NOOP("file", "ﾃﾞｨｽｸの使用量が上限に達しています");
inline constexpr const char* NAME_TOO_LONG = QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙ名が長すぎます");
inline constexpr const char* NO_ACCESS = QT_TRANSLATE_NOOP("file", "ｱｸｾｽが許可されていません");
inline constexpr const char* NOT_FOUND =
    QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙまたはﾌｫﾙﾀﾞが見つかりません");
inline constexpr const char* FOLDER_OF_SAME_NAME =
    QT_TRANSLATE_NOOP("file", "同じ名前のﾌｫﾙﾀﾞがあります");
inline constexpr const char* BAD_FOLDER =
    QT_TRANSLATE_NOOP("file", "ﾌｫﾙﾀﾞの指定が正しくありません");
inline constexpr const char* FILE_OF_SAME_NAME =
    QT_TRANSLATE_NOOP("file", "同じ名前のﾌｧｲﾙがあります");
inline constexpr const char* DISK_IO_FAILED =
    QT_TRANSLATE_NOOP("file", "ﾃﾞｨｽｸの読み書きに失敗しました");
inline constexpr const char* LINK_LOOP = QT_TRANSLATE_NOOP("file", "ﾘﾝｸをたどれません");
inline constexpr const char* TOO_MANY_OPEN =
    QT_TRANSLATE_NOOP("file", "開いているﾌｧｲﾙが多すぎます");
// Also the box when a drive chosen in the record panel is not ready.
inline constexpr const char* DEVICE_NOT_READY =
    QT_TRANSLATE_NOOP("file", "ﾃﾞﾊﾞｲｽが準備できていません");
inline constexpr const char* BUSY = QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙが使用中です");
inline constexpr const char* NAME_NOT_USABLE = QT_TRANSLATE_NOOP("file", "そのﾌｧｲﾙ名は使えません");
inline constexpr const char* OUT_OF_MEMORY = QT_TRANSLATE_NOOP("file", "ﾒﾓﾘが足りません");
inline constexpr const char* OTHER_FAILURE = QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙを扱えませんでした");
inline constexpr const char* WITH_SYSTEM_TEXT = QT_TRANSLATE_NOOP("file", "%1（%2）");
inline std::string withSystemText(std::string_view reason, std::string_view systemText) {
    return arg(WITH_SYSTEM_TEXT, {reason, systemText});
}

// A name typed into the record panel.
inline constexpr const char* NAME_NOT_ENTERED =
    QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙ名が入力されていません");
inline constexpr const char* NAME_HAS_SEPARATOR =
    QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙ名に「/」や「\\」は使えません");
inline constexpr const char* NAME_HAS_CONTROLS =
    QT_TRANSLATE_NOOP("file", "ﾌｧｲﾙ名に制御文字は使えません");

}  // namespace file

// ---------------------------------------------------------------------------------------------
// The lines of the settings file. They are the file's format, not shown to the player: a
// translation keeps them, or files written before would no longer be read.
namespace settings_file {

inline constexpr const char* BACKGROUND_MIDORI = "背景画=緑";
inline constexpr const char* BACKGROUND_TATAMI = "背景画=畳";
inline constexpr const char* BACKGROUND_TAKE = "背景画=竹";
inline constexpr const char* BACKGROUND_UCHU = "背景画=宇宙";
inline constexpr const char* BACKGROUND_RENGA = "背景画=煉瓦";
inline constexpr const char* KEIKA_ON = "経過時間=ON";
inline constexpr const char* KEIKA_OFF = "経過時間=OFF";
inline constexpr const char* BGM_ON = "BGM=ON";
inline constexpr const char* BGM_OFF = "BGM=OFF";

}  // namespace settings_file

// ---------------------------------------------------------------------------------------------
// Labels and captions drawn on the window.
namespace draw {

// Handicap grades from 名人 (-10) to 12級 (10), indexed by grade + 10.
inline constexpr std::string_view HANDICAP_GRADES[21] = {
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級"), QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級"),
    QT_TRANSLATE_NOOP("draw", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級")};
// Beside the move count.
inline constexpr std::string_view MOVE_COUNT_LABEL = QT_TRANSLATE_NOOP("draw", "手目");
// Above the level number.
inline constexpr std::string_view LEVEL_LABEL = QT_TRANSLATE_NOOP("draw", "LEVEL");
// In place of the level number at the level 公正.
inline constexpr std::string_view KOUSEI_LABEL = QT_TRANSLATE_NOOP("draw", "公正");
// Above each side's miss count.
inline constexpr std::string_view MISS_LABEL_COM = QT_TRANSLATE_NOOP("draw", "COMミス");
inline constexpr std::string_view MISS_LABEL_MAN = QT_TRANSLATE_NOOP("draw", "MANミス");
// Beside the computer's hand while it chooses its move.
inline constexpr std::string_view THINKING = QT_TRANSLATE_NOOP("draw", "思考中");
// The piece of the computer's last move while its pieces are hidden.
inline constexpr std::string_view HIDDEN_PIECE = "？？";
// Ends a record header cut to fit.
inline constexpr std::string_view ELLIPSIS = "…";

// Move notation is shogi's own and reads the same in every language: it is not translated.
// Column digits 1..9 (index 0 empty), row numerals 1..9, as shown for a move.
inline constexpr std::string_view DIGITS[10] = {"",   "１", "２", "３", "４",
                                                "５", "６", "７", "８", "９"};
inline constexpr std::string_view NUMERALS[10] = {"",   "一", "二", "三", "四",
                                                  "五", "六", "七", "八", "九"};
// Piece names as shown for a move.
inline constexpr std::string_view PIECE_HU = "歩";
inline constexpr std::string_view PIECE_TO = "と";
inline constexpr std::string_view PIECE_KYO = "香";
inline constexpr std::string_view PIECE_KYO_PROMOTED = "香成";
inline constexpr std::string_view PIECE_KEI = "桂";
inline constexpr std::string_view PIECE_KEI_PROMOTED = "桂成";
inline constexpr std::string_view PIECE_GIN = "銀";
inline constexpr std::string_view PIECE_GIN_PROMOTED = "銀成";
inline constexpr std::string_view PIECE_KIN = "金";
inline constexpr std::string_view PIECE_KAKU = "角";
inline constexpr std::string_view PIECE_KAKU_PROMOTED = "角成";
inline constexpr std::string_view PIECE_HI = "飛";
inline constexpr std::string_view PIECE_HI_PROMOTED = "飛成";
inline constexpr std::string_view PIECE_OU = "王";

}  // namespace draw

// ---------------------------------------------------------------------------------------------
// The status line below the board: whose turn, the computer thinking, the referee's last word,
// the result.
namespace status {
inline constexpr const char* YOUR_TURN = QT_TRANSLATE_NOOP("status", "あなたの番です");
inline constexpr const char* COM_THINKING = QT_TRANSLATE_NOOP("status", "ｺﾝﾋﾟｭｰﾀの番です　思考中…");
inline constexpr const char* CHECK = QT_TRANSLATE_NOOP("status", "王手！");
inline constexpr const char* COM_DROPPED = QT_TRANSLATE_NOOP("status", "ｺﾝﾋﾟｭｰﾀが持駒を打ちました");
inline constexpr const char* MISS_COM = QT_TRANSLATE_NOOP("status", "COMのミス");
inline constexpr const char* MISS_MAN = QT_TRANSLATE_NOOP("status", "MANのミス");
inline constexpr const char* REFUSED = QT_TRANSLATE_NOOP("status", "そこへは指せません");
inline constexpr const char* RESIGNED = QT_TRANSLATE_NOOP("status", "投了");
// Between the turns of two people at this screen: the board is covered until the side to move
// is at the screen.
inline constexpr const char* SENTE_AT_SCREEN =
    QT_TRANSLATE_NOOP("status", "先手の番です。クリックして始めてください");
inline constexpr const char* GOTE_AT_SCREEN =
    QT_TRANSLATE_NOOP("status", "後手の番です。クリックして始めてください");
inline constexpr const char* RECORD_FULL =
    QT_TRANSLATE_NOOP("status", "500手に達したので終わりました");
// An announcement and what follows it: "王手！　あなたの番です" (the two joined by SEPARATOR).
inline constexpr const char* SEPARATOR = "　";
inline constexpr const char* AND_THEN = QT_TRANSLATE_NOOP("status", "%1　%2");
inline std::string andThen(std::string_view first, std::string_view next) {
    return arg(AND_THEN, {first, next});
}
// A miss by its kind: "MANのミス（COM駒を飛び越えました）".
inline constexpr const char* MISS_OF_KIND = QT_TRANSLATE_NOOP("status", "%1（%2）");
inline std::string miss(std::string_view who, std::string_view detail) {
    if (detail.empty()) return std::string(who);
    return arg(MISS_OF_KIND, {who, detail});
}
// A hint: the move proposed, "ﾋﾝﾄ：７六歩".
inline constexpr const char* HINT = QT_TRANSLATE_NOOP("status", "ﾋﾝﾄ：%1");
inline std::string hint(std::string_view move) {
    return arg(HINT, {move});
}
// The result at the end of a game.
inline constexpr const char* RESULT = QT_TRANSLATE_NOOP("status", "終局　%1の勝ちです");
inline std::string result(std::string_view winner) {
    return arg(RESULT, {winner});
}
}  // namespace status

// ---------------------------------------------------------------------------------------------
// The move list beside the board.
namespace movelist {

// The first line: the position before the first move.
inline constexpr std::string_view START = QT_TRANSLATE_NOOP("movelist", "開始局面");
// The last line of a game given up.
inline constexpr std::string_view RESIGNED = QT_TRANSLATE_NOOP("movelist", "投了");
// Before a move of the first player and of the second.
inline constexpr std::string_view SENTE_MARK = "▲";
inline constexpr std::string_view GOTE_MARK = "△";
// After a move that could have promoted and did not.
inline constexpr std::string_view NOT_PROMOTED = "不成";
// After the destination of a computer's drop while its pieces are hidden (the drop itself is
// announced).
inline constexpr std::string_view DROP = "打";
// A side's misses before its move: how many, and the side's total so far.
inline constexpr const char* MISSES_MAN =
    QT_TRANSLATE_NOOP("movelist", "MANのミス %1回（通算%2回）");
inline constexpr const char* MISSES_COM =
    QT_TRANSLATE_NOOP("movelist", "COMのミス（反則） %1回（通算%2回）");
inline std::string missLine(bool computer, int count, int total) {
    return arg(computer ? MISSES_COM : MISSES_MAN, {std::to_string(count), std::to_string(total)});
}
// Above the moves of a game in which 一時表示 showed the computer's pieces.
inline constexpr const char* COM_PIECES_SHOWN =
    QT_TRANSLATE_NOOP("movelist", "一時表示でCOMの駒を見ました");
}  // namespace movelist

// ---------------------------------------------------------------------------------------------
// The palette of guess markers (Shift and a click on a square).
namespace markers {

// The kinds in the order of the palette: 玉 飛 角 金 銀 桂 香 歩.
inline constexpr const char* KIND_NAMES[8] = {
    QT_TRANSLATE_NOOP("markers", "玉"), QT_TRANSLATE_NOOP("markers", "飛"),
    QT_TRANSLATE_NOOP("markers", "角"), QT_TRANSLATE_NOOP("markers", "金"),
    QT_TRANSLATE_NOOP("markers", "銀"), QT_TRANSLATE_NOOP("markers", "桂"),
    QT_TRANSLATE_NOOP("markers", "香"), QT_TRANSLATE_NOOP("markers", "歩")};
// Removes the square's marker.
inline constexpr const char* REMOVE = QT_TRANSLATE_NOOP("markers", "消す");

}  // namespace markers

// ---------------------------------------------------------------------------------------------
// A game over the network: the boxes to create and join one, and what the window says of it.
namespace net {

inline constexpr const char* TITLE = QT_TRANSLATE_NOOP("net", "ﾈｯﾄ対局");
inline constexpr const char* SERVER = QT_TRANSLATE_NOOP("net", "サーバー");
inline constexpr const char* SIDE = QT_TRANSLATE_NOOP("net", "手番");
inline constexpr const char* SIDE_SENTE = QT_TRANSLATE_NOOP("net", "先手");
inline constexpr const char* SIDE_GOTE = QT_TRANSLATE_NOOP("net", "後手");
inline constexpr const char* SIDE_RANDOM = QT_TRANSLATE_NOOP("net", "ﾗﾝﾀﾞﾑ");
// How long a seat may be gone before the other side may claim the game.
inline constexpr const char* ABANDON = QT_TRANSLATE_NOOP("net", "切断から勝ちまで（秒）");
inline constexpr const char* CODE = QT_TRANSLATE_NOOP("net", "参加ｺｰﾄﾞ");
inline constexpr const char* CONNECTING = QT_TRANSLATE_NOOP("net", "サーバーに接続しています…");
inline constexpr const char* WAITING =
    QT_TRANSLATE_NOOP("net", "相手の参加を待っています　参加ｺｰﾄﾞ：%1");
inline std::string waiting(std::string_view code) {
    return arg(WAITING, {code});
}
inline constexpr const char* OPPONENT_THINKING = QT_TRANSLATE_NOOP("net", "相手の番です　思考中…");
inline constexpr const char* OPPONENT_GONE = QT_TRANSLATE_NOOP("net", "相手の接続が切れています");
inline constexpr const char* RECONNECTING =
    QT_TRANSLATE_NOOP("net", "接続が切れました　再接続しています…");
inline constexpr const char* OPPONENT_DROPPED = QT_TRANSLATE_NOOP("net", "相手が持駒を打ちました");
// The winner's name in winnerIs.
inline constexpr const char* WINNER_OPPONENT = QT_TRANSLATE_NOOP("net", "相手");
inline constexpr const char* LOST = QT_TRANSLATE_NOOP("net", "サーバーとの接続が切れました\r\r%1");
inline std::string lost(std::string_view why) {
    return arg(LOST, {why});
}
inline constexpr const char* SERVER_SAYS = QT_TRANSLATE_NOOP("net", "サーバーの返事：%1");
inline std::string serverSays(std::string_view reason) {
    return arg(SERVER_SAYS, {reason});
}
inline constexpr const char* NOT_DURING = QT_TRANSLATE_NOOP("net", "ﾈｯﾄ対局中はできません");
inline constexpr const char* LEAVE_QUESTION = QT_TRANSLATE_NOOP("net", "ﾈｯﾄ対局を離れますか？");
inline constexpr const char* BAD_ADDRESS =
    QT_TRANSLATE_NOOP("net", "サーバーのアドレスが正しくありません：%1");
inline std::string badAddress(std::string_view address) {
    return arg(BAD_ADDRESS, {address});
}
inline constexpr const char* BAD_CODE = QT_TRANSLATE_NOOP("net", "参加ｺｰﾄﾞを入れてください");

}  // namespace net

// ---------------------------------------------------------------------------------------------
// Captions of the menu bar, by the menu or item they name.
namespace menu {

inline constexpr const char* TAIKYOKU = QT_TRANSLATE_NOOP("menu", "対局");
inline constexpr const char* START = QT_TRANSLATE_NOOP("menu", "対局");
inline constexpr const char* SENTE = QT_TRANSLATE_NOOP("menu", "先手");
inline constexpr const char* GOTE = QT_TRANSLATE_NOOP("menu", "後手");
inline constexpr const char* LEVEL = QT_TRANSLATE_NOOP("menu", "COM対局ﾚﾍﾞﾙ");
inline constexpr const char* LEVEL1 = QT_TRANSLATE_NOOP("menu", "LEVEL1");
inline constexpr const char* LEVEL2 = QT_TRANSLATE_NOOP("menu", "LEVEL2");
inline constexpr const char* LEVEL3 = QT_TRANSLATE_NOOP("menu", "LEVEL3");
// The computer sees only its own side of the screen, as the human does.
inline constexpr const char* KOUSEI = QT_TRANSLATE_NOOP("menu", "公正");
// Two people at this screen, taking turns.
inline constexpr const char* FUTARI = QT_TRANSLATE_NOOP("menu", "二人対局");
// A game with a person elsewhere, refereed by a game server: create one or join one.
inline constexpr const char* NET = QT_TRANSLATE_NOOP("menu", "ﾈｯﾄ対局");
inline constexpr const char* NET_CREATE = QT_TRANSLATE_NOOP("menu", "作る");
inline constexpr const char* NET_JOIN = QT_TRANSLATE_NOOP("menu", "参加");
// The side to move gives the game up.
inline constexpr const char* TOURYOU = QT_TRANSLATE_NOOP("menu", "投了");
// A move proposed for the human from what the human's side shows.
inline constexpr const char* HINT = QT_TRANSLATE_NOOP("menu", "ﾋﾝﾄ");
inline constexpr const char* OWARI = QT_TRANSLATE_NOOP("menu", "終わり");
inline constexpr const char* STOP = QT_TRANSLATE_NOOP("menu", "局面");
inline constexpr const char* REPLAY = QT_TRANSLATE_NOOP("menu", "戻");
inline constexpr const char* AFTER = QT_TRANSLATE_NOOP("menu", "進");
inline constexpr const char* REVERSE = QT_TRANSLATE_NOOP("menu", "反転");
inline constexpr const char* ICHIJI = QT_TRANSLATE_NOOP("menu", "一時表示");
inline constexpr const char* CANCEL = QT_TRANSLATE_NOOP("menu", "最初");
inline constexpr const char* MOVE_LIST = QT_TRANSLATE_NOOP("menu", "指し手一覧");
// The next click on a square opens the palette of guess markers there.
inline constexpr const char* MARKER = QT_TRANSLATE_NOOP("menu", "予想駒を置く");
inline constexpr const char* KIFU = QT_TRANSLATE_NOOP("menu", "棋譜");
inline constexpr const char* KIFU_WRITE = QT_TRANSLATE_NOOP("menu", "書込");
inline constexpr const char* KIFU_READ = QT_TRANSLATE_NOOP("menu", "読込");
inline constexpr const char* KIF_WRITE = QT_TRANSLATE_NOOP("menu", "KIF書込");
inline constexpr const char* KIF_READ = QT_TRANSLATE_NOOP("menu", "KIF読込");
inline constexpr const char* OPTION = QT_TRANSLATE_NOOP("menu", "ｵﾌﾟｼｮﾝ");
inline constexpr const char* HAIKEI_GA = QT_TRANSLATE_NOOP("menu", "背景画");
inline constexpr const char* MIDORI = QT_TRANSLATE_NOOP("menu", "緑");
inline constexpr const char* TATAMI = QT_TRANSLATE_NOOP("menu", "畳");
inline constexpr const char* TAKE = QT_TRANSLATE_NOOP("menu", "竹");
inline constexpr const char* UCHU = QT_TRANSLATE_NOOP("menu", "宇宙");
inline constexpr const char* RENGA = QT_TRANSLATE_NOOP("menu", "煉瓦");
inline constexpr const char* KEIKA = QT_TRANSLATE_NOOP("menu", "経過時間");
inline constexpr const char* BGM = QT_TRANSLATE_NOOP("menu", "BGM");
inline constexpr const char* VER = QT_TRANSLATE_NOOP("menu", "その他");

}  // namespace menu

// ---------------------------------------------------------------------------------------------
// The language menu: the two languages are named in their own tongue, whichever is shown.
namespace language {

inline constexpr const char* MENU = QT_TRANSLATE_NOOP("language", "言語");
inline constexpr const char* JAPANESE = QT_TRANSLATE_NOOP("language", "日本語");
inline constexpr const char* ENGLISH = QT_TRANSLATE_NOOP("language", "English");

}  // namespace language

// ---------------------------------------------------------------------------------------------
// The help window: its menu, its title and the page on how to play, one paragraph a text.
namespace help {

inline constexpr const char* MENU = QT_TRANSLATE_NOOP("help", "ﾍﾙﾌﾟ");
inline constexpr const char* HOW_TO_PLAY = QT_TRANSLATE_NOOP("help", "遊び方");
inline constexpr const char* TITLE = QT_TRANSLATE_NOOP("help", "ついたて将棋の遊び方");

inline constexpr const char* SCREEN_HEADING = QT_TRANSLATE_NOOP("help", "ついたて");
inline constexpr const char* SCREEN = QT_TRANSLATE_NOOP(
    "help",
    "ついたて将棋は、盤の真ん中についたてを立てて指す将棋です。あなたには自分の駒しか見えず、"
    "コンピュータ（COM）の駒は見えません。分かるのは、COMの持駒の数と、COMが指した先の桝"
    "（駒は「？？」）だけです。駒の動き、成り、持駒の打ち方は普通の将棋と同じで、見えないCOMの"
    "駒がいる桝に指せば、その駒を取ります。");
inline constexpr const char* REFEREE_HEADING = QT_TRANSLATE_NOOP("help", "審判");
inline constexpr const char* REFEREE = QT_TRANSLATE_NOOP(
    "help",
    "このプログラムが審判です。審判だけが本当の盤を見ていて、王手、ミス、COMが持駒を使ったこと"
    "を知らせます。そのほかにCOMの駒を知る手立ては、局面 → 一時表示でCOMの駒を見ることだけです。"
    "一時表示を使った対局は、KIFの棋譜と指し手一覧にそう書かれます。");
inline constexpr const char* MISSES_HEADING = QT_TRANSLATE_NOOP("help", "三つのミス");
inline constexpr const char* MISSES = QT_TRANSLATE_NOOP(
    "help",
    "自分の側から見て指せる手でも、本当の盤では指せないことがあります。それがミスです。"
    "審判はその手を認めず、ミスを一つ数えます。あなたはもう一度指します。"
    "図の薄い駒は、あなたには見えないCOMの駒です。");
inline constexpr const char* MISS_JUMPED =
    QT_TRANSLATE_NOOP("help", "飛び越え: 飛・角・香が、見えないCOMの駒を飛び越えようとしました。");
inline constexpr const char* MISS_DROPPED_ON = QT_TRANSLATE_NOOP(
    "help", "駒の上に張り駒: 持駒を、見えないCOMの駒がいる桝に打とうとしました。");
inline constexpr const char* MISS_KING_EXPOSED = QT_TRANSLATE_NOOP(
    "help", "王手になる手: 指した後のあなたの王に、見えないCOMの駒が利いています。");
inline constexpr const char* TENTH_HEADING = QT_TRANSLATE_NOOP("help", "十回目のミス");
inline constexpr const char* TENTH =
    QT_TRANSLATE_NOOP("help",
                      "ミスの回数は盤の横に出ます。九回までは許されますが、十回目のミスで負けです。"
                      "COMも同じで、COMが十回ミスをすればあなたの勝ちです。");
inline constexpr const char* LEVELS_HEADING = QT_TRANSLATE_NOOP("help", "COM対局ﾚﾍﾞﾙ");
inline constexpr const char* LEVELS = QT_TRANSLATE_NOOP(
    "help",
    "ﾚﾍﾞﾙが変えるのは、COMがミスをする多さだけです。LEVEL1のCOMはよくミスをし、"
    "LEVEL2では時々、LEVEL3では決してミスをしません。読みの強さはどのﾚﾍﾞﾙも同じです。");
inline constexpr const char* LEVEL_KOUSEI = QT_TRANSLATE_NOOP(
    "help",
    "公正のCOMは、あなたと同じく自分の側しか見えません。あなたの駒の場所を推し量って指すので、"
    "本当のミスをします。わざとミスをすることはありません。");
inline constexpr const char* RESIGN =
    QT_TRANSLATE_NOOP("help", "対局 → 投了で、負けを認めて対局を終えることができます。");
inline constexpr const char* TWO_PLAYERS_HEADING = QT_TRANSLATE_NOOP("help", "二人対局");
inline constexpr const char* TWO_PLAYERS = QT_TRANSLATE_NOOP(
    "help",
    "対局 → 対局 → "
    "二人対局では、二人がこの画面で交互に指します。手番の人は盤の下側から自分の駒だけを"
    "見て指し、指し終わると幕が下ります。次の人がクリックすると、その人の側が現れます。");
inline constexpr const char* NET_HEADING = QT_TRANSLATE_NOOP("help", "ﾈｯﾄ対局");
inline constexpr const char* NET = QT_TRANSLATE_NOOP(
    "help",
    "対局 → ﾈｯﾄ対局 → 作るで、対局サーバーに対局を作ります。表示される参加ｺｰﾄﾞを相手に"
    "伝えてください。相手は参加でサーバーのアドレスとｺｰﾄﾞを入れて加わります。COMとの対局と"
    "同じく、自分の駒だけが見えます。対局が終わると、相手の駒と棋譜のすべてが届きます。");
inline constexpr const char* KEYS_HEADING = QT_TRANSLATE_NOOP("help", "マウスとキー");
// Each key or button and what it does.
inline constexpr const char* KEY_MOUSE = QT_TRANSLATE_NOOP("help", "左クリック");
inline constexpr const char* KEY_MOUSE_DOES =
    QT_TRANSLATE_NOOP("help", "駒を選び、行き先の桝で指します");
inline constexpr const char* KEY_RIGHT_MOUSE = QT_TRANSLATE_NOOP("help", "右クリック");
inline constexpr const char* KEY_RIGHT_MOUSE_DOES =
    QT_TRANSLATE_NOOP("help", "行き先の桝で成って指します");
inline constexpr const char* KEY_ARROWS = QT_TRANSLATE_NOOP("help", "矢印キー");
inline constexpr const char* KEY_ARROWS_DOES =
    QT_TRANSLATE_NOOP("help", "対局中、盤と持駒の上でカーソルを動かします");
inline constexpr const char* KEY_SPACE_DOES =
    QT_TRANSLATE_NOOP("help", "カーソルの駒を選び、もう一度押すとそこへ指します");
inline constexpr const char* KEY_SHIFT_ENTER_DOES = QT_TRANSLATE_NOOP("help", "成って指します");
inline constexpr const char* KEY_LEFT_RIGHT_DOES =
    QT_TRANSLATE_NOOP("help", "棋譜を一手戻す・進める（戻・進と同じ）");
inline constexpr const char* KEY_HOME_END_DOES =
    QT_TRANSLATE_NOOP("help", "棋譜の最初・最後へ行きます");
inline constexpr const char* KEY_SAVE_DOES =
    QT_TRANSLATE_NOOP("help", "棋譜を書き込みます（書込）");
inline constexpr const char* KEY_OPEN_DOES =
    QT_TRANSLATE_NOOP("help", "棋譜を読み込みます（読込）");
inline constexpr const char* KEY_HINT_DOES =
    QT_TRANSLATE_NOOP("help", "あなたの番に、あなたの側から見た一手を示します（ﾋﾝﾄ）");
inline constexpr const char* KEY_HELP_DOES = QT_TRANSLATE_NOOP("help", "この遊び方を開きます");
inline constexpr const char* KEY_NEW_FIRST_DOES =
    QT_TRANSLATE_NOOP("help", "先手で新しい対局を始めます");
inline constexpr const char* KEY_NEW_SECOND_DOES =
    QT_TRANSLATE_NOOP("help", "後手で新しい対局を始めます");
inline constexpr const char* KEY_MENU_DOES =
    QT_TRANSLATE_NOOP("help", "メニューを開きます（Altと下線の文字でも開きます）");
inline constexpr const char* KEY_MARKER_DOES =
    QT_TRANSLATE_NOOP("help", "カーソルの桝に置く予想駒を選びます（Deleteで取ります）");

}  // namespace help

}  // namespace velk::texts
