// KIF records: the text written for each kind of move, the orientation by who moved first, round
// trips through .棋譜 files in both encodings, and files the reader must refuse.
#include "record/kif.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "record/record_file.h"
#include "record/sjis.h"
#include "support/random_record.h"
#include "support/record_entry.h"
#include "texts/texts.h"

namespace velk {
namespace {

using testkit::addEntry;

// The human first: a bishop exchange with promotion, a recapture and a drop by each side.
MoveRecord exchangeGame() {
    MoveRecord r{};
    addEntry(r, 1, 3, 7, 3, 6, MAN_HU, MAN_HU, EMPTY, 0, 3.5f, 0, 0);
    addEntry(r, 2, 7, 3, 7, 4, COM_HU, COM_HU, EMPTY, 3.5f, 3.5f, 0, 1);
    addEntry(r, 3, 2, 8, 8, 2, MAN_KAKU, MAN_UMA, COM_KAKU, 3.5f, 75.9f, 1, 1);
    addEntry(r, 4, 7, 1, 8, 2, COM_GIN, COM_GIN, MAN_UMA, 75.9f, 75.9f, 1, 3725);
    addEntry(r, 5, MAN_HAND_X, 8, 5, 5, MAN_KAKU, MAN_KAKU, EMPTY, 75.9f, 80, 3725, 3725);
    addEntry(r, 6, COM_HAND_X, 6, 5, 4, COM_KAKU, COM_KAKU, EMPTY, 80, 80, 3725, 3726);
    r.recMissMAN[3] = r.recMissMAN[4] = r.recMissMAN[5] = r.recMissMAN[6] = 2;
    r.recMissCOM[6] = 1;
    return r;
}

const RecordHeader kHeader{"練習対局", "ｺﾝﾋﾟｭｰﾀ", "山田 太郎"};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string kifOf(const MoveRecord& r, int count, KifEnding ending = KifEnding::Interrupted) {
    const KifEncodeResult kif = encodeKif(kHeader, r, count, {"2026/12/07 10:00:00", ending});
    EXPECT_TRUE(kif.ok) << kif.error;
    return kif.text;
}

TEST(KifWrite, HeaderMoveLinesTimesAndCommentsOfAHumanFirstGame) {
    const std::vector<std::string> expected = {
        "#ついたて将棋：MANが先手",
        "開始日時：2026/12/07 10:00:00",
        "棋戦：練習対局",
        "手合割：平手",
        "先手：山田 太郎",
        "後手：ｺﾝﾋﾟｭｰﾀ",
        "手数----指手---------消費時間--",
        "   1 ７六歩(77)   ( 0:03/00:00:03)",
        "   2 ３四歩(33)   ( 0:01/00:00:01)",
        "   3 ２二角成(88) ( 1:12/00:01:15)",
        "*MANのミス 2回（通算2回）",
        "   4 同　銀(31)   (62:04/01:02:05)",
        "   5 ５五角打     ( 0:05/00:01:20)",
        "   6 ５四角打     ( 0:01/01:02:06)",
        "*COMのミス（反則） 1回（通算1回）",
        "   7 中断",
        "まで6手で中断",
    };
    EXPECT_EQ(linesOf(kifOf(exchangeGame(), 6)), expected);
}

TEST(KifWrite, AComputerFirstGameTurnsEverySquareRound) {
    // The computer opens with the pawn in front of its bishop's diagonal: on the board it moves
    // from (7,3) to (7,4); turned round for 先手 it is 7六歩 from 77.
    MoveRecord r{};
    addEntry(r, 1, 7, 3, 7, 4, COM_HU, COM_HU, EMPTY, 0, 0, 0, 2);
    addEntry(r, 2, 3, 7, 3, 6, MAN_HU, MAN_HU, EMPTY, 0, 4, 2, 2);
    addEntry(r, 3, 8, 2, 2, 8, COM_KAKU, COM_UMA, MAN_KAKU, 4, 4, 2, 3);
    addEntry(r, 4, 3, 9, 2, 8, MAN_GIN, MAN_GIN, COM_UMA, 4, 9, 3, 3);
    const std::vector<std::string> lines = linesOf(kifOf(r, 4));
    EXPECT_EQ(lines[0], "#ついたて将棋：COMが先手");
    EXPECT_EQ(lines[4], "先手：ｺﾝﾋﾟｭｰﾀ");
    EXPECT_EQ(lines[5], "後手：山田 太郎");
    EXPECT_EQ(lines[7], "   1 ７六歩(77)   ( 0:02/00:00:02)");
    EXPECT_EQ(lines[8], "   2 ３四歩(33)   ( 0:04/00:00:04)");
    EXPECT_EQ(lines[9], "   3 ２二角成(88) ( 0:01/00:00:03)");
    EXPECT_EQ(lines[10], "   4 同　銀(31)   ( 0:05/00:00:09)");

    // Read back, the computer is at the top again and every entry is as it was.
    const RecordParseResult back = decodeKif(kifOf(r, 4));
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.header.topPlayer, "ｺﾝﾋﾟｭｰﾀ");
    EXPECT_EQ(back.header.bottomPlayer, "山田 太郎");
    EXPECT_EQ(encodeRecordFile(back.header, back.moves, back.count).bytes,
              encodeRecordFile(kHeader, r, 4).bytes);
}

TEST(KifWrite, PromotionsPromotedPiecesAndDeclinedPromotions) {
    // Pieces of the record need only stand where the entries say for the writer, so each
    // kind is taken straight into the zone. A declined promotion is a plain move.
    MoveRecord r{};
    int n = 0;
    auto man = [&](int fx, int fy, int tx, int ty, int before, int after, int captured) {
        ++n;
        addEntry(r, n, fx, fy, tx, ty, before, after, captured);
    };
    auto com = [&](int fx, int fy, int tx, int ty, int piece) {
        ++n;
        addEntry(r, n, fx, fy, tx, ty, piece, piece, EMPTY);
    };
    // Each line: the human's move, then a pawn step of the computer.
    man(1, 9, 1, 3, MAN_KYOU, MAN_NARIKYOU, COM_HU);
    com(4, 3, 4, 4, COM_HU);
    man(1, 3, 1, 2, MAN_NARIKYOU, MAN_NARIKYOU, EMPTY);
    com(4, 4, 4, 5, COM_HU);
    man(2, 9, 3, 3, MAN_KEI, MAN_KEI, COM_HU);
    com(4, 5, 4, 6, COM_HU);
    man(3, 3, 2, 1, MAN_KEI, MAN_NARIKEI, COM_KEI);
    com(5, 3, 5, 4, COM_HU);
    man(2, 1, 3, 1, MAN_NARIKEI, MAN_NARIKEI, COM_GIN);
    com(5, 4, 5, 5, COM_HU);
    man(7, 9, 6, 3, MAN_GIN, MAN_NARIGIN, COM_HU);
    com(5, 5, 5, 6, COM_HU);
    man(6, 3, 6, 2, MAN_NARIGIN, MAN_NARIGIN, EMPTY);
    com(7, 3, 7, 4, COM_HU);
    man(8, 7, 8, 3, MAN_HU, MAN_TO, COM_HU);
    com(7, 4, 7, 5, COM_HU);
    man(8, 3, 8, 2, MAN_TO, MAN_TO, COM_KAKU);
    com(7, 5, 7, 6, COM_HU);
    man(8, 8, 8, 3, MAN_SYA, MAN_SYA, EMPTY);
    com(9, 3, 9, 4, COM_HU);
    man(8, 3, 8, 1, MAN_SYA, MAN_RYU, COM_KEI);
    com(9, 4, 9, 5, COM_HU);
    man(8, 1, 9, 1, MAN_RYU, MAN_RYU, COM_KYOU);
    const std::vector<std::string> lines = linesOf(kifOf(r, n));
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "９三香成(99)"}, {3, "９二成香(93)"},  {5, "７三桂(89)"},    {7, "８一桂成(73)"},
        {9, "７一成桂(81)"}, {11, "４三銀成(39)"}, {13, "４二成銀(43)"}, {15, "２三歩成(27)"},
        {17, "２二と(23)"},  {19, "２三飛(28)"},   {21, "２一飛成(23)"}, {23, "１一龍(21)"},
    };
    for (const auto& [move, text] : expected) {
        const std::string& line = lines[static_cast<std::size_t>(6 + move)];
        EXPECT_EQ(line.substr(5, text.size()), text) << line;
    }
}

