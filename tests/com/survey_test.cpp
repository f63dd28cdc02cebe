#include "com/survey.h"

#include <gtest/gtest.h>

#include "game/move_check.h"
#include "support/board_text.h"
#include "support/random_play.h"

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

TEST(Survey, StartingPosition) {
    GameState s{};
    loadDefaults(s);
    勢力調査(s);
    const InfluenceMaps& m = s.maps;
    EXPECT_EQ(m.manInfluence[5][8], 4);  // both golds, the king and the rook's leftward line
    EXPECT_EQ(m.manGuardCode[2][8], -900);
    EXPECT_EQ(m.comGuardCode[8][2], 100);
    EXPECT_EQ(m.comGuardX[8][2], 7);
    EXPECT_EQ(m.comGuardY[8][2], 1);
    EXPECT_EQ(sum(m.comKingCheck), 0);
    EXPECT_EQ(sum(m.manKingCheck), 0);
    EXPECT_EQ(m.manAttackCode[5][5], -999);  // reset value on an empty square
    EXPECT_EQ(s.kingXMAN, 5);
    EXPECT_EQ(s.kingYMAN, 9);
    EXPECT_EQ(s.kingXCOM, 5);
    EXPECT_EQ(s.kingYCOM, 1);
}

TEST(Survey, EmptyBoardResetsMapsButKeepsKingsAndCoordinateMaps) {
    GameState s = emptyBoard();
    s.kingXMAN = 3, s.kingYMAN = 4, s.kingXCOM = 6, s.kingYCOM = 2;
    s.maps.comGuardX[4][4] = 7;
    s.maps.comGuardY[4][4] = 8;
    s.maps.comAttackX[2][2] = 5;
    s.maps.comAttackY[2][2] = 6;
    s.maps.manAttackX[3][3] = 9;
    s.maps.manInfluence[1][1] = 4;
    s.maps.manKingCheck[9][9] = 9;
    勢力調査(s);
    const InfluenceMaps& m = s.maps;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            EXPECT_EQ(m.manInfluence[x][y], 0);
            EXPECT_EQ(m.comInfluence[x][y], 0);
            EXPECT_EQ(m.comKingCheck[x][y], 0);
            EXPECT_EQ(m.manKingCheck[x][y], 0);
            EXPECT_EQ(m.manGuardCode[x][y], 999);
            EXPECT_EQ(m.comGuardCode[x][y], 999);
            EXPECT_EQ(m.comAttackCode[x][y], 999);
            EXPECT_EQ(m.manAttackCode[x][y], -999);
            EXPECT_EQ(m.manAttackX[x][y], 0);
            EXPECT_EQ(m.manAttackY[x][y], 0);
        }
    EXPECT_EQ(m.comGuardX[4][4], 7);
    EXPECT_EQ(m.comGuardY[4][4], 8);
    EXPECT_EQ(m.comAttackX[2][2], 5);
    EXPECT_EQ(m.comAttackY[2][2], 6);
    EXPECT_EQ(s.kingXMAN, 3);
    EXPECT_EQ(s.kingYMAN, 4);
    EXPECT_EQ(s.kingXCOM, 6);
    EXPECT_EQ(s.kingYCOM, 2);
}

TEST(Survey, PiecesOnTheEdgeReachOnlyTheBoard) {
    GameState s = emptyBoard();
    put(s, 4, 2, MAN_KEI);
    put(s, 6, 1, MAN_KEI);
    put(s, 2, 1, MAN_HU);
    put(s, 8, 1, MAN_KYOU);
    put(s, 3, 8, COM_KEI);
    put(s, 7, 9, COM_KEI);
    put(s, 8, 9, COM_KYOU);
    put(s, 2, 9, COM_HU);
    勢力調査(s);
    EXPECT_EQ(sum(s.maps.manInfluence), 0);
    EXPECT_EQ(sum(s.maps.comInfluence), 0);

    GameState corner = emptyBoard();
    put(corner, 1, 9, COM_KIN);
    put(corner, 9, 1, MAN_KIN);
    勢力調査(corner);
    EXPECT_EQ(sum(corner.maps.comInfluence), 2);
    EXPECT_EQ(corner.maps.comInfluence[1][8], 1);
    EXPECT_EQ(corner.maps.comInfluence[2][9], 1);
    EXPECT_EQ(sum(corner.maps.manInfluence), 2);
    EXPECT_EQ(corner.maps.manInfluence[9][2], 1);
    EXPECT_EQ(corner.maps.manInfluence[8][1], 1);
}

