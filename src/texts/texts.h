// Every text the game shows or writes, in one place, grouped by where it appears.
//
// Fixed texts are constants; a text built from parts is a small function, so that the parts
// can be reordered without touching the code that shows it. Nothing here includes the game's
// own headers: every layer may use the catalogue.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velk::texts {

// ---------------------------------------------------------------------------------------------
// Message boxes of the match: each pair is a box's text and its title.
namespace match {

// Closing the window with unsaved moves.
inline constexpr const char* QUIT_QUESTION = "終わりますか？";
inline constexpr const char* QUIT_TITLE = "終わり";
// 最初 with unsaved moves.
inline constexpr const char* RESET_QUESTION = "最初からやり直しますか？";
inline constexpr const char* RESET_TITLE = "最初";
// Put before QUIT_QUESTION, RESET_QUESTION or record::READ_QUESTION when unsaved moves would be
// lost.
inline std::string unsavedMovesQuestion(std::string_view question) {
    return std::string("保存していない手があります\r\r").append(question);
}

// A click on the board while a record is read: asks to step on with 進 (also shown after
// reading a record, under record::TITLE).
inline constexpr const char* STEP_WITH_AFTER = "棋譜を '進 'で進めて下さい";
inline constexpr const char* STEP_WITH_AFTER_TITLE = "棋譜";
// A click on the board before any game.
inline constexpr const char* START_WITH_GAME_MENU = "「対局」で始めて下さい";
inline constexpr const char* START_TITLE = "開始";
// A click on the board while play is interrupted by stepping through the record.
inline constexpr const char* NO_RESUME_WITHOUT_KINGS = "王のいない局面からは再開できません";
inline constexpr const char* RESUME = "OKですか？";
inline constexpr const char* RESUME_TITLE = "再開";
// 先手 or 後手 on a position without both kings.
inline constexpr const char* NO_GAME_WITHOUT_KINGS = "王のいない局面では対局できません";
inline constexpr const char* NO_GAME_TITLE = "対局";
// 先手 chosen: the human moves first.
inline constexpr const char* YOUR_TURN = "あなたの番です";
inline constexpr const char* YOUR_TURN_TITLE = " ";
// A move that must promote was made with another button than the right one.
inline constexpr const char* PROMOTE_WITH_RIGHT = "マウスの右をクリックして下さい";
inline constexpr const char* PROMOTE_TITLE = "成り";

// The winner's names in winnerIs: the human by mate or capture of the king, or because the
// computer has no move.
inline constexpr const char* WINNER_YOU = "あなた";
// The computer, when the human has made too many misses.
inline constexpr const char* WINNER_COM_ON_MISSES = "ＣＯＭ";
// The human, when the computer has made too many misses.
inline constexpr const char* WINNER_MAN_ON_MISSES = "ＭＡＮ";
// The computer by mate or capture of the king.
inline constexpr const char* WINNER_COMPUTER = "ｺﾝﾋﾟｭｰﾀ";
inline std::string winnerIs(std::string_view name) {
    return std::string(name).append("の勝ちです");
}
inline constexpr const char* END_TITLE = "終了";
// The game has filled the record (under END_TITLE).
inline constexpr const char* RECORD_FULL =
    "500手に達しました\r\r棋譜に残せないので対局を終わります";
// After the end of a game: Yes starts again, No ends the program.
inline constexpr const char* ANOTHER_GAME = "続けますか？";
inline constexpr const char* ANOTHER_GAME_TITLE = "再ゲーム";

// A miss of either side: missReport(header, reason) under FOUL_TITLE.
inline constexpr const char* MISS_HEADER_COM = "  ** COMのミス! **\r\r";
inline constexpr const char* MISS_HEADER_MAN = "  ** MANのミス! **\r\r";
// A ranging move passed over a hidden piece.
inline constexpr const char* MISS_JUMPED = "COM駒を飛び越えました";
// A drop on a square with a hidden piece.
inline constexpr const char* MISS_DROPPED_ON = "COM駒の上に張り駒しました";
// The computer's move left its king in check.
inline constexpr const char* MISS_COM_KING_EXPOSED = "MANの王手ですね";
// The human's move left the king in check.
inline constexpr const char* MISS_MAN_KING_EXPOSED = "COMの王手になります";
inline std::string missReport(std::string_view header, std::string_view reason) {
    return std::string(header).append(reason);
}
inline constexpr const char* FOUL_TITLE = "反則";

// After the computer's move: it thinks the human is mated, the human is in check, it dropped.
inline constexpr const char* COM_SEES_MATE = "よし！!";
inline constexpr const char* COM_SEES_MATE_TITLE = "詰め ?";
inline constexpr const char* CHECK = "   ** 王手 **";
inline constexpr const char* CHECK_TITLE = "";
inline constexpr const char* COM_DROPPED = "持駒を使いました";
inline constexpr const char* COM_DROPPED_TITLE = "張り駒";

// 戻 and 進 where the record allows no step, and 進 at the end of a record being read.
inline constexpr const char* CANNOT = "できません";
inline constexpr const char* BACK_TITLE = "戻る";
inline constexpr const char* FORWARD_TITLE = "進む";
inline constexpr const char* RECORD_END = "終わり";
// 反転 while a record is read.
inline constexpr const char* NO_REVERSE_IN_RECORD = "棋譜ﾓｰﾄﾞではできません";
inline constexpr const char* REVERSE_TITLE = "反転";

// The settings file could not be written (once a run).
inline std::string settingsNotSaved(std::string_view fileName, std::string_view reason) {
    return std::string("設定ﾌｧｲﾙ「")
        .append(fileName)
        .append("」に書き込めません\n")
        .append(reason)
        .append("\n\nｵﾌﾟｼｮﾝの設定は終了するまで有効ですが、次回には残りません");
}
inline constexpr const char* SETTINGS_TITLE = "ｵﾌﾟｼｮﾝ";
// The information box of その他.
inline std::string about(std::string_view version) {
    return std::string("Velkついたて将棋\nバージョン ")
        .append(version)
        .append(
            "\n\nついたて将棋（衝立将棋）: 相手の駒が見えない将棋です。\n"
            "ライセンス: MIT License");
}
inline constexpr const char* ABOUT_TITLE = "その他";
// Title of the warnings about sound.
inline constexpr const char* SOUND_TITLE = "Velkついたて将棋.dll";
inline constexpr const char* NO_SOUND_DEVICE = "Direct Soundインターフェースが作成できません。";

}  // namespace match