TEST(KifWrite, TheClosingLineFollowsHowTheGameEnded) {
    const MoveRecord r = exchangeGame();
    auto tail = [&](int count, KifEnding ending) {
        const std::vector<std::string> lines = linesOf(kifOf(r, count, ending));
        return std::vector<std::string>(lines.end() - 3, lines.end());
    };
    EXPECT_EQ(tail(5, KifEnding::Mate),
              (std::vector<std::string>{"   5 ５五角打     ( 0:05/00:01:20)", "   6 詰み",
                                        "まで5手で先手の勝ち"}));
    EXPECT_EQ(tail(6, KifEnding::TenthMissMAN),
              (std::vector<std::string>{"   7 反則負け", "*MANのミスが10回になりました",
                                        "まで6手で後手の反則勝ち"}));
    EXPECT_EQ(tail(5, KifEnding::TenthMissCOM),
              (std::vector<std::string>{"   6 反則負け", "*COMのミスが10回になりました",
                                        "まで5手で先手の反則勝ち"}));
    // A king taken: the capture stays, the side without its king resigns.
    MoveRecord k{};
    addEntry(k, 1, 3, 7, 3, 6, MAN_HU, MAN_HU, EMPTY);
    addEntry(k, 2, 5, 1, 5, 8, COM_OU, COM_OU, EMPTY);
    addEntry(k, 3, 5, 9, 5, 8, MAN_OU, MAN_OU, COM_OU);
    EXPECT_EQ(kifEndingOf(k, 3), KifEnding::KingCaptured);
    EXPECT_EQ(kifEndingOf(k, 2), KifEnding::Interrupted);
    const std::vector<std::string> lines = linesOf(kifOf(k, 3, kifEndingOf(k, 3)));
    EXPECT_EQ(
        std::vector<std::string>(lines.end() - 4, lines.end()),
        (std::vector<std::string>{"   3 同　玉(59)   ( 0:00/00:00:00)", "*MANがCOMの王を取りました",
                                  "   4 投了", "まで3手で先手の勝ち"}));
}

