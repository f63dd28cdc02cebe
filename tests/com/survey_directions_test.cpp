#include <gtest/gtest.h>

#include "com/survey.h"
#include "support/board_text.h"

namespace velk {
namespace {

using testkit::emptyBoard;
using testkit::put;

int sum(const Map& m) {
    int total = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) total += m[x][y];
    return total;
}

TEST(SurveyLines, RookLineThroughTheKingMarksBetweenAndSource) {
    GameState s = emptyBoard();
    put(s, 5, 9, MAN_SYA);
    put(s, 5, 6, COM_OU);
    put(s, 5, 3, COM_HU);
    勢力調査(s);
    const InfluenceMaps& m = s.maps;
    for (int y = 3; y <= 8; ++y) EXPECT_EQ(m.manInfluence[5][y], 1) << "y " << y;
    EXPECT_EQ(m.manInfluence[5][2], 0);
    EXPECT_EQ(m.manInfluence[5][1], 0);
    EXPECT_EQ(m.comKingCheck[5][8], 1);
    EXPECT_EQ(m.comKingCheck[5][7], 1);
    EXPECT_EQ(m.comKingCheck[5][9], 9);
    EXPECT_EQ(m.comKingCheck[5][6], 0);
    EXPECT_EQ(sum(m.comKingCheck), 11);
    for (int y : {6, 3}) {
        EXPECT_EQ(m.manAttackCode[5][y], -900);
        EXPECT_EQ(m.manAttackX[5][y], 5);
        EXPECT_EQ(m.manAttackY[5][y], 9);
    }

    // The king right in front of the rook: only the rook's square is marked.
    GameState near = emptyBoard();
    put(near, 5, 9, MAN_SYA);
    put(near, 5, 8, COM_OU);
    勢力調査(near);
    EXPECT_EQ(near.maps.comKingCheck[5][9], 9);
    EXPECT_EQ(sum(near.maps.comKingCheck), 9);
    EXPECT_EQ(near.maps.manInfluence[5][1], 1);  // the line runs on to the edge
}

TEST(SurveyLines, OwnPiecesAndOtherEnemiesEndTheWalk) {
    // The rook's own king in front: guarded, and the walk ends there.
    GameState own = emptyBoard();
    put(own, 5, 9, MAN_SYA);
    put(own, 5, 8, MAN_OU);
    勢力調査(own);
    EXPECT_EQ(own.maps.manGuardCode[5][8], -900);
    EXPECT_EQ(own.maps.manInfluence[5][8], 1);
    EXPECT_EQ(own.maps.manInfluence[5][6], 0);

    // A computer piece between the rook and the computer king: no check marks.
    GameState shield = emptyBoard();
    put(shield, 5, 9, MAN_SYA);
    put(shield, 5, 7, COM_HU);
    put(shield, 5, 5, COM_OU);
    勢力調査(shield);
    EXPECT_EQ(sum(shield.maps.comKingCheck), 0);
    EXPECT_EQ(shield.maps.manInfluence[5][6], 0);

    // A bishop meeting a pawn before the king: attack on the pawn, no check marks.
    GameState pawn = emptyBoard();
    put(pawn, 2, 2, COM_KAKU);
    put(pawn, 4, 4, MAN_HU);
    put(pawn, 6, 6, MAN_OU);
    勢力調査(pawn);
    EXPECT_EQ(pawn.maps.comAttackCode[4][4], 800);
    EXPECT_EQ(pawn.maps.comAttackX[4][4], 2);
    EXPECT_EQ(pawn.maps.comAttackY[4][4], 2);
    EXPECT_EQ(pawn.maps.comInfluence[5][5], 0);
    EXPECT_EQ(sum(pawn.maps.manKingCheck), 0);
}

TEST(SurveyLines, DiagonalThroughTheKingAndOnToTheNextPiece) {
    GameState s = emptyBoard();
    put(s, 2, 2, COM_UMA);
    put(s, 5, 5, MAN_OU);
    put(s, 7, 7, MAN_HU);
    勢力調査(s);
    const InfluenceMaps& m = s.maps;
    EXPECT_EQ(m.manKingCheck[3][3], 1);
    EXPECT_EQ(m.manKingCheck[4][4], 1);
    EXPECT_EQ(m.manKingCheck[2][2], 9);
    EXPECT_EQ(m.manKingCheck[5][5], 0);
    EXPECT_EQ(sum(m.manKingCheck), 11);
    EXPECT_EQ(m.comInfluence[6][6], 1);
    EXPECT_EQ(m.comInfluence[7][7], 1);
    EXPECT_EQ(m.comInfluence[8][8], 0);
    EXPECT_EQ(m.comAttackCode[7][7], 801);
    EXPECT_EQ(m.comAttackCode[5][5], 801);
    // The three other diagonals run to the edge.
    EXPECT_EQ(m.comInfluence[1][1], 1);
    EXPECT_EQ(m.comInfluence[3][1], 1);
    EXPECT_EQ(m.comInfluence[1][3], 1);

    // Rook and lance lines of the computer mark the human king's check map.
    GameState r = emptyBoard();
    put(r, 1, 5, COM_SYA);
    put(r, 4, 5, MAN_OU);
    put(r, 7, 2, COM_KYOU);
    put(r, 7, 8, MAN_KIN);
    勢力調査(r);
    EXPECT_EQ(r.maps.manKingCheck[1][5], 9);
    EXPECT_EQ(r.maps.manKingCheck[2][5], 1);
    EXPECT_EQ(r.maps.manKingCheck[3][5], 1);
    EXPECT_EQ(sum(r.maps.manKingCheck), 11);
    EXPECT_EQ(r.maps.comInfluence[9][5], 1);  // on behind the king
    EXPECT_EQ(r.maps.comAttackCode[7][8], 20);
    EXPECT_EQ(r.maps.comAttackX[7][8], 7);
    EXPECT_EQ(r.maps.comAttackY[7][8], 2);
}

TEST(SurveyLines, DragonAndRookRaysInOrderDownUpRightLeft) {
    // Two equal rays onto one piece: the downward ray, tried first, keeps its square. The
    // guarded pawn sits below one rook and left of the other, so order within a piece and
    // across pieces both matter; the rook met first (smaller x) wins.
    GameState s = emptyBoard();
    put(s, 3, 6, COM_HU);
    put(s, 3, 2, COM_SYA);  // down onto (3, 6)
    put(s, 7, 6, COM_SYA);  // left onto (3, 6)
    勢力調査(s);
    EXPECT_EQ(s.maps.comGuardCode[3][6], 900);
    EXPECT_EQ(s.maps.comGuardX[3][6], 3);
    EXPECT_EQ(s.maps.comGuardY[3][6], 2);

    // A dragon's diagonal step guards with its square.
    GameState d = emptyBoard();
    put(d, 5, 5, COM_RYU);
    put(d, 6, 6, COM_HU);
    勢力調査(d);
    EXPECT_EQ(d.maps.comGuardCode[6][6], 901);
    EXPECT_EQ(d.maps.comGuardX[6][6], 5);
    EXPECT_EQ(d.maps.comGuardY[6][6], 5);
}

TEST(SurveyGold, ComGoldRecordsInfluenceAndCheckOnly) {
    GameState s = emptyBoard();
    put(s, 5, 5, COM_KIN);
    put(s, 5, 6, MAN_GIN);
    勢力調査(s);
    EXPECT_EQ(s.maps.comInfluence[5][6], 1);
    EXPECT_EQ(s.maps.comAttackCode[5][6], 999);
    EXPECT_EQ(sum(s.maps.manKingCheck), 0);

    put(s, 4, 6, MAN_OU);
    勢力調査(s);
    EXPECT_EQ(s.maps.manKingCheck[5][5], 9);
    EXPECT_EQ(s.maps.manKingCheck[4][6], 0);
    EXPECT_EQ(sum(s.maps.manKingCheck), 9);

    // A promoted silver records the gold's value as guard.
    GameState p = emptyBoard();
    put(p, 5, 5, COM_NARIGIN);
    put(p, 5, 4, COM_HU);
    勢力調査(p);
    EXPECT_EQ(p.maps.comGuardCode[5][4], 110);

    // The human's gold-like pieces record their own codes and mark checks.
    GameState m = emptyBoard();
    put(m, 5, 5, MAN_NARIKEI);
    put(m, 5, 4, MAN_HU);
    put(m, 4, 4, COM_OU);
    勢力調査(m);
    EXPECT_EQ(m.maps.manGuardCode[5][4], -31);
    EXPECT_EQ(m.maps.manAttackCode[4][4], -31);
    EXPECT_EQ(m.maps.comKingCheck[5][5], 9);
    EXPECT_EQ(sum(m.maps.comKingCheck), 9);
}

}  // namespace
}  // namespace velk