TEST(Survey, CheckMarksOfStepPieces) {
    // A knight marks its own square and the king's; a silver only its own.
    GameState s = emptyBoard();
    put(s, 5, 3, COM_OU);
    put(s, 4, 5, MAN_KEI);
    勢力調査(s);
    EXPECT_EQ(s.maps.comKingCheck[4][5], 9);
    EXPECT_EQ(s.maps.comKingCheck[5][3], 9);
    EXPECT_EQ(sum(s.maps.comKingCheck), 18);
    EXPECT_EQ(s.maps.manAttackCode[5][3], -30);

    put(s, 4, 5, EMPTY);
    put(s, 5, 4, MAN_GIN);
    勢力調査(s);
    EXPECT_EQ(s.maps.comKingCheck[5][4], 9);
    EXPECT_EQ(sum(s.maps.comKingCheck), 9);

    // The computer's knight and silver mark the human's king the same way.
    GameState c = emptyBoard();
    put(c, 5, 7, MAN_OU);
    put(c, 6, 5, COM_KEI);
    put(c, 4, 6, COM_GIN);
    勢力調査(c);
    EXPECT_EQ(c.maps.manKingCheck[6][5], 9);
    EXPECT_EQ(c.maps.manKingCheck[5][7], 9);
    EXPECT_EQ(c.maps.manKingCheck[4][6], 9);
    EXPECT_EQ(sum(c.maps.manKingCheck), 27);
}

TEST(Survey, KingsSideBySideGiveNoCheck) {
    GameState s = emptyBoard();
    put(s, 5, 5, MAN_OU);
    put(s, 5, 4, COM_OU);
    勢力調査(s);
    EXPECT_EQ(sum(s.maps.comKingCheck), 0);
    EXPECT_EQ(sum(s.maps.manKingCheck), 0);
    EXPECT_EQ(s.maps.manInfluence[5][4], 1);
    EXPECT_EQ(s.maps.comInfluence[5][5], 1);
    EXPECT_EQ(s.maps.manAttackCode[5][4], -950);
    EXPECT_EQ(s.maps.comAttackCode[5][5], 999);  // the computer's king records no attack
}

TEST(Survey, ComGuardKeepsTheSquareOfTheLastSourceThatStoresOne) {
    // Silver and gold both cover the pawn: the silver's 100 and square win.
    GameState s = emptyBoard();
    put(s, 5, 5, COM_HU);
    put(s, 4, 4, COM_GIN);
    put(s, 5, 6, COM_KIN);
    勢力調査(s);
    EXPECT_EQ(s.maps.comGuardCode[5][5], 100);
    EXPECT_EQ(s.maps.comGuardX[5][5], 4);
    EXPECT_EQ(s.maps.comGuardY[5][5], 4);

    // The gold alone: 110, and the coordinates stay as an earlier survey left them.
    put(s, 4, 4, EMPTY);
    s.maps.comGuardX[5][5] = 7;
    s.maps.comGuardY[5][5] = 2;
    勢力調査(s);
    EXPECT_EQ(s.maps.comGuardCode[5][5], 110);
    EXPECT_EQ(s.maps.comGuardX[5][5], 7);
    EXPECT_EQ(s.maps.comGuardY[5][5], 2);

    // A later pawn lowers the code to 10 but leaves the silver's square.
    GameState p = emptyBoard();
    put(p, 5, 5, COM_KIN);
    put(p, 4, 4, COM_GIN);
    put(p, 5, 4, COM_HU);
    勢力調査(p);
    EXPECT_EQ(p.maps.comGuardCode[5][5], 10);
    EXPECT_EQ(p.maps.comGuardX[5][5], 4);
    EXPECT_EQ(p.maps.comGuardY[5][5], 4);

    // Two silvers: the first met (smaller x) keeps its square.
    GameState t = emptyBoard();
    put(t, 5, 5, COM_HU);
    put(t, 6, 4, COM_GIN);
    put(t, 4, 4, COM_GIN);
    勢力調査(t);
    EXPECT_EQ(t.maps.comGuardX[5][5], 4);
    EXPECT_EQ(t.maps.comGuardY[5][5], 4);
}

