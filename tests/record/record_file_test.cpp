#include "record/record_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "support/record_entry.h"
#include "texts/texts.h"

namespace velk {
namespace {

using testkit::addEntry;

// Eight moves from the start: a bishop exchange with promotion, captures and a drop by each side.
MoveRecord sampleGame() {
    MoveRecord r{};
    addEntry(r, 1, 7, 7, 7, 6, MAN_HU, MAN_HU, EMPTY, 0, 12.8f, 0, 0);
    addEntry(r, 2, 7, 3, 7, 4, COM_HU, COM_HU, EMPTY, 12.8f, 12.8f, 0, 3.25f);
    addEntry(r, 3, 3, 7, 3, 6, MAN_HU, MAN_HU, EMPTY, 12.8f, 20.5f, 3.25f, 3.25f);
    addEntry(r, 4, 1, 3, 1, 4, COM_HU, COM_HU, EMPTY, 20.5f, 20.5f, 3.25f, 5.9f);
    addEntry(r, 5, 2, 8, 8, 2, MAN_KAKU, MAN_UMA, COM_KAKU, 20.5f, 1234.99f, 5.9f, 5.9f);
    addEntry(r, 6, 7, 1, 8, 2, COM_GIN, COM_GIN, MAN_UMA, 1234.99f, 1234.99f, 5.9f, 7.0f);
    addEntry(r, 7, MAN_HAND_X, 8, 5, 5, MAN_KAKU, MAN_KAKU, EMPTY, 1234.99f, 1240, 7, 7);
    addEntry(r, 8, COM_HAND_X, 6, 5, 4, COM_KAKU, COM_KAKU, EMPTY, 1240, 1240, 7, 9.5f);
    for (int n = 1; n <= 8; ++n) {
        r.recMissMAN[n] = n;
        r.recMissCOM[n] = 2 * n;
    }
    return r;
}

const RecordHeader kHeader{"練習対局", "ｺﾝﾋﾟｭｰﾀ", "山田 太郎"};

std::string fileWith(const std::vector<std::string>& moveLines) {
    std::string bytes = "title\r\ntop\r\nbottom\r\n";
    for (const std::string& l : moveLines) bytes += l + "\r\n";
    return bytes;
}

// A file of the entries given in order, each {fromX, fromY, toX, toY, before, after, captured}.
std::string fileOfMoves(const std::vector<std::array<int, 7>>& moves) {
    MoveRecord r{};
    std::vector<std::string> lines;
    int n = 0;
    for (const auto& m : moves) {
        addEntry(r, ++n, m[0], m[1], m[2], m[3], m[4], m[5], m[6]);
        lines.push_back(formatMoveLine(r, n));
    }
    return fileWith(lines);
}

TEST(RecordLine, FixedColumnsMatchTheKnownExamples) {
    const MoveRecord r = sampleGame();
    EXPECT_EQ(formatMoveLine(r, 1), " 7776 -10 -10   0    0   12    0    0");
    EXPECT_EQ(formatMoveLine(r, 5), " 2882-801-800 800   20 1234    5    5");

    MoveRecord d{};
    addEntry(d, 1, MAN_HAND_X, 3, 5, 5, MAN_HU, MAN_HU, EMPTY, 5, 5, 0, 0);
    EXPECT_EQ(formatMoveLine(d, 1).substr(0, 5), "11355");
    EXPECT_EQ(formatMoveLine(d, 1).substr(17, 5), "    5");
    EXPECT_EQ(formatMoveLine(r, 8).substr(0, 3), "-16");
}

TEST(RecordLine, TimesAreRoundedDownAndCappedToFiveColumns) {
    EXPECT_EQ(recordSeconds(12.8f), 12);
    EXPECT_EQ(recordSeconds(99999.9f), 99999);
    EXPECT_EQ(recordSeconds(100000.0f), 99999);
    EXPECT_EQ(recordSeconds(3.0e7f), 99999);
    EXPECT_EQ(recordSeconds(-1.0f), 0);
    MoveRecord r = sampleGame();
    r.recTimeMANAfter[1] = 250000.5f;
    const std::string line = formatMoveLine(r, 1);
    EXPECT_EQ(line.size(), RECORD_MOVE_LINE_LENGTH);
    EXPECT_EQ(line.substr(22, 5), "99999");
}

TEST(RecordHeaderOrder, ComputerSideIsOnTop) {
    const RecordHeader first = makeRecordHeader("t", "先手の人", "後手の人", SENTE);
    EXPECT_EQ(first.topPlayer, "後手の人");
    EXPECT_EQ(first.bottomPlayer, "先手の人");
    const RecordHeader second = makeRecordHeader("t", "先手の人", "後手の人", GOTE);
    EXPECT_EQ(second.topPlayer, "先手の人");
    EXPECT_EQ(second.bottomPlayer, "後手の人");
}

TEST(RecordFile, WrittenAndReadBackGivesTheSameEntriesButMissesAndFractions) {
    const MoveRecord r = sampleGame();
    const RecordEncodeResult enc = encodeRecordFile(kHeader, r, 8);
    ASSERT_TRUE(enc.ok) << enc.error;
    // CP932 header ("練習" is 97 FB 8F 4B) and CRLF after every line.
    EXPECT_EQ(enc.bytes.substr(0, 4), "\x97\xfb\x8f\x4b");
    EXPECT_EQ(enc.bytes.substr(enc.bytes.size() - 2), "\r\n");
    EXPECT_NE(enc.bytes.find("\r\n 7776 -10 -10   0    0   12    0    0\r\n"), std::string::npos);

    const RecordParseResult dec = decodeRecordFile(enc.bytes);
    ASSERT_TRUE(dec.ok) << dec.error;
    EXPECT_EQ(dec.header.title, kHeader.title);
    EXPECT_EQ(dec.header.topPlayer, kHeader.topPlayer);
    EXPECT_EQ(dec.header.bottomPlayer, kHeader.bottomPlayer);
    ASSERT_EQ(dec.count, 8);
    const MoveRecord& m = dec.moves;
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(m.recFromX[n], r.recFromX[n]);
        EXPECT_EQ(m.recFromY[n], r.recFromY[n]);
        EXPECT_EQ(m.recToX[n], r.recToX[n]);
        EXPECT_EQ(m.recToY[n], r.recToY[n]);
        EXPECT_EQ(m.recPieceBefore[n], r.recPieceBefore[n]);
        EXPECT_EQ(m.recPieceAfter[n], r.recPieceAfter[n]);
        EXPECT_EQ(m.recCaptured[n], r.recCaptured[n]);
        EXPECT_EQ(m.recTimeMANBefore[n], std::floor(r.recTimeMANBefore[n]));
        EXPECT_EQ(m.recTimeMANAfter[n], std::floor(r.recTimeMANAfter[n]));
        EXPECT_EQ(m.recTimeCOMBefore[n], std::floor(r.recTimeCOMBefore[n]));
        EXPECT_EQ(m.recTimeCOMAfter[n], std::floor(r.recTimeCOMAfter[n]));
        EXPECT_EQ(m.recMissMAN[n], 0);
        EXPECT_EQ(m.recMissCOM[n], 0);
    }

