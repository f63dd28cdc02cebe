#include "com/probes.h"

#include <gtest/gtest.h>

#include "com/candidate.h"
#include "com/com_turn.h"
#include "com/turn_prep.h"
#include "game/survey.h"
#include "support/board_text.h"

namespace velk {
namespace {

using testkit::emptyBoard;
using testkit::put;
using testkit::putAll;
using testkit::withPieces;

TEST(MovableSquares, CountsOnlySquaresTheOtherSideDoesNotReach) {
    GameState s = withPieces({{5, 5, COM_GIN}});
    put(s, 1, 6, MAN_SYA);  // row 6
    put(s, 9, 4, MAN_SYA);  // row 4
    勢力調査(s);
    EXPECT_EQ(調査_移動可場所数(s, 5, 5, COM_GIN), 0);  // trapped
    // A capture counts when the captured square is not reached.
    putAll(s, {{9, 4, EMPTY}, {4, 4, MAN_HU}});
    勢力調査(s);
    EXPECT_EQ(調査_移動可場所数(s, 5, 5, COM_GIN), 2);
    // A human piece counts against the computer's influence.
    GameState m = withPieces({{5, 5, MAN_KIN}, {1, 4, COM_SYA}});
    勢力調査(m);
    EXPECT_EQ(調査_移動可場所数(m, 5, 5, MAN_KIN), 3);
    EXPECT_EQ(調査_移動可場所数(m, 5, 5, MAN_RYU), 20 - 4);  // row 4 and (1, 5)
}

TEST(Surroundings, CountsBigComputerPiecesAroundTheSquare) {
    GameState s = withPieces({{2, 2, COM_OU}, {1, 2, COM_KIN}, {2, 1, COM_KAKU}});
    put(s, 3, 3, COM_RYU);  // not a neighbour of the corner
    EXPECT_EQ(調査_周辺状況(s, 1, 1), -2);
    putAll(s, {{4, 4, MAN_SYA}, {3, 2, COM_UMA}});
    EXPECT_EQ(調査_周辺状況(s, 3, 3), -2);  // the square itself does not count
}

TEST(KnightAim, ForksBigPiecesTwoFilesAsideOfTheCapturer) {
    GameState s = withPieces({{5, 7, COM_HU}, {5, 9, MAN_SYA}, {3, 7, MAN_KAKU}, {7, 7, MAN_UMA}});
    勢力調査(s);
    EXPECT_EQ(調査_桂狙い(s, 5, 7), 800 + 801);
    put(s, 4, 5, COM_KIN);  // the left knight square is taken
    勢力調査(s);
    EXPECT_EQ(調査_桂狙い(s, 5, 7), 801);
    // The capturer itself is not forked: a rook on (3, 7) attacking along the row.
    putAll(s, {{4, 5, EMPTY}, {3, 7, MAN_SYA}});
    勢力調査(s);
    EXPECT_EQ(s.maps.manAttackX[5][7], 3);
    EXPECT_EQ(調査_桂狙い(s, 5, 7), 801);
    // Only when the capturer is a big piece and the square is below row 5.
    put(s, 5, 8, MAN_HU);
    勢力調査(s);
    EXPECT_EQ(調査_桂狙い(s, 5, 7), 0);
}

TEST(LanceAim, ValuesTheFirstPieceBelowThePawnOnly) {
    GameState s = withPieces({{5, 7, COM_HU}});
    put(s, 5, 5, COM_KIN);  // covers (5, 6)
    putAll(s, {{7, 9, MAN_KAKU}, {5, 9, MAN_KIN}});
    勢力調査(s);
    EXPECT_EQ(調査_香狙い(s, 5, 7), 110);
    put(s, 5, 8, COM_GIN);
    勢力調査(s);
    EXPECT_EQ(調査_香狙い(s, 5, 7), 0);

    GameState up = emptyBoard();  // the same one row higher
    putAll(up, {{5, 6, COM_HU}, {5, 4, COM_KIN}, {7, 8, MAN_KAKU}, {5, 8, MAN_KIN}});
    勢力調査(up);
    EXPECT_EQ(調査_香狙い(up, 5, 6), 0);
}

TEST(StraightGuard, FindsALanceRookOrDragonBelowAndRestoresTheBoard) {
    GameState s = withPieces({{5, 3, MAN_GIN}, {5, 8, MAN_RYU}});
    const Map before = s.board;
    EXPECT_EQ(調査_自守駒MAN_直進駒(s, 5, 3), YES);
    EXPECT_EQ(s.board, before);
    put(s, 5, 6, MAN_HU);  // passed over, but it blocks the dragon
    EXPECT_EQ(調査_自守駒MAN_直進駒(s, 5, 3), NO);
    putAll(s, {{5, 6, COM_HU}, {5, 8, MAN_KYOU}});
    EXPECT_EQ(調査_自守駒MAN_直進駒(s, 5, 3), NO);
    put(s, 5, 6, EMPTY);
    EXPECT_EQ(調査_自守駒MAN_直進駒(s, 5, 3), YES);
    EXPECT_EQ(s.board[5][3], MAN_GIN);
}

TEST(TurnPreparation, PinsOfEitherSide) {
    GameState s = withPieces(
        {{2, 1, COM_SYA}, {2, 5, MAN_KIN}, {2, 9, MAN_OU}, {9, 1, COM_OU}, {7, 3, COM_GIN}});
    put(s, 4, 6, MAN_KAKU);  // behind the silver on the diagonal to the computer's king
    勢力調査(s);
    調査_移動不可駒(s);
    EXPECT_EQ(s.comTurn.pinnedMAN[2][5], 1);
    EXPECT_EQ(s.comTurn.pinnedMAN[2][9], 0);
    EXPECT_EQ(s.comTurn.pinnedMAN[4][6], 0);
    EXPECT_EQ(s.comTurn.comPiecePinned, YES);
    put(s, 2, 7, MAN_HU);  // a second piece on the line: neither is pinned
    put(s, 6, 4, MAN_HU);  // blocks the bishop
    調査_移動不可駒(s);
    EXPECT_EQ(s.comTurn.pinnedMAN[2][5], 0);
    EXPECT_EQ(s.comTurn.pinnedMAN[2][7], 0);
    EXPECT_EQ(s.comTurn.comPiecePinned, NO);
}

TEST(TurnPreparation, BishopAimsAtWeaklyHeldSquares) {
    GameState s = withPieces({{5, 1, COM_OU}});
    put(s, 3, 2, COM_HU);  // gives (3, 3) influence 1, two columns from the king
    put(s, 5, 9, MAN_OU);
    勢力調査(s);
    調査_持角狙座標(s);
    const Map& threat = s.comTurn.manBishopThreat;
    EXPECT_EQ(threat[4][2], 1);  // held once, by the king, next to it
    EXPECT_EQ(threat[3][3], 0);
    EXPECT_EQ(threat[2][4], 1);
    EXPECT_EQ(threat[9][5], 1);
    EXPECT_EQ(threat[5][3], 0);  // not on a diagonal

    // The preparation fixes the turn's start.
    s.comTurn.foulTried[4][4] = YES;
    s.comTurn.manKingEscapes[4][4] = 1;
    testkit::setHands(s, "2p");
    prepareComTurn(s);
    EXPECT_EQ(s.comTurn.foulTried, Map{});
    EXPECT_EQ(s.comTurn.boardAtTurnStart, s.board);
    EXPECT_EQ(s.comTurn.handTotalCOMAtTurnStart, 2);
    EXPECT_EQ(s.comTurn.manKingEscapeCount, 5);
    EXPECT_EQ(s.comTurn.comInfluenceAtTurnStart, s.maps.comInfluence);
    EXPECT_EQ(s.comTurn.manInfluenceAtTurnStart, s.maps.manInfluence);
    EXPECT_EQ(s.twoPawnCOM[3], 1);
}

}  // namespace
}  // namespace velk
