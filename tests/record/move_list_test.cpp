// The move list beside the board: KIF notation of each kind of move, the computer's moves as
// the window shows them while the screen stands, misses on lines of their own, and every move
// in full once the game is over, a record is being read or the screen is down.
#include "record/move_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "record/kif.h"
#include "record/record_file.h"

namespace velk {
namespace {

void add(GameState& s, int fromX, int fromY, int toX, int toY, int before, int after,
         int captured = EMPTY, int missMAN = -1, int missCOM = -1) {
    const int n = ++s.moveNoLast;
    MoveRecord& r = s.record;
    setRecordEntry(r, n, fromX, fromY, toX, toY, before, after, captured);
    r.recMissMAN[n] = missMAN >= 0 ? missMAN : (n > 1 ? r.recMissMAN[n - 1] : 0);
    r.recMissCOM[n] = missCOM >= 0 ? missCOM : (n > 1 ? r.recMissCOM[n - 1] : 0);
    s.moveNo = n;
    s.missCountMAN = r.recMissMAN[n];
    s.missCountCOM = r.recMissCOM[n];
}

std::vector<std::string> texts(const MoveList& list) {
    std::vector<std::string> out;
    for (const auto& line : list.lines) out.push_back(line.text);
    return out;
}

// The human first: a bishop exchange with promotion and a recapture, a drop by each side, the
// human's misses before his third move and the computer's foul before its drop.
GameState exchange() {
    GameState s;
    add(s, 3, 7, 3, 6, MAN_HU, MAN_HU);
    add(s, 7, 3, 7, 4, COM_HU, COM_HU);
    add(s, 2, 8, 8, 2, MAN_KAKU, MAN_UMA, COM_KAKU, 2);
    add(s, 7, 1, 8, 2, COM_GIN, COM_GIN, MAN_UMA);
    add(s, MAN_HAND_X, 8, 5, 5, MAN_KAKU, MAN_KAKU);
    add(s, COM_HAND_X, 6, 3, 5, COM_KAKU, COM_KAKU, EMPTY, -1, 1);
    add(s, 3, 6, 3, 5, MAN_HU, MAN_HU, COM_KAKU);
    return s;
}

TEST(MoveList, HidesTheComputersMovesWhileTheScreenStands) {
    const GameState s = exchange();
    EXPECT_EQ(texts(moveListOf(s, 0)), (std::vector<std::string>{
                                           "    開始局面",
                                           "  1 ▲７六歩",
                                           "  2 △３四？？",
                                           "    MANのミス 2回（通算2回）",
                                           "  3 ▲２二角成",
                                           "  4 △同　？？",
                                           "  5 ▲５五角打",
                                           "    COMのミス（反則） 1回（通算1回）",
                                           "  6 △７五？？打",
                                           "  7 ▲同　歩",
                                       }));
}

TEST(MoveList, ShowsEveryMoveInFullOnceKnown) {
    const std::vector<std::string> full{
        "    開始局面",  "  1 ▲７六歩", "  2 △３四歩",   "    MANのミス 2回（通算2回）",
        "  3 ▲２二角成", "  4 △同　銀", "  5 ▲５五角打", "    COMのミス（反則） 1回（通算1回）",
        "  6 △７五角打", "  7 ▲同　歩",
    };
    GameState s = exchange();
    EXPECT_EQ(texts(moveListOf(s, 7)), full);  // a game that has ended
    s.kifuMode = YES;                          // a record being read
    EXPECT_EQ(texts(moveListOf(s, 0)), full);
    s.kifuMode = NO;
    s.screenUp = NO;  // the computer's pieces shown
    EXPECT_EQ(texts(moveListOf(s, 0)), full);
    s.screenUp = YES;
    // Known up to move 2 only: the later moves of the computer stay hidden.
    const auto partly = texts(moveListOf(s, 2));
    EXPECT_EQ(partly[2], "  2 △３四歩");
    EXPECT_EQ(partly[5], "  4 △同　？？");
}

TEST(MoveList, NamesPromotionsDeclinedPromotionsAndPromotedPieces) {
    GameState s;
    add(s, 4, 4, 4, 3, MAN_GIN, MAN_GIN);          // may promote, does not
    add(s, 6, 6, 6, 7, COM_GIN, COM_GIN);          // the computer's zone
    add(s, 4, 3, 5, 2, MAN_GIN, MAN_NARIGIN);      // promotes
    add(s, 6, 7, 6, 8, COM_GIN, COM_NARIGIN);      // promotes
    add(s, 5, 2, 5, 1, MAN_NARIGIN, MAN_NARIGIN);  // a promoted piece moves on
    add(s, 1, 1, 1, 5, COM_RYU, COM_RYU);
    add(s, 9, 9, 9, 8, MAN_KIN, MAN_KIN);  // gold never promotes
    add(s, 2, 2, 3, 3, COM_UMA, COM_UMA);
    add(s, 8, 5, 8, 4, MAN_HU, MAN_HU);  // outside the zone: a plain move
    add(s, 5, 1, 5, 2, COM_OU, COM_OU);
    add(s, 2, 8, 2, 7, MAN_TO, MAN_TO);
    EXPECT_EQ(texts(moveListOf(s, MAX_MOVES)), (std::vector<std::string>{
                                                   "    開始局面",
                                                   "  1 ▲６三銀不成",
                                                   "  2 △４七銀不成",
                                                   "  3 ▲５二銀成",
                                                   "  4 △４八銀成",
                                                   "  5 ▲５一成銀",
                                                   "  6 △９五龍",
                                                   "  7 ▲１八金",
                                                   "  8 △７三馬",
                                                   "  9 ▲２四歩",
                                                   " 10 △５二玉",
                                                   " 11 ▲８七と",
                                               }));
    // While hidden, nothing of a computer's promotion shows.
    EXPECT_EQ(moveListOf(s, 0).lines[4].text, "  4 △４八？？");
}

TEST(MoveList, TheComputerFirstIsTheFirstPlayerOnTheKifFilesNumbers) {
    GameState s;
    add(s, 7, 3, 7, 4, COM_HU, COM_HU);
    add(s, 3, 7, 3, 6, MAN_HU, MAN_HU);
    EXPECT_EQ(texts(moveListOf(s, 0)),
              (std::vector<std::string>{"    開始局面", "  1 ▲７六？？", "  2 △３四歩"}));
}

// Whoever moved first, every move reads as in the KIF file of the same game.
TEST(MoveList, MovesReadAsInTheKifFile) {
    GameState comFirst;
    add(comFirst, 7, 3, 7, 4, COM_HU, COM_HU);
    add(comFirst, 3, 7, 3, 6, MAN_HU, MAN_HU);
    add(comFirst, 2, 2, 7, 2, COM_SYA, COM_SYA);
    add(comFirst, 2, 8, 8, 2, MAN_KAKU, MAN_UMA, COM_KAKU);
    add(comFirst, 7, 1, 8, 2, COM_GIN, COM_GIN, MAN_UMA);
    add(comFirst, MAN_HAND_X, 8, 5, 5, MAN_KAKU, MAN_KAKU);
    for (const GameState& s : {exchange(), comFirst}) {
        const KifEncodeResult kif = encodeKif({}, s.record, s.moveNoLast, {});
        ASSERT_TRUE(kif.ok) << kif.error;
        for (const MoveListLine& line : moveListOf(s, MAX_MOVES).lines) {
            if (line.text.find("▲") == std::string::npos &&
                line.text.find("△") == std::string::npos)
                continue;
            // "  3 ▲２二角成" is the KIF line "   3 ２二角成(88) ...".
            const std::string move = line.text.substr(line.text.find(" ", 2) + 1 + 3);
            char number[16];
            std::snprintf(number, sizeof number, "\n%4d ", line.moveNo);
            EXPECT_NE(kif.text.find(number + move), std::string::npos) << line.text << "\n"
                                                                       << kif.text;
        }
    }
}

TEST(MoveList, LinesStepToTheirMovesAndTheCurrentLineFollowsTheBoard) {
    GameState s = exchange();
    const MoveList list = moveListOf(s, 0);
    std::vector<int> steps;
    for (const auto& line : list.lines) steps.push_back(line.moveNo);
    // A line of misses steps to the position the misses were made on.
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 2, 3, 4, 5, 5, 6, 7}));
    EXPECT_EQ(list.current, 9);
    s.moveNo = 2;
    EXPECT_EQ(moveListOf(s, 0).current, 2);
    s.moveNo = 0;
    EXPECT_EQ(moveListOf(s, 0).current, 0);
    EXPECT_EQ(moveListOf(GameState{}, 0).lines.size(), 1u);

    // A game in which 一時表示 showed the computer's pieces says so above the start.
    s.comPiecesShown = YES;
    const MoveList noted = moveListOf(s, 0);
    ASSERT_EQ(noted.lines.size(), list.lines.size() + 1);
    EXPECT_EQ(noted.lines[0].text, "    一時表示でCOMの駒を見ました");
    EXPECT_EQ(noted.lines[0].moveNo, 0);
    EXPECT_EQ(noted.current, 1);
    s.moveNo = 7;
    EXPECT_EQ(moveListOf(s, 0).current, 10);
}

TEST(MoveList, MissesOfTheTurnUnderWayEndTheList) {
    GameState s = exchange();
    s.missCountMAN = 3;
    s.missCountCOM = 2;
    const auto lines = texts(moveListOf(s, 0));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[10], "    MANのミス 1回（通算3回）");
    EXPECT_EQ(lines[11], "    COMのミス（反則） 1回（通算2回）");
    // Stepped back, the counters are those of the move on the board: nothing is pending.
    s.moveNo = 5;
    EXPECT_EQ(moveListOf(s, 0).lines.size(), 10u);
}

}  // namespace
}  // namespace velk