TEST(KifWrite, AHumanMoveThatMatesEndsTheRecordAsMate) {
    // The human's pieces take the golds, the rook and the pawn in front of the king (the
    // entries need not be moves, only fit the board), then a gold covers every escape.
    MoveRecord r{};
    addEntry(r, 1, 8, 8, 4, 1, MAN_SYA, MAN_SYA, COM_KIN);
    addEntry(r, 2, 1, 3, 1, 4, COM_HU, COM_HU, EMPTY);
    addEntry(r, 3, 2, 8, 6, 1, MAN_KAKU, MAN_KAKU, COM_KIN);
    addEntry(r, 4, 1, 4, 1, 5, COM_HU, COM_HU, EMPTY);
    addEntry(r, 5, 5, 7, 5, 3, MAN_HU, MAN_HU, COM_HU);
    addEntry(r, 6, 9, 3, 9, 4, COM_HU, COM_HU, EMPTY);
    addEntry(r, 7, 1, 9, 2, 2, MAN_KYOU, MAN_KYOU, COM_SYA);
    addEntry(r, 8, 9, 4, 9, 5, COM_HU, COM_HU, EMPTY);
    addEntry(r, 9, 4, 9, 5, 2, MAN_KIN, MAN_KIN, EMPTY);
    EXPECT_EQ(kifEndingOf(r, 9), KifEnding::Mate);
    EXPECT_EQ(kifEndingOf(r, 8), KifEnding::Interrupted);
    EXPECT_EQ(kifEndingOf(r, 7), KifEnding::Interrupted);
    const std::vector<std::string> lines = linesOf(kifOf(r, 9, kifEndingOf(r, 9)));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
              (std::vector<std::string>{"  10 詰み", "まで9手で先手の勝ち"}));
}

