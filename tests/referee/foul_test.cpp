#include "referee/foul.h"

#include <gtest/gtest.h>

#include "support/board_text.h"

namespace velk {
namespace {

using testkit::emptyBoard;
using testkit::put;

TEST(FoulRoll, IsTheLastCharacterOfTheDisplayedTime) {
    EXPECT_EQ(foulRoll(51234.56f), '6');
    EXPECT_EQ(foulRoll(51234.5f), '5');
    EXPECT_EQ(foulRoll(51234.0f), '4');
    EXPECT_EQ(foulRoll(7.25f), '5');
}

TEST(FoulRoll, SharesByLevelOverADayOfClockReadings) {
    GameState s{};
    int fouls[4] = {};
    int readings = 0;
    // Readings spread over the whole day with fractions of every kind.
    for (double t = 0.013; t < 86400.0; t += 0.731, ++readings)
        for (int level = 1; level <= 3; ++level) {
            s.level = level;
            fouls[level] += 反則発生(s, static_cast<float>(t));
        }
    const double share1 = static_cast<double>(fouls[1]) / readings;
    const double share2 = static_cast<double>(fouls[2]) / readings;
    EXPECT_GT(share1, 0.27);
    EXPECT_LT(share1, 0.37);
    EXPECT_GT(share2, 0.08);
    EXPECT_LT(share2, 0.13);
    EXPECT_EQ(fouls[3], 0);
    // The answer follows the clock: level 1 fouls on '1', '5', '8' only, level 2 on '1'.
    s.level = 1;
    EXPECT_EQ(反則発生(s, 100.15f), YES);
    EXPECT_EQ(反則発生(s, 100.18f), YES);
    EXPECT_EQ(反則発生(s, 100.12f), NO);
    s.level = 2;
    EXPECT_EQ(反則発生(s, 100.11f), YES);
    EXPECT_EQ(反則発生(s, 100.15f), NO);
}

TEST(FoulMove, DropAimsAtTheFirstHumanPieceInTheMiddleOfTheHumanHalf) {
    GameState s = emptyBoard();
    for (const auto& [x, y] : {std::pair{1, 9}, {8, 5}, {3, 4}, {4, 8}, {4, 6}, {5, 5}})
        put(s, x, y, MAN_HU);
    put(s, 3, 7, COM_KIN);  // its own pieces are never a target
    const Map before = s.board;
    int toX = 2, toY = 2;
    反則手作成(s, COM_HAND_X, 5, toX, toY, COM_KIN);
    EXPECT_EQ(std::pair(toX, toY), std::pair(4, 6));
    s.comTurn.foulTried[4][6] = YES;
    反則手作成(s, COM_HAND_X, 5, toX, toY, COM_KIN);
    EXPECT_EQ(std::pair(toX, toY), std::pair(4, 8));
    s.comTurn.foulTried[4][8] = YES;
    s.comTurn.foulTried[5][5] = YES;
    toX = toY = 2;
    反則手作成(s, COM_HAND_X, 5, toX, toY, COM_KIN);
    EXPECT_EQ(std::pair(toX, toY), std::pair(2, 2));
    EXPECT_EQ(s.board, before);
}

TEST(FoulMove, RangingPiecePassesOverAHiddenPieceNearestTheHumanSide) {
    GameState s = emptyBoard();
    put(s, 5, 1, COM_SYA);
    put(s, 5, 4, MAN_HU);
    put(s, 7, 1, MAN_HU);
    put(s, 6, 1, COM_HU);  // blocks on both views: no foul along the row to the right
    const Map before = s.board;
    int toX = 5, toY = 4;
    反則手作成(s, 5, 1, toX, toY, COM_SYA);
    EXPECT_EQ(std::pair(toX, toY), std::pair(5, 9));
    s.comTurn.foulTried[5][9] = YES;
    反則手作成(s, 5, 1, toX, toY, COM_SYA);
    EXPECT_EQ(std::pair(toX, toY), std::pair(5, 8));
    EXPECT_EQ(s.board, before);

    // A rook promoting on the move is given as a dragon and keeps the dragon's moves.
    s.comTurn.foulTried = Map{};
    put(s, 4, 1, MAN_HU);
    反則手作成(s, 5, 1, toX, toY, COM_RYU);
    EXPECT_EQ(std::pair(toX, toY), std::pair(1, 1));
}

TEST(FoulMove, NoFoulForSteppingPiecesOrWithoutATarget) {
    GameState s = emptyBoard();
    put(s, 5, 1, COM_GIN);
    put(s, 5, 3, COM_KYOU);
    put(s, 5, 5, MAN_HU);
    for (const int piece : {COM_GIN, COM_NARIKYOU, COM_TO, COM_KIN, COM_OU, COM_NARIGIN}) {
        int toX = 5, toY = 2;
        反則手作成(s, 5, 1, toX, toY, piece);
        EXPECT_EQ(std::pair(toX, toY), std::pair(5, 2)) << piece;
    }
    int toX = 5, toY = 4;
    反則手作成(s, 5, 3, toX, toY, COM_KYOU);
    EXPECT_EQ(std::pair(toX, toY), std::pair(5, 9));
    for (int y = 6; y <= 9; ++y) s.comTurn.foulTried[5][y] = YES;
    toX = 5, toY = 4;
    反則手作成(s, 5, 3, toX, toY, COM_KYOU);
    EXPECT_EQ(std::pair(toX, toY), std::pair(5, 4));
}

}  // namespace
}  // namespace velk
