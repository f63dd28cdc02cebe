// The catalogue's every text, byte for byte as the game has always shown or written it: a
// change of wording shows up here first.
#include "texts/texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace velk::texts {
namespace {

struct Pinned {
    std::string_view actual;
    std::string_view expected;
};

void expectAll(const std::vector<Pinned>& table) {
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].actual, table[i].expected) << "entry " << i;
}

TEST(Texts, MatchBoxesKeepTheirWording) {
    using namespace match;
    expectAll({
        {QUIT_QUESTION, "終わりますか？"},
        {QUIT_TITLE, "終わり"},
        {RESET_QUESTION, "最初からやり直しますか？"},
        {RESET_TITLE, "最初"},
        {STEP_WITH_AFTER, "棋譜を '進 'で進めて下さい"},
        {STEP_WITH_AFTER_TITLE, "棋譜"},
        {START_WITH_GAME_MENU, "「対局」で始めて下さい"},
        {START_TITLE, "開始"},
        {NO_RESUME_WITHOUT_KINGS, "王のいない局面からは再開できません"},
        {RESUME, "OKですか？"},
        {RESUME_TITLE, "再開"},
        {NO_GAME_WITHOUT_KINGS, "王のいない局面では対局できません"},
        {NO_GAME_TITLE, "対局"},
        {YOUR_TURN, "あなたの番です"},
        {YOUR_TURN_TITLE, " "},
        {PROMOTE_WITH_RIGHT, "マウスの右をクリックして下さい"},
        {PROMOTE_TITLE, "成り"},
        {WINNER_YOU, "あなた"},
        {WINNER_COM_ON_MISSES, "ＣＯＭ"},
        {WINNER_MAN_ON_MISSES, "ＭＡＮ"},
        {WINNER_COMPUTER, "ｺﾝﾋﾟｭｰﾀ"},
        {END_TITLE, "終了"},
        {RECORD_FULL, "500手に達しました\r\r棋譜に残せないので対局を終わります"},
        {ANOTHER_GAME, "続けますか？"},
        {ANOTHER_GAME_TITLE, "再ゲーム"},
        {MISS_HEADER_COM, "  ** COMのミス! **\r\r"},
        {MISS_HEADER_MAN, "  ** MANのミス! **\r\r"},
        {MISS_JUMPED, "COM駒を飛び越えました"},
        {MISS_DROPPED_ON, "COM駒の上に張り駒しました"},
        {MISS_COM_KING_EXPOSED, "MANの王手ですね"},
        {MISS_MAN_KING_EXPOSED, "COMの王手になります"},
        {FOUL_TITLE, "反則"},
        {COM_SEES_MATE, "よし！!"},
        {COM_SEES_MATE_TITLE, "詰め ?"},
        {CHECK, "   ** 王手 **"},
        {CHECK_TITLE, ""},
        {COM_DROPPED, "持駒を使いました"},
        {COM_DROPPED_TITLE, "張り駒"},
        {CANNOT, "できません"},
        {BACK_TITLE, "戻る"},
        {FORWARD_TITLE, "進む"},
        {RECORD_END, "終わり"},
        {NO_REVERSE_IN_RECORD, "棋譜ﾓｰﾄﾞではできません"},
        {REVERSE_TITLE, "反転"},
        {SETTINGS_TITLE, "ｵﾌﾟｼｮﾝ"},
        {ABOUT_TITLE, "その他"},
        {SOUND_TITLE, "Velkついたて将棋"},
        {NO_SOUND_DEVICE, "Direct Soundインターフェースが作成できません。"},
    });
}

TEST(Texts, MatchBoxesBuiltFromParts) {
    using namespace match;
    EXPECT_EQ(unsavedMovesQuestion(QUIT_QUESTION), "保存していない手があります\r\r終わりますか？");
    EXPECT_EQ(winnerIs(WINNER_COMPUTER), "ｺﾝﾋﾟｭｰﾀの勝ちです");
    EXPECT_EQ(winnerIs(""), "の勝ちです");
    EXPECT_EQ(missReport(MISS_HEADER_MAN, MISS_JUMPED),
              "  ** MANのミス! **\r\rCOM駒を飛び越えました");
    EXPECT_EQ(settingsNotSaved("Velkついたて将棋.ini", "理由"),
              "設定ﾌｧｲﾙ「Velkついたて将棋.ini」に書き込めません\n理由\n\n"
              "ｵﾌﾟｼｮﾝの設定は終了するまで有効ですが、次回には残りません");
    EXPECT_EQ(about("1.2.3"),
              "Velkついたて将棋\nバージョン 1.2.3\n\n"
              "ついたて将棋（衝立将棋）: 相手の駒が見えない将棋です。\nライセンス: MIT License");
}