TEST(KifWrite, AMatingPawnDropIsWrittenAsAnOrdinaryDropWithAComment) {
    MoveRecord r{};
    addEntry(r, 1, 3, 7, 3, 6, MAN_HU, MAN_HU, EMPTY);
    addEntry(r, 2, 7, 3, 7, 4, COM_HU, COM_HU, EMPTY);
    addEntry(r, 3, 2, 8, 8, 2, MAN_KAKU, MAN_KAKU, COM_KAKU);
    addEntry(r, 4, 7, 4, 7, 5, COM_HU, COM_HU, EMPTY);
    addEntry(r, 5, 7, 7, 7, 6, MAN_HU, MAN_HU, EMPTY);
    addEntry(r, 6, 9, 3, 9, 4, COM_HU, COM_HU, EMPTY);
    addEntry(r, 7, 7, 6, 7, 5, MAN_HU, MAN_HU, COM_HU);
    addEntry(r, 8, 9, 4, 9, 5, COM_HU, COM_HU, EMPTY);
    addEntry(r, 9, MAN_HAND_X, 3, 5, 2, MAN_HU, MAN_HU, EMPTY);
    const std::vector<std::string> lines = linesOf(kifOf(r, 9, KifEnding::Mate));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"   9 ５二歩打     ( 0:00/00:00:00)",
                                        "*打ち歩詰め（ついたて将棋では反則になりません）",
                                        "  10 詰み", "まで9手で先手の勝ち"}));
}

TEST(KifWrite, RecordsThatKifCannotHoldAreRefused) {
    MoveRecord same{};
    addEntry(same, 1, 3, 7, 3, 6, MAN_HU, MAN_HU, EMPTY);
    addEntry(same, 2, 3, 6, 3, 5, MAN_HU, MAN_HU, EMPTY);
    const KifEncodeResult twice = encodeKif(kHeader, same, 2, {});
    EXPECT_FALSE(twice.ok);
    EXPECT_EQ(twice.error, texts::record_file::moveFaulty(2, texts::kif::SIDES_NOT_ALTERNATING));
    const KifEncodeResult control = encodeKif({"a\tb", "", ""}, exchangeGame(), 6, {});
    EXPECT_FALSE(control.ok);
}

// .棋譜 bytes of a record, checked.
std::string recordBytes(const RecordHeader& h, const MoveRecord& r, int count) {
    const RecordEncodeResult file = encodeRecordFile(h, r, count);
    EXPECT_TRUE(file.ok) << file.error;
    return file.bytes;
}

TEST(KifRoundTrip, RecordFilesOfRandomGamesComeBackByteForByteInBothEncodings) {
    int kingsTaken = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const bool manFirst = seed % 2 == 1;
        const testkit::RandomRecord game = testkit::randomRecord(seed, 160, manFirst);
        const std::string original = recordBytes(kHeader, game.record, game.count);
        const RecordParseResult file = decodeRecordFile(original);
        ASSERT_TRUE(file.ok) << file.error;
        KifInfo info{"", kifEndingOf(file.moves, file.count)};
        const KifEncodeResult kif = encodeKif(file.header, file.moves, file.count, info);
        ASSERT_TRUE(kif.ok) << kif.error;
        for (const KifEncoding encoding : {KifEncoding::Utf8, KifEncoding::Cp932}) {
            const std::optional<std::string> bytes = kifFileBytes(kif.text, encoding);
            ASSERT_TRUE(bytes);
            const RecordParseResult back = decodeKif(*bytes);
            ASSERT_TRUE(back.ok) << "seed " << seed << ": " << back.error << "\n" << kif.text;
            EXPECT_EQ(recordBytes(back.header, back.moves, back.count), original)
                << "seed " << seed;
        }
        kingsTaken += game.kingTaken ? 1 : 0;
    }
    EXPECT_GT(kingsTaken, 3);
}