// ---------------------------------------------------------------------------------------------
// The 棋譜 menu and the record panel: boxes and the panel's labels.
namespace record {

// 書込 is refused after 反転 or a handicap.
inline constexpr const char* NO_WRITE_AFTER_REVERSE = "反転後は書き込みできません";
inline constexpr const char* NO_WRITE_AFTER_HANDICAP = "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません";
inline constexpr const char* WRITE_TITLE = "棋譜書込";
// Title of the boxes about the name typed into the panel, and of the box after a write.
inline constexpr const char* NAME_TITLE = "  ";
// The typed name and the extension exceed the file system's limit; room is in bytes.
inline std::string nameTooLong(std::size_t roomLatin, std::size_t roomKana) {
    return "ﾌｧｲﾙ名が長すぎます\n（英数字なら" + std::to_string(roomLatin) + "文字、かなや漢字なら" +
           std::to_string(roomKana) + "文字までです）";
}
inline constexpr const char* NOTHING_TO_SAVE = "保存するデータがありません";
inline constexpr const char* SAVE_TITLE = "棋譜保存";
inline std::string overwriteQuestion(std::string_view fileName) {
    return std::string("「").append(fileName).append("」は既にあります。\n上書きしますか？");
}
inline std::string notWritten(std::string_view reason) {
    return std::string("棋譜を書き込めませんでした\n").append(reason);
}
inline constexpr const char* WRITTEN = "棋譜を書き込みました";

// Reading a record file (all under TITLE).
inline constexpr const char* TITLE = "棋譜";
inline std::string notRead(std::string_view reason) {
    return std::string("棋譜ﾌｧｲﾙを読み込めませんでした\n").append(reason);
}
inline constexpr const char* NO_MOVES = "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません";
// A record is about to replace a game with unsaved moves.
inline constexpr const char* READ_QUESTION = "棋譜を読み込みますか？";
inline constexpr const char* READ_DONE = " 読み込みました";
// A drive chosen in the panel is not ready (text file::DEVICE_NOT_READY).
inline constexpr const char* DRIVE_TITLE = "ｴﾗｰ";

// Labels of the panel's four fields: file name, title, first and second player.
inline constexpr const char* PANEL_LABELS[4] = {"ﾌｧｲﾙ名 ：", "対 局 名：", "先    手 ：",
                                                "後    手 ："};

}  // namespace record