// The About box and the AppStream metadata name the licence that LICENSE holds.
TEST(Texts, TheAboutBoxAndTheMetadataNameTheLicenceOfTheLicenseFile) {
    const auto fileText = [](const char* path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    ASSERT_EQ(fileText(VELK_LICENSE_FILE).rfind("MIT License\n", 0), 0u);
    EXPECT_NE(fileText(VELK_METAINFO_FILE).find("<project_license>MIT</project_license>"),
              std::string::npos);
    EXPECT_NE(match::about("1").find("MIT License"), std::string::npos);
}

TEST(Texts, RecordPanelKeepsItsWording) {
    using namespace record;
    expectAll({
        {NO_WRITE_AFTER_REVERSE, "反転後は書き込みできません"},
        {NO_WRITE_AFTER_HANDICAP, "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません"},
        {WRITE_TITLE, "棋譜書込"},
        {NAME_TITLE, "  "},
        {NOTHING_TO_SAVE, "保存するデータがありません"},
        {SAVE_TITLE, "棋譜保存"},
        {WRITTEN, "棋譜を書き込みました"},
        {TITLE, "棋譜"},
        {NO_MOVES, "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"},
        {READ_QUESTION, "棋譜を読み込みますか？"},
        {READ_DONE, " 読み込みました"},
        {DRIVE_TITLE, "ｴﾗｰ"},
        {PANEL_LABELS[0], "ﾌｧｲﾙ名 ："},
        {PANEL_LABELS[1], "対 局 名："},
        {PANEL_LABELS[2], "先    手 ："},
        {PANEL_LABELS[3], "後    手 ："},
    });
    EXPECT_EQ(nameTooLong(248, 82),
              "ﾌｧｲﾙ名が長すぎます\n（英数字なら248文字、かなや漢字なら82文字までです）");
    EXPECT_EQ(overwriteQuestion("a.棋譜"), "「a.棋譜」は既にあります。\n上書きしますか？");
    EXPECT_EQ(notWritten("理由"), "棋譜を書き込めませんでした\n理由");
    EXPECT_EQ(notRead("理由"), "棋譜ﾌｧｲﾙを読み込めませんでした\n理由");
}

TEST(Texts, RecordFileReasonsKeepTheirWording) {
    using namespace record_file;
    expectAll({
        {HEADER_NAMES[0], "対局名"},
        {HEADER_NAMES[1], "上側の対局者名"},
        {HEADER_NAMES[2], "下側の対局者名"},
        {HEADER_LIMIT, "半角256文字、全角128文字まで"},
        {BAD_MOVE_COUNT, "手数が正しくありません"},
        {TO_OFF_BOARD, "移動先が盤の外です"},
        {NO_HAND_SLOT, "移動元の持駒の欄がありません"},
        {FROM_OFF_BOARD, "移動元が盤の外です"},
        {TO_IS_FROM, "移動先が移動元と同じです"},
        {BAD_PIECE_CODE, "駒の番号が正しくありません"},
        {SIDES_DISAGREE, "駒の番号が先手と後手で食い違っています"},
        {BAD_DROP, "持駒の打ち方が正しくありません"},
        {DROP_CAPTURES, "持駒の打ち方が正しくありません（打って駒は取れません）"},
        {BAD_PROMOTION, "成りの組み合わせが正しくありません"},
        {BAD_CAPTURE, "取った駒が正しくありません"},
        {BAD_SQUARE, "駒の位置が正しくありません"},
        {NOT_IN_HAND, "持駒がありません"},
        {FROM_EMPTY, "移動元に駒がありません"},
        {TO_MISMATCH, "移動先の駒が合いません"},
        {AGAINST_THE_RULES, "駒の動き方か成り方が正しくありません"},
        {KING_LEFT_ATTACKED, "自分の王に王手がかかる手です（ミスになる手です）"},
        {AFTER_KING_TAKEN, "王が取られた後の指し手です"},
        {FILE_TOO_LARGE, "棋譜ﾌｧｲﾙが大きすぎます"},
        {NOT_TEXT, "棋譜ﾌｧｲﾙの中に文字でないﾃﾞｰﾀがあります（棋譜ﾌｧｲﾙではないようです）"},
        {LONE_CR, "棋譜ﾌｧｲﾙの改行の形式が違います（行の終わりがCRだけです）"},
        {CONTROL_CHARACTERS, "文字でない記号（制御文字）が入っています"},
        {NOT_SHIFT_JIS, "文字ｺｰﾄﾞがShift-JISではありません"},
        {EMPTY_MOVE_LINE, "指し手の行が空です"},
        {BAD_FIELD, "数字でない欄か空の欄があります"},
        {NEGATIVE_TIME, "時間がﾏｲﾅｽです"},
    });
    EXPECT_EQ(headerUnwritable(HEADER_NAMES[0]), "対局名に書き込めない文字があります");
    EXPECT_EQ(headerHasControls(HEADER_NAMES[1]), "上側の対局者名に制御文字は使えません");
    EXPECT_EQ(headerTooLong(HEADER_NAMES[2]),
              "下側の対局者名が長すぎます（半角256文字、全角128文字まで）");
    EXPECT_EQ(moveFaulty(12, TO_MISMATCH),
              "12手目のﾃﾞｰﾀが正しくありません（移動先の駒が合いません）");
    EXPECT_EQ(tooManyMoves(500), "棋譜ﾌｧｲﾙの手数が500手を超えています");
    EXPECT_EQ(lineMissing(2), "棋譜ﾌｧｲﾙの2行目がありません");
    EXPECT_EQ(lineFaulty(4, EMPTY_MOVE_LINE),
              "棋譜ﾌｧｲﾙの4行目が正しくありません（指し手の行が空です）");
    EXPECT_EQ(moveLineLength(37, 36), "指し手の行は37文字のところ、36文字あります");
}

TEST(Texts, KifTextsKeepTheirWording) {
    using namespace kif;
    expectAll({
        {NOT_CP932, "Shift-JISで書き込めない文字があります\n（.kifuならUTF-8で書き込めます）"},
        {WRITTEN, "KIFを書き込みました"},
        {NO_MOVES, "KIFﾌｧｲﾙに指し手がありません"},
        {CLI_NOT_CP932, "Shift-JISで書けない文字があります"},
        {SIDES_NOT_ALTERNATING, "手番が交互ではありません"},
        {HEADER_HAS_CONTROLS, "対局名や対局者名に制御文字は使えません"},
        {SIDE_MAN, "MAN"},
        {SIDE_COM, "COM"},
        {COM_TOOK_KING, "COMがMANの王を取りました"},
        {MAN_TOOK_KING, "MANがCOMの王を取りました"},
        {PAWN_DROP_MATE, "打ち歩詰め（ついたて将棋では反則になりません）"},
        {TENTH_MISS_MAN, "MANのミスが10回になりました"},
        {TENTH_MISS_COM, "COMのミスが10回になりました"},
        {MOVE_LIMIT, "500手に達したので対局を終わりました"},
        {COM_PIECES_SHOWN, "一時表示でCOMの駒を見ました"},
        {FILE_TOO_LARGE, "KIFﾌｧｲﾙが大きすぎます"},
        {NOT_TEXT, "KIFﾌｧｲﾙの中に文字でないﾃﾞｰﾀがあります（KIFﾌｧｲﾙではないようです）"},
        {NOT_UTF8, "KIFﾌｧｲﾙの文字ｺｰﾄﾞがUTF-8ではありません"},
        {UNKNOWN_ENCODING, "KIFﾌｧｲﾙの文字ｺｰﾄﾞがShift-JISでもUTF-8でもありません"},
        {LONE_CR, "KIFﾌｧｲﾙの改行の形式が違います（行の終わりがCRだけです）"},
        {HAS_POSITION,
         "局面図のある棋譜は読み込めません（平手の初めの局面から始まる棋譜だけです）"},
        {NOT_EVEN_GAME, "平手の棋譜ではありません（駒落ちの棋譜は読み込めません）"},
        {UNREADABLE_LINE, "読み取れない行です"},
        {BAD_TIME, "消費時間が正しくありません"},
        {TRAILING_TEXT, "指し手の後ろに読み取れない文字があります"},
        {TIME_TOO_LONG, "消費時間が長すぎます"},
        {MOVE_TIME_OVER_TOTAL, "消費時間が合計より長くなっています"},
        {SAME_ON_FIRST_MOVE, "1手目に「同」は使えません"},
        {NO_DESTINATION, "移動先が読み取れません"},
        {NO_PIECE_NAME, "駒の名前が読み取れません"},
        {KIND_NOT_DROPPABLE, "その駒は打てません"},
        {DROP_ON_PIECE, "駒のあるところには打てません"},
        {DROP_NOT_ALLOWED, "そこには打てません"},
        {NO_SOURCE, "移動元が書かれていません"},
        {BAD_SOURCE, "移動元が読み取れません"},
        {CANNOT_MOVE_THERE, "その駒はそこへ動けません"},
        {CANNOT_PROMOTE_THERE, "そこでは成れません"},
        {MUST_PROMOTE_DECLINED, "成らずに動けない手です"},
        {MUST_PROMOTE, "成らなければならない手です"},
        {BAD_EXACT_TIMES, "記録の時間が読み取れません"},
        {MOVE_AFTER_END, "終局の後に指し手があります"},
    });
    EXPECT_EQ(notRead("理由"), "KIFﾌｧｲﾙを読み込めませんでした\n理由");
    EXPECT_EQ(manMisses(2, 7), "MANのミス 2回（通算7回）");
    EXPECT_EQ(comMisses(1, 10), "COMのミス（反則） 1回（通算10回）");
    EXPECT_EQ(lineFaulty(3, CANNOT_MOVE_THERE),
              "KIFﾌｧｲﾙの3行目が正しくありません（その駒はそこへ動けません）");
    EXPECT_EQ(moveNumberNot(2), "手数が2ではありません");
    EXPECT_EQ(tooManyMoves(500), "手数が500手を超えています");
    EXPECT_EQ(notInHand(SIDE_MAN, "角"), "MANの持駒に角がありません");
    EXPECT_EQ(noPieceOfSide(SIDE_COM), "移動元にCOMの駒がありません");
    EXPECT_EQ(sourceIsNot("銀"), "移動元の駒が銀ではありません");
    EXPECT_EQ(otherLineEnd("U+2028"), "KIFﾌｧｲﾙの改行の形式が違います（行の終わりがU+2028です）");
}

TEST(Texts, FileErrorsKeepTheirWording) {
    using namespace file;
    expectAll({
        {TOO_LARGE, "ﾌｧｲﾙが大きすぎます"},
        {A_FOLDER, "ﾌｧｲﾙではなくﾌｫﾙﾀﾞです"},
        {NOT_REGULAR, "通常のﾌｧｲﾙではありません（ﾊﾟｲﾌﾟや装置は使えません）"},
        {NO_NAME, "ﾌｧｲﾙ名がありません"},
        {READ_ONLY_DISK, "書き込みが禁止されたﾃﾞｨｽｸです"},
        {DISK_FULL, "ﾃﾞｨｽｸに空きがありません"},
        {QUOTA_REACHED, "ﾃﾞｨｽｸの使用量が上限に達しています"},
        {NAME_TOO_LONG, "ﾌｧｲﾙ名が長すぎます"},
        {NO_ACCESS, "ｱｸｾｽが許可されていません"},
        {NOT_FOUND, "ﾌｧｲﾙまたはﾌｫﾙﾀﾞが見つかりません"},
        {FOLDER_OF_SAME_NAME, "同じ名前のﾌｫﾙﾀﾞがあります"},
        {BAD_FOLDER, "ﾌｫﾙﾀﾞの指定が正しくありません"},
        {FILE_OF_SAME_NAME, "同じ名前のﾌｧｲﾙがあります"},
        {DISK_IO_FAILED, "ﾃﾞｨｽｸの読み書きに失敗しました"},
        {LINK_LOOP, "ﾘﾝｸをたどれません"},
        {TOO_MANY_OPEN, "開いているﾌｧｲﾙが多すぎます"},
        {DEVICE_NOT_READY, "ﾃﾞﾊﾞｲｽが準備できていません"},
        {BUSY, "ﾌｧｲﾙが使用中です"},
        {NAME_NOT_USABLE, "そのﾌｧｲﾙ名は使えません"},
        {OUT_OF_MEMORY, "ﾒﾓﾘが足りません"},
        {OTHER_FAILURE, "ﾌｧｲﾙを扱えませんでした"},
        {NAME_NOT_ENTERED, "ﾌｧｲﾙ名が入力されていません"},
        {NAME_HAS_SEPARATOR, "ﾌｧｲﾙ名に「/」や「\\」は使えません"},
        {NAME_HAS_CONTROLS, "ﾌｧｲﾙ名に制御文字は使えません"},
    });
    EXPECT_EQ(withSystemText(DISK_FULL, "No space left on device"),
              "ﾃﾞｨｽｸに空きがありません（No space left on device）");
}

TEST(Texts, SettingsFileLinesKeepTheirWording) {
    using namespace settings_file;
    expectAll({
        {BACKGROUND_MIDORI, "背景画=緑"},
        {BACKGROUND_TATAMI, "背景画=畳"},
        {BACKGROUND_TAKE, "背景画=竹"},
        {BACKGROUND_UCHU, "背景画=宇宙"},
        {BACKGROUND_RENGA, "背景画=煉瓦"},
        {KEIKA_ON, "経過時間=ON"},
        {KEIKA_OFF, "経過時間=OFF"},
        {BGM_ON, "BGM=ON"},
        {BGM_OFF, "BGM=OFF"},
    });
}

TEST(Texts, DrawnLabelsKeepTheirWording) {
    using namespace draw;
    expectAll({
        {HANDICAP_GRADES[0], "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人"},
        {HANDICAP_GRADES[1], "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段"},
        {HANDICAP_GRADES[7], "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"},
        {HANDICAP_GRADES[8], "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"},
        {HANDICAP_GRADES[9], "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"},
        {HANDICAP_GRADES[17], "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級"},
        {HANDICAP_GRADES[18], "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級"},
        {HANDICAP_GRADES[20], "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"},
        {MOVE_COUNT_LABEL, "手目"},
        {LEVEL_LABEL, "LEVEL"},
        {MISS_LABEL_COM, "COMミス"},
        {MISS_LABEL_MAN, "MANミス"},
        {THINKING, "思考中"},
        {HIDDEN_PIECE, "？？"},
        {ELLIPSIS, "…"},
        {PIECE_HU, "歩"},
        {PIECE_TO, "と"},
        {PIECE_KYO, "香"},
        {PIECE_KYO_PROMOTED, "香成"},
        {PIECE_KEI, "桂"},
        {PIECE_KEI_PROMOTED, "桂成"},
        {PIECE_GIN, "銀"},
        {PIECE_GIN_PROMOTED, "銀成"},
        {PIECE_KIN, "金"},
        {PIECE_KAKU, "角"},
        {PIECE_KAKU_PROMOTED, "角成"},
        {PIECE_HI, "飛"},
        {PIECE_HI_PROMOTED, "飛成"},
        {PIECE_OU, "王"},
    });
    std::string digits, numerals;
    for (const std::string_view d : DIGITS) digits += d;
    for (const std::string_view n : NUMERALS) numerals += n;
    EXPECT_EQ(digits, "１２３４５６７８９");
    EXPECT_EQ(numerals, "一二三四五六七八九");
    std::string dan, kyu;
    for (int i = 1; i <= 8; ++i)
        dan += HANDICAP_GRADES[i].substr(std::string_view("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:").size());
    for (int i = 9; i <= 20; ++i)
        kyu += HANDICAP_GRADES[i].substr(std::string_view("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:").size());
    EXPECT_EQ(dan, "８段７段６段５段４段３段２段初段");
    EXPECT_EQ(kyu, "１級２級３級４級５級６級７級８級９級10級11級12級");
}

TEST(Texts, MenuCaptionsKeepTheirWording) {
    using namespace menu;
    expectAll({
        {TAIKYOKU, "対局"},     {START, "対局"},        {SENTE, "先手"},
        {GOTE, "後手"},         {LEVEL, "COM対局ﾚﾍﾞﾙ"}, {LEVEL1, "LEVEL1"},
        {LEVEL2, "LEVEL2"},     {LEVEL3, "LEVEL3"},     {OWARI, "終わり"},
        {STOP, "局面"},         {REPLAY, "戻"},         {AFTER, "進"},
        {REVERSE, "反転"},      {ICHIJI, "一時表示"},   {CANCEL, "最初"},
        {KIFU, "棋譜"},         {KIFU_WRITE, "書込"},   {KIFU_READ, "読込"},
        {KIF_WRITE, "KIF書込"}, {KIF_READ, "KIF読込"},  {OPTION, "ｵﾌﾟｼｮﾝ"},
        {HAIKEI_GA, "背景画"},  {MIDORI, "緑"},         {TATAMI, "畳"},
        {TAKE, "竹"},           {UCHU, "宇宙"},         {RENGA, "煉瓦"},
        {KEIKA, "経過時間"},    {BGM, "BGM"},           {VER, "その他"},
        {KOUSEI, "公正"},       {HINT, "ﾋﾝﾄ"},
    });
    EXPECT_EQ(draw::KOUSEI_LABEL, "公正");
    EXPECT_EQ(status::hint("７六歩"), "ﾋﾝﾄ：７六歩");
}

}  // namespace
}  // namespace velk::texts