TEST(KifRoundTrip, TimesTheStandardFieldsCannotCarryTravelInAComment) {
    MoveRecord r = exchangeGame();
    // The computer's clock moved during the human's third move.
    r.recTimeCOMBefore[3] = 5;
    r.recTimeCOMAfter[3] = 7;
    const std::string original = recordBytes(kHeader, r, 6);
    const std::string kif = kifOf(r, 6);
    EXPECT_NE(kif.find("*記録の時間：3 75 5 7\r\n"), std::string::npos) << kif;
    const RecordParseResult back = decodeKif(kif);
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(recordBytes(back.header, back.moves, back.count), original);
}

// A KIF as other programs write it: CP932 or UTF-8 with a BOM, LF line ends, 同 without a
// blank, comments, bookmarks, a variation, a time without total and the ending line.
const std::string kForeignKif =
    "# ---- Kifu file ----\n"
    "開始日時：2024/01/02\n"
    "場所：道場\n"
    "持ち時間：各10分\n"
    "手合割：平手　　\n"
    "先手：先手さん\n"
    "後手：後手さん\n"
    "手数----指手---------消費時間--\n"
    "*対局前のｺﾒﾝﾄ\n"
    "   1 ７六歩(77)   ( 0:10/00:00:10)\n"
    "*いい手\n"
    "&しおり\n"
    "   2 ３四歩(33)   ( 0:20/00:00:20)+\n"
    "   3 ２二角成(88) ( 1:00/00:01:10)\n"
    "   4 同銀(31)   ( 0:05)\n"
    "   5 ４五角打   ( 0:01/00:01:11)\n"
    "   6 投了\n"
    "まで5手で先手の勝ち\n"
    "\n"
    "変化：2手\n"
    "   2 ８四歩(83)   ( 0:00/00:00:00)\n";

std::vector<std::string> moveLinesOf(const std::string& kif) {
    std::vector<std::string> moves;
    for (const std::string& line : linesOf(kif)) {
        if (line.size() > 5 && line[3] >= '0' && line[3] <= '9' &&
            line.find('(') != std::string::npos)
            moves.push_back(line);
    }
    return moves;
}

TEST(KifRoundTrip, AForeignKifKeepsEveryMoveAndTimeThroughARecordFile) {
    const std::string cp932 = *utf8ToCp932(kForeignKif);
    for (const std::string& bytes : {kForeignKif, "\xEF\xBB\xBF" + kForeignKif, cp932}) {
        const RecordParseResult read = decodeKif(bytes);
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_EQ(read.count, 5);
        EXPECT_EQ(read.header.bottomPlayer, "先手さん");
        EXPECT_EQ(read.header.topPlayer, "後手さん");
        EXPECT_EQ(read.moves.recTimeCOMBefore[4], 20);
        EXPECT_EQ(read.moves.recTimeCOMAfter[4], 25);
        const RecordParseResult file =
            decodeRecordFile(recordBytes(read.header, read.moves, read.count));
        ASSERT_TRUE(file.ok) << file.error;
        const std::string again = kifOf(file.moves, file.count);
        EXPECT_EQ(moveLinesOf(again),
                  (std::vector<std::string>{
                      "   1 ７六歩(77)   ( 0:10/00:00:10)", "   2 ３四歩(33)   ( 0:20/00:00:20)",
                      "   3 ２二角成(88) ( 1:00/00:01:10)", "   4 同　銀(31)   ( 0:05/00:00:25)",
                      "   5 ４五角打     ( 0:01/00:01:11)"}));
    }
}