// ---------------------------------------------------------------------------------------------
// Why a record could not be written or read: the reasons of the record file's reader and writer.
namespace record_file {

// The three header lines, as named in the reasons.
inline constexpr const char* HEADER_NAMES[3] = {"対局名", "上側の対局者名", "下側の対局者名"};
// The header's length limit as the player counts: a kanji or kana takes two bytes in the file.
inline constexpr const char* HEADER_LIMIT = "半角256文字、全角128文字まで";
inline std::string headerUnwritable(std::string_view header) {
    return std::string(header).append("に書き込めない文字があります");
}
inline std::string headerHasControls(std::string_view header) {
    return std::string(header).append("に制御文字は使えません");
}
inline std::string headerTooLong(std::string_view header) {
    return std::string(header).append("が長すぎます（").append(HEADER_LIMIT).append("）");
}

// A record entry that cannot be written or read back: moveFaulty(n, reason).
inline std::string moveFaulty(int n, std::string_view reason) {
    return std::to_string(n) + "手目のﾃﾞｰﾀが正しくありません（" + std::string(reason) + "）";
}
inline constexpr const char* BAD_MOVE_COUNT = "手数が正しくありません";
// Reasons an entry is malformed in itself.
inline constexpr const char* TO_OFF_BOARD = "移動先が盤の外です";
inline constexpr const char* NO_HAND_SLOT = "移動元の持駒の欄がありません";
inline constexpr const char* FROM_OFF_BOARD = "移動元が盤の外です";
inline constexpr const char* TO_IS_FROM = "移動先が移動元と同じです";
inline constexpr const char* BAD_PIECE_CODE = "駒の番号が正しくありません";
inline constexpr const char* SIDES_DISAGREE = "駒の番号が先手と後手で食い違っています";
inline constexpr const char* BAD_DROP = "持駒の打ち方が正しくありません";
inline constexpr const char* DROP_CAPTURES =
    "持駒の打ち方が正しくありません（打って駒は取れません）";
inline constexpr const char* BAD_PROMOTION = "成りの組み合わせが正しくありません";
inline constexpr const char* BAD_CAPTURE = "取った駒が正しくありません";
// Reasons an entry does not follow from the position before it.
inline constexpr const char* BAD_SQUARE = "駒の位置が正しくありません";
inline constexpr const char* NOT_IN_HAND = "持駒がありません";
inline constexpr const char* FROM_EMPTY = "移動元に駒がありません";
inline constexpr const char* TO_MISMATCH = "移動先の駒が合いません";

// Faults of the whole file.
inline constexpr const char* FILE_TOO_LARGE = "棋譜ﾌｧｲﾙが大きすぎます";
inline constexpr const char* NOT_TEXT =
    "棋譜ﾌｧｲﾙの中に文字でないﾃﾞｰﾀがあります（棋譜ﾌｧｲﾙではないようです）";
inline constexpr const char* LONE_CR = "棋譜ﾌｧｲﾙの改行の形式が違います（行の終わりがCRだけです）";
inline std::string tooManyMoves(int maxMoves) {
    return "棋譜ﾌｧｲﾙの手数が" + std::to_string(maxMoves) + "手を超えています";
}
inline std::string lineMissing(std::size_t lineNo) {
    return "棋譜ﾌｧｲﾙの" + std::to_string(lineNo) + "行目がありません";
}
// A faulty line: lineFaulty(lineNo, reason).
inline std::string lineFaulty(std::size_t lineNo, std::string_view reason) {
    return "棋譜ﾌｧｲﾙの" + std::to_string(lineNo) + "行目が正しくありません（" +
           std::string(reason) + "）";
}
// Reasons a line is faulty.
inline constexpr const char* CONTROL_CHARACTERS = "文字でない記号（制御文字）が入っています";
inline constexpr const char* NOT_SHIFT_JIS = "文字ｺｰﾄﾞがShift-JISではありません";
inline constexpr const char* EMPTY_MOVE_LINE = "指し手の行が空です";
inline std::string moveLineLength(std::size_t expected, std::size_t actual) {
    return "指し手の行は" + std::to_string(expected) + "文字のところ、" + std::to_string(actual) +
           "文字あります";
}
inline constexpr const char* BAD_FIELD = "数字でない欄か空の欄があります";
inline constexpr const char* NEGATIVE_TIME = "時間がﾏｲﾅｽです";

}  // namespace record_file