TEST(Survey, GoldLikePiecesRecordTheGoldAndHorseStepsNoGuard) {
    GameState s = emptyBoard();
    put(s, 5, 5, COM_HU);
    put(s, 5, 4, COM_TO);  // covers (5, 5) with a forward gold step
    put(s, 2, 5, COM_HU);
    put(s, 2, 6, COM_NARIGIN);  // covers (2, 5) with the backward step
    put(s, 8, 4, COM_HU);
    put(s, 8, 5, COM_UMA);  // covers (8, 4) with an orthogonal step only
    勢力調査(s);
    EXPECT_EQ(s.maps.comGuardCode[5][5], 110);
    EXPECT_EQ(s.maps.comGuardCode[2][5], 110);
    EXPECT_EQ(s.maps.comInfluence[8][4], 1);
    EXPECT_EQ(s.maps.comGuardCode[8][4], 999);
}

TEST(Survey, ComAttacksAreRecordedOnlyByPawnsRaysAndDragonSteps) {
    GameState s = emptyBoard();
    const int targets[5][2] = {{1, 5}, {3, 7}, {6, 5}, {8, 8}, {9, 2}};
    for (const auto& t : targets) put(s, t[0], t[1], MAN_KIN);
    put(s, 1, 4, COM_GIN);
    put(s, 4, 5, COM_KEI);
    put(s, 6, 4, COM_KIN);
    put(s, 8, 7, COM_OU);
    put(s, 9, 1, COM_UMA);  // step (9, 2); its diagonals miss the gold
    for (const auto& t : targets) s.maps.comAttackX[t[0]][t[1]] = 8;
    勢力調査(s);
    for (const auto& t : targets) {
        EXPECT_EQ(s.maps.comInfluence[t[0]][t[1]], 1) << t[0] << "," << t[1];
        EXPECT_EQ(s.maps.comAttackCode[t[0]][t[1]], 999) << t[0] << "," << t[1];
        EXPECT_EQ(s.maps.comAttackX[t[0]][t[1]], 8);
    }

    // A pawn records 10 without a square; a ray and a dragon step record their squares.
    GameState a = emptyBoard();
    put(a, 3, 5, MAN_HU);
    put(a, 3, 4, COM_HU);
    a.maps.comAttackX[3][5] = 8;
    a.maps.comAttackY[3][5] = 8;
    put(a, 6, 8, MAN_GIN);
    put(a, 6, 2, COM_SYA);
    put(a, 9, 9, MAN_GIN);
    put(a, 8, 8, COM_RYU);
    勢力調査(a);
    EXPECT_EQ(a.maps.comAttackCode[3][5], 10);
    EXPECT_EQ(a.maps.comAttackX[3][5], 8);
    EXPECT_EQ(a.maps.comAttackY[3][5], 8);
    EXPECT_EQ(a.maps.comAttackCode[6][8], 900);
    EXPECT_EQ(a.maps.comAttackX[6][8], 6);
    EXPECT_EQ(a.maps.comAttackY[6][8], 2);
    EXPECT_EQ(a.maps.comAttackCode[9][9], 901);
    EXPECT_EQ(a.maps.comAttackX[9][9], 8);
    EXPECT_EQ(a.maps.comAttackY[9][9], 8);
}