std::string withMoves(const std::string& moves, const std::string& head = "手合割：平手\n") {
    return head + "手数----指手---------消費時間--\n" + moves;
}

void expectRefused(const std::string& bytes, const std::string& error) {
    const RecordParseResult r = decodeKif(bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, error);
}

TEST(KifRead, HostileFilesAreRefusedNamingTheLine) {
    using namespace texts::kif;
    expectRefused(withMoves("", "手合割：香落ち\n"), lineFaulty(1, NOT_EVEN_GAME));
    expectRefused("後手の持駒：なし\n  ９ ８ ７ ６ ５ ４ ３ ２ １\n", lineFaulty(1, HAS_POSITION));
    expectRefused("手合割：平手\n+---------------------------+\n", lineFaulty(2, HAS_POSITION));
    expectRefused(withMoves("   1 ７五歩(77)\n"), lineFaulty(3, CANNOT_MOVE_THERE));
    expectRefused(withMoves("   1 ７六歩(77)\n   3 ３四歩(33)\n"), lineFaulty(4, moveNumberNot(2)));
    expectRefused(withMoves("   1 ７六歩(77)\n   2 ３四歩(33)   ( 0:75/00:01:15)\n"),
                  lineFaulty(4, BAD_TIME));
    expectRefused(withMoves("   1 ７六歩(77)   ( 0:10/00:00:05)\n"),
                  lineFaulty(3, MOVE_TIME_OVER_TOTAL));
    expectRefused(withMoves("   1 ７六歩(77)   ( 0:10/99:00:00)\n"), lineFaulty(3, TIME_TOO_LONG));
    expectRefused(withMoves("99999999 ７六歩(77)\n"),
                  lineFaulty(3, texts::record_file::BAD_MOVE_COUNT));
    expectRefused(withMoves("   1 同　歩(77)\n"), lineFaulty(3, SAME_ON_FIRST_MOVE));
    expectRefused(withMoves("   1 ５五角打\n"), lineFaulty(3, notInHand(SIDE_MAN, "角")));
    expectRefused(withMoves("   1 ７六銀(77)\n"), lineFaulty(3, sourceIsNot("銀")));
    expectRefused(withMoves("   1 ３四歩(33)\n"), lineFaulty(3, noPieceOfSide(SIDE_MAN)));
    expectRefused(withMoves("   1 ７六歩成(77)\n"), lineFaulty(3, CANNOT_PROMOTE_THERE));
    expectRefused(withMoves("   1 ７六歩(77) おまけ\n"), lineFaulty(3, TRAILING_TEXT));
    expectRefused(withMoves("   1 ７六\n"), lineFaulty(3, NO_PIECE_NAME));
    expectRefused(withMoves("   1 ７六歩(7\n"), lineFaulty(3, BAD_SOURCE));
    expectRefused("ただの文章\n", lineFaulty(1, UNREADABLE_LINE));
    expectRefused("手合割：平手\n棋戦：a\tb\n",
                  lineFaulty(2, texts::record_file::CONTROL_CHARACTERS));
    expectRefused(std::string("手合割：平手\n\0\x01", 21), NOT_TEXT);
    expectRefused("\xFF\xFE\x81", UNKNOWN_ENCODING);
    expectRefused(std::string(KIF_MAX_FILE_BYTES + 1, '*'), FILE_TOO_LARGE);

    // Moves the referee would not have taken: the king steps into the bishop's line, and a move
    // after a king was taken (the human's bishop checks, the computer drops elsewhere, and the
    // bishop takes the king).
    namespace rf = texts::record_file;
    expectRefused(withMoves("   1 ７六歩(77)\n   2 ３四歩(33)\n   3 ６八玉(59)\n"
                            "   4 ８四歩(83)\n   5 ７七玉(68)\n   6 同　角成(22)\n"),
                  lineFaulty(7, rf::KING_LEFT_ATTACKED));
    expectRefused(withMoves("   1 ７六歩(77)\n   2 ３四歩(33)\n   3 ２二角成(88)\n"
                            "   4 同　銀(31)\n   5 ２四角打\n   6 ５五角打\n   7 ５一角成(24)\n"
                            "   8 ８四歩(83)\n"),
                  lineFaulty(10, rf::AFTER_KING_TAKEN));
    // Moves after the end, and closing lines that miscount.
    expectRefused(withMoves("   1 ７六歩(77)\n   2 投了\n   3 ３四歩(33)\n"),
                  lineFaulty(5, MOVE_AFTER_END));
    expectRefused(withMoves("   1 ７六歩(77)\nまで1手で中断\n   2 ３四歩(33)\n"),
                  lineFaulty(5, MOVE_AFTER_END));
    expectRefused(withMoves("   1 ７六歩(77)\n   3 投了\n"), lineFaulty(4, moveNumberNot(2)));
    expectRefused(withMoves("   1 ７六歩(77)\n   2 投了\nまで2手で先手の勝ち\n"),
                  lineFaulty(5, moveNumberNot(1)));
    // Line ends that would run the moves into one line, whatever comes first.
    for (const char* head : {"#KIF version=2.0 encoding=UTF-8", "手合割：平手"}) {
        const std::string moves = std::string(head) + "\n手数----指手----\n   1 ７六歩(77)\n";
        const auto replaced = [&moves](const std::string& lineEnd) {
            std::string out;
            for (const char c : moves) out += c == '\n' ? lineEnd : std::string(1, c);
            return out;
        };
        expectRefused(replaced("\r"), LONE_CR);
        expectRefused(replaced("\xE2\x80\xA8"), otherLineEnd("U+2028"));
        expectRefused(replaced("\xC2\x85"), otherLineEnd("U+0085"));
        EXPECT_TRUE(decodeKif(replaced("\r\n") + "\r").ok);
    }

    // More moves than the record holds: the kings stepping to and fro.
    std::string many;
    const char* const shuffle[4] = {"５八玉(59)", "５二玉(51)", "５九玉(58)", "５一玉(52)"};
    for (int n = 1; n <= 501; ++n) {
        char line[64];
        std::snprintf(line, sizeof line, "%4d ", n);
        many += line + std::string(shuffle[(n - 1) % 4]) + "\n";
    }
    expectRefused(withMoves(many), lineFaulty(503, tooManyMoves(500)));
}