// ---------------------------------------------------------------------------------------------
// Why a file could not be read or written, and what is wrong with a typed file name.
namespace file {

inline constexpr const char* TOO_LARGE = "ﾌｧｲﾙが大きすぎます";
inline constexpr const char* A_FOLDER = "ﾌｧｲﾙではなくﾌｫﾙﾀﾞです";
inline constexpr const char* NOT_REGULAR = "通常のﾌｧｲﾙではありません（ﾊﾟｲﾌﾟや装置は使えません）";
// A path that ends in a folder separator.
inline constexpr const char* NO_NAME = "ﾌｧｲﾙ名がありません";

// Reasons by the system's error code; withSystemText adds the system's own wording.
inline constexpr const char* READ_ONLY_DISK = "書き込みが禁止されたﾃﾞｨｽｸです";
inline constexpr const char* DISK_FULL = "ﾃﾞｨｽｸに空きがありません";
inline constexpr const char* QUOTA_REACHED = "ﾃﾞｨｽｸの使用量が上限に達しています";
inline constexpr const char* NAME_TOO_LONG = "ﾌｧｲﾙ名が長すぎます";
inline constexpr const char* NO_ACCESS = "ｱｸｾｽが許可されていません";
inline constexpr const char* NOT_FOUND = "ﾌｧｲﾙまたはﾌｫﾙﾀﾞが見つかりません";
inline constexpr const char* FOLDER_OF_SAME_NAME = "同じ名前のﾌｫﾙﾀﾞがあります";
inline constexpr const char* BAD_FOLDER = "ﾌｫﾙﾀﾞの指定が正しくありません";
inline constexpr const char* FILE_OF_SAME_NAME = "同じ名前のﾌｧｲﾙがあります";
inline constexpr const char* DISK_IO_FAILED = "ﾃﾞｨｽｸの読み書きに失敗しました";
inline constexpr const char* LINK_LOOP = "ﾘﾝｸをたどれません";
inline constexpr const char* TOO_MANY_OPEN = "開いているﾌｧｲﾙが多すぎます";
// Also the box when a drive chosen in the record panel is not ready.
inline constexpr const char* DEVICE_NOT_READY = "ﾃﾞﾊﾞｲｽが準備できていません";
inline constexpr const char* BUSY = "ﾌｧｲﾙが使用中です";
inline constexpr const char* NAME_NOT_USABLE = "そのﾌｧｲﾙ名は使えません";
inline constexpr const char* OUT_OF_MEMORY = "ﾒﾓﾘが足りません";
inline constexpr const char* OTHER_FAILURE = "ﾌｧｲﾙを扱えませんでした";
inline std::string withSystemText(std::string_view reason, std::string_view systemText) {
    return std::string(reason).append("（").append(systemText).append("）");
}

// A name typed into the record panel.
inline constexpr const char* NAME_NOT_ENTERED = "ﾌｧｲﾙ名が入力されていません";
inline constexpr const char* NAME_HAS_SEPARATOR = "ﾌｧｲﾙ名に「/」や「\\」は使えません";
inline constexpr const char* NAME_HAS_CONTROLS = "ﾌｧｲﾙ名に制御文字は使えません";

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
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"};
// Beside the move count.
inline constexpr std::string_view MOVE_COUNT_LABEL = "手目";
// Above the level number.
inline constexpr std::string_view LEVEL_LABEL = "LEVEL";
// Above each side's miss count.
inline constexpr std::string_view MISS_LABEL_COM = "COMミス";
inline constexpr std::string_view MISS_LABEL_MAN = "MANミス";
// Beside the computer's hand while it chooses its move.
inline constexpr std::string_view THINKING = "思考中";
// The piece of the computer's last move while its pieces are hidden.
inline constexpr std::string_view HIDDEN_PIECE = "？？";
// Ends a record header cut to fit.
inline constexpr std::string_view ELLIPSIS = "…";

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
// The move list beside the board.
namespace movelist {

// The first line: the position before the first move.
inline constexpr std::string_view START = "開始局面";
// Before a move of the first player and of the second.
inline constexpr std::string_view SENTE_MARK = "▲";
inline constexpr std::string_view GOTE_MARK = "△";
// After a move that could have promoted and did not.
inline constexpr std::string_view NOT_PROMOTED = "不成";
// After the destination of a computer's drop while its pieces are hidden (the drop itself is
// announced).
inline constexpr std::string_view DROP = "打";
// A side's misses before its move: how many, and the side's total so far.
inline std::string missLine(bool computer, int count, int total) {
    return std::string(computer ? "COMのミス（反則） " : "MANのミス ") + std::to_string(count) +
           "回（通算" + std::to_string(total) + "回）";
}

}  // namespace movelist

// ---------------------------------------------------------------------------------------------
// The palette of guess markers (Shift and a click on a square).
namespace markers {

// The kinds in the order of the palette: 玉 飛 角 金 銀 桂 香 歩.
inline constexpr const char* KIND_NAMES[8] = {"玉", "飛", "角", "金", "銀", "桂", "香", "歩"};
// Removes the square's marker.
inline constexpr const char* REMOVE = "消す";

}  // namespace markers

// ---------------------------------------------------------------------------------------------
// Captions of the menu bar, by the menu or item they name.
namespace menu {

inline constexpr const char* TAIKYOKU = "対局";
inline constexpr const char* START = "対局";
inline constexpr const char* SENTE = "先手";
inline constexpr const char* GOTE = "後手";
inline constexpr const char* LEVEL = "COM対局ﾚﾍﾞﾙ";
inline constexpr const char* LEVEL1 = "LEVEL1";
inline constexpr const char* LEVEL2 = "LEVEL2";
inline constexpr const char* LEVEL3 = "LEVEL3";
inline constexpr const char* OWARI = "終わり";
inline constexpr const char* STOP = "局面";
inline constexpr const char* REPLAY = "戻";
inline constexpr const char* AFTER = "進";
inline constexpr const char* REVERSE = "反転";
inline constexpr const char* ICHIJI = "一時表示";
inline constexpr const char* CANCEL = "最初";
inline constexpr const char* MOVE_LIST = "指し手一覧";
// The next click on a square opens the palette of guess markers there.
inline constexpr const char* MARKER = "予想駒を置く";
inline constexpr const char* KIFU = "棋譜";
inline constexpr const char* KIFU_WRITE = "書込";
inline constexpr const char* KIFU_READ = "読込";
inline constexpr const char* KIF_WRITE = "KIF書込";
inline constexpr const char* KIF_READ = "KIF読込";
inline constexpr const char* OPTION = "ｵﾌﾟｼｮﾝ";
inline constexpr const char* HAIKEI_GA = "背景画";
inline constexpr const char* MIDORI = "緑";
inline constexpr const char* TATAMI = "畳";
inline constexpr const char* TAKE = "竹";
inline constexpr const char* UCHU = "宇宙";
inline constexpr const char* RENGA = "煉瓦";
inline constexpr const char* KEIKA = "経過時間";
inline constexpr const char* BGM = "BGM";
inline constexpr const char* VER = "その他";

}  // namespace menu

}  // namespace velk::texts