    // Written up to the current move only.
    const RecordEncodeResult part = encodeRecordFile(kHeader, r, 3);
    ASSERT_TRUE(part.ok);
    EXPECT_EQ(decodeRecordFile(part.bytes).count, 3);
}

TEST(RecordFile, LineEndsAndTrailingBlankLinesAreTolerated) {
    const std::string line = " 7776 -10 -10   0    0   12    0    0";
    EXPECT_TRUE(decodeRecordFile("a\nb\nc\n" + line + "\n").ok);
    EXPECT_TRUE(decodeRecordFile("a\r\nb\r\nc\r\n" + line).ok);
    const RecordParseResult trailing = decodeRecordFile(fileWith({line}) + "\r\n\r\n");
    ASSERT_TRUE(trailing.ok) << trailing.error;
    EXPECT_EQ(trailing.count, 1);
    // Three header lines and nothing else is a valid, empty record; so are empty names.
    const RecordParseResult empty = decodeRecordFile("\r\n\r\n\r\n");
    ASSERT_TRUE(empty.ok) << empty.error;
    EXPECT_EQ(empty.count, 0);
}

TEST(RecordFile, WritingRefusesWhatCouldNotBeReadBack) {
    const MoveRecord r = sampleGame();
    EXPECT_FALSE(encodeRecordFile({"絵文字😀", "a", "b"}, r, 8).ok);
    EXPECT_FALSE(encodeRecordFile({"a", "改\n行", "b"}, r, 8).ok);
    EXPECT_FALSE(encodeRecordFile({"a", "b", std::string(300, 'x')}, r, 8).ok);
    EXPECT_FALSE(encodeRecordFile(kHeader, r, MAX_MOVES + 1).ok);
    EXPECT_FALSE(encodeRecordFile(kHeader, r, -1).ok);

    MoveRecord broken = r;
    broken.recCaptured[6] = EMPTY;  // the horse it took is no longer there
    const RecordEncodeResult enc = encodeRecordFile(kHeader, broken, 8);
    EXPECT_FALSE(enc.ok);
    EXPECT_NE(enc.error.find("6手目"), std::string::npos) << enc.error;
}

TEST(RecordFile, LoadingSetsUpSteppingFromTheStart) {
    GameState s{};
    s.moveNo = 7;
    s.moveCount = 7;
    s.record.recMissMAN[1] = 4;
    const RecordParseResult dec =
        decodeRecordFile(encodeRecordFile(kHeader, sampleGame(), 8).bytes);
    ASSERT_TRUE(dec.ok);
    loadRecordIntoGame(s, dec);
    EXPECT_EQ(s.moveNo, 0);
    EXPECT_EQ(s.moveCount, 0);
    EXPECT_EQ(s.moveNoLast, 8);
    EXPECT_EQ(s.kifuMode, YES);
    EXPECT_EQ(s.record.recMissMAN[1], 0);
    EXPECT_EQ(s.record.recPieceAfter[5], MAN_UMA);
}

struct BrokenFile {
    const char* name;
    std::string bytes;
    std::string expected;  // part of the message
};

TEST(RecordFile, BrokenFilesAreRefusedNamingTheLine) {
    const std::string ok = " 7776 -10 -10   0    0   12    0    0";
    std::string junk;
    std::mt19937 rng(7);
    for (int i = 0; i < 4000; ++i) junk += static_cast<char>(rng() & 0xFF);
    std::vector<std::string> tooMany;
    // 250 pawn pairs back and forth would be illegal shogi, but the count is refused first.
    for (int i = 0; i < MAX_MOVES + 1; ++i) tooMany.push_back(ok);

    const std::vector<BrokenFile> cases = {
        {"binary junk", junk, "棋譜ﾌｧｲﾙの"},
        {"no header", "", "1行目がありません"},
        {"two lines", "a\r\nb\r\n", "3行目がありません"},
        {"bad shift-jis", "a\r\n\x82\r\nc\r\n", "2行目が正しくありません（文字ｺｰﾄﾞ"},
        {"bad trail byte", "\x81\x20x\r\nb\r\nc\r\n", "1行目が正しくありません（文字ｺｰﾄﾞ"},
        {"control character", "a\r\nb\x01\r\nc\r\n", "2行目"},
        {"huge header", std::string(20000, 'a') + "\r\nb\r\nc\r\n", "1行目"},
        {"short line", fileWith({" 7776 -10 -10"}), "4行目"},
        {"huge line", fileWith({ok + std::string(20000, '0')}), "4行目"},
        {"empty middle line", fileWith({ok, "", ok}), "5行目"},
        {"not a number", fileWith({" 7776 -1x -10   0    0   12    0    0"}), "4行目"},
        {"blank field", fileWith({" 7776     -10   0    0   12    0    0"}), "4行目"},
        {"unknown code", fileWith({" 7776 -12 -10   0    0   12    0    0"}), "駒の番号"},
        {"sides differ", fileWith({" 7776  10 -10   0    0   12    0    0"}), "駒の番号"},
        {"gold promotes", fileWith({" 4948-111-110   0    0   12    0    0"}), "駒の番号"},
        {"pawn to lance", fileWith({" 7776 -20 -10   0    0   12    0    0"}), "成り"},
        {"to column 0", fileWith({" 7706 -10 -10   0    0   12    0    0"}), "移動先"},
        {"to row 0", fileWith({" 7770 -10 -10   0    0   12    0    0"}), "移動先"},
        {"from column 10", fileWith({"10776 -10 -10   0    0   12    0    0"}),
         "4行目が正しくありません（移動元"},
        {"from row 0", fileWith({" 7076 -10 -10   0    0   12    0    0"}), "移動元"},
        {"stays put", fileWith({" 7777 -10 -10   0    0   12    0    0"}), "移動先"},
        {"captures own side", fileWith({" 7776 -10 -10 -20    0   12    0    0"}), "取った駒"},
        {"captures no piece", fileWith({" 7776 -10 -10  99    0   12    0    0"}), "取った駒"},
        {"human drop row 2", fileWith({"11255 -10 -10   0    0   12    0    0"}), "移動元"},
        {"drop wrong piece", fileWith({"11355 -20 -20   0    0   12    0    0"}), "持駒"},
        {"drop promoted", fileWith({"11355 -11 -10   0    0   12    0    0"}), "持駒"},
        {"drop captures", fileWith({"11355 -10 -10  10    0   12    0    0"}), "持駒"},
        {"computer drop kind 8", fileWith({"-1855  10  10   0    0   12    0    0"}),
         "4行目が正しくありません（移動元"},
        {"drop without hand", fileWith({"11355 -10 -10   0    0   12    0    0"}),
         "持駒がありません"},
        {"empty source", fileWith({" 5655 -10 -10   0    0   12    0    0"}), "移動元に駒"},
        {"wrong capture", fileWith({" 7776 -10 -10  10    0   12    0    0"}), "移動先の駒"},
        {"negative time", fileWith({" 7776 -10 -10   0   -5   12    0    0"}), "時間"},
        {"too many lines", fileWith(tooMany), "500手を超えています"},
        {"too large", std::string(RECORD_MAX_FILE_BYTES + 1, '\n'), "大きすぎます"},
    };
    for (const BrokenFile& c : cases) {
        SCOPED_TRACE(c.name);
        const RecordParseResult r = decodeRecordFile(c.bytes);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find(c.expected), std::string::npos) << r.error;
    }
}