TEST(KifRead, ADeclinedPromotionMayBeWrittenOutOrLeftPlain) {
    for (const std::string declined : {"不成", "", "生"}) {
        const RecordParseResult r = decodeKif(
            withMoves("   1 ７六歩(77)\n   2 ３四歩(33)\n   3 ２二角" + declined + "(88)\n"));
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.moves.recPieceAfter[3], MAN_KAKU);
        EXPECT_EQ(r.moves.recCaptured[3], COM_KAKU);
    }
}

TEST(KifRead, FilesCutShortAnywhereAreReadOrRefusedNeverHalfTaken) {
    const testkit::RandomRecord game = testkit::randomRecord(7, 120, true);
    const KifEncodeResult kif = encodeKif(kHeader, game.record, game.count, {});
    ASSERT_TRUE(kif.ok);
    for (const KifEncoding encoding : {KifEncoding::Utf8, KifEncoding::Cp932}) {
        const std::string bytes = *kifFileBytes(kif.text, encoding);
        for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
            const RecordParseResult r = decodeKif(bytes.substr(0, cut));
            if (!r.ok) {
                EXPECT_FALSE(r.error.empty());
                EXPECT_EQ(r.count, 0);
                continue;
            }
            // What was read is a prefix of the game.
            ASSERT_LE(r.count, game.count);
            for (int n = 1; n <= r.count; ++n) {
                ASSERT_EQ(r.moves.recToX[n], game.record.recToX[n]) << cut;
                ASSERT_EQ(r.moves.recPieceAfter[n], game.record.recPieceAfter[n]) << cut;
            }
        }
    }
}

}  // namespace
}  // namespace velk
