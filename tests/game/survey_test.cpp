#include "game/survey.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>

#include "game/move_check.h"
#include "support/board_text.h"
#include "support/random_play.h"

namespace velk {
namespace {

using Pieces = std::initializer_list<std::tuple<int, int, int>>;

GameState surveyed(Pieces pieces) {
    GameState s = testkit::emptyBoard();
    for (const auto& [x, y, code] : pieces) testkit::put(s, x, y, code);
    勢力調査(s);
    return s;
}

// Every cell that differs from `reset`, as "x,y=v" in scan order.
std::string cells(const Map& m, int reset = 0) {
    std::string out;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (m[x][y] != reset)
                out += (out.empty() ? "" : " ") + std::to_string(x) + "," + std::to_string(y) +
                       "=" + std::to_string(m[x][y]);
    return out;
}

std::string square(const Map& mx, const Map& my, int x, int y) {
    return std::to_string(mx[x][y]) + "," + std::to_string(my[x][y]);
}

TEST(Survey, StartingPosition) {
    GameState s{};
    loadDefaults(s);
    勢力調査(s);
    const InfluenceMaps& m = s.maps;
    EXPECT_EQ(m.manInfluence[5][8], 4);  // both golds, the king and the rook's leftward line
    EXPECT_EQ(m.manGuardCode[2][8], -900);
    EXPECT_EQ(m.comGuardCode[8][2], 100);
    EXPECT_EQ(square(m.comGuardX, m.comGuardY, 8, 2), "7,1");
    EXPECT_EQ(cells(m.comKingCheck) + cells(m.manKingCheck), "");
    EXPECT_EQ(square(m.manAttackX, m.manAttackY, 5, 5) + " " + std::to_string(s.kingXMAN) +
                  std::to_string(s.kingYMAN) + std::to_string(s.kingXCOM) +
                  std::to_string(s.kingYCOM),
              "0,0 5951");
}

TEST(Survey, EmptyBoardResetsMapsButKeepsKingsAndCoordinateMaps) {
    GameState s = testkit::emptyBoard();
    s.kingXMAN = 3, s.kingYMAN = 4, s.kingXCOM = 6, s.kingYCOM = 2;
    InfluenceMaps& m = s.maps;
    for (Map* map :
         {&m.manInfluence, &m.comInfluence, &m.manGuardCode, &m.comGuardCode, &m.manAttackCode,
          &m.manAttackX, &m.manAttackY, &m.comAttackCode, &m.comKingCheck, &m.manKingCheck,
          &m.comGuardX, &m.comGuardY, &m.comAttackX, &m.comAttackY})
        (*map)[4][4] = 7;
    勢力調査(s);
    EXPECT_EQ(cells(m.manInfluence) + cells(m.comInfluence) + cells(m.comKingCheck) +
                  cells(m.manKingCheck) + cells(m.manAttackX) + cells(m.manAttackY),
              "");
    EXPECT_EQ(cells(m.manGuardCode, 999) + cells(m.comGuardCode, 999) +
                  cells(m.comAttackCode, 999) + cells(m.manAttackCode, -999),
              "");
    for (const Map* kept : {&m.comGuardX, &m.comGuardY, &m.comAttackX, &m.comAttackY})
        EXPECT_EQ(cells(*kept), "4,4=7");
    EXPECT_EQ(s.kingXMAN * 1000 + s.kingYMAN * 100 + s.kingXCOM * 10 + s.kingYCOM, 3462);
}

TEST(Survey, ReachEndsAtTheEdgeAndAtTheFirstPieceBesidesTheEnemyKing) {
    // Knights, pawns and lances that could never move reach nothing.
    GameState edge = surveyed({{4, 2, MAN_KEI},
                               {6, 1, MAN_KEI},
                               {2, 1, MAN_HU},
                               {8, 1, MAN_KYOU},
                               {3, 8, COM_KEI},
                               {7, 9, COM_KEI},
                               {8, 9, COM_KYOU},
                               {2, 9, COM_HU}});
    EXPECT_EQ(cells(edge.maps.manInfluence) + cells(edge.maps.comInfluence), "");

    GameState corner = surveyed({{1, 9, COM_KIN}, {9, 1, MAN_KIN}});
    EXPECT_EQ(cells(corner.maps.comInfluence), "1,8=1 2,9=1");
    EXPECT_EQ(cells(corner.maps.manInfluence), "8,1=1 9,2=1");

    // A rook line runs through the enemy king up to and including the next piece.
    GameState line = surveyed({{5, 9, MAN_SYA}, {5, 6, COM_OU}, {5, 3, COM_HU}});
    for (int y = 1; y <= 8; ++y)
        EXPECT_EQ(line.maps.manInfluence[5][y], y >= 3 ? 1 : 0) << "y " << y;

    // Its own king, or a computer piece in front of the computer king, ends it.
    GameState own = surveyed({{5, 9, MAN_SYA}, {5, 8, MAN_OU}});
    EXPECT_EQ(own.maps.manInfluence[5][8] * 10 + own.maps.manInfluence[5][6], 10);
    GameState shield = surveyed({{5, 9, MAN_SYA}, {5, 7, COM_HU}, {5, 5, COM_OU}});
    EXPECT_EQ(shield.maps.manInfluence[5][6], 0);
    EXPECT_EQ(cells(shield.maps.comKingCheck), "");
}

TEST(Survey, CheckMarks) {
    // A knight marks its own square and the king's; step pieces only their own.
    EXPECT_EQ(cells(surveyed({{5, 3, COM_OU}, {4, 5, MAN_KEI}}).maps.comKingCheck), "4,5=9 5,3=9");
    EXPECT_EQ(cells(surveyed({{5, 3, COM_OU}, {5, 4, MAN_GIN}}).maps.comKingCheck), "5,4=9");
    EXPECT_EQ(cells(surveyed({{5, 7, MAN_OU}, {6, 5, COM_KEI}, {4, 6, COM_GIN}}).maps.manKingCheck),
              "4,6=9 5,7=9 6,5=9");
    EXPECT_EQ(cells(surveyed({{5, 5, MAN_NARIKEI}, {4, 4, COM_OU}}).maps.comKingCheck), "5,5=9");
    EXPECT_EQ(cells(surveyed({{5, 5, COM_KIN}, {4, 6, MAN_OU}}).maps.manKingCheck), "5,5=9");

    // Kings side by side: influence, no marks.
    GameState kings = surveyed({{5, 5, MAN_OU}, {5, 4, COM_OU}});
    EXPECT_EQ(cells(kings.maps.comKingCheck) + cells(kings.maps.manKingCheck), "");
    EXPECT_EQ(kings.maps.manInfluence[5][4] * 10 + kings.maps.comInfluence[5][5], 11);

    // Lines: 1 strictly between, 9 on the source, nothing on the king.
    EXPECT_EQ(cells(surveyed({{5, 9, MAN_SYA}, {5, 6, COM_OU}, {5, 3, COM_HU}}).maps.comKingCheck),
              "5,7=1 5,8=1 5,9=9");
    EXPECT_EQ(cells(surveyed({{5, 9, MAN_SYA}, {5, 8, COM_OU}}).maps.comKingCheck), "5,9=9");
    EXPECT_EQ(cells(surveyed({{2, 2, COM_UMA}, {5, 5, MAN_OU}}).maps.manKingCheck),
              "2,2=9 3,3=1 4,4=1");
    EXPECT_EQ(cells(surveyed({{1, 5, COM_SYA}, {4, 5, MAN_OU}}).maps.manKingCheck),
              "1,5=9 2,5=1 3,5=1");
    EXPECT_EQ(cells(surveyed({{7, 2, COM_KYOU}, {7, 5, MAN_OU}}).maps.manKingCheck),
              "7,2=9 7,3=1 7,4=1");
    // A pawn in front of the king stops the bishop's line: no marks.
    EXPECT_EQ(cells(surveyed({{2, 2, COM_KAKU}, {4, 4, MAN_HU}, {6, 6, MAN_OU}}).maps.manKingCheck),
              "");
}

TEST(Survey, GuardRecords) {
    // Computer: silver and gold on one pawn; the silver's 100 and square win.
    GameState sg = surveyed({{5, 5, COM_HU}, {4, 4, COM_GIN}, {5, 6, COM_KIN}});
    EXPECT_EQ(sg.maps.comGuardCode[5][5], 100);
    EXPECT_EQ(square(sg.maps.comGuardX, sg.maps.comGuardY, 5, 5), "4,4");

    // The gold alone records 110 and leaves the coordinates of an earlier survey.
    sg.board[4][4] = EMPTY;
    sg.maps.comGuardX[5][5] = 7;
    sg.maps.comGuardY[5][5] = 2;
    勢力調査(sg);
    EXPECT_EQ(sg.maps.comGuardCode[5][5], 110);
    EXPECT_EQ(square(sg.maps.comGuardX, sg.maps.comGuardY, 5, 5), "7,2");

    // A later pawn lowers the code to 10 and keeps the silver's square.
    GameState p = surveyed({{5, 5, COM_KIN}, {4, 4, COM_GIN}, {5, 4, COM_HU}});
    EXPECT_EQ(p.maps.comGuardCode[5][5], 10);
    EXPECT_EQ(square(p.maps.comGuardX, p.maps.comGuardY, 5, 5), "4,4");

    // Equal sources: the first met keeps its square (smaller x; then the downward ray).
    GameState two = surveyed({{5, 5, COM_HU}, {6, 4, COM_GIN}, {4, 4, COM_GIN}});
    EXPECT_EQ(square(two.maps.comGuardX, two.maps.comGuardY, 5, 5), "4,4");
    GameState rays = surveyed({{3, 6, COM_HU}, {3, 2, COM_SYA}, {7, 6, COM_SYA}});
    EXPECT_EQ(square(rays.maps.comGuardX, rays.maps.comGuardY, 3, 6), "3,2");

    // Gold-like pieces record 110; horse steps record no guard; dragon steps do, with square.
    GameState g = surveyed({{5, 5, COM_HU},
                            {5, 4, COM_TO},
                            {2, 5, COM_HU},
                            {2, 6, COM_NARIGIN},
                            {8, 4, COM_HU},
                            {8, 5, COM_UMA},
                            {6, 8, COM_HU},
                            {5, 7, COM_RYU}});
    EXPECT_EQ(g.maps.comGuardCode[5][5] + g.maps.comGuardCode[2][5], 220);
    EXPECT_EQ(g.maps.comInfluence[8][4] * 1000 + g.maps.comGuardCode[8][4], 1999);
    EXPECT_EQ(g.maps.comGuardCode[6][8], 901);
    EXPECT_EQ(square(g.maps.comGuardX, g.maps.comGuardY, 6, 8), "5,7");

    // Human: the most valuable defender; horse steps -801, its diagonals -800.
    EXPECT_EQ(surveyed({{5, 5, MAN_HU}, {5, 8, MAN_SYA}, {4, 6, MAN_OU}}).maps.manGuardCode[5][5],
              -950);
    EXPECT_EQ(surveyed({{5, 9, MAN_SYA}, {5, 8, MAN_OU}}).maps.manGuardCode[5][8], -900);
    GameState h = surveyed({{5, 5, MAN_UMA}, {5, 4, MAN_HU}, {4, 4, MAN_HU}, {6, 6, MAN_NARIKEI}});
    EXPECT_EQ(h.maps.manGuardCode[5][4], -801);
    EXPECT_EQ(h.maps.manGuardCode[4][4], -800);
    EXPECT_EQ(h.maps.manGuardCode[6][6], -800);
    EXPECT_EQ(h.maps.manGuardCode[5][5], -31);
}

TEST(Survey, AttackRecords) {
    // Silver, knight, gold, king and horse step of the computer record no attack.
    GameState none = surveyed({{1, 5, MAN_KIN},
                               {3, 7, MAN_KIN},
                               {6, 5, MAN_KIN},
                               {8, 8, MAN_KIN},
                               {9, 2, MAN_KIN},
                               {1, 4, COM_GIN},
                               {4, 5, COM_KEI},
                               {6, 4, COM_KIN},
                               {8, 7, COM_OU},
                               {9, 1, COM_UMA}});
    for (const auto& [x, y] : {std::pair{1, 5}, {3, 7}, {6, 5}, {8, 8}, {9, 2}})
        EXPECT_EQ(none.maps.comInfluence[x][y] * 1000 + none.maps.comAttackCode[x][y], 1999)
            << x << "," << y;

    // A pawn records 10 without a square; rays and dragon steps record their squares.
    GameState s = testkit::emptyBoard();
    for (const auto& [x, y, code] : {std::tuple{3, 5, MAN_HU},
                                     {3, 4, COM_HU},
                                     {6, 8, MAN_GIN},
                                     {6, 2, COM_SYA},
                                     {9, 9, MAN_GIN},
                                     {8, 8, COM_RYU},
                                     {7, 7, MAN_HU},
                                     {4, 4, COM_UMA},
                                     {1, 1, MAN_HU}})
        testkit::put(s, x, y, code);
    s.maps.comAttackX[3][5] = s.maps.comAttackY[3][5] = 8;
    勢力調査(s);
    const InfluenceMaps& m = s.maps;
    EXPECT_EQ(m.comAttackCode[3][5], 10);
    EXPECT_EQ(square(m.comAttackX, m.comAttackY, 3, 5), "8,8");
    EXPECT_EQ(m.comAttackCode[6][8], 900);
    EXPECT_EQ(square(m.comAttackX, m.comAttackY, 6, 8), "6,2");
    EXPECT_EQ(m.comAttackCode[9][9], 901);
    EXPECT_EQ(square(m.comAttackX, m.comAttackY, 9, 9), "8,8");
    EXPECT_EQ(m.comAttackCode[7][7], 801);  // the horse's diagonal, met before the dragon's
    EXPECT_EQ(square(m.comAttackX, m.comAttackY, 7, 7), "4,4");

    // Human: the cheapest attacker; equal ones keep the first met.
    GameState t = surveyed({{5, 5, COM_KIN}, {6, 6, MAN_GIN}, {4, 6, MAN_GIN}});
    EXPECT_EQ(t.maps.manAttackCode[5][5], -100);
    EXPECT_EQ(square(t.maps.manAttackX, t.maps.manAttackY, 5, 5), "4,6");
    t.board[5][6] = MAN_HU;
    勢力調査(t);
    EXPECT_EQ(t.maps.manAttackCode[5][5], -10);
    EXPECT_EQ(square(t.maps.manAttackX, t.maps.manAttackY, 5, 5), "5,6");

    // The rook's line through the king; the horse, met first, attacks the king by a step.
    GameState r = surveyed(
        {{5, 9, MAN_SYA}, {5, 6, COM_OU}, {5, 3, COM_HU}, {4, 6, MAN_UMA}, {6, 4, COM_HU}});
    EXPECT_EQ(r.maps.manAttackCode[5][3], -900);
    EXPECT_EQ(square(r.maps.manAttackX, r.maps.manAttackY, 5, 3), "5,9");
    EXPECT_EQ(r.maps.manAttackCode[5][6], -801);
    EXPECT_EQ(square(r.maps.manAttackX, r.maps.manAttackY, 5, 6), "4,6");
    EXPECT_EQ(r.maps.manAttackCode[6][4], -800);
    EXPECT_EQ(surveyed({{5, 5, MAN_OU}, {5, 4, COM_OU}}).maps.manAttackCode[5][4], -950);
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