TEST(Survey, ManHorseStepsRecordTheHorseAndDiagonalsTheBishop) {
    GameState s = emptyBoard();
    put(s, 5, 5, MAN_UMA);
    put(s, 5, 4, MAN_HU);
    put(s, 4, 4, MAN_HU);
    put(s, 6, 5, COM_HU);
    put(s, 6, 6, COM_HU);
    勢力調査(s);
    EXPECT_EQ(s.maps.manGuardCode[5][4], -801);
    EXPECT_EQ(s.maps.manGuardCode[4][4], -800);
    EXPECT_EQ(s.maps.manAttackCode[6][5], -801);
    EXPECT_EQ(s.maps.manAttackCode[6][6], -800);
    EXPECT_EQ(s.maps.manAttackX[6][6], 5);
    EXPECT_EQ(s.maps.manAttackY[6][6], 5);
}

TEST(Survey, CheapestManAttackerWinsAndTiesGoToTheFirstMet) {
    GameState s = emptyBoard();
    put(s, 5, 5, COM_KIN);
    put(s, 6, 6, MAN_GIN);
    put(s, 4, 6, MAN_GIN);
    勢力調査(s);
    EXPECT_EQ(s.maps.manAttackCode[5][5], -100);
    EXPECT_EQ(s.maps.manAttackX[5][5], 4);
    EXPECT_EQ(s.maps.manAttackY[5][5], 6);

    put(s, 5, 6, MAN_HU);  // cheaper, met after the silver on column 4
    勢力調査(s);
    EXPECT_EQ(s.maps.manAttackCode[5][5], -10);
    EXPECT_EQ(s.maps.manAttackX[5][5], 5);
    EXPECT_EQ(s.maps.manAttackY[5][5], 6);

    // The most valuable defender is the guard code: the king below the rook.
    GameState g = emptyBoard();
    put(g, 5, 5, MAN_HU);
    put(g, 5, 8, MAN_SYA);
    put(g, 4, 6, MAN_OU);
    勢力調査(g);
    EXPECT_EQ(g.maps.manGuardCode[5][5], -950);
}

// Influence counted independently: a piece reaches T exactly when the move check lets it go
// to T once T holds an enemy pawn and the enemy king is lifted off (lines pass through it).
int reachCount(const GameState& s, bool man, int tx, int ty) {
    GameState probe = s;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (probe.board[x][y] == (man ? COM_OU : MAN_OU)) probe.board[x][y] = EMPTY;
    probe.board[tx][ty] = static_cast<std::int16_t>(man ? COM_HU : MAN_HU);
    int count = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int p = s.board[x][y];
            if ((x == tx && y == ty) || (man ? !isManPiece(p) : !isComPiece(p))) continue;
            if (移動チェック(probe, x, y, tx, ty, p) == YES) ++count;
        }
    return count;
}

TEST(SurveyProperty, InfluenceMatchesTheMoveRulesAndTheMirroredBoard) {
    int positions = 0;
    for (unsigned seed = 1; seed <= 6; ++seed)
        testkit::playRandomGame(seed, 120, [&](GameState& s) {
            if (++positions % 3 != 0) return;
            GameState mirror = s;
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y)
                    mirror.board[10 - x][10 - y] = static_cast<std::int16_t>(-s.board[x][y]);
            const Map before = s.board;
            勢力調査(s);
            勢力調査(mirror);
            ASSERT_EQ(s.board, before);
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) {
                    ASSERT_EQ(s.maps.manInfluence[x][y], reachCount(s, true, x, y))
                        << x << "," << y << " seed " << seed;
                    ASSERT_EQ(s.maps.comInfluence[x][y], reachCount(s, false, x, y))
                        << x << "," << y << " seed " << seed;
                    ASSERT_EQ(s.maps.manInfluence[x][y], mirror.maps.comInfluence[10 - x][10 - y]);
                    ASSERT_EQ(s.maps.comKingCheck[x][y], mirror.maps.manKingCheck[10 - x][10 - y])
                        << x << "," << y << " seed " << seed;
                    ASSERT_EQ(s.maps.manKingCheck[x][y], mirror.maps.comKingCheck[10 - x][10 - y])
                        << x << "," << y << " seed " << seed;
                }
        });
    EXPECT_GT(positions, 300);
}

}  // namespace
}  // namespace velk