TEST(RecordFile, ReasonsSayWhatIsWrongInPlainWords) {
    const std::string ok = " 7776 -10 -10   0    0   12    0    0";
    std::string crOnly = "title\rtop\rbottom\r" + ok + "\r";
    std::string longCrOnly = crOnly;
    for (int i = 0; i < 20; ++i) longCrOnly += ok + "\r";
    std::string picture = "\x89PNG\r\n\x1a\n";
    picture += std::string("\0\0\0\rIHDR", 8) + std::string(300, 'x');
    struct Case {
        const char* name;
        std::string bytes;
        std::string expected;  // the whole message
    };
    namespace rf = texts::record_file;
    const std::vector<Case> cases = {
        // Old Macintosh line ends are not a line that is too long.
        {"CR line ends", crOnly, rf::LONE_CR},
        {"CR line ends, long", longCrOnly, rf::LONE_CR},
        // Nor is a picture or any other binary file.
        {"binary file", picture, rf::NOT_TEXT},
        {"long title", std::string(300, 'a') + "\r\nb\r\nc\r\n",
         "棋譜ﾌｧｲﾙの1行目が正しくありません（対局名が長すぎます（半角256文字、全角128文字まで））"},
        {"long name", "a\r\n" + std::string(300, 'b') + "\r\nc\r\n",
         rf::lineFaulty(2, rf::headerTooLong(rf::HEADER_NAMES[1]))},
        {"short move line", fileWith({" 7776 -10 -10"}),
         rf::lineFaulty(4, rf::moveLineLength(37, 13))},
        {"empty move line", fileWith({ok, "", ok}), rf::lineFaulty(5, rf::EMPTY_MOVE_LINE)},
        {"negative time", fileWith({" 7776 -10 -10   0   -5   12    0    0"}),
         rf::lineFaulty(4, rf::NEGATIVE_TIME)},
        {"to column 0", fileWith({" 7706 -10 -10   0    0   12    0    0"}),
         rf::lineFaulty(4, rf::TO_OFF_BOARD)},
        {"stays put", fileWith({" 7777 -10 -10   0    0   12    0    0"}),
         rf::lineFaulty(4, rf::TO_IS_FROM)},
        {"bad shift-jis", "a\r\n\x82\r\nc\r\n", rf::lineFaulty(2, rf::NOT_SHIFT_JIS)},
        // Moves the referee would not have taken.
        {"pawn two squares", fileWith({" 7775 -10 -10   0    0   12    0    0"}),
         rf::lineFaulty(4, rf::AGAINST_THE_RULES)},
        {"promotes outside the zone", fileWith({" 7776 -11 -10   0    0   12    0    0"}),
         rf::lineFaulty(4, rf::AGAINST_THE_RULES)},
        {"king into the bishop's line",
         fileOfMoves({{3, 7, 3, 6, MAN_HU, MAN_HU, EMPTY},
                      {7, 3, 7, 4, COM_HU, COM_HU, EMPTY},
                      {5, 9, 4, 8, MAN_OU, MAN_OU, EMPTY},
                      {2, 3, 2, 4, COM_HU, COM_HU, EMPTY},
                      {4, 8, 3, 7, MAN_OU, MAN_OU, EMPTY},
                      {8, 2, 3, 7, COM_KAKU, COM_UMA, MAN_OU}}),
         rf::lineFaulty(8, rf::KING_LEFT_ATTACKED)},
        // The bishop checks, the computer drops elsewhere, the king is taken: the game is over.
        {"move after the king was taken",
         fileOfMoves({{3, 7, 3, 6, MAN_HU, MAN_HU, EMPTY},
                      {7, 3, 7, 4, COM_HU, COM_HU, EMPTY},
                      {2, 8, 8, 2, MAN_KAKU, MAN_UMA, COM_KAKU},
                      {7, 1, 8, 2, COM_GIN, COM_GIN, MAN_UMA},
                      {MAN_HAND_X, 8, 8, 4, MAN_KAKU, MAN_KAKU, EMPTY},
                      {COM_HAND_X, 6, 5, 5, COM_KAKU, COM_KAKU, EMPTY},
                      {8, 4, 5, 1, MAN_KAKU, MAN_UMA, COM_OU},
                      {2, 3, 2, 4, COM_HU, COM_HU, EMPTY}}),
         rf::lineFaulty(11, rf::AFTER_KING_TAKEN)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RecordParseResult r = decodeRecordFile(c.bytes);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, c.expected);
    }
    // A file cut short inside its last CRLF is still read.
    EXPECT_TRUE(decodeRecordFile(fileWith({}) + ok + "\r").ok);
}

TEST(RecordFile, RandomDamageToAGoodFileNeverPassesUnchecked) {
    const std::string good = encodeRecordFile(kHeader, sampleGame(), 8).bytes;
    std::mt19937 rng(42);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes = good;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            bytes[rng() % bytes.size()] = static_cast<char>(rng() & 0xFF);
        }
        if (rng() % 3 == 0) bytes.resize(rng() % bytes.size());
        const RecordParseResult r = decodeRecordFile(bytes);
        if (!r.ok) {
            EXPECT_FALSE(r.error.empty());
            continue;
        }
        // Whatever passes holds only entries that could be written again unchanged.
        EXPECT_LE(r.count, 8);
        const RecordEncodeResult again = encodeRecordFile(r.header, r.moves, r.count);
        EXPECT_TRUE(again.ok) << again.error;
    }
}

}  // namespace
}  // namespace velk
